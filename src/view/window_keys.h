#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

// A window's key preview: the window sees each key pressed in it before the
// control that has the focus. Installed on the window and its controls (those
// added later too), never on the whole application. `handler` returns true
// when it took the key, which the control then never sees.
class WindowKeys final : public QObject {
public:
    static WindowKeys* install(QWidget* window, std::function<bool(QKeyEvent*)> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowKeys(QWidget* window, std::function<bool(QKeyEvent*)> handler);
    void watch(QObject* object);

    QWidget* m_window;
    std::function<bool(QKeyEvent*)> m_handler;
};

// Places a dialog at the centre of its owner.
void centreOnOwner(QWidget* dialog);
