#pragma once

#include "platform/clock.h"
#include "platform/notifier.h"
#include "platform/random.h"
#include "platform/sound.h"
#include "platform/timer.h"

#include <QStringList>
#include <ostream>
#include <vector>

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// A clock the test moves by hand.
class FakeClock final : public Clock {
public:
    qint64 now = 1'000'000;
    QDate day = QDate(2026, 12, 9);
    qint64 nowMs() const override { return now; }
    QDate today() const override { return day; }
    // Noon of `day` when the clock stands at its start value.
    QDateTime localNow() const override { return QDateTime(day, QTime(12, 0)).addMSecs(now - 1'000'000); }
    void advance(qint64 ms) { now += ms; }
};

// Plays back a fixed list of numbers, over and over.
class ScriptedRandom final : public Random {
public:
    explicit ScriptedRandom(std::vector<double> values = {0.5}) : m_values(std::move(values)) {}
    void seed(quint64 value) override { seeds.push_back(value); }
    double next() override
    {
        const double v = m_values[m_pos % m_values.size()];
        ++m_pos;
        return v;
    }
    std::vector<quint64> seeds;

private:
    std::vector<double> m_values;
    std::size_t m_pos = 0;
};

class SoundRecorder final : public Sound {
public:
    QStringList played;
    void playAsync(const QString& path) override { played.append(path); }
};

class NotifierRecorder final : public Notifier {
public:
    QStringList titles;
    QStringList texts;
    void warn(const QString& title, const QString& text) override
    {
        titles.append(title);
        texts.append(text);
    }
    QStringList informed; // notes, nothing to act on
    void inform(const QString&, const QString& text) override { informed.append(text); }
    QStringList asked; // questions, each answered with `answer`
    bool answer = true;
    bool ask(const QString&, const QString& text) override
    {
        asked.append(text);
        return answer;
    }
};

// A timer the test ticks by hand: no tick ever comes by itself.
class ManualTimer final : public Timer {
public:
    using Timer::Timer;
    // One tick, when the timer runs.
    bool fire()
    {
        if (!running()) {
            return false;
        }
        emit tick();
        return true;
    }

protected:
    void restart(int) override {}
};

class ManualTimers final : public TimerSource {
public:
    Timer* newTimer(QObject* parent) override { return new ManualTimer(parent); }
};
