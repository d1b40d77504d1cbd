#include "view/labels.h"

#include <QFontMetrics>
#include <QLabel>

void setTextColor(QWidget* widget, QColor color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::ButtonText, color);
    widget->setPalette(palette);
}

QLabel* makeLabel(QWidget* parent, QRect geometry, const QFont& font, Qt::Alignment alignment, QColor color)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    label->setAlignment(alignment & Qt::AlignVertical_Mask ? alignment : alignment | Qt::AlignTop);
    label->setFont(font);
    if (color.isValid()) {
        setTextColor(label, color);
    }
    return label;
}

QLabel* makeLabel(const QString& text, const QFont& font, QColor color)
{
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setFont(font);
    if (color.isValid()) {
        setTextColor(label, color);
    }
    return label;
}

bool fitsInLabel(const QLabel* label, const QString& text, const QFont& font)
{
    const QFontMetrics metrics(font);
    if (!label->wordWrap()) {
        return metrics.horizontalAdvance(text) <= label->width();
    }
    const QRect needed =
        metrics.boundingRect(QRect(0, 0, label->width(), 10000), Qt::TextWordWrap | label->alignment(), text);
    return needed.width() <= label->width() && needed.height() <= label->height();
}

void setFittedText(QLabel* label, const QString& text, const QFont& base)
{
    QFont font = base;
    bool fits = fitsInLabel(label, text, font);
    for (int spacing = 95; !fits && spacing >= 85; spacing -= 5) {
        font.setLetterSpacing(QFont::PercentageSpacing, spacing);
        fits = fitsInLabel(label, text, font);
    }
    for (int pixels = base.pixelSize() - 1; !fits && pixels >= 6; --pixels) {
        font.setPixelSize(pixels);
        fits = fitsInLabel(label, text, font);
    }
    label->setFont(font);
    label->setText(text);
}
