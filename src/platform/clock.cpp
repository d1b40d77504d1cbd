#include "platform/clock.h"

#include <QDateTime>
#include <chrono>

qint64 SystemClock::nowMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

QDate SystemClock::today() const
{
    return QDate::currentDate();
}
