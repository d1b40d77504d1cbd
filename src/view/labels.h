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

// Shows text whole in a label drawn in `base`: when the text would run past
// the label (or, wrapping, below it) the letters close up a little, then the
// font shrinks until it fits. The next text starts again from `base`.
void setFittedText(QLabel* label, const QString& text, const QFont& base);
// Whether text in font fits the label as it lays text out.
bool fitsInLabel(const QLabel* label, const QString& text, const QFont& font);
