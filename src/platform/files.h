#pragma once

#include <QByteArray>
#include <QString>

// The game's folder: data files, images and sounds live beside the executable.
QString AppDir();

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
