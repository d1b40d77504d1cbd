#pragma once

#include "view/picture_box.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QGraphicsView>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>

// Each control of the window a screen reader meets (it takes the focus, or
// shows a text, a picture, a list or a chart) that has no name, by class; and
// how many it meets.
inline QStringList unnamedControls(QWidget* window, int* met = nullptr)
{
    QStringList unnamed;
    int count = 0;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const auto* label = qobject_cast<QLabel*>(w);
        const bool focusable = (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && !w->focusProxy();
        const bool shows = label ? !label->text().isEmpty()
                                 : dynamic_cast<PictureBox*>(w) || qobject_cast<QAbstractButton*>(w) ||
                                       qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w) ||
                                       qobject_cast<QTabBar*>(w) || qobject_cast<QGraphicsView*>(w) ||
                                       (qobject_cast<QAbstractItemView*>(w) && !qobject_cast<QHeaderView*>(w));
        if (!w->isVisibleTo(window) || !(focusable || shows)) {
            continue;
        }
        ++count;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        if (w->accessibleName().isEmpty() && (!face || face->text(QAccessible::Name).trimmed().isEmpty())) {
            unnamed.append(QLatin1String(w->metaObject()->className()));
        }
    }
    if (met) {
        *met = count;
    }
    return unnamed;
}
