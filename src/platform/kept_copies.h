#pragma once

#include <QString>

// Puts a file aside as "<path>.damaged", or "<path>.damaged.2", ... never over
// an earlier one: a copy when the file can be read, else the file itself moved.
QString keepDamagedCopy(const QString& path);
// The newest copy put aside by keepDamagedCopy, or empty.
QString newestDamagedCopy(const QString& path);
