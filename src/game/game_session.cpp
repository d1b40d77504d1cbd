#include "game/game_session.h"

#include "game/opponent.h"
#include "platform/clock.h"
#include "platform/key_codes.h"
#include "platform/number_format.h"
#include "platform/random.h"
#include "platform/timer.h"
#include "puzzle/puzzle_set.h"

GameSession::GameSession(const PuzzleSet& puzzles, const Clock& clock, Random& random, Timer& countdownTimer,
                         Timer& clockTimer, QObject* parent)
    : QObject(parent), m_puzzles(puzzles), m_clock(clock), m_random(random), Timer4(countdownTimer), Timer1(clockTimer)
{
}

GameSession::~GameSession() = default;

double GameSession::now() const
{
    return static_cast<double>(m_clock.nowMs());
}

QString GameSession::currentAnswer() const
{
    return m_puzzles.WordAnswer[m_state.PatternIndex][m_state.WordIndex];
}

QString GameSession::currentQuestion() const
{
    return m_puzzles.WordQuestion[m_state.PatternIndex][m_state.WordIndex];
}

void GameSession::holdForTitle()
{
    m_titleHeld = true;
    m_state.PlayState = PlayState::Answering;
}

void GameSession::releaseTitle()
{
    m_titleHeld = false;
    m_state.PlayState = PlayState::Idle;
}

GameSession::Start GameSession::StartGame(Setup setup)
{
    if (m_state.PlayState != PlayState::Idle || m_titleHeld) {
        return Start::NothingToPlay;
    }
    int pattern = 0;
    if (setup.pattern) {
        pattern = *setup.pattern;
        if (!isPlayable(m_puzzles, pattern)) {
            return Start::NotPlayable;
        }
    } else {
        std::erase_if(setup.candidates, [this](int p) { return !isPlayable(m_puzzles, p); });
        if (setup.candidates.empty()) {
            return Start::NothingToPlay;
        }
        const int count = static_cast<int>(setup.candidates.size());
        const int drawn = qBound(0, static_cast<int>(m_random.next() * count), count - 1);
        pattern = setup.candidates[static_cast<std::size_t>(drawn)];
    }
    m_state.PatternIndex = static_cast<qint16>(qBound(0, pattern, PuzzleSet::kPlayablePatterns - 1));
    m_state.PlayState = PlayState::Countdown;
    m_state.mode = setup.mode;
    m_state.rank = setup.mode == GameMode::Battle ? setup.rank : std::nullopt;
    m_state.questionsOn = setup.questionsOn;
    m_state.CompletedFlag = false;
    m_state.QuestionShownFlag = setup.questionsOn;
    m_state.AnswerShownFlag = false;
    m_opponent = setup.mode != GameMode::Single && setup.opponent ? setup.opponent(m_state.PatternIndex) : nullptr;
    m_state.GameStartTime = now();
    Timer4.setInterval(kTickMs);
    return Start::Started;
}

void GameSession::Timer4_Timer()
{
    const double e = (now() - m_state.GameStartTime) / 1000;
    if (e >= kCountdownSeconds) {
        Timer4.setInterval(0);
        emit countdownChanged(QString());
        BeginAnswering();
    } else if (m_state.PlayState == PlayState::Countdown) {
        emit countdownChanged(formatNumber(3.5 - e, 0));
    }
}

void GameSession::BeginAnswering()
{
    m_state.PlayState = PlayState::Answering;
    m_state.WordIndex = 0;
    m_state.GameStartTime = now(); // the countdown does not count
    Timer1.setInterval(kTickMs);
    if (m_opponent) {
        m_state.CpuLetters = 0;
        m_state.PlayerLetters = 0;
        planOpponentWord();
    }
    emit answeringStarted();
    emit wordBecameCurrent(m_state.WordIndex, static_cast<qint64>(m_state.GameStartTime));
}

void GameSession::planOpponentWord()
{
    m_state.CpuWordStartTime = now();
    m_state.CpuWordTime = m_opponent->PlanCpuWord(m_state.PatternIndex, m_state.WordIndex);
}

void GameSession::Timer1_Timer()
{
    if (!answering()) {
        return;
    }
    const double e = (now() - m_state.GameStartTime) / 1000;
    if (e >= kTimeLimitSeconds) {
        emit clockChanged(kTimeLimitSeconds, true);
        finish(Outcome::TimedOut);
        return;
    }
    emit clockChanged(e, false);
    if (m_opponent) {
        const double c = (now() - m_state.CpuWordStartTime) / 1000;
        if (c >= m_state.CpuWordTime) {
            takeCurrentWord(Taker::Cpu);
        }
    }
}

void GameSession::Text1_KeyDown(int keyCode, const QString& text)
{
    if (!answering()) {
        return;
    }
    emit keyTyped(keyCode);
    if (keyCode != vbKeyReturn) {
        return;
    }
    // Exact comparison: kana kind, width, case and spaces all count.
    if (text != currentAnswer()) {
        emit wrongAnswer(text);
        return;
    }
    // Past the best game's moment the word was already gone, tick or no tick.
    if (m_opponent && m_opponent->takesOnTheMoment() && (now() - m_state.CpuWordStartTime) / 1000 >= m_state.CpuWordTime) {
        takeCurrentWord(Taker::Cpu);
        return;
    }
    takeCurrentWord(Taker::Player);
}

void GameSession::takeCurrentWord(Taker by)
{
    const int length = static_cast<int>(currentAnswer().size());
    const auto takenAt = static_cast<qint64>(now());
    if (by == Taker::Cpu) {
        m_state.CpuLetters = static_cast<qint16>(qMin(32767, m_state.CpuLetters + length));
    } else if (m_opponent) {
        m_state.PlayerLetters = static_cast<qint16>(qMin(32767, m_state.PlayerLetters + length));
    }
    const bool last = m_state.WordIndex >= m_puzzles.lastSlot(m_state.PatternIndex);
    if (!last) {
        m_state.LastTaker = by;
    }
    emit wordTaken(by, m_state.WordIndex, takenAt, last);
    if (last) {
        m_state.CompletedFlag = true;
        finish(Outcome::Completed);
        return;
    }
    ++m_state.WordIndex;
    if (m_opponent) {
        planOpponentWord(); // the opponent starts every word afresh
    }
    emit wordBecameCurrent(m_state.WordIndex, takenAt); // its split starts where the last one's ended
}

bool GameSession::Command3_Click()
{
    if (!answering()) {
        return false;
    }
    m_state.QuestionShownFlag = true;
    emit questionPeeked();
    return true;
}

bool GameSession::Command2_Click()
{
    if (!answering()) {
        return false;
    }
    m_state.AnswerShownFlag = true;
    emit answerPeeked();
    return true;
}

void GameSession::EndGame()
{
    if (playing()) {
        finish(Outcome::Aborted);
    }
}

void GameSession::finish(Outcome outcome)
{
    const bool reachedAnswering = m_state.PlayState == PlayState::Answering;
    m_state.GameEndTime = now();
    m_state.PlayState = PlayState::Idle;
    Timer1.setInterval(0);
    Timer4.setInterval(0);
    m_opponent.reset();

    GameResult result;
    result.mode = m_state.mode;
    result.pattern = m_state.PatternIndex;
    result.rank = m_state.rank;
    result.outcome = outcome;
    result.timeMs = static_cast<qint64>(m_state.GameEndTime - m_state.GameStartTime);
    result.questionShown = m_state.QuestionShownFlag;
    result.answerShown = m_state.AnswerShownFlag;
    result.letters = patternLetters(m_puzzles, m_state.PatternIndex);
    if (m_state.mode != GameMode::Single) {
        result.playerLetters = m_state.PlayerLetters;
        result.cpuLetters = m_state.CpuLetters;
    }
    result.reachedAnswering = reachedAnswering;
    emit gameEnded(result);
}
