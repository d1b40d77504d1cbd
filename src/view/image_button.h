#pragma once

#include "view/picture_box.h"

#include <QString>
#include <optional>

// The image files of a button face: "\image\button_<name>_init.bmp" and so on.
// The quit face has no down image.
struct ButtonFace {
    QString init;
    QString over;
    QString down;
    static ButtonFace named(const QString& name, bool hasDown = true);
};

// "\image\button_ok_init.bmp" -> "\image\button_ok_init@2x.bmp": the same face for
// a device pixel ratio of 2, twice as wide and high.
QString highDensityFile(const QString& file);

// Loads a button face from the game's image folder (its 2× file on a
// high-density screen when there is one); the file is read at every
// change. A missing or unreadable file leaves the button as it was.
void ShowButtonImage(PictureBox& button, const QString& appDir, const QString& file);

// A picture box used as a button: it reports the mouse to its window, and a
// button with a fixed face also shows its down and over images by itself.
class ImageButton final : public PictureBox {
    Q_OBJECT
public:
    // storedFace: the picture the window shows before any file is loaded.
    ImageButton(QWidget* parent, QPoint pos, const QString& appDir, const QImage& storedFace,
                std::optional<ButtonFace> face = std::nullopt);

    QString Pressed; // "1" from a press on the button until the release

    void showImage(const QString& file) { ShowButtonImage(*this, m_appDir, file); }
    // The pointer moved over the window's own surface.
    void showInit();

signals:
    void mouseDown();
    void mouseMove();
    void mouseUp();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString m_appDir;
    std::optional<ButtonFace> m_face;
};
