#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class FocusFrame;
class QKeyEvent;
class QWidget;

// A window's key preview: the window sees each key pressed in it before the
// control that has the focus. Installed on the window and its controls (those
// added later too), never on the whole application. `handler` returns true
// when it took the key, which the control then never sees.
//
// It also shows where the focus is: once a key that moves or uses the focus
// (Tab, the arrows, the page keys, Space) is pressed in the window, a frame
// goes around the focused control, until the pointer is pressed. Before that
// the window looks exactly as it would without it.
class WindowKeys final : public QObject {
public:
    static WindowKeys* install(QWidget* window, std::function<bool(QKeyEvent*)> handler);

    // The control shows its focus itself (a text box its caret): no frame.
    void showsOwnFocus(QWidget* control);
    const FocusFrame* focusFrame() const { return m_frame; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowKeys(QWidget* window, std::function<bool(QKeyEvent*)> handler);
    void watch(QObject* object);
    void placeFrame();

    QWidget* m_window;
    std::function<bool(QKeyEvent*)> m_handler;
    FocusFrame* m_frame;
    bool m_keyboardUsed = false;
    std::vector<QPointer<QWidget>> m_ownFocus;
};

// Places a dialog at the centre of its owner.
void centreOnOwner(QWidget* dialog);
