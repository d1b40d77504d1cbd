#pragma once

#include <QString>

// Where the game reads its own files (data2.dat, image/, sound/) and where it
// keeps the player's records (data1.dat, data3.dat, history.db, their damaged
// copies and the lock).
struct GameFolders {
    QString files;
    QString records; // empty: no folder for records could be made (recordsProblem says why)
    // A portable game folder whose records went elsewhere because it cannot
    // be written; the records there are the player's all the same.
    QString portable;
    QString recordsProblem;
    bool recordsBesideGame() const;
};

// What the file tree says, before anything is written: the game's files,
// the portable folder (data2.dat beside the executable) where records go
// while it can be written, and the player's data folder otherwise. An
// installed game finds its files in ../share/tazumeki relative to the
// executable, so any prefix works.
struct FolderChoice {
    QString files;
    QString portable;       // empty for an installed game
    QString userData;       // empty when none can be named
    QString userDataProblem; // why not
};
FolderChoice chooseGameFolders(const QString& exeDir, const QString& userDataDir,
                               const QString& userDataProblem = QString());

// The player's data folder for the game: $XDG_DATA_HOME/Tazumeki, or
// ~/.local/share/Tazumeki. A relative XDG_DATA_HOME is ignored, as the XDG
// rules say; without a home folder there is none and problem says why.
QString userDataFolder(QString* problem);

// The records folder the game uses without a portable folder that can be
// written: the player's data folder, made when missing.
GameFolders recordsAway(const FolderChoice& choice);

// Record files and history a portable folder holds, to take along when the
// records go to the player's data folder. Copies (never moves) those that
// can be read into `to` when it holds none yet; returns the names copied.
QStringList copyRecordsFrom(const QString& from, const QString& to);
// Whether a folder holds any of the player's records.
bool holdsRecords(const QString& folder);
