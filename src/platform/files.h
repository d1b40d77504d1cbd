#pragma once

#include <QByteArray>
#include <QString>

// The executable's own folder.
QString AppDir();

// The one place that names a file in the records folder; makes the folder on
// first use so that saving into a fresh data folder works.
QString recordFile(const QString& recordsDir, const QString& name);

// A path below an application folder, written with the backslashes the game's
// file names use ("\sound\Boom.wav").
QString appFile(const QString& appDir, const QString& relative);

bool fileExists(const QString& path);
bool deleteFile(const QString& path);

// What is at a path where the game keeps a file of its own. The game reads
// and writes only plain files: through a link it could reach a file outside
// its folder, and a pipe or a device could block it or never end.
enum class PathKind { Missing, File, Link, Other };
PathKind pathKind(const QString& path);
// For the player: why the thing at path is not a file the game uses, by name.
QString notAFileReason(const QString& path);

// Replaces path with data: written to a temporary file of the game's own name
// in the same folder, flushed to disk, then renamed over the target. On
// failure the old file is untouched and error says why. A link or anything
// but a plain file at path is never replaced.
bool atomicReplace(const QString& path, const QByteArray& data, QString* error = nullptr);
// Removes what a save killed before its rename left beside path: only files
// of the game's own temporary name, never one a person could have made.
void removeUnfinishedSaves(const QString& path);
// The temporary name atomicReplace uses beside path, as a pattern: <name>~tazumeki-save-XXXXXX.
QString unfinishedSavePattern(const QString& path);

// Reads a plain file whole, or its first maxBytes (cut is then set when
// there was more). A link is followed; a pipe or a device is refused.
QByteArray readWholeFile(const QString& path, bool* ok = nullptr, QString* error = nullptr, qint64 maxBytes = -1,
                         bool* cut = nullptr);
