#include "history/sqlite_history_store.h"
#include "store/record_file.h"
#include "store/single_records.h"
#include "support/history_fakes.h"
#include "support/main_fixture.h"
#include "support/own_set_sample.h"
#include "puzzle/own_set.h"

#include <QInputMethodEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPluginLoader>
#include <QProcess>

// Games played on the real main screen, as the history keeps them.
class GameHistory : public MainFixture {
protected:
    MemoryHistoryStore store;

    void useMemoryStore() { history = &store; }

    void typeKeys(int count)
    {
        for (int i = 0; i < count; ++i) {
            QTest::keyClick(main->Text1, Qt::Key_K);
        }
    }

    // Plays pattern 0's three words, a second apart, with typing in between.
    void playPatternZero()
    {
        startAndCountDown(0);
        typeKeys(3);
        clock.advance(1000);
        answer(QStringLiteral("さくらX")); // wrong first
        answer(QStringLiteral("さくら"));
        clock.advance(1200);
        typeKeys(5);
        answer(QStringLiteral("さかな"));
        clock.advance(1400);
        answer(QStringLiteral("らいおん"));
    }

    // Pattern 1's one word, answered in 9 s, in two games.
    void playPatternOneTwice()
    {
        for (int i = 0; i < 2; ++i) {
            startAndCountDown(1);
            clock.advance(9000);
            answer(QStringLiteral("あいうえおかき"));
            QCoreApplication::processEvents();
        }
    }

    static qint64 sumOfSplits(const PlayedGame& game)
    {
        qint64 sum = 0;
        for (const WordPlay& word : game.words) {
            sum += word.ms;
        }
        return sum;
    }
};

TEST_F(GameHistory, EveryOutcomeIsKeptAndTheTitleIsNot)
{
    useMemoryStore();
    makeMain(false);
    QTest::keyClick(main->Text1, Qt::Key_Return); // during the title animation
    main->Form_KeyDown(vbKeyEscape);
    for (int i = 0; i < 8; ++i) {
        main->Timer2_Timer();
    }
    main->Timer3->setInterval(0);
    EXPECT_EQ(store.writes, 0) << "the title animation is no game";

    playPatternZero();
    ASSERT_EQ(store.games.size(), 1u);
    const PlayedGame& done = store.games[0];
    EXPECT_EQ(done.outcome, Outcome::Completed);
    EXPECT_EQ(done.mode, GameMode::Single);
    EXPECT_EQ(done.pattern, 0);
    EXPECT_TRUE(done.questions);
    EXPECT_EQ(done.timeMs, 3600);
    EXPECT_EQ(result.time, QStringLiteral("3.600秒")) << "the same game time the result shows";
    ASSERT_EQ(done.words.size(), 3u);
    EXPECT_EQ(done.words[0].ms, 1000);
    EXPECT_EQ(done.words[1].ms, 1200);
    EXPECT_EQ(done.words[2].ms, 1400);
    EXPECT_EQ(sumOfSplits(done), done.timeMs);
    EXPECT_EQ(done.words[0].wrongEnters, 1);
    EXPECT_EQ(done.words[0].keys, 5) << "three letters and two Enters";
    EXPECT_EQ(done.words[1].keys, 6);
    EXPECT_EQ(done.words[2].answer, QStringLiteral("らいおん"));
    EXPECT_EQ(done.words[2].taker, Taker::Player);
    EXPECT_EQ(done.playedAt, QDateTime(QDate(2026, 12, 9), QTime(12, 0, 3)));

    // Esc during the countdown: never answered, never kept.
    choosePattern(0);
    main->Form_KeyDown(vbKeyReturn);
    pressEsc();
    EXPECT_EQ(store.games.size(), 1u);

    // Esc while answering the second word; the answer was peeked at.
    startAndCountDown(0);
    clock.advance(700);
    answer(QStringLiteral("さくら"));
    main->Command2_Click();
    clock.advance(300);
    pressEsc();
    ASSERT_EQ(store.games.size(), 2u);
    const PlayedGame& aborted = store.games[1];
    EXPECT_EQ(aborted.outcome, Outcome::Aborted);
    EXPECT_TRUE(aborted.answerShown);
    EXPECT_EQ(aborted.timeMs, 1000);
    ASSERT_EQ(aborted.words.size(), 2u);
    EXPECT_EQ(aborted.words[1].taker, Taker::Nobody);
    EXPECT_TRUE(aborted.words[1].answerShown);
    EXPECT_FALSE(aborted.words[0].answerShown);
    EXPECT_EQ(sumOfSplits(aborted), 1000);

    // The time limit, questions hidden but asked for once.
    main->Option4->setChecked(true);
    startAndCountDown(1);
    main->Command3_Click();
    clock.advance(180'000);
    main->Timer1_Timer();
    ASSERT_EQ(store.games.size(), 3u);
    EXPECT_EQ(store.games[2].outcome, Outcome::TimedOut);
    EXPECT_TRUE(store.games[2].questions);
    EXPECT_TRUE(store.games[2].words[0].questionShown);
    EXPECT_EQ(store.games[2].timeMs, 180'000);
}

TEST_F(GameHistory, BattlesKeepTheRankAndTheWordsTheCpuTook)
{
    useMemoryStore();
    makeMain();
    main->Option6->setChecked(true);
    main->Combo2->setCurrentIndex(8);
    startAndCountDown(2);
    clock.advance(60'000); // far beyond the CPU's time for a word
    main->Timer1_Timer();
    clock.advance(500);
    answer(QStringLiteral("ねこ"));
    clock.advance(60'000);
    answerResultDialog();
    main->Timer1_Timer();
    ASSERT_EQ(store.games.size(), 1u);
    const PlayedGame& game = store.games[0];
    EXPECT_EQ(game.mode, GameMode::Battle);
    EXPECT_EQ(game.rank, 8);
    EXPECT_EQ(game.outcome, Outcome::Completed);
    EXPECT_EQ(game.cpuLetters, 7);
    EXPECT_EQ(game.playerLetters, 2);
    ASSERT_EQ(game.words.size(), 3u);
    EXPECT_EQ(game.words[0].taker, Taker::Cpu);
    EXPECT_EQ(game.words[1].taker, Taker::Player);
    EXPECT_EQ(game.words[2].taker, Taker::Cpu);
    EXPECT_EQ(game.words[1].ms, 500);
    EXPECT_EQ(sumOfSplits(game), game.timeMs);

    // A single game after the battle does not inherit its letter counts.
    main->Option5->setChecked(true);
    startAndCountDown(1);
    answer(QStringLiteral("あいうえおかき"));
    ASSERT_EQ(store.games.size(), 2u);
    EXPECT_EQ(store.games[1].cpuLetters, 0);
    EXPECT_FALSE(store.games[1].rank.has_value());
}

TEST_F(GameHistory, AFailedWriteLeavesGameAndRecordsAloneAndIsToldOnce)
{
    useMemoryStore();
    store.failWrites = true;
    const QByteArray puzzles = readFile("data2.dat");
    makeMain();
    playPatternOneTwice();
    EXPECT_EQ(result.count, 2) << "the result still shows";
    EXPECT_EQ(store.writes, 2);
    ASSERT_EQ(notifier.texts.size(), 1);
    EXPECT_TRUE(notifier.texts[0].contains(QStringLiteral("disk full")));
    EXPECT_EQ(readFile("data2.dat"), puzzles);
    EXPECT_FALSE(fileExists(path("data3.dat")));
    auto loaded = std::make_unique<SingleRecordTable>();
    LoadSingleRecords(seq, dir.path(), *loaded);
    EXPECT_EQ(loaded->CountWithQuestion[1], 2);
    EXPECT_EQ(loaded->BestWithQuestion[1], 9000);
}

TEST_F(GameHistory, AGameTheHistoryCouldNotTakeForNowIsWrittenWithTheNext)
{
    useMemoryStore();
    store.busy = true;
    makeMain();
    startAndCountDown(1);
    answer(QStringLiteral("あいうえおかき"));
    EXPECT_TRUE(store.games.empty());
    store.busy = false;
    startAndCountDown(1);
    answer(QStringLiteral("あいうえおかき"));
    ASSERT_EQ(store.games.size(), 2u) << "the kept game first, then this one";
    EXPECT_LT(store.games[0].playedAt, store.games[1].playedAt.addSecs(1));
    QCoreApplication::processEvents();
    EXPECT_EQ(notifier.texts.size(), 1) << "said once";
}

TEST_F(GameHistory, HistoryDbBesideTheRecordsReadByTheDataTool)
{
    writeFile("history.db", QByteArray("damaged beyond repair").repeated(100));
    makeMain();
    EXPECT_EQ(readFile("history.db"), QByteArray("damaged beyond repair").repeated(100)) << "not touched at start-up";
    for (qint64 ms : {12'000, 11'000}) {
        startAndCountDown(1);
        clock.advance(ms);
        answer(QStringLiteral("あいうえおかき"));
    }
    startAndCountDown(1);
    clock.advance(2000);
    pressEsc();
    const QByteArray records = readFile("data1.dat");
    QCoreApplication::processEvents();
    ASSERT_EQ(notifier.texts.size(), 1);
    EXPECT_TRUE(notifier.texts[0].contains(QStringLiteral("history.db.damaged")));
    EXPECT_TRUE(fileExists(path("history.db.damaged")));

    QProcess tool;
    tool.start(QStringLiteral(TAZUMEKI_DATA_TOOL), {QStringLiteral("history"), QStringLiteral("--json"), dir.path()});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QJsonArray games = QJsonDocument::fromJson(tool.readAllStandardOutput()).object()["games"].toArray();
    ASSERT_EQ(games.size(), 3);
    EXPECT_EQ(games[0].toObject()["time_ms"].toInt(), 12'000);
    EXPECT_EQ(games[1].toObject()["time_ms"].toInt(), 11'000);
    EXPECT_EQ(games[2].toObject()["outcome"].toString(), QStringLiteral("aborted"));
    EXPECT_EQ(games[2].toObject()["words"].toArray()[0].toObject()["ms"].toInt(), 2000);
    EXPECT_EQ(readFile("data1.dat"), records) << "reading the history changes no record";
}

TEST_F(GameHistory, EachGameKeepsItsSetAndTheDataToolShowsOneSetAtATime)
{
    ASSERT_TRUE(packLines(seq, ownSetLines(), path("week.tazumeki")));
    const QString id = ownSetId(readFile("week.tazumeki"));
    {
        SqliteHistoryStore store(dir.path());
        QString error;
        PlayedGame shipped = singleGame(1, QDateTime(QDate(2026, 12, 9), QTime(9, 0)), 9000);
        PlayedGame own = singleGame(1, QDateTime(QDate(2026, 12, 9), QTime(9, 5)), 7000);
        own.setId = id;
        ASSERT_TRUE(store.append(shipped, &error)) << error.toStdString();
        ASSERT_TRUE(store.append(own, &error)) << error.toStdString();
        const HistoryLoad load = store.loadAll();
        ASSERT_EQ(load.games.size(), 2u);
        EXPECT_TRUE(load.games[0].setId.isEmpty());
        EXPECT_EQ(load.games[1].setId, id);
    }
    auto times = [&](const QStringList& extra) {
        QProcess tool;
        tool.start(QStringLiteral(TAZUMEKI_DATA_TOOL), QStringList{QStringLiteral("history"), QStringLiteral("--json")} + extra +
                                                            QStringList{dir.path()});
        EXPECT_TRUE(tool.waitForFinished(30000));
        EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
        QList<int> out;
        for (const QJsonValue game : QJsonDocument::fromJson(tool.readAllStandardOutput()).object()["games"].toArray()) {
            out.append(game.toObject()["time_ms"].toInt());
        }
        return out;
    };
    EXPECT_EQ(times({}), QList<int>{9000}) << "the shipped set's games";
    EXPECT_EQ(times({QStringLiteral("--set"), path("week.tazumeki")}), QList<int>{7000});
    EXPECT_EQ(times({QStringLiteral("--set"), id}), QList<int>{7000});
}

// The store comes from its module; without the module the games go on, the
// records are saved, and the player hears once why nothing is kept.
TEST_F(GameHistory, TheStoreModuleOpensHistoryDbAndAMissingOneIsToldOnce)
{
    QPluginLoader loader(QStringLiteral(TAZUMEKI_HISTORY_STORE_MODULE));
    auto* opener = qobject_cast<HistoryStoreOpener*>(loader.instance());
    ASSERT_NE(opener, nullptr) << loader.errorString().toStdString();
    {
        const std::unique_ptr<HistoryStore> opened = opener->open(dir.path());
        QString error;
        ASSERT_TRUE(opened->append(singleGame(4, QDateTime(QDate(2026, 12, 9), QTime(9, 0)), 9000), &error)) << error.toStdString();
        EXPECT_EQ(opened->loadAll().games.size(), 1u);
    }
    EXPECT_TRUE(fileExists(path("history.db")));

    historyOpener = nullptr;
    makeMain();
    playPatternOneTwice();
    ASSERT_EQ(notifier.texts.size(), 1);
    EXPECT_TRUE(notifier.texts[0].contains(QStringLiteral("history.db")));
    auto loaded = std::make_unique<SingleRecordTable>();
    LoadSingleRecords(seq, dir.path(), *loaded);
    EXPECT_EQ(loaded->CountWithQuestion[1], 2);
}

TEST_F(GameHistory, EveryKeyIsKeptWithTheKanaItMadeAndWhatWasMissed)
{
    useMemoryStore();
    makeMain();
    startAndCountDown(0);
    // Keys a tenth of a second apart, through the box's own conversion.
    auto type = [this](const QString& letters) {
        for (const QChar c : letters) {
            clock.advance(100);
            QTest::keyClicks(main->Text1, QString(c));
        }
    };
    auto press = [this](Qt::Key key) {
        clock.advance(100);
        QTest::keyClick(main->Text1, key);
    };
    type(QStringLiteral("saku"));
    press(Qt::Key_Backspace); // く goes
    type(QStringLiteral("kura"));
    press(Qt::Key_Return);
    type(QStringLiteral("sakama"));
    press(Qt::Key_Return); // さかま: rejected
    type(QStringLiteral("sakana"));
    press(Qt::Key_Return);
    type(QStringLiteral("raionn"));
    answerResultDialog();
    press(Qt::Key_Return);

    ASSERT_EQ(store.games.size(), 1u);
    const PlayedGame& game = store.games[0];
    ASSERT_EQ(game.words.size(), 3u);
    auto keysOf = [&](int word) {
        QStringList out;
        for (const KeyStroke& s : game.words[std::size_t(word)].strokes) {
            out.append(s.key + (s.missed ? QStringLiteral("!") : QString()));
        }
        return out.join(u' ');
    };
    EXPECT_EQ(keysOf(0), QStringLiteral("s a k! u! Backspace k u r a Enter"));
    EXPECT_EQ(keysOf(1), QStringLiteral("s! a! k! a! m! a! Enter s a k a n a Enter"));
    EXPECT_EQ(keysOf(2), QStringLiteral("r a i o n n Enter"));
    const std::vector<KeyStroke>& first = game.words[0].strokes;
    EXPECT_EQ(first[0].ms, 100) << "from the word becoming current";
    EXPECT_EQ(first[9].ms, 1000);
    EXPECT_EQ(first[6].kana, QStringLiteral("く"));
    EXPECT_EQ(first[6].place, 1);
    EXPECT_EQ(game.words[1].strokes[0].ms, 100) << "the next word starts at the Enter that took this one";
    EXPECT_EQ(game.words[2].strokes[5].kana, QStringLiteral("ん"));
    EXPECT_FALSE(game.words[0].inputMethod);

    // 31 keys in 3.1 s; 8 of them missed.
    EXPECT_EQ(result.typing, QStringLiteral("毎分 600 打 ・ ミス 8"));
}

TEST_F(GameHistory, AnInputMethodsCommitsAreKeptAsTheyCame)
{
    useMemoryStore();
    makeMain();
    startAndCountDown(1);
    clock.advance(700);
    {
        QInputMethodEvent composing(QStringLiteral("あいう"), {});
        QApplication::sendEvent(main->Text1, &composing);
    }
    clock.advance(500);
    QInputMethodEvent commit(QString(), {});
    commit.setCommitString(QStringLiteral("あいうえおかき"));
    QApplication::sendEvent(main->Text1, &commit);
    answerResultDialog();
    clock.advance(100);
    pressEnter(main->Text1);

    ASSERT_EQ(store.games.size(), 1u);
    const WordPlay& word = store.games[0].words[0];
    EXPECT_TRUE(word.inputMethod);
    ASSERT_EQ(word.strokes.size(), 2u);
    EXPECT_TRUE(word.strokes[0].commit);
    EXPECT_EQ(word.strokes[0].key, QStringLiteral("あいうえおかき"));
    EXPECT_EQ(word.strokes[0].ms, 1200);
    EXPECT_EQ(word.strokes[1].key, QStringLiteral("Enter"));
    EXPECT_EQ(result.typing, QStringLiteral("IME 入力のため打鍵数なし"));
}
