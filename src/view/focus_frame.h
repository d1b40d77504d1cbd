#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

// A frame around the control that has the keyboard focus, drawn just outside
// it over the window's other controls in the screens' colours: a bright ring
// with a dark edge, clear on the blue grounds and on white. The pointer goes
// through it.
class FocusFrame final : public QWidget {
    Q_OBJECT
public:
    explicit FocusFrame(QWidget* window);

    static constexpr int kMargin = 3; // logical pixels outside the control
    static inline const QColor kRing{198, 255, 0};
    static inline const QColor kEdge{0, 40, 90};

    // Around control, or hidden when null.
    void follow(QWidget* control);
    QWidget* control() const { return m_control; }
    // The part of a control the frame goes around: a radio button's dot and caption, not its empty width.
    static QRect framedRect(const QWidget* control);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<QWidget> m_control;
};
