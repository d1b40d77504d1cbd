#include "view/picture_box.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

qreal pictureRatio()
{
    const qreal screens = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    return std::clamp(std::ceil(screens - 0.01), 1.0, 4.0);
}

QImage ratioImage(QSize logical, qreal ratio, QColor fill)
{
    QImage image(logical * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(fill);
    return image;
}

PictureImage::PictureImage(QSize size, QColor backColor, qreal ratio)
    : m_backColor(backColor), m_image(ratioImage(size, ratio, backColor))
{
    Cls();
}

void PictureImage::setPicture(const QImage& picture)
{
    m_loadPicture = nullptr;
    m_picture = picture.convertToFormat(QImage::Format_RGB32);
    Cls();
    pictureChanged();
}

void PictureImage::setPicture(std::function<QImage()> load)
{
    m_loadPicture = std::move(load);
    m_picture = QImage();
    Cls();
    pictureChanged();
}

QImage PictureImage::picture() const
{
    return m_loadPicture ? m_loadPicture().convertToFormat(QImage::Format_RGB32) : m_picture;
}

void PictureImage::Cls()
{
    const QImage bitmap = picture();
    if (bitmap.size() == m_image.size() && bitmap.devicePixelRatio() == m_image.devicePixelRatio()) {
        // The bitmap covers the whole picture: share its pixels until the first drawing.
        m_image = bitmap;
    } else {
        m_image.fill(m_backColor);
        if (!bitmap.isNull()) {
            QPainter painter(&m_image);
            painter.drawImage(0, 0, bitmap);
        }
    }
    m_currentPos = QPoint(0, 0);
}

void PictureImage::Print(const QString& text)
{
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(m_printFont);
    painter.setPen(m_foreColor);
    const QFontMetrics metrics(m_printFont);
    // The position is the top left of the text cell.
    painter.drawText(m_currentPos + QPoint(0, metrics.ascent()), text);
    m_currentPos = QPoint(0, m_currentPos.y() + metrics.height());
}

PictureBox::PictureBox(QWidget* parent, QRect geometry, QColor backColor)
    : QWidget(parent), PictureImage(geometry.size(), backColor)
{
    setGeometry(geometry);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::Refresh()
{
    update();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    const qreal ratio = image().devicePixelRatio();
    painter.drawImage(area, image(), QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
}
