#pragma once

#include <QDate>
#include <QtGlobal>

// Millisecond clock and calendar of the game. Tests inject their own.
class Clock {
public:
    virtual ~Clock() = default;
    // Monotonic milliseconds; 64 bits, so it never wraps during a game.
    virtual qint64 nowMs() const = 0;
    // Today's date in the player's calendar.
    virtual QDate today() const = 0;
};

class SystemClock final : public Clock {
public:
    qint64 nowMs() const override;
    QDate today() const override;
};
