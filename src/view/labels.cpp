#include "view/labels.h"

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
