#include "view/window_keys.h"

#include "view/focus_frame.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace {

// Keys that move the focus or act on the focused control: after one, the player needs to see where it is.
bool usesFocus(int key)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Space:
        return true;
    default:
        return false;
    }
}

} // namespace

WindowKeys* WindowKeys::install(QWidget* window, std::function<bool(QKeyEvent*)> handler)
{
    return new WindowKeys(window, std::move(handler));
}

WindowKeys::WindowKeys(QWidget* window, std::function<bool(QKeyEvent*)> handler)
    : QObject(window), m_window(window), m_handler(std::move(handler)), m_frame(new FocusFrame(window))
{
    watch(window);
}

void WindowKeys::showsOwnFocus(QWidget* control)
{
    m_ownFocus.emplace_back(control);
    placeFrame();
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

void WindowKeys::placeFrame()
{
    QWidget* control = m_window->focusWidget();
    const bool own = std::any_of(m_ownFocus.begin(), m_ownFocus.end(), [control](const QPointer<QWidget>& w) { return w == control; });
    const bool shown = m_keyboardUsed && control && control != m_window && control->window() == m_window &&
                       control->isVisible() && control->isEnabled() && !own;
    m_frame->follow(shown ? control : nullptr);
}

bool WindowKeys::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        watch(static_cast<QChildEvent*>(event)->child());
        break;
    case QEvent::KeyPress: {
        // Once per key: where it is first delivered, not again as it goes up
        // to the parents. Popups (a list's drop-down) are windows of their own.
        QWidget* first = m_window->focusWidget() ? m_window->focusWidget() : m_window;
        if (watched != first || first->window() != m_window) {
            break;
        }
        auto* key = static_cast<QKeyEvent*>(event);
        const bool moves = usesFocus(key->key());
        if (moves && !m_keyboardUsed) {
            m_keyboardUsed = true;
            placeFrame();
        }
        const bool windowKey = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                               key->key() == Qt::Key_Escape || (key->modifiers() & Qt::AltModifier);
        if (m_keyboardUsed && (moves || windowKey)) {
            // Wherever the key leaves the focus, once it has done its work; also
            // in a window that is not active, where moving the focus sends no event.
            // Typing needs no such look.
            QTimer::singleShot(0, this, &WindowKeys::placeFrame);
        }
        return m_handler(key);
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (m_keyboardUsed) {
            m_keyboardUsed = false;
            placeFrame();
        }
        // The style's own faint focus marks go with the frame.
        if (m_window->testAttribute(Qt::WA_KeyboardFocusChange)) {
            m_window->setAttribute(Qt::WA_KeyboardFocusChange, false);
            if (QWidget* control = m_window->focusWidget()) {
                control->update();
            }
        }
        break;
    case QEvent::FocusIn:
        placeFrame();
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Hide:
    case QEvent::EnabledChange:
        if (watched == m_frame->control()) {
            placeFrame();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void centreOnOwner(QWidget* dialog)
{
    if (QWidget* owner = dialog->parentWidget()) {
        dialog->move(owner->frameGeometry().center() - dialog->rect().center());
    }
}
