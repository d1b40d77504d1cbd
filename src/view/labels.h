#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

// A label for the game's texts. Always plain text: pattern names, clues and
// records come from files a person may have edited and are never markup.
// A label without a vertical alignment sits at the top of its box; an
// invalid colour keeps the palette's.
QLabel* makeLabel(QWidget* parent, QRect geometry, const QFont& font, Qt::Alignment alignment, QColor color = QColor());
// The same, placed by a layout.
QLabel* makeLabel(const QString& text, const QFont& font, QColor color = QColor());

// Sets the colour of a label's (or a button's) text.
void setTextColor(QWidget* widget, QColor color);
