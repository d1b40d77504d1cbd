#include "records/record_frame.h"

#include "platform/fonts.h"
#include "view/stored_art.h"
#include "view/image_button.h"
#include "view/labels.h"
#include "view/picture_box.h"
#include "view/window_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

void showCell(QLabel* label, const CellText& cell)
{
    setFittedText(label, cell.text, windowsFont(kPGothic, 9.75)); // a long record never loses its digits
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, cell.color);
    label->setPalette(palette);
}

RecordFrame::RecordFrame(QWidget* owner, const QString& appDir, int pagingX)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint),
      m_appDir(appDir)
{
    setWindowTitle(QStringLiteral("Tazumeki"));
    setFixedSize(616, 418);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(11, 164, 255));
    setPalette(palette);
    setAutoFillBackground(true);
    setMouseTracking(true);
    setFont(windowsFont(kPGothic, 9.75));

    auto* banner = new PictureBox(this, QRect(0, 0, 615, 77), QColor(11, 164, 255));
    banner->setPicture(art::stored(art::Piece::RecordBanner, banner->ratio()));

    Picture24 = new ImageButton(this, QPoint(528, 384), appDir, art::stored(art::Piece::CloseButton, pictureRatio()),
                                ButtonFace::named(QStringLiteral("close")));
    connect(Picture24, &ImageButton::mouseUp, this, [this] {
        Picture24->Pressed.clear();
        done(QDialog::Accepted);
    });

    Command1 = new QPushButton(QStringLiteral("▲"), this);
    Command1->setGeometry(pagingX, 216, 25, 25);
    Command2 = new QPushButton(QStringLiteral("▼"), this);
    Command2->setGeometry(pagingX, 264, 25, 25);
    for (QPushButton* button : {Command1, Command2}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(Command1, &QPushButton::clicked, this, &RecordFrame::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &RecordFrame::Command2_Click);

    placeLine = makeLabel(this, QRect(48, 400, 470, 16), windowsFont(kPGothic, 8.25), Qt::AlignLeft | Qt::AlignVCenter,
                          QColor(230, 246, 255));

    // Key preview: Enter closes the screen whichever control has the focus; Esc has no effect.
    WindowKeys::install(this, [this](QKeyEvent* event) {
        const int key = event->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Form_KeyDown(13);
            return true;
        }
        return key == Qt::Key_Escape;
    });
}

void RecordFrame::setRecordsPlace(const QString& text)
{
    // A long folder keeps its start and its end.
    placeLine->setText(placeLine->fontMetrics().elidedText(text, Qt::ElideMiddle, placeLine->width()));
    placeLine->setToolTip(text);
}

void RecordFrame::Form_Load()
{
    PageCount = 10;
    CurrentPage = 1;
    showPage();
    updatePaging();
}

void RecordFrame::updatePaging()
{
    Command1->setVisible(CurrentPage != 1);
    Command2->setVisible(CurrentPage < PageCount);
}

void RecordFrame::Command1_Click()
{
    if (CurrentPage > 1) {
        --CurrentPage;
        showPage();
        updatePaging();
    }
}

void RecordFrame::Command2_Click()
{
    if (CurrentPage < PageCount) {
        ++CurrentPage;
        showPage();
        updatePaging();
    }
}

void RecordFrame::Form_KeyDown(int keyCode)
{
    if (keyCode == 13) {
        done(QDialog::Accepted);
    }
}

void RecordFrame::Form_MouseMove()
{
    Picture24->showInit();
}

QLabel* RecordFrame::addCell(QRect box, QRect label, Qt::Alignment alignment, QColor background, QWidget** boxOut)
{
    auto* frame = new QFrame(this);
    frame->setGeometry(box);
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(1);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, QColor(0, 60, 120));
    frame->setPalette(palette);
    frame->setAutoFillBackground(true);
    QLabel* text = makeLabel(frame, label, windowsFont(kPGothic, 9.75), alignment);
    if (boxOut) {
        *boxOut = frame;
    }
    return text;
}

int RecordFrame::patternAt(QPoint pos) const
{
    constexpr int top = 128;
    constexpr int pitch = 24;
    if (pos.x() < 16 || pos.x() >= m_rowsRight || pos.y() < top || pos.y() > top + pitch * RowsPerPage) {
        return -1;
    }
    const int row = qMin((pos.y() - top) / pitch, RowsPerPage - 1);
    const int pattern = (CurrentPage - 1) * RowsPerPage + row;
    return pattern < kShownPatterns ? pattern : -1;
}

// A row click is a press and a release on the same row.
void RecordFrame::mousePressEvent(QMouseEvent* event)
{
    m_pressedPattern = event->button() == Qt::LeftButton ? patternAt(event->position().toPoint()) : -1;
    QDialog::mousePressEvent(event);
}

void RecordFrame::mouseReleaseEvent(QMouseEvent* event)
{
    const int pressed = std::exchange(m_pressedPattern, -1);
    if (event->button() == Qt::LeftButton && pressed >= 0 && pressed == patternAt(event->position().toPoint()) &&
        onPatternClicked) {
        onPatternClicked(pressed);
        return;
    }
    QDialog::mouseReleaseEvent(event);
}

void RecordFrame::keyPressEvent(QKeyEvent* event)
{
    event->accept(); // keys other than Enter do nothing
}

void RecordFrame::mouseMoveEvent(QMouseEvent*)
{
    Form_MouseMove();
}

void RecordFrame::showEvent(QShowEvent* event)
{
    centreOnOwner(this);
    QDialog::showEvent(event);
}
