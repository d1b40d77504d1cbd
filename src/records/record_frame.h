#pragma once

#include "records/record_texts.h"

#include "store/counts.h"

#include <QDialog>
#include <QString>
#include <functional>

class ImageButton;
class QLabel;
class QPushButton;

// The frame both record screens share: a fixed window with the banner, the
// close button and the two paging buttons. Enter closes it whichever control
// has the focus; no other key does anything.
class RecordFrame : public QDialog {
    Q_OBJECT
public:
    static constexpr int RowsPerPage = 10;
    static constexpr int kShownPatterns = kPlayablePatterns;

    qint16 CurrentPage = 1;
    qint16 PageCount = 10;

    ImageButton* Picture24 = nullptr; // close
    QPushButton* Command1 = nullptr;  // ▲ previous page
    QPushButton* Command2 = nullptr;  // ▼ next page

    void Command1_Click();
    void Command2_Click();
    void Form_KeyDown(int keyCode);
    void Form_MouseMove();

    // The line under the rows that says where the records are kept.
    QLabel* placeLine = nullptr;
    void setRecordsPlace(const QString& text);

    // Called with the pattern of a row the player clicked.
    std::function<void(int pattern)> onPatternClicked;
    // The pattern of the row at a point of the screen, or -1.
    int patternAt(QPoint pos) const;

protected:
    RecordFrame(QWidget* owner, const QString& appDir, int pagingX);

    // Fills the rows of CurrentPage.
    virtual void showPage() = 0;
    void Form_Load();
    // Shows the paging buttons that lead somewhere.
    void updatePaging();

    // A bordered cell box at (x, y) with one label inside.
    QLabel* addCell(QRect box, QRect label, Qt::Alignment alignment, QColor background, QWidget** boxOut = nullptr);

    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

    QString m_appDir;
    int m_rowsRight = 561; // the right edge of the last column
    int m_pressedPattern = -1;
};

inline const QColor kHeaderColor(180, 236, 252);

// Puts a cell's text and colour into its label.
void showCell(QLabel* label, const CellText& cell);
