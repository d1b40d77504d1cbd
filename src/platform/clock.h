#pragma once

#include <QDate>
#include <QDateTime>
#include <QtGlobal>

// Millisecond clock and calendar of the game. Tests inject their own.
class Clock {
public:
    virtual ~Clock() = default;
    // Monotonic milliseconds; 64 bits, so it never wraps during a game.
    virtual qint64 nowMs() const = 0;
    // Today's date in the player's calendar.
    virtual QDate today() const = 0;
    // The local date and time, for what the play history shows.
    virtual QDateTime localNow() const { return QDateTime::currentDateTime(); }
};

class SystemClock final : public Clock {
public:
    qint64 nowMs() const override;
    QDate today() const override;
};
