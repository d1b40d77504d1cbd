#pragma once

#include "game/game_types.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Clock;
class Opponent;
class Random;
class Timer;
struct PuzzleSet;

// The state of a game, by the names the screens' handlers use.
struct GameState {
    ::PlayState PlayState = ::PlayState::Idle;
    GameMode mode = GameMode::Single;
    std::optional<int> rank; // battles only
    bool questionsOn = true; // questions shown by themselves, as chosen before the game
    qint16 PatternIndex = 0;
    qint16 WordIndex = 0;
    double GameStartTime = 0; // the clock when the countdown started, then when answering did
    double GameEndTime = 0;
    double CpuWordStartTime = 0;
    double CpuWordTime = 0; // seconds
    bool QuestionShownFlag = false;
    bool AnswerShownFlag = false;
    bool CompletedFlag = false;
    qint16 PlayerLetters = 0;
    qint16 CpuLetters = 0;
    Taker LastTaker = Taker::Nobody; // who took the word that just burst
};

// One game from Enter on the title to its end, without widgets: the
// countdown, the current word, the exact answer check, the taking of words by
// the player or the opponent, the time limit, and the outcome. Time comes from
// the clock, ticks from the two timers it is given (it only starts and stops
// them; their owner forwards each tick). It reports what the window must show.
class GameSession final : public QObject {
    Q_OBJECT
public:
    static constexpr double kCountdownSeconds = 3;
    static constexpr double kTimeLimitSeconds = 180;
    static constexpr int kTickMs = 100;

    struct Setup {
        GameMode mode = GameMode::Single;
        std::optional<int> pattern; // none: drawn from `candidates`
        std::vector<int> candidates;
        bool questionsOn = true;
        std::optional<int> rank;
        // Battles and races: who races the player on the pattern chosen.
        std::function<std::shared_ptr<Opponent>(int pattern)> opponent;
    };
    // NothingToPlay: a game runs, the title is being written, or no pattern
    // among the candidates has words to play.
    enum class Start { Started, NothingToPlay, NotPlayable };

    GameSession(const PuzzleSet& puzzles, const Clock& clock, Random& random, Timer& countdownTimer, Timer& clockTimer,
                QObject* parent = nullptr);
    ~GameSession() override;

    const GameState& state() const { return m_state; }
    const PuzzleSet& puzzles() const { return m_puzzles; }
    bool playing() const { return m_state.PlayState != PlayState::Idle && !m_titleHeld; }
    bool answering() const { return m_state.PlayState == PlayState::Answering && !m_titleHeld; }
    QString currentAnswer() const;
    QString currentQuestion() const;

    // While the title writes itself no game starts or stops: the state reads
    // as answering, with no word to answer.
    void holdForTitle();
    void releaseTitle();
    bool titleHeld() const { return m_titleHeld; }

    Start StartGame(Setup setup);
    // The countdown's tick; at three seconds answering begins.
    void Timer4_Timer();
    // The clock's tick: the time limit and the opponent's moment.
    void Timer1_Timer();
    // A key in the answer box; Enter answers with `text`.
    void Text1_KeyDown(int keyCode, const QString& text);
    // The question or the answer of the current word was asked for; false
    // when no word is being answered.
    bool Command3_Click();
    bool Command2_Click();
    // Esc or the quit button: the game ends without a result.
    void EndGame();

signals:
    // "3", "2", "1" during the countdown; empty once it is over.
    void countdownChanged(const QString& digit);
    void answeringStarted();
    void wordBecameCurrent(int slot, qint64 atMs);
    void keyTyped(int keyCode);
    void wrongAnswer(const QString& typed);
    // `last`: the pattern's last word; the game ends right after.
    void wordTaken(Taker by, int slot, qint64 atMs, bool last);
    // Seconds since answering began; at the limit the game ends right after.
    void clockChanged(double seconds, bool atLimit);
    void questionPeeked();
    void answerPeeked();
    void gameEnded(const GameResult& result);

private:
    double now() const;
    void BeginAnswering();
    void takeCurrentWord(Taker by);
    void planOpponentWord();
    void finish(Outcome outcome);

    const PuzzleSet& m_puzzles;
    const Clock& m_clock;
    Random& m_random;
    Timer& Timer4; // countdown
    Timer& Timer1; // clock
    GameState m_state;
    std::shared_ptr<Opponent> m_opponent;
    bool m_titleHeld = false;
};
