// The title screen, and the animation that writes the title at start-up.

#include "app/main_form.h"
#include "app/module1.h"
#include "platform/fonts.h"
#include "platform/timer.h"
#include "view/board.h"

#include <QGroupBox>
#include <QLabel>

namespace {

struct TitleRow {
    int firstCell;
    QString glyphs;
    QColor color;
    double points;
    QPoint textPos;
};

// The glyphs of the title, one per cell; the last row starts with "by".
const std::array<TitleRow, 4>& titleRows()
{
    static const std::array<TitleRow, 4> rows{{
        {0, QStringLiteral("タズメキーラン"), QColor(0, 0, 255), 18, QPoint(7, 7)},
        {15, QStringLiteral("ホノカゼーミ"), QColor(255, 41, 0), 18, QPoint(7, 7)},
        {30, QStringLiteral("ルリテハナ"), QColor(24, 148, 57), 18, QPoint(7, 7)},
        {45, QStringLiteral("*ぜむか"), QColor(255, 0, 255), 12, QPoint(13, 13)},
    }};
    return rows;
}

} // namespace

QString versionLine()
{
    return QStringLiteral("by zemka   V%1.%2.%3").arg(TAZUMEKI_VERSION_MAJOR).arg(TAZUMEKI_VERSION_MINOR).arg(TAZUMEKI_VERSION_PATCH);
}

QFont versionLineFont()
{
    // The stand-in font is wider than the one the line was laid out for: it
    // runs a little tighter so the whole line stays inside the window.
    QFont font = windowsFont(kPGothic, 9);
    font.setLetterSpacing(QFont::PercentageSpacing, 90);
    return font;
}

void Main::ShowTitle()
{
    // Printed on cleared pictures: anti-aliased text printed over itself darkens.
    Picture2->Cls();
    Picture2->setForeColor(Qt::white);
    Picture2->setPrintFont(windowsFont(kPGothic, 9));
    Picture2->setCurrentPos(QPoint(0, 5));
    Picture2->Print(QStringLiteral("ルリテハナ練習用"));
    Picture2->setCurrentPos(QPoint(0, 20));
    Picture2->setPrintFont(versionLineFont());
    Picture2->Print(versionLine());
    Picture2->Refresh();

    Picture14->Cls();
    Picture14->setForeColor(Qt::white);
    Picture14->setPrintFont(windowsFont(kPGothic, 9, true));
    Picture14->setCurrentPos(QPoint(0, 5));
    Picture14->Print(QStringLiteral("Ｅｎｔｅｒ：スタート Ｅｓｃ：中断"));
    Picture14->Refresh();

    Label1->setText(titleLine());
    Label2->clear();
    for (QLabel* line : Label3) {
        line->clear();
    }
    Label4->clear();
    Label4->setAccessibleDescription(QString());
    PaceLabel->clear();
    PaceLabel->setAccessibleDescription(QString());
    Label5->clear();
    Label6->setText(Label5->text());

    ClearBoard();

    Frame1->setEnabled(true);
    Frame2->setEnabled(true);
    Frame3->setEnabled(true);

    HideWordFrame(Picture8);
    describeQuestion();
    describeBoard();
}

void Main::Timer2_Timer()
{
    const int step = TitleStep;
    if (step < 1 || step > 8) {
        Timer2->setInterval(0);
        return;
    }
    const int k = (step - 1) / 2;
    const TitleRow& row = titleRows()[static_cast<std::size_t>(k)];
    const int cells = static_cast<int>(row.glyphs.size());
    if (step % 2 == 1) {
        ShowWordFrame(Picture8, 1, cells, row.firstCell);
    } else {
        const QFont font = windowsFont(kPopStyle, row.points);
        for (int i = 0; i < cells; ++i) {
            const bool by = row.glyphs[i] == u'*';
            Picture10.Cls();
            Picture10.setCurrentPos(row.textPos);
            Picture10.setForeColor(by ? QColor(0, 0, 0) : row.color);
            Picture10.setPrintFont(font);
            Picture10.Print(by ? QStringLiteral("by") : QString(row.glyphs[i]));
            drawTile(*Picture4, Picture10.image(), row.firstCell + i);
            Picture4->Refresh();
            HideWordFrame(Picture8);
            StartExplosion(PuzzleSet::kTitlePattern, k, Taker::Player);
        }
    }
    if (step == 8) {
        Timer2->setInterval(0);
        m_session->releaseTitle();
    }
    ++TitleStep;
}
