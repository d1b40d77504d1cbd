#include "view/picture_box.h"

#include <QFontMetrics>
#include <QPainter>

PictureBox::PictureBox(QWidget* parent, QRect geometry, QColor backColor)
    : QWidget(parent), m_backColor(backColor), m_printFont(font())
{
    setGeometry(geometry);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_image = QImage(geometry.size(), QImage::Format_RGB32);
    Cls();
    m_shown = m_image;
}

void PictureBox::setPicture(const QImage& picture)
{
    m_picture = picture.convertToFormat(QImage::Format_RGB32);
    Cls();
    Refresh();
}

void PictureBox::Cls()
{
    m_image.fill(m_backColor);
    if (!m_picture.isNull()) {
        QPainter painter(&m_image);
        painter.drawImage(0, 0, m_picture);
    }
    m_currentPos = QPoint(0, 0);
}

void PictureBox::Print(const QString& text)
{
    QPainter painter(&m_image);
    painter.setFont(m_printFont);
    painter.setPen(m_foreColor);
    const QFontMetrics metrics(m_printFont);
    // The position is the top left of the text cell, as on the original surfaces.
    painter.drawText(m_currentPos + QPoint(0, metrics.ascent()), text);
    m_currentPos = QPoint(0, m_currentPos.y() + metrics.height());
}

void PictureBox::Refresh()
{
    m_shown = m_image;
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_shown);
}
