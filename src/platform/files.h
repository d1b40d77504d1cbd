#pragma once

#include <QByteArray>
#include <QString>

// The executable's own folder.
QString AppDir();

// Where the game reads its own files (data2.dat, image/, sound/) and where it
// keeps the player's records (data1.dat, data3.dat, their damaged copies, the
// leftover text files and anything else written at run time).
struct GameFolders {
    QString files;
    QString records;
    // The records folder is away from the game and did not exist yet: the
    // player has not been told where the records go.
    bool recordsFolderIsNew = false;
    bool recordsBesideGame() const;
};

// Decides both folders for an executable in exeDir. A portable folder (data2.dat
// beside the executable) keeps its records there while it can be written;
// otherwise the records go to userDataDir. An installed game finds its files in
// ../share/tazumeki relative to the executable, so any prefix works.
GameFolders locateGameFolders(const QString& exeDir, const QString& userDataDir,
                              bool (*canWriteIn)(const QString& dir) = nullptr);
// The folders of the running program; the player's data folder is the
// application's QStandardPaths::AppDataLocation.
GameFolders gameFolders();

// The one place that names a file in the records folder; makes the folder on
// first use so that saving into a fresh data folder works.
QString recordFile(const QString& recordsDir, const QString& name);

// True when a file can be created in dir (tried, not guessed from permissions).
bool canCreateFilesIn(const QString& dir);

// A path below an application folder, written with the backslashes the game's
// file names use ("\sound\Boom.wav").
QString appFile(const QString& appDir, const QString& relative);

bool fileExists(const QString& path);
bool deleteFile(const QString& path);

// Replaces path with data: written to a temporary file in the same folder,
// flushed to disk, then renamed over the target. On failure the old file is
// untouched and error says why.
bool atomicReplace(const QString& path, const QByteArray& data, QString* error = nullptr);

QByteArray readWholeFile(const QString& path, bool* ok = nullptr, QString* error = nullptr);
