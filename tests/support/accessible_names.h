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
#include <QStringList>
#include <QTabBar>
#include <QWidget>

// What a screen reader calls a control: its own name, or the one its kind
// gives it (a button's caption, a label's text).
inline QString accessibleNameOf(QWidget* widget)
{
    if (!widget->accessibleName().isEmpty()) {
        return widget->accessibleName();
    }
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name).trimmed() : QString();
}

// Whether a control would be met by a screen reader: it takes the focus, or
// it shows something (a text, a picture, a list, a chart).
inline bool meetsTheReader(QWidget* widget, QWidget* window)
{
    if (!widget->isVisibleTo(window)) {
        return false;
    }
    if ((widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() && !widget->focusProxy()) {
        return true;
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return !label->text().isEmpty();
    }
    return dynamic_cast<PictureBox*>(widget) || qobject_cast<QAbstractButton*>(widget) ||
           qobject_cast<QComboBox*>(widget) || qobject_cast<QLineEdit*>(widget) || qobject_cast<QTabBar*>(widget) ||
           (qobject_cast<QAbstractItemView*>(widget) && !qobject_cast<QHeaderView*>(widget)) ||
           qobject_cast<QGraphicsView*>(widget);
}

// Every control of the window a reader would meet without a name, with where it is; and how many were met.
inline QStringList unnamedControls(QWidget* window, int* met = nullptr)
{
    QStringList unnamed;
    int count = 0;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!meetsTheReader(widget, window)) {
            continue;
        }
        ++count;
        if (accessibleNameOf(widget).isEmpty()) {
            const QRect at(widget->mapTo(window, QPoint(0, 0)), widget->size());
            unnamed.append(QStringLiteral("%1 at %2,%3 %4×%5")
                               .arg(QLatin1String(widget->metaObject()->className()))
                               .arg(at.x()).arg(at.y()).arg(at.width()).arg(at.height()));
        }
    }
    if (met) {
        *met = count;
    }
    return unnamed;
}
