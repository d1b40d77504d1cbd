#pragma once

#include <QString>

// Keeps a copy of a file as "<path>.damaged", or "<path>.damaged.2", ...
// never over an earlier one, and only once per content: an earlier copy of the
// same bytes is named instead. The file itself stays in place. Empty when no
// copy could be made (a full disk, an unreadable file).
QString keepDamagedCopy(const QString& path);
// The newest copy put aside by keepDamagedCopy, or empty.
QString newestDamagedCopy(const QString& path);
