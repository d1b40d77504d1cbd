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
// Tab reaches it (a click leaves the focus where it was), and Space presses
// and releases it as the left button does. Enter is never its key.
class ImageButton final : public PictureBox {
    Q_OBJECT
public:
    // storedFace: the picture the window shows before any file is loaded.
    ImageButton(QWidget* parent, QPoint pos, const QString& appDir, const QImage& storedFace,
                std::optional<ButtonFace> face = std::nullopt);

    QString Pressed; // "1" from a press on the button until the release

    void showImage(const QString& file) { ShowButtonImage(*this, m_appDir, file); }
    // The press or release being reported came from Space: the pointer is not over the button.
    bool bySpace() const { return m_spaceDown || m_releasingSpace; }
    // The pointer moved over the window's own surface.
    void showInit();

signals:
    // From the mouse, or from Space.
    void mouseDown();
    void mouseMove();
    void mouseUp();
    // The focus left while Space held the button down: nothing happens and the face goes back.
    void pressCancelled();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void press();

    QString m_appDir;
    std::optional<ButtonFace> m_face;
    bool m_spaceDown = false;
    bool m_releasingSpace = false;
};
