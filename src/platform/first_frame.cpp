#include "platform/first_frame.h"

#include <QBuffer>
#include <QEvent>
#include <QImageReader>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace {

class FirstPaintWatcher final : public QObject {
public:
    FirstPaintWatcher(QWidget& window, std::function<void()> work) : QObject(&window), m_work(std::move(work))
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched == parent()) {
            watched->removeEventFilter(this);
            // A zero timer runs once the paint of every child and the flush
            // to the screen are done, not in the middle of them.
            QTimer::singleShot(0, parent(), [work = std::move(m_work)] { work(); });
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_work;
};

} // namespace

void afterFirstFrame(QWidget& window, std::function<void()> work)
{
    new FirstPaintWatcher(window, std::move(work));
}

void reportFirstFrameIfAsked()
{
    if (qEnvironmentVariableIsEmpty("TAZUMEKI_FIRST_FRAME")) {
        return;
    }
    const auto ns =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
    std::printf("first-frame-ns %lld\n", static_cast<long long>(ns));
    std::fflush(stdout);
}

void loadImagePlugins()
{
    QByteArray nothing;
    QBuffer device(&nothing);
    QImageReader(&device, "png").canRead();
}
