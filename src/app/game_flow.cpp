// One game on the screen: keys and ticks go to the game session, and what it
// reports is drawn: the countdown, the clock, the current word, taken words.

#include "app/main_form.h"
#include "app/module1.h"
#include "game/rank_cpu.h"
#include "platform/number_format.h"
#include "platform/timer.h"
#include "view/board.h"
#include "view/image_button.h"
#include "view/labels.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include <algorithm>

void Main::watchSession()
{
    // The history's log first: the game it logs is ready when the window judges it.
    m_gameLog.follow(*m_session, m_services.clock);
    Text1->setKeyLog(&m_gameLog.keys(), &m_services.clock);
    connect(m_session.get(), &GameSession::countdownChanged, this, [this](const QString& digit) {
        Label5->setText(digit);
        Label6->setText(Label5->text());
    });
    connect(m_session.get(), &GameSession::answeringStarted, this, &Main::answeringStarted);
    connect(m_session.get(), &GameSession::wordBecameCurrent, this, &Main::wordBecameCurrent);
    connect(m_session.get(), &GameSession::wrongAnswer, this, &Main::wrongAnswer);
    connect(m_session.get(), &GameSession::wordTaken, this,
            [this](Taker by, int slot, qint64 atMs, bool last) { wordTaken(by, slot, atMs, last); });
    connect(m_session.get(), &GameSession::clockChanged, this, [this](double seconds, bool atLimit) {
        Label4->setText(formatNumber(seconds, atLimit ? 0 : 1));
        Label4->setAccessibleDescription(Label4->text() + QStringLiteral(" 秒"));
    });
    connect(m_session.get(), &GameSession::gameEnded, this, &Main::gameEnded);
}

void Main::Form_KeyDown(int keyCode)
{
    if (m_session->titleHeld()) {
        return; // nothing starts or stops while the title is being written
    }
    if (game().PlayState == PlayState::Idle) {
        if (keyCode == vbKeyReturn) {
            StartGame();
            showStartButton(game().PlayState != PlayState::Idle);
        }
    } else if (keyCode == vbKeyEscape) {
        EndGame();
        showStartButton(false);
    }
}

void Main::StartGame()
{
    GameSession::Setup setup;
    setup.mode = singlePractice() ? GameMode::Single : racing() ? GameMode::Race : GameMode::Battle;
    if (Option1->isChecked()) {
        setup.candidates = playablePatterns(m_module.puzzles);
    } else {
        setup.pattern = qBound(0, Combo1->currentIndex(), PuzzleSet::kPlayablePatterns - 1);
    }
    setup.questionsOn = Option3->isChecked();
    if (setup.mode == GameMode::Race && !prepareRace(setup)) {
        return; // the line says why
    }
    if (setup.mode == GameMode::Battle) {
        setup.rank = qBound(0, Combo2->currentIndex(), RankTable::kRanks - 1);
        auto cpu = std::make_shared<RankCpu>(m_module.ranks, *setup.rank, m_module.puzzles, m_services.clock,
                                             m_services.random);
        setup.opponent = [cpu](int) { return cpu; };
    }
    QWidget* focused = focusWidget();
    switch (m_session->StartGame(std::move(setup))) {
    case GameSession::Start::Started:
        m_focusBeforeGame = focused;
        Picture5->setAccessibleName(QStringLiteral("中断"));
        break;
    case GameSession::Start::NotPlayable:
        Label1->setText(QStringLiteral("このパターンには遊べる問題がありません"));
        return;
    case GameSession::Start::NothingToPlay:
        if (!m_session->titleHeld()) {
            Label1->setText(QStringLiteral("遊べるパターンがありません"));
        }
        return;
    }

    Frame1->setEnabled(false);
    Frame2->setEnabled(false);
    Frame3->setEnabled(false);
    const int pattern = game().PatternIndex;
    Label1->setText(QStringLiteral("№：") + formatTwoDigits(pattern) + QStringLiteral(" パターン名：") +
                    m_module.puzzles.PatternName[pattern]);

    ClearBoard();
    Picture4->Refresh();
    for (int word = 0; word <= m_module.puzzles.lastSlot(pattern); ++word) {
        DrawWordBlank(pattern, word);
    }

    Text1->empty();
    Text1->setEnabled(false);
    Label2->clear();
}

void Main::Timer4_Timer()
{
    m_session->Timer4_Timer();
}

void Main::Timer1_Timer()
{
    const bool wasPlaying = m_session->answering();
    m_session->Timer1_Timer();
    if (wasPlaying && game().PlayState == PlayState::Idle && game().CompletedFlag) {
        showStartButton(false); // the opponent took the last word
    }
}

void Main::EndGame()
{
    m_session->EndGame();
}

void Main::answeringStarted()
{
    Text1->setEnabled(true);
    Text1->setFocus();
}

void Main::wordBecameCurrent()
{
    FrameCurrentWord();
    Label2->clear();
    RefreshQuestion();
    prepareAnswerBox();
    describeBoard();
}

void Main::prepareAnswerBox()
{
    const QString answer = m_session->currentAnswer();
    // Romaji becomes kana unless the answer itself is spelled in letters.
    const bool letters = std::any_of(answer.begin(), answer.end(), [](QChar c) { return c.unicode() < 0x80 && c.isLetter(); });
    // Space types the answer's own space when it has one, else switches the kana kind.
    const QChar space = answer.contains(QChar(0x3000)) ? QChar(0x3000) : answer.contains(u' ') ? QChar(u' ') : QChar();
    Text1->setConversion(!letters, space);
}

namespace {

QString kindMark(KanaKind kind)
{
    switch (kind) {
    case KanaKind::Hiragana:
        return QStringLiteral("あ");
    case KanaKind::Katakana:
        return QStringLiteral("ア");
    case KanaKind::HalfKatakana:
        return QStringLiteral("ｱ");
    case KanaKind::Latin:
        break;
    }
    return QStringLiteral("A");
}

QString kindName(KanaKind kind)
{
    switch (kind) {
    case KanaKind::Hiragana:
        return QStringLiteral("ひらがな");
    case KanaKind::Katakana:
        return QStringLiteral("カタカナ");
    case KanaKind::HalfKatakana:
        return QStringLiteral("半角カタカナ");
    case KanaKind::Latin:
        break;
    }
    return QStringLiteral("英字");
}

} // namespace

void Main::showKanaIndicator()
{
    if (m_markFlash.isActive()) {
        return; // the wanted script shows a moment longer
    }
    KanaIndicator->setAutoFillBackground(false);
    setTextColor(KanaIndicator, QColor(198, 255, 0));
    const KanaKind kind = Text1->conversion() ? Text1->kind() : KanaKind::Latin;
    KanaIndicator->setText(m_session->answering() ? kindMark(kind) : QString());
    KanaIndicator->setAccessibleDescription(m_session->answering() ? kindName(kind) : QString());
}

void Main::wrongAnswer(const QString& typed)
{
    // A miss is seen at once and costs no time: the box empties, its frame flashes.
    Text1->empty();
    Text1->flashMiss();
    if (const auto wanted = otherScriptOf(typed, m_session->currentAnswer())) {
        // The right word in the wrong script: the mark shows the script wanted.
        KanaIndicator->setText(kindMark(*wanted));
        KanaIndicator->setAccessibleDescription(QStringLiteral("答えは%1").arg(kindName(*wanted)));
        KanaIndicator->setAutoFillBackground(true);
        setTextColor(KanaIndicator, Qt::white);
        m_markFlash.start();
    }
}

void Main::FrameCurrentWord()
{
    const int pattern = game().PatternIndex;
    const int word = game().WordIndex;
    const int length = static_cast<int>(boardCells(m_module.puzzles, pattern, word).size());
    const int start = m_module.puzzles.WordCell[pattern][word];
    if (length == 0) {
        HideWordFrame(Picture8); // nothing on the board to frame
        return;
    }
    if (isDown(m_module.puzzles.WordDirection[pattern][word])) {
        ShowWordFrame(Picture8, length, 1, start);
    } else {
        ShowWordFrame(Picture8, 1, length, start);
    }
}

void Main::Text1_KeyDown(int keyCode)
{
    const bool wasPlaying = m_session->answering();
    m_session->Text1_KeyDown(keyCode, Text1->text());
    if (wasPlaying && game().PlayState == PlayState::Idle) {
        showStartButton(false);
    }
}

void Main::wordTaken(Taker by, int slot, qint64 atMs, bool last)
{
    const int pattern = game().PatternIndex;
    showPace(slot, atMs);
    Text1->empty(); // when the CPU takes the word, whatever the player had typed goes
    HideWordFrame(Picture8);
    finishExplosion();
    DrawWordLetters(pattern, slot, by == Taker::Cpu ? Picture13 : Picture10);
    if (!last) {
        StartExplosion(pattern, slot, by);
    }
}

void Main::gameEnded(const GameResult& result)
{
    Text1->dropPending();
    Text1->setConversion(false);
    Text1->setEnabled(true); // after Esc in the countdown too: one title screen
    const std::optional<PlayedGame> played = keepGameInHistory();
    m_history.reset(); // read again, with this game, when next needed
    if (result.completed()) {
        showResult(result, played ? &*played : nullptr);
    }
    ShowTitle();
    Picture4->Refresh();
    showStartButton(false); // however the game ended
    Picture5->setAccessibleName(QStringLiteral("スタート"));
    // The player goes on from where the game was started.
    if (m_focusBeforeGame && m_focusBeforeGame->isEnabled() && m_focusBeforeGame->isVisibleTo(this)) {
        m_focusBeforeGame->setFocus(Qt::OtherFocusReason);
    }
    m_focusBeforeGame.clear();
}
