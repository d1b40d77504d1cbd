#include "view/result_dialog.h"

#include "platform/fonts.h"
#include "view/image_button.h"
#include "view/picture_box.h"
#include "view/stored_art.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainterPath>
#include <QRegion>

namespace {

QLabel* label(QWidget* parent, QRect geometry, QColor color, const QFont& font)
{
    auto* l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(geometry);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setFont(font);
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, color);
    l->setPalette(palette);
    return l;
}

} // namespace

Result::Result(QWidget* owner, const QString& appDir)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), m_appDir(appDir)
{
    setFixedSize(281, 210);
    auto* background = new PictureBox(this, QRect(0, 0, 281, 210), QColor(0, 140, 214));
    background->setPicture(art::stored(art::Piece::ResultBackground, background->ratio()));
    background->setAttribute(Qt::WA_TransparentForMouseEvents); // the dialog's own surface

    Label13 = label(this, QRect(88, 64, 113, 25), QColor(0, 0, 255), windowsFont(kPGothic, 11.25, true));
    Label13->setText(QStringLiteral("【 今回の成績 】"));
    Label18 = label(this, QRect(88, 88, 105, 25), QColor(0, 0, 255), windowsFont(kPGothic, 15.75, true));
    Label19 = label(this, QRect(40, 120, 193, 25), QColor(255, 8, 132), windowsFont(kPopStyleP, 14.25));

    Picture1 = new ImageButton(this, QPoint(169, 157), appDir, art::stored(art::Piece::OkButton, pictureRatio()),
                               ButtonFace::named(QStringLiteral("ok")));
    Picture1->setFocusPolicy(Qt::StrongFocus);
    Picture1->installEventFilter(this);
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
    if (parentWidget()) {
        const QRect owner = parentWidget()->frameGeometry();
        move(owner.center() - rect().center());
    }
    Picture1->setFocus();
    QDialog::showEvent(event);
}

void Result::Picture1_KeyDown(int keyCode)
{
    if (keyCode == 27) {
        done(QDialog::Accepted);
    }
}

void Result::keyPressEvent(QKeyEvent* event)
{
    // Esc closes; Enter, Space and every other key do nothing.
    Picture1_KeyDown(event->key() == Qt::Key_Escape ? 27 : event->key());
    event->accept();
}

bool Result::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Picture1 && event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Result::mouseMoveEvent(QMouseEvent*)
{
    Picture1->showInit();
}
