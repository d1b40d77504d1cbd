#include "store/record_fields.h"
#include "support/main_fixture.h"

#include <QKeyEvent>
#include "store/record_file.h"
#include "support/file_size_limit.h"
#include "support/history_fakes.h"
#include "view/focus_frame.h"

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

TEST_F(SingleResult, ARecordedGameIsShownHeardAndSaved)
{
    makeMain();
    play(20'000);
    EXPECT_EQ(result.count, 1);
    EXPECT_EQ(result.time, QStringLiteral("20.000秒"));
    EXPECT_EQ(result.message, QStringLiteral("最速記録（問題有）！"));
    EXPECT_TRUE(sound.played.contains(path("sound/NewRecord.WAV")));
    EXPECT_EQ(records().BestWithQuestion[1], 20000);

    // What was saved is what a restart loads.
    auto loaded = std::make_unique<SingleRecordTable>();
    LoadSingleRecords(seq, dir.path(), *loaded);
    EXPECT_EQ(loaded->CountWithQuestion[1], 1);
    EXPECT_EQ(loaded->BestWithQuestion[1], 20000);
    EXPECT_EQ(loaded->DateWithQuestion[1], dayNumber(2026, 12, 9));

    // A game with the answer shown changes nothing on disk.
    const QByteArray saved = readFile("data1.dat");
    startAndCountDown(1);
    main->Command2_Click();
    answer(QStringLiteral("あいうえおかき"));
    EXPECT_EQ(result.count, 2);
    EXPECT_TRUE(result.message.isEmpty());
    EXPECT_EQ(readFile("data1.dat"), saved);
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
    const QByteArray damaged = data->left(data->size() - 10);
    writeFile("data1.dat", damaged);
    {
        FileSizeLimit full(500); // a full disk: no copy can be kept
        makeMain();
    }
    QCoreApplication::processEvents();
    ASSERT_EQ(notifier.texts.size(), 1);
    EXPECT_TRUE(notifier.texts[0].contains(QStringLiteral("保存しません")));
    play(9000);
    EXPECT_EQ(result.message, QStringLiteral("最速記録（問題有）！"));
    EXPECT_EQ(readFile("data1.dat"), damaged); // left as it was for a later start
    EXPECT_FALSE(fileExists(path("data1.dat.damaged")));
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
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(dialog.Picture1, Qt::Key_Return);
    QTest::keyClick(dialog.Picture1, Qt::Key_Space);
    QTest::keyClick(dialog.Picture1, Qt::Key_Tab);
    EXPECT_TRUE(dialog.isVisible());
    // OK keeps the focus and shows it.
    EXPECT_EQ(dialog.findChild<FocusFrame*>()->control(), dialog.Picture1);
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
    GameFolders folders() const override { return {dir.path(), records(), {}, {}}; }
    QByteArray readRecord(const QString& name) const
    {
        QFile file(QDir(records()).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(RecordsAway, TheUsualPlaceNeedsNoWordAndTheRecordScreensNameIt)
{
    makeMain();
    QCoreApplication::processEvents();
    EXPECT_TRUE(notifier.texts.isEmpty()); // no box in the way of the first Enter
    EXPECT_TRUE(notifier.informed.isEmpty());
    EXPECT_EQ(main->recordsPlaceText(), QStringLiteral("記録の保存先：") + QDir::toNativeSeparators(records()));

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

// A portable game folder that cannot be written: its records were copied to the data folder.
class RecordsCopied : public RecordsAway {
protected:
    GameFolders folders() const override { return {dir.path(), records(), dir.path(), {}}; }
};

TEST_F(RecordsCopied, TheCopyIsToldOnceAsANoteAndTheOthersAreNamed)
{
    makeMain();
    main->tellAboutRecordsFolder({QStringLiteral("data1.dat"), QStringLiteral("history.db")}, false, QString());
    QCoreApplication::processEvents();
    EXPECT_TRUE(notifier.texts.isEmpty()); // a note, not a warning
    ASSERT_EQ(notifier.informed.size(), 1);
    EXPECT_TRUE(notifier.informed[0].contains(QDir::toNativeSeparators(records())));
    EXPECT_TRUE(main->recordsPlaceText().contains(QDir::toNativeSeparators(dir.path())));
}

// No records folder at all: said once at the start, not at every game's end.
class NoRecordsFolder : public SingleResult {
protected:
    GameFolders folders() const override { return {dir.path(), {}, {}, QStringLiteral("HOME is not set")}; }
};

TEST_F(NoRecordsFolder, TheGameSaysSoOnceAndPlaysOn)
{
    makeMain();
    QCoreApplication::processEvents();
    ASSERT_EQ(notifier.texts.size(), 1);
    EXPECT_TRUE(notifier.texts[0].contains(QStringLiteral("HOME is not set")));
    play(9000);
    play(8000);
    QCoreApplication::processEvents();
    EXPECT_EQ(result.count, 2);
    EXPECT_EQ(notifier.texts.size(), 1);
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*.dat*"), QStringLiteral("history*")}, QDir::Files),
              QStringList{QStringLiteral("data2.dat")});
}
