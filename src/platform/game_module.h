#pragma once

#include <QString>

class QObject;

// Loads one of the game's modules by name, without its platform suffix:
// from beside the executable in the portable folder, from ../lib/tazumeki
// when installed. A module stays loaded. Returns its root object, or null
// with the reason in *error.
QObject* loadGameModule(const QString& name, QString* error);
