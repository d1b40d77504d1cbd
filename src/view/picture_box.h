#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QWidget>

// A picture box: a widget with a persistent image that drawing goes into.
// The screen shows the image as it was at the last Refresh, so a series of
// drawing steps reaches the player in one update.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent, QRect geometry, QColor backColor = Qt::white);

    // The bitmap the box shows under its drawing; also resets the image to it.
    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }

    // Text printing: a position, a colour, a font, then Print with a transparent background.
    void setCurrentPos(QPoint pos) { m_currentPos = pos; }
    void setForeColor(QColor color) { m_foreColor = color; }
    void setPrintFont(const QFont& font) { m_printFont = font; }
    void Print(const QString& text);

    // Clears the image so that only the bitmap (or the back colour) shows.
    void Cls();
    // Presents the image on the screen.
    void Refresh();

    QColor backColor() const { return m_backColor; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_backColor;
    QImage m_picture;
    QImage m_image;
    QImage m_shown;
    QPoint m_currentPos;
    QColor m_foreColor = Qt::black;
    QFont m_printFont;
};
