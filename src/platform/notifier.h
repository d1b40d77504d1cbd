#pragma once

#include <QString>

// Tells the player something they must act on (a damaged or unsavable file).
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void warn(const QString& title, const QString& text) = 0;
    // Something the player may like to know, nothing to act on.
    virtual void inform(const QString& title, const QString& text) = 0;
    // A yes-or-no question; true for yes.
    virtual bool ask(const QString& title, const QString& text) = 0;
};
