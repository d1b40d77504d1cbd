#pragma once

#include <QString>

// Tells the player something they must act on (a damaged or unsavable file).
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void warn(const QString& title, const QString& text) = 0;
};
