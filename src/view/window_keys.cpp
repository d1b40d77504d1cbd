#include "view/window_keys.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QWidget>

WindowKeys* WindowKeys::install(QWidget* window, std::function<bool(QKeyEvent*)> handler)
{
    return new WindowKeys(window, std::move(handler));
}

WindowKeys::WindowKeys(QWidget* window, std::function<bool(QKeyEvent*)> handler)
    : QObject(window), m_window(window), m_handler(std::move(handler))
{
    watch(window);
}

void WindowKeys::watch(QObject* object)
{
    if (!object->isWidgetType()) {
        return;
    }
    object->installEventFilter(this);
    for (QObject* child : object->children()) {
        watch(child);
    }
}

bool WindowKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ChildAdded) {
        watch(static_cast<QChildEvent*>(event)->child());
    } else if (event->type() == QEvent::KeyPress) {
        // Once per key: where it is first delivered, not again as it goes up
        // to the parents. Popups (a list's drop-down) are windows of their own.
        QWidget* first = m_window->focusWidget() ? m_window->focusWidget() : m_window;
        if (watched == first && first->window() == m_window) {
            return m_handler(static_cast<QKeyEvent*>(event));
        }
    }
    return QObject::eventFilter(watched, event);
}

void centreOnOwner(QWidget* dialog)
{
    if (QWidget* owner = dialog->parentWidget()) {
        dialog->move(owner->frameGeometry().center() - dialog->rect().center());
    }
}
