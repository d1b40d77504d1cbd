#pragma once

#include "app/answer_box.h"
#include "app/game_data.h"
#include "game/game_session.h"
#include "history/game_log.h"
#include "history/history_store_module.h"
#include "platform/game_folders.h"
#include "platform/key_codes.h"
#include "store/counts.h"
#include "view/picture_box.h"
#include "view/trans_surface.h"

#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <vector>

class Clock;
class GsxSeq;
class HistoryStore;
class HistoryViewer;
class ImageButton;
class Notifier;
class Random;
class Sound;
class Timer;
class TimerSource;
class WindowKeys;
class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QRadioButton;
struct Module1;
struct RecordDecision;
struct RecordLoad;

// The title's version line and the font it is printed in.
QString versionLine();
QFont versionLineFont();

// The main screen: the play field, the option frames and the buttons. It
// draws what its game session reports and hands the session the player's
// keys and the clock's ticks.
class Main : public QWidget {
    Q_OBJECT
public:
    struct Services {
        Clock& clock;
        Random& random;
        Sound& sound;
        GsxSeq& seq;
        Notifier& notifier;
        // Where played games are kept; null: history.db, opened when first needed
        // by historyOpener or, without one, by the history store module.
        HistoryStore* history = nullptr;
        // Shows the history windows; null: the module beside the executable.
        HistoryViewer* historyViewer = nullptr;
        HistoryStoreOpener* historyOpener = nullptr;
        // Where the four timers come from; null: Qt's.
        TimerSource* timers = nullptr;
    };

    // loading: the game's data being read elsewhere (loadGameData); without
    // it the screen reads the data itself.
    Main(Module1& module, Services services, const GameFolders& folders, std::future<GameDataLoad> loading = {},
         QWidget* parent = nullptr);
    ~Main() override;

    // Controls, named as on the screen.
    PictureBox* Picture4 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option4 = nullptr;
    QRadioButton* Option5 = nullptr;
    QRadioButton* Option6 = nullptr;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    ImageButton* Picture5 = nullptr; // start / quit
    ImageButton* Picture6 = nullptr; // records
    ImageButton* Picture7 = nullptr; // close
    AnswerBox* Text1 = nullptr;
    QLabel* KanaIndicator = nullptr; // あ, ア or A beside the answer box
    QLabel* PaceLabel = nullptr;     // in a race: seconds behind (+) or ahead (−) of the best
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    PictureBox* Picture12 = nullptr;
    QLabel* Label2 = nullptr;
    std::array<QLabel*, 3> Label3{};
    PictureBox* Picture3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    PictureBox* Picture2 = nullptr;
    PictureBox* Picture14 = nullptr;
    std::array<QWidget*, 4> Picture8{};
    Timer* Timer1 = nullptr; // the clock, driven by the session
    Timer* Timer2 = nullptr; // the title animation
    Timer* Timer3 = nullptr; // the burst
    Timer* Timer4 = nullptr; // the countdown, driven by the session

    // Hidden pictures: the tiles and the explosion strip.
    PictureImage Picture9{QSize(39, 39), QColor(0, 56, 128)};   // empty cell
    PictureImage Picture11{QSize(39, 40), QColor(150, 210, 255)}; // blank word cell
    PictureImage Picture10{QSize(39, 39), QColor(255, 226, 60)}; // player's letters, title glyphs
    PictureImage Picture13{QSize(39, 39), QColor(255, 150, 196)}; // CPU's letters
    PictureImage Picture1{QSize(800, 80), Qt::black};            // explosion frames

    // State of the drawing: the title's step and the running burst.
    qint16 TitleStep = 0;
    qint16 ExplosionFrame = 0;
    qint16 ExplosionPattern = 0;
    qint16 ExplosionWord = 0;

    // The game in progress and its state.
    GameSession& session() { return *m_session; }
    const GameState& game() const { return m_session->state(); }

    // Option handlers.
    void Option1_Click();
    void Option2_Click();
    void Option5_Click();
    void Option6_Click();

    // Game flow: keys and ticks go to the session.
    void Form_KeyDown(int keyCode);
    void Text1_KeyDown(int keyCode);
    void StartGame();
    void Timer4_Timer();
    void Timer1_Timer();
    void EndGame();

    // Image buttons.
    void Form_MouseMove();
    void Picture5_MouseDown();
    void Picture5_MouseMove();
    void Picture5_MouseUp();
    void Picture6_MouseUp();
    void Picture7_MouseUp();
    // The record screen of the mode chosen: 記録, Alt+R or F2.
    void showRecords();

    // Questions.
    void RefreshQuestion();
    void ShowQuestion();
    void Command2_Click();
    void Command3_Click();

    // Title and explosion.
    void ShowTitle();
    void Timer2_Timer();
    // Bursts the cells of a word; the sound says who took it.
    void StartExplosion(int pattern, int word, Taker taker);
    void Timer3_Timer();

    // The board.
    void ClearBoard();
    void DrawWordBlank(int pattern, int word);
    void DrawWordLetters(int pattern, int word, PictureImage& tile);
    void FrameCurrentWord();

    // The play history, opened on first use.
    HistoryStore& historyStore();
    // The history window of a pattern, owned by the record screen it was asked from.
    void showHistory(QWidget* owner, int pattern, bool battle);

    bool titleAnimationDone() const { return !m_session->titleHeld(); }

    // Where the records are, when the player should hear of it: records
    // copied along from a portable folder that cannot be written, older
    // records left there, a lock file that is not a plain file.
    void tellAboutRecordsFolder(const QStringList& copied, bool bothHoldRecords, const QString& lockProblem);
    // The records screens' line on where the records are.
    QString recordsPlaceText() const;
    bool singlePractice() const;
    // CPU対戦 against 自己ベスト, the entry after the nine ranks.
    bool racing() const;
    // The play history of the set in play, read once and again after each game.
    const HistoryLoad& history();

    // Plays a set of the player's own from now on, when no game runs and the
    // player agrees; a set that cannot be played is refused, saying why.
    bool openSet(const QString& file);
    // The set in play: empty for the shipped one.
    QString setId() const;
    // What the title screen shows where a pattern's name goes: the own set's name.
    QString titleLine() const;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createControls();
    void Form_Load();
    // The puzzles and records just read: the lists, the title and what to warn about.
    void useGameData(const GameDataLoad& data);
    void warnAboutShippedPuzzles(const UnpackResult& puzzles);
    // The keyboard and screen readers: shortcuts, the focus order, names.
    bool previewKey(QKeyEvent* event);
    void orderFocus();
    void nameControls();
    // The board's description: the current word and the letters taken.
    void describeBoard();
    // The question box's: the question shown and the answer when asked for.
    void describeQuestion();
    void watchSession();
    // What the session reports.
    void answeringStarted();
    void wordBecameCurrent();
    void wordTaken(Taker by, int slot, qint64 atMs, bool last);
    void gameEnded(const GameResult& result);
    void wrongAnswer(const QString& typed);
    // The answer box for the word that just became current.
    void prepareAnswerBox();
    void showKanaIndicator();
    void showResult(const GameResult& result, const PlayedGame* played);
    void restoreExplosionAreas();
    void finishExplosion();
    void saveRecords(const RecordDecision& decision);
    void warnAboutRecords(const RecordLoad& load, const QString& file);
    void showStartButton(bool quitFace);
    // The game just finished, as the history keeps it; none before answering.
    std::optional<PlayedGame> keepGameInHistory();
    // The best game to race on the pattern chosen, or a line saying why there is none.
    bool prepareRace(GameSession::Setup& setup);
    void showPace(int slot, qint64 atMs);
    void raceChosen();
    void tellAboutHistory(const QString& text);
    HistoryViewer* historyViewer();
    // Warnings found while loading, shown once the window is up.
    void warnLater(const QString& title, const QString& text);
    void informLater(const QString& title, const QString& text);

    Module1& m_module;
    Services m_services;
    std::unique_ptr<TimerSource> m_ownTimers;
    QString m_appDir;     // the game's own files: data2.dat, image/, sound/
    QString m_recordsDir; // the player's records; empty: none can be kept
    std::optional<OwnSet> m_set; // the player's own set in play; none: the shipped one
    QString m_setRecordsDir;     // where the set in play keeps data1.dat and data3.dat
    QString m_recordsProblem;
    QString m_portable; // a portable game folder that keeps older records of its own
    bool m_portableHoldsRecords = false;
    std::future<GameDataLoad> m_loading;

    TransSurfaceHandle BoardSurface;
    TransSurfaceHandle StripSurface;
    std::array<TransSurfaceHandle, kBoardSide> BackSurface; // a word has at most a row of cells
    std::array<QImage*, kBoardSide> BackDC{};
    Taker m_burstTaker = Taker::Player;
    QTimer m_markFlash; // the kana mark showing the script a miss wanted
    WindowKeys* m_keys = nullptr;
    QPointer<QWidget> m_focusBeforeGame; // given back when the game ends

    QSet<QString> m_saveWarned;
    QSet<QString> m_blockedSaves; // record files that must not be written this run

    std::unique_ptr<GameSession> m_session;
    GameLog m_gameLog;
    std::unique_ptr<HistoryStore> m_ownHistory;
    static constexpr std::size_t kMostUnsavedGames = 500;
    std::vector<PlayedGame> m_unsavedGames;
    std::optional<HistoryLoad> m_history;
    std::vector<qint64> m_raceSplits; // the best game's, in the race running
    qint64 m_raceTimeMs = 0;
    int m_lastRank = 0; // the rank chosen before the race, to go back to
    bool m_historyWarned = false;
    bool m_historyViewerWarned = false;
};
