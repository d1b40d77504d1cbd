#include "view/image_button.h"

#include "platform/files.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <utility>

ButtonFace ButtonFace::named(const QString& name, bool hasDown)
{
    const QString stem = QStringLiteral("\\image\\button_") + name;
    return {stem + QStringLiteral("_init.bmp"), stem + QStringLiteral("_over.bmp"),
            hasDown ? stem + QStringLiteral("_down.bmp") : stem + QStringLiteral("_over.bmp")};
}

QString highDensityFile(const QString& file)
{
    const qsizetype dot = file.lastIndexOf(u'.');
    return dot > file.lastIndexOf(u'\\') ? file.left(dot) + QStringLiteral("@2x") + file.mid(dot) : file + QStringLiteral("@2x");
}

void ShowButtonImage(PictureBox& button, const QString& appDir, const QString& file)
{
    if (button.ratio() > 1) {
        // A face drawn for twice the density, when the game has one, over the 1× file scaled up.
        QImage sharp(appFile(appDir, highDensityFile(file)));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2);
            button.setPicture(sharp);
            return;
        }
    }
    const QImage image(appFile(appDir, file));
    if (!image.isNull()) {
        button.setPicture(image);
    }
}

ImageButton::ImageButton(QWidget* parent, QPoint pos, const QString& appDir, const QImage& storedFace,
                         std::optional<ButtonFace> face)
    : PictureBox(parent, QRect(pos, QSize(77, 26)), QColor(0, 140, 214)), m_appDir(appDir), m_face(std::move(face))
{
    setPicture(storedFace);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void ImageButton::showInit()
{
    if (m_face) {
        showImage(m_face->init);
    }
}

void ImageButton::press()
{
    if (m_face) {
        showImage(m_face->down);
        Pressed = QStringLiteral("1");
    }
    emit mouseDown();
}

void ImageButton::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    press();
}

void ImageButton::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (m_face && Pressed.isEmpty()) {
        showImage(m_face->over);
    }
    emit mouseMove();
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event)
{
    // The release acts wherever the pointer is by then.
    event->accept();
    emit mouseUp();
}

void ImageButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Space || event->modifiers() != Qt::NoModifier) {
        event->ignore(); // Enter and the rest go on to the window
        return;
    }
    event->accept();
    if (!event->isAutoRepeat() && !m_spaceDown) {
        m_spaceDown = true;
        press();
    }
}

void ImageButton::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Space || event->isAutoRepeat() || !m_spaceDown) {
        event->ignore();
        return;
    }
    event->accept();
    m_spaceDown = false;
    m_releasingSpace = true;
    emit mouseUp();
    m_releasingSpace = false;
}

void ImageButton::focusOutEvent(QFocusEvent* event)
{
    if (std::exchange(m_spaceDown, false)) {
        Pressed.clear();
        showInit();
        emit pressCancelled();
    }
    PictureBox::focusOutEvent(event);
}
