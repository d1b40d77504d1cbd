#include "app/game_result.h"
#include "store/record_fields.h"
#include "support/main_fixture.h"

#include <QKeyEvent>
#include "store/record_file.h"
#include "support/file_size_limit.h"
#include "support/history_fakes.h"

TEST(ResultTexts, TimesAndBattleOutcomes)
{
    EXPECT_EQ(resultTimeText(45678), QStringLiteral("45.678秒"));
    EXPECT_EQ(resultTimeText(500), QStringLiteral("0.500秒"));
    EXPECT_EQ(resultTimeText(180001), QStringLiteral("180.000秒"));
    EXPECT_EQ(battleResultText(12, 8), QStringLiteral("12:8であなたの勝ち"));
    EXPECT_EQ(battleResultText(8, 12), QStringLiteral("12:8でＣＰＵの勝ち"));
    EXPECT_EQ(battleResultText(10, 10), QStringLiteral("10:10で引き分け"));
}

class SingleResult : public MainFixture {
protected:
    // Plays pattern 1 (one word) taking `ms` milliseconds.
    void play(qint64 ms, bool questions = true)
    {
        if (!questions) {
            main->Option4->setChecked(true);
        }
        startAndCountDown(1);
        clock.advance(ms);
        answer(QStringLiteral("あいうえおかき"));
    }
    const SingleRecordTable& records() const { return module->singleRecords; }
};

TEST_F(SingleResult, FirstGameIsANewBestThenOnlyFasterOnesAre)
{
    makeMain();
    play(20'000);
    EXPECT_EQ(result.count, 1);
    EXPECT_EQ(result.time, QStringLiteral("20.000秒"));
    EXPECT_EQ(result.message, QStringLiteral("最速記録（問題有）！"));
    EXPECT_TRUE(sound.played.contains(path("sound/NewRecord.WAV")));
    EXPECT_EQ(records().CountWithQuestion[1], 1);
    EXPECT_EQ(records().BestWithQuestion[1], 20000);
    EXPECT_EQ(records().DateWithQuestion[1], dayNumber(2026, 12, 9));
    ASSERT_TRUE(fileExists(path("data1.dat")));

    sound.played.clear();
    clock.day = QDate(2026, 12, 10);
    play(20'000); // equal: counted, not a new best
    EXPECT_TRUE(result.message.isEmpty());
    EXPECT_TRUE(sound.played.filter(QStringLiteral("NewRecord")).isEmpty());
    EXPECT_EQ(records().CountWithQuestion[1], 2);
    EXPECT_EQ(records().DateWithQuestion[1], dayNumber(2026, 12, 9));

    play(19'999);
    EXPECT_EQ(result.message, QStringLiteral("最速記録（問題有）！"));
    EXPECT_EQ(records().DateWithQuestion[1], dayNumber(2026, 12, 10));

    // What was saved is what a restart loads.
    auto loaded = std::make_unique<SingleRecordTable>();
    LoadSingleRecords(seq, dir.path(), *loaded);
    EXPECT_EQ(loaded->CountWithQuestion[1], 3);
    EXPECT_EQ(loaded->BestWithQuestion[1], 19999);
}

TEST_F(SingleResult, PeekingDecidesHowAGameCounts)
{
    makeMain();
    main->Option4->setChecked(true);
    startAndCountDown(1);
    main->Command3_Click(); // the question was used: recorded as with questions
    answer(QStringLiteral("あいうえおかき"));
    EXPECT_EQ(records().CountWithQuestion[1], 1);
    EXPECT_EQ(records().CountNoQuestion[1], 0);

    play(5000, false);
    EXPECT_EQ(records().CountNoQuestion[1], 1);
    EXPECT_EQ(result.message, QStringLiteral("最速記録（問題無）！"));

    const QByteArray saved = readFile("data1.dat");
    startAndCountDown(1);
    main->Command2_Click(); // the answer was shown: not recorded at all
    answer(QStringLiteral("あいうえおかき"));
    EXPECT_EQ(result.count, 3);
    EXPECT_TRUE(result.message.isEmpty());
    EXPECT_EQ(records().CountNoQuestion[1], 1);
    EXPECT_EQ(readFile("data1.dat"), saved);
}

TEST_F(SingleResult, AGameOverTheLimitShows180ButRecordsItsTime)
{
    makeMain();
    play(181'234);
    EXPECT_EQ(result.time, QStringLiteral("180.000秒"));
    EXPECT_EQ(records().BestWithQuestion[1], 181234);
}

TEST_F(SingleResult, AFailedSaveIsToldOnceAndTheGameGoesOn)
{
    MemoryHistoryStore elsewhere; // the full disk is the record file's alone here
    history = &elsewhere;
    makeMain();
    play(9000);
    const QByteArray before = readFile("data1.dat");
    {
        FileSizeLimit full(1500);
        play(8000);
        play(7000);
    }
    EXPECT_EQ(notifier.texts.size(), 1);
    EXPECT_TRUE(notifier.texts.value(0).contains(QStringLiteral("data1.dat")));
    EXPECT_EQ(readFile("data1.dat"), before);
    EXPECT_EQ(result.count, 3);
    EXPECT_EQ(records().BestWithQuestion[1], 7000);
}

TEST_F(SingleResult, ADamagedRecordFileIsToldAtStartUp)
{
    writeFile("data1.dat", QByteArray("ABCDEFGHIJKL\x01") + QByteArray(1024, 'k') + QByteArray("\x05\x09"));
    makeMain();
    QCoreApplication::processEvents();
    ASSERT_EQ(notifier.texts.size(), 1);
    EXPECT_TRUE(notifier.texts[0].contains(QStringLiteral("data1.dat.damaged")));
    EXPECT_TRUE(fileExists(path("data1.dat.damaged")));
}

TEST_F(SingleResult, RecordsThatCouldNotBeKeptAsideAreNotSaved)
{
    const auto data = packData(seq, QStringList(99, QStringLiteral("1,20000,#2026-01-01#,0,0,#1899-12-30#")));
    writeFile("data1.dat", data->left(data->size() - 10));
    {
        FileSizeLimit full(500);
        makeMain();
    }
    QCoreApplication::processEvents();
    ASSERT_EQ(notifier.texts.size(), 1);
    EXPECT_TRUE(notifier.texts[0].contains(QStringLiteral("保存しません")));
    const QByteArray kept = readFile("data1.dat.damaged");
    play(9000);
    EXPECT_EQ(result.message, QStringLiteral("最速記録（問題有）！"));
    EXPECT_FALSE(fileExists(path("data1.dat")));
    EXPECT_EQ(readFile("data1.dat.damaged"), kept);
    EXPECT_EQ(notifier.texts.size(), 1);
}

TEST_F(SingleResult, DialogClosesOnEscOnlyAndIsRounded)
{
    Result dialog(nullptr, dir.path());
    EXPECT_EQ(dialog.size(), QSize(281, 210));
    EXPECT_EQ(dialog.Label13->text(), QStringLiteral("【 今回の成績 】"));
    EXPECT_EQ(dialog.Picture1->geometry(), QRect(169, 157, 77, 26));
    EXPECT_FALSE(dialog.mask().contains(QPoint(0, 0)));
    EXPECT_FALSE(dialog.mask().contains(QPoint(280, 209)));
    EXPECT_TRUE(dialog.mask().contains(QPoint(140, 2)));
    EXPECT_TRUE(dialog.mask().contains(QPoint(140, 105)));

    dialog.show();
    QTest::keyClick(dialog.Picture1, Qt::Key_Return);
    QTest::keyClick(dialog.Picture1, Qt::Key_Space);
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(dialog.Picture1, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());

    // Press on the button, release elsewhere: it still closes.
    dialog.show();
    QTest::mousePress(dialog.Picture1, Qt::LeftButton);
    QTest::mouseRelease(dialog.Picture1, Qt::LeftButton, {}, QPoint(-30, -30));
    EXPECT_FALSE(dialog.isVisible());
}

// An installed game: its files in one folder, the player's records in another
// that does not exist before the first start.
class RecordsAway : public SingleResult {
protected:
    QString records() const { return path("home/data/Tazumeki"); }
    GameFolders folders() const override { return {dir.path(), records(), true}; }
    QByteArray readRecord(const QString& name) const
    {
        QFile file(QDir(records()).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(RecordsAway, ThePlayerIsToldWhereOnceAndTheRecordsGoThere)
{
    makeMain();
    QCoreApplication::processEvents();
    ASSERT_EQ(notifier.texts.size(), 1);
    EXPECT_TRUE(notifier.texts[0].contains(QDir::toNativeSeparators(records()))) << notifier.texts[0].toStdString();

    play(12'000);
    EXPECT_EQ(result.message, QStringLiteral("最速記録（問題有）！"));
    EXPECT_FALSE(fileExists(path("data1.dat")));
    ASSERT_FALSE(readRecord("data1.dat").isEmpty());

    auto loaded = std::make_unique<SingleRecordTable>();
    LoadSingleRecords(seq, records(), *loaded);
    EXPECT_EQ(loaded->BestWithQuestion[1], 12000);
    // The sounds still come from the game's own folder.
    EXPECT_TRUE(sound.played.contains(path("sound/NewRecord.WAV")));
}

TEST_F(RecordsAway, DamagedCopiesStayWithTheRecords)
{
    ASSERT_TRUE(QDir().mkpath(records()));
    QFile damaged(QDir(records()).filePath(QStringLiteral("data3.dat")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("ABCDEFGHIJKL\x01") + QByteArray(600, 'k'));
    damaged.close();

    makeMain();
    QCoreApplication::processEvents();
    EXPECT_FALSE(readRecord("data3.dat.damaged").isEmpty());
    EXPECT_FALSE(fileExists(path("data3.dat.damaged")));
    EXPECT_FALSE(fileExists(path("data3.dat")));
    EXPECT_TRUE(notifier.texts.join(QString()).contains(QStringLiteral("data3.dat.damaged")));
}
