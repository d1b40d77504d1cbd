// One game from Enter to its end: countdown, clock, answers, taking words.

#include "app/formats.h"
#include "app/main_form.h"
#include "app/module1.h"
#include "platform/clock.h"
#include "platform/random.h"
#include "platform/timer.h"
#include "view/board.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include <algorithm>

namespace {
constexpr double kCountdownSeconds = 3;
constexpr double kTimeLimitSeconds = 180;
} // namespace

void Main::Form_KeyDown(int keyCode)
{
    if (!m_titleDone) {
        return; // nothing starts or stops while the title is being written
    }
    if (PlayState.isEmpty()) {
        if (keyCode == vbKeyReturn) {
            StartGame();
            showStartButton(true);
        }
    } else if (keyCode == vbKeyEscape) {
        EndGame();
        showStartButton(false);
    }
}

void Main::StartGame()
{
    Frame1->setEnabled(false);
    Frame2->setEnabled(false);
    Frame3->setEnabled(false);

    PlayState = QStringLiteral("1");
    CompletedFlag.clear();
    QuestionShownFlag = Option3->isChecked() ? QStringLiteral("1") : QString();
    AnswerShownFlag.clear();

    if (Option1->isChecked()) {
        const int drawn = static_cast<int>(m_services.random.next() * PuzzleSet::kPlayablePatterns);
        PatternIndex = static_cast<qint16>(qBound(0, drawn, PuzzleSet::kPlayablePatterns - 1));
    } else {
        PatternIndex = static_cast<qint16>(qBound(0, Combo1->currentIndex(), PuzzleSet::kPlayablePatterns - 1));
    }
    Label1->setText(QStringLiteral("№：") + formatTwoDigits(PatternIndex) + QStringLiteral(" パターン名：") +
                    m_module.puzzles.PatternName[PatternIndex]);

    ClearBoard();
    Picture4->Refresh();
    for (WordIndex = 0; WordIndex <= m_module.puzzles.lastSlot(PatternIndex); ++WordIndex) {
        DrawWordBlank(PatternIndex, WordIndex);
    }

    Text1->empty();
    Text1->setEnabled(false);
    Label2->clear();

    GameStartTime = now();
    Timer4->setInterval(100);
}

void Main::Timer4_Timer()
{
    const double e = (now() - GameStartTime) / 1000;
    if (e >= kCountdownSeconds) {
        Label5->clear();
        Label6->setText(Label5->text());
        Timer4->setInterval(0);
        BeginAnswering();
    } else if (PlayState == QLatin1String("1")) {
        Label5->setText(formatNumber(3.5 - e, 0));
        Label6->setText(Label5->text());
    }
}

void Main::BeginAnswering()
{
    PlayState = QStringLiteral("2");
    WordIndex = 0;
    FrameCurrentWord();
    RefreshQuestion();
    GameStartTime = now();
    beginGameLog();
    Timer1->setInterval(100);
    if (!singlePractice()) {
        CpuLetters = 0;
        PlayerLetters = 0;
        CpuWordStartTime = now();
        PlanCpuWord();
    }
    prepareAnswerBox();
    Text1->setEnabled(true);
    Text1->setFocus();
}

void Main::prepareAnswerBox()
{
    const QString& answer = m_module.puzzles.WordAnswer[PatternIndex][WordIndex];
    // Romaji becomes kana unless the answer itself is spelled in letters.
    const bool letters = std::any_of(answer.begin(), answer.end(), [](QChar c) { return c.unicode() < 0x80 && c.isLetter(); });
    // Space types the answer's own space when it has one, else switches the kana kind.
    const QChar space = answer.contains(QChar(0x3000)) ? QChar(0x3000) : answer.contains(u' ') ? QChar(u' ') : QChar();
    Text1->setConversion(!letters, space);
}

void Main::showKanaIndicator()
{
    QString mark;
    if (PlayState == QLatin1String("2") && m_titleDone) {
        switch (Text1->conversion() ? Text1->kind() : KanaKind::Latin) {
        case KanaKind::Hiragana:
            mark = QStringLiteral("あ");
            break;
        case KanaKind::Katakana:
            mark = QStringLiteral("ア");
            break;
        case KanaKind::HalfKatakana:
            mark = QStringLiteral("ｱ");
            break;
        case KanaKind::Latin:
            mark = QStringLiteral("A");
            break;
        }
    }
    KanaIndicator->setText(mark);
}

void Main::FrameCurrentWord()
{
    const int length = static_cast<int>(boardCells(m_module.puzzles, PatternIndex, WordIndex).size());
    const int start = m_module.puzzles.WordCell[PatternIndex][WordIndex];
    if (length == 0) {
        HideWordFrame(Picture8); // nothing on the board to frame
        return;
    }
    if (isDown(m_module.puzzles.WordDirection[PatternIndex][WordIndex])) {
        ShowWordFrame(Picture8, length, 1, start);
    } else {
        ShowWordFrame(Picture8, 1, length, start);
    }
}

void Main::Text1_KeyDown(int keyCode)
{
    if (PlayState != QLatin1String("2") || !m_titleDone) {
        return;
    }
    m_gameLog.keyPressed(keyCode);
    if (keyCode != vbKeyReturn) {
        return;
    }
    // Exact comparison: kana kind, width, case and spaces all count.
    if (Text1->text() != m_module.puzzles.WordAnswer[PatternIndex][WordIndex]) {
        m_gameLog.wrongEnter();
        Text1->empty();
        return;
    }
    takeCurrentWord(false);
    if (PlayState.isEmpty()) {
        showStartButton(false);
    }
}

void Main::Timer1_Timer()
{
    if (PlayState != QLatin1String("2")) {
        return;
    }
    const double e = (now() - GameStartTime) / 1000;
    if (e >= kTimeLimitSeconds) {
        Label4->setText(formatNumber(kTimeLimitSeconds, 0));
        m_gameLog.timeRanOut();
        EndGame();
        return;
    }
    Label4->setText(formatNumber(e, 1));
    if (!singlePractice()) {
        const double c = (now() - CpuWordStartTime) / 1000;
        if (c >= CpuWordTime) {
            takeCurrentWord(true);
            if (PlayState.isEmpty()) {
                showStartButton(false);
            }
        }
    }
}

void Main::takeCurrentWord(bool byCpu)
{
    const int length = static_cast<int>(m_module.puzzles.WordAnswer[PatternIndex][WordIndex].size());
    const auto takenAt = static_cast<qint64>(now());
    m_gameLog.wordTaken(byCpu ? Taker::Cpu : Taker::Player);
    Text1->empty();
    if (byCpu) {
        CpuLetters = static_cast<qint16>(qMin(32767, CpuLetters + length));
    } else if (!singlePractice()) {
        PlayerLetters = static_cast<qint16>(qMin(32767, PlayerLetters + length));
    }
    HideWordFrame(Picture8);
    finishExplosion();
    DrawWordLetters(PatternIndex, WordIndex, byCpu ? Picture13 : Picture10);

    if (WordIndex >= m_module.puzzles.lastSlot(PatternIndex)) {
        CompletedFlag = QStringLiteral("1");
        EndGame();
        return;
    }

    LastTaker = byCpu ? 0 : -1;
    StartExplosion();

    ++WordIndex;
    logCurrentWord(takenAt); // the next word's split starts where this one's ended
    FrameCurrentWord();
    Label2->clear();
    RefreshQuestion();
    prepareAnswerBox();

    if (!singlePractice()) {
        // The CPU starts every word afresh.
        CpuWordStartTime = now();
        PlanCpuWord();
    }
}

void Main::EndGame()
{
    GameEndTime = now();
    PlayState.clear();
    Timer1->setInterval(0);
    Timer4->setInterval(0);
    Text1->setConversion(false);
    Text1->setEnabled(true); // after Esc in the countdown too: one title screen
    keepGameInHistory();

    if (!CompletedFlag.isEmpty()) {
        showResult();
    }

    ShowTitle();
    Picture4->Refresh();
}
