#include "records/record_frame.h"

#include "platform/fonts.h"
#include "view/stored_art.h"
#include "view/image_button.h"
#include "view/labels.h"
#include "view/picture_box.h"
#include "view/window_keys.h"

#include <QAbstractButton>
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
    banner->setAccessibleName(QStringLiteral("記録"));

    // Over the rows, which it leaves to the pointer and to the cells' drawing.
    rowList = new QWidget(this);
    rowList->setFocusPolicy(Qt::TabFocus);
    rowList->setAttribute(Qt::WA_TransparentForMouseEvents);

    Picture24 = new ImageButton(this, QPoint(528, 384), appDir, art::stored(art::Piece::CloseButton, pictureRatio()),
                                ButtonFace::named(QStringLiteral("close")));
    Picture24->setAccessibleName(QStringLiteral("閉じる"));
    Picture24->setToolTip(QStringLiteral("記録を閉じる（Enter）"));
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
    Command1->setAccessibleName(QStringLiteral("前のページ"));
    Command1->setToolTip(QStringLiteral("前のページ（PageUp）"));
    Command2->setAccessibleName(QStringLiteral("次のページ"));
    Command2->setToolTip(QStringLiteral("次のページ（PageDown）"));
    // Top to bottom: the rows, then the paging buttons, then close.
    setTabOrder(rowList, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Picture24);
    connect(Command1, &QPushButton::clicked, this, &RecordFrame::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &RecordFrame::Command2_Click);

    placeLine = makeLabel(this, QRect(48, 400, 470, 16), windowsFont(kPGothic, 8.25), Qt::AlignLeft | Qt::AlignVCenter,
                          QColor(230, 246, 255));

    WindowKeys::install(this, [this](QKeyEvent* event) { return previewKey(event); });
}

bool RecordFrame::previewKey(QKeyEvent* event)
{
    // Enter closes the screen whichever control has the focus; Esc has no effect.
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        Form_KeyDown(13);
        return true;
    }
    if (key == Qt::Key_Escape) {
        return true;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    switch (key) {
    case Qt::Key_PageUp:
        Command1_Click();
        return true;
    case Qt::Key_PageDown:
        Command2_Click();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        moveHighlight(key == Qt::Key_Down ? 1 : -1);
        rowList->setFocus(Qt::OtherFocusReason); // so that Space opens the row
        return true;
    case Qt::Key_Space: {
        QWidget* focused = focusWidget();
        if (qobject_cast<QAbstractButton*>(focused) || qobject_cast<ImageButton*>(focused)) {
            return false; // the button's own
        }
        if (m_highlightedRow < 0) {
            highlightRow(0);
        } else if (onPatternClicked) {
            onPatternClicked(highlightedPattern());
        }
        return true;
    }
    default:
        return false;
    }
}

int RecordFrame::rowsOnPage() const
{
    return qBound(0, kShownPatterns - (CurrentPage - 1) * RowsPerPage, int(RowsPerPage));
}

int RecordFrame::highlightedPattern() const
{
    return m_highlightedRow < 0 ? -1 : (CurrentPage - 1) * RowsPerPage + m_highlightedRow;
}

void RecordFrame::moveHighlight(int step)
{
    if (m_highlightedRow < 0) {
        highlightRow(0);
        return;
    }
    int row = m_highlightedRow + step;
    if (row < 0 && CurrentPage > 1) {
        Command1_Click();
        row = rowsOnPage() - 1;
    } else if (row >= rowsOnPage() && CurrentPage < PageCount) {
        Command2_Click();
        row = 0;
    }
    highlightRow(qBound(0, row, rowsOnPage() - 1));
}

void RecordFrame::highlightRow(int row)
{
    for (int r = 0; r < RowsPerPage; ++r) {
        const QColor colour = r == row ? kHighlightColor : QColor(Qt::white);
        for (QWidget* cell : m_rowCells[r]) {
            QPalette palette = cell->palette();
            if (palette.color(QPalette::Window) != colour) {
                palette.setColor(QPalette::Window, colour);
                cell->setPalette(palette);
            }
        }
    }
    m_highlightedRow = row;
    rowList->setAccessibleDescription(row < 0 ? QStringLiteral("↑↓ で行を選び、Space で履歴を開く") : rowText(row));
}

void RecordFrame::pageTurned()
{
    // The highlight keeps its place on the page, inside the rows it has.
    highlightRow(m_highlightedRow < 0 ? -1 : qMin(m_highlightedRow, rowsOnPage() - 1));
}

QString RecordFrame::rowText(int row) const
{
    QStringList parts;
    const std::vector<QWidget*>& cells = m_rowCells[std::size_t(row)];
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const QLabel* label = cells[c]->findChild<QLabel*>();
        if (label && !label->text().isEmpty()) {
            const QString text = label->text().simplified();
            parts.append(c < std::size_t(m_columnNames.size()) ? m_columnNames[qsizetype(c)] + u' ' + text : text);
        }
    }
    return parts.join(QStringLiteral("、"));
}

void RecordFrame::nameRows(const QString& listName, const QStringList& columns)
{
    rowList->setAccessibleName(listName);
    m_columnNames = columns;
    highlightRow(m_highlightedRow);
}

QLabel* RecordFrame::addRowCell(int row, QRect box, QRect label, Qt::Alignment alignment, QWidget** boxOut)
{
    QLabel* text = addCell(box, label, alignment, Qt::white, boxOut);
    m_rowCells[std::size_t(row)].push_back(text->parentWidget());
    return text;
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
    rowList->setGeometry(16, 128, m_rowsRight - 16, 24 * RowsPerPage + 1);
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
        pageTurned();
    }
}

void RecordFrame::Command2_Click()
{
    if (CurrentPage < PageCount) {
        ++CurrentPage;
        showPage();
        updatePaging();
        pageTurned();
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
