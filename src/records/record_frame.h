#pragma once

#include "records/record_texts.h"

#include "store/counts.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

class ImageButton;
class QLabel;
class QPushButton;

// The frame both record screens share: a fixed window with the banner, the
// close button and the two paging buttons. Enter closes it whichever control
// has the focus, Esc does nothing; PageUp and PageDown turn the pages, ↑ and
// ↓ move a highlight over the rows (turning the page at either end), and
// Space opens the highlighted row's history. Tab goes from the rows to ▲, ▼
// and the close button, which Space presses.
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

    // Called with the pattern of a row the player clicked, or chose with Space.
    std::function<void(int pattern)> onPatternClicked;
    // The pattern of the row at a point of the screen, or -1.
    int patternAt(QPoint pos) const;

    // The rows as one control that takes the focus; drawn by the cells.
    QWidget* rowList = nullptr;
    // The highlighted row of the page, or -1 before ↑ or ↓ is pressed.
    int highlightedRow() const { return m_highlightedRow; }
    int highlightedPattern() const;
    void moveHighlight(int step);
    static inline const QColor kHighlightColor{255, 240, 150};

protected:
    RecordFrame(QWidget* owner, const QString& appDir, int pagingX);

    // Fills the rows of CurrentPage.
    virtual void showPage() = 0;
    void Form_Load();
    // Shows the paging buttons that lead somewhere.
    void updatePaging();

    // A bordered cell box at (x, y) with one label inside.
    QLabel* addCell(QRect box, QRect label, Qt::Alignment alignment, QColor background, QWidget** boxOut = nullptr);
    // A white cell of a row of records, highlighted with its row.
    QLabel* addRowCell(int row, QRect box, QRect label, Qt::Alignment alignment, QWidget** boxOut);
    // What the rows are and what each column holds, for screen readers.
    void nameRows(const QString& listName, const QStringList& columns);

    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

    QString m_appDir;
    int m_rowsRight = 561; // the right edge of the last column
    int m_pressedPattern = -1;

private:
    bool previewKey(QKeyEvent* event);
    void highlightRow(int row);
    // Rows of the current page that hold a pattern.
    int rowsOnPage() const;
    void pageTurned();
    QString rowText(int row) const;

    std::array<std::vector<QWidget*>, RowsPerPage> m_rowCells;
    QStringList m_columnNames;
    int m_highlightedRow = -1;
};

inline const QColor kHeaderColor(180, 236, 252);

// Puts a cell's text and colour into its label.
void showCell(QLabel* label, const CellText& cell);
