#pragma once

#include <QObject>
#include <QTimer>

// A form timer: it runs while its interval is non-zero; interval 0 stops it.
class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr) : QObject(parent)
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, &Timer::tick);
    }

    void setInterval(int ms)
    {
        m_interval = ms;
        if (ms > 0) {
            m_timer.start(ms);
        } else {
            m_timer.stop();
        }
    }
    int interval() const { return m_interval; }
    bool running() const { return m_interval > 0; }

signals:
    void tick();

private:
    QTimer m_timer;
    int m_interval = 0;
};
