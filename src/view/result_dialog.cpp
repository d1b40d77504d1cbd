#include "view/result_dialog.h"

#include "platform/fonts.h"
#include "view/image_button.h"
#include "view/picture_box.h"
#include "view/labels.h"
#include "view/stored_art.h"
#include "view/window_keys.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainterPath>
#include <QRegion>


Result::Result(QWidget* owner, const QString& appDir)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), m_appDir(appDir)
{
    setFixedSize(281, 210);
    setAccessibleName(QStringLiteral("今回の成績"));
    auto* background = new PictureBox(this, QRect(0, 0, 281, 210), QColor(0, 140, 214));
    background->setPicture(art::stored(art::Piece::ResultBackground, background->ratio()));
    background->setAttribute(Qt::WA_TransparentForMouseEvents); // the dialog's own surface
    background->setAccessibleName(QStringLiteral("結果"));

    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
    Label13 = makeLabel(this, QRect(88, 64, 113, 25), windowsFont(kPGothic, 11.25, true), centred, QColor(0, 0, 255));
    Label13->setText(QStringLiteral("【 今回の成績 】"));
    Label18 = makeLabel(this, QRect(88, 88, 105, 25), windowsFont(kPGothic, 15.75, true), centred, QColor(0, 0, 255));
    Label19 = makeLabel(this, QRect(40, 120, 193, 25), windowsFont(kPopStyleP, 14.25), centred, QColor(255, 8, 132));
    detailLine = makeLabel(this, QRect(16, 146, 150, 14), windowsFont(kPGothic, 8.25), centred, QColor(0, 0, 160));
    typingLine = makeLabel(this, QRect(16, 160, 150, 14), windowsFont(kPGothic, 8.25), centred, QColor(0, 0, 160));

    Picture1 = new ImageButton(this, QPoint(169, 157), appDir, art::stored(art::Piece::OkButton, pictureRatio()),
                               ButtonFace::named(QStringLiteral("ok")));
    Picture1->setFocusPolicy(Qt::StrongFocus);
    Picture1->setAccessibleName(QStringLiteral("OK"));
    Picture1->setToolTip(QStringLiteral("閉じる（Esc）"));
    // Esc closes; Enter, Space and every other key do nothing: the last
    // answer's Enter, or a Space typed after it, must not skip the result.
    WindowKeys::install(this, [this](QKeyEvent* event) {
        Picture1_KeyDown(event->key() == Qt::Key_Escape ? 27 : event->key());
        return true;
    });
    // The release closes the dialog wherever the pointer is by then.
    connect(Picture1, &ImageButton::mouseUp, this, [this] {
        Picture1->Pressed.clear();
        done(QDialog::Accepted);
    });
    setMouseTracking(true);

    Form_Load();
}

void Result::Form_Load()
{
    // Corners rounded by 20 × 20 ellipses; clicks outside them never reach the dialog.
    QPainterPath shape;
    shape.addRoundedRect(QRectF(0, 0, width(), height()), 10, 10);
    setMask(QRegion(shape.toFillPolygon().toPolygon()));
}

void Result::showEvent(QShowEvent* event)
{
    centreOnOwner(this);
    Picture1->setFocus();
    QDialog::showEvent(event);
}

void Result::Picture1_KeyDown(int keyCode)
{
    if (keyCode == 27) {
        done(QDialog::Accepted);
    }
}

void Result::mouseMoveEvent(QMouseEvent*)
{
    Picture1->showInit();
}
