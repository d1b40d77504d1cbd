#pragma once

#include "platform/game_folders.h"
#include "platform/single_instance.h"

#include <QStringList>
#include <memory>

// The records folder this copy of the game uses, claimed before anything is
// written there: the portable folder while it takes the lock (which is also
// the test that it can be written), else the player's data folder. When the
// records go to the data folder for the first time, those of the portable
// folder are copied along.
struct RecordsClaim {
    GameFolders folders;
    std::unique_ptr<SingleInstance> instance; // lives as long as the game
    SingleInstance::Claim claim = SingleInstance::Claim::CannotLock;
    QStringList copied;  // record files taken along from the portable folder
    bool bothHoldRecords = false; // the portable folder keeps older records of its own
};

// message: handed to a copy already running (a set file to open).
RecordsClaim claimRecordsFolder(const FolderChoice& choice, const QString& message = QString());
