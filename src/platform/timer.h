#pragma once

#include <QObject>
#include <QTimer>

// A form timer: it runs while its interval is non-zero; interval 0 stops it.
// Ticks come as the tick signal, from a Qt timer in the game and from the
// test's hand in tests.
class Timer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    void setInterval(int ms)
    {
        m_interval = ms > 0 ? ms : 0;
        restart(m_interval);
    }
    int interval() const { return m_interval; }
    bool running() const { return m_interval > 0; }

signals:
    void tick();

protected:
    // Ticks every ms from now on; 0 stops them.
    virtual void restart(int ms) = 0;

private:
    int m_interval = 0;
};

class QtTimer final : public Timer {
public:
    explicit QtTimer(QObject* parent = nullptr) : Timer(parent)
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, &Timer::tick);
    }

protected:
    void restart(int ms) override
    {
        if (ms > 0) {
            m_timer.start(ms);
        } else {
            m_timer.stop();
        }
    }

private:
    QTimer m_timer;
};

// Where a window's timers come from; tests hand out timers they tick themselves.
class TimerSource {
public:
    virtual ~TimerSource() = default;
    virtual Timer* newTimer(QObject* parent) = 0;
};

class QtTimerSource final : public TimerSource {
public:
    Timer* newTimer(QObject* parent) override { return new QtTimer(parent); }
};
