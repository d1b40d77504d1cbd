#include "history/game_log.h"

#include "game/game_session.h"
#include "platform/clock.h"
#include "puzzle/puzzle_set.h"

#include <Qt>

bool countsAsKeystroke(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
        return false;
    default:
        return true;
    }
}

void GameLog::begin(const Start& start)
{
    m_game = PlayedGame();
    m_game.mode = start.mode;
    m_game.pattern = start.pattern;
    m_game.rank = start.mode == GameMode::Battle ? start.rank : std::nullopt;
    m_game.racedGame = start.mode == GameMode::Race ? start.racedGame : std::nullopt;
    m_game.setId = start.setId;
    m_game.playedAt = start.playedAt;
    m_startMs = start.startMs;
    m_currentSince = start.startMs;
    m_wordOpen = false;
    m_timedOut = false;
    m_active = true;
    m_keys.take(); // keys of the title screen are no game's
}

WordPlay* GameLog::current()
{
    return m_active && m_wordOpen && !m_game.words.empty() ? &m_game.words.back() : nullptr;
}

void GameLog::closeCurrent(qint64 atMs)
{
    if (WordPlay* word = current()) {
        // A clock never runs backwards here; should one, the split is 0, not negative.
        word->ms = qMax<qint64>(0, atMs - m_currentSince);
        word->strokes = m_keys.take();
        for (KeyStroke& stroke : word->strokes) {
            stroke.ms = qBound<qint64>(0, stroke.ms - m_currentSince, word->ms);
            word->inputMethod = word->inputMethod || stroke.commit;
        }
        m_wordOpen = false;
    }
}

void GameLog::wordBecameCurrent(int slot, const QString& answer, qint64 atMs, bool questionShown)
{
    if (!m_active) {
        return;
    }
    closeCurrent(atMs);
    m_keys.take(); // none belong to the new word yet
    WordPlay word;
    word.slot = slot;
    word.answer = answer;
    word.questionShown = questionShown;
    m_game.words.push_back(word);
    m_currentSince = atMs;
    m_wordOpen = true;
}

void GameLog::keyPressed(int qtKey)
{
    if (WordPlay* word = current(); word && countsAsKeystroke(qtKey)) {
        ++word->keys;
    }
}

void GameLog::wrongEnter()
{
    if (WordPlay* word = current()) {
        ++word->wrongEnters;
        m_keys.rejectAttempt();
    }
}

void GameLog::questionShown()
{
    if (WordPlay* word = current()) {
        word->questionShown = true;
    }
}

void GameLog::answerShown()
{
    if (WordPlay* word = current()) {
        word->answerShown = true;
    }
}

void GameLog::wordTaken(Taker by)
{
    if (WordPlay* word = current()) {
        word->taker = by;
    }
}

void GameLog::timeRanOut()
{
    m_timedOut = m_active;
}

PlayedGame GameLog::finish(bool completed, qint64 endMs, bool questions, bool answerShown, int playerLetters,
                           int cpuLetters)
{
    closeCurrent(endMs);
    m_game.outcome = completed ? Outcome::Completed : m_timedOut ? Outcome::TimedOut : Outcome::Aborted;
    m_game.timeMs = qMax<qint64>(0, endMs - m_startMs);
    m_game.questions = questions;
    m_game.answerShown = answerShown;
    m_game.playerLetters = playerLetters;
    m_game.cpuLetters = cpuLetters;
    m_active = false;
    m_wordOpen = false;
    PlayedGame game = std::move(m_game);
    m_game = PlayedGame();
    return game;
}

void GameLog::follow(const GameSession& session, const Clock& clock)
{
    const GameSession* s = &session;
    QObject::connect(s, &GameSession::answeringStarted, s, [this, s, &clock] {
        const GameState& state = s->state();
        Start start;
        start.mode = state.mode;
        start.pattern = state.PatternIndex;
        start.rank = state.rank;
        start.racedGame = m_raced;
        start.setId = m_setId;
        start.playedAt = clock.localNow();
        start.startMs = static_cast<qint64>(state.GameStartTime);
        begin(start);
    });
    QObject::connect(s, &GameSession::wordBecameCurrent, s, [this, s](int slot, qint64 atMs) {
        wordBecameCurrent(slot, s->puzzles().WordAnswer[s->state().PatternIndex][slot], atMs, s->state().questionsOn);
    });
    QObject::connect(s, &GameSession::keyTyped, s, [this](int key) { keyPressed(key); });
    QObject::connect(s, &GameSession::wrongAnswer, s, [this] { wrongEnter(); });
    QObject::connect(s, &GameSession::questionPeeked, s, [this] { questionShown(); });
    QObject::connect(s, &GameSession::answerPeeked, s, [this] { answerShown(); });
    QObject::connect(s, &GameSession::wordTaken, s, [this](Taker by) { wordTaken(by); });
    QObject::connect(s, &GameSession::clockChanged, s, [this](double, bool atLimit) {
        if (atLimit) {
            timeRanOut();
        }
    });
    QObject::connect(s, &GameSession::gameEnded, s, [this, s](const GameResult& result) {
        if (!m_active) {
            return; // no game reached answering: the countdown, the title
        }
        m_finished = finish(result.completed(), static_cast<qint64>(s->state().GameEndTime), result.questionShown,
                            result.answerShown, result.playerLetters, result.cpuLetters);
    });
}
