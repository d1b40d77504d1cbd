#include "view/focus_frame.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QPainter>
#include <QPainterPath>
#include <QRadioButton>

FocusFrame::FocusFrame(QWidget* window) : QWidget(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

QRect FocusFrame::framedRect(const QWidget* control)
{
    QRect rect(QPoint(0, 0), control->size());
    if (qobject_cast<const QRadioButton*>(control) || qobject_cast<const QCheckBox*>(control)) {
        rect.setWidth(qMin(rect.width(), control->sizeHint().width()));
    }
    return rect;
}

void FocusFrame::follow(QWidget* control)
{
    m_control = control;
    if (!control) {
        hide();
        return;
    }
    const QRect framed = framedRect(control);
    const QPoint topLeft = control->mapTo(parentWidget(), framed.topLeft());
    const QRect geometry = QRect(topLeft, framed.size()).adjusted(-kMargin, -kMargin, kMargin, kMargin);
    if (geometry != this->geometry()) {
        setGeometry(geometry);
    }
    raise(); // over controls made after the frame
    show();
}

void FocusFrame::paintEvent(QPaintEvent*)
{
    // Only the ring is painted: what lies under the rest shows through.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(kEdge, 1));
    painter.drawRoundedRect(outer, kMargin + 2, kMargin + 2);
    painter.setPen(QPen(kRing, 2));
    painter.drawRoundedRect(QRectF(rect()).adjusted(2, 2, -2, -2), kMargin + 1, kMargin + 1);
}
