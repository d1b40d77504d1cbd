#include "app/main_form.h"
#include "app/module1.h"
#include "platform/files.h"
#include "store/gsx_seq.h"
#include "store/line_file.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <functional>
#include <future>
#include <memory>

class MainFormTest : public TempDirTest {
protected:
    FakeClock clock;
    ScriptedRandom random;
    SoundRecorder sound;
    NotifierRecorder notifier;
    StdRandom keyRandom{5};
    GsxSeq seq{keyRandom};
    std::unique_ptr<Module1> module = std::make_unique<Module1>();

    // loadElsewhere: the data files are read on another thread, as the game does.
    std::unique_ptr<Main> makeMain(bool loadElsewhere = false)
    {
        std::future<GameDataLoad> loading;
        if (loadElsewhere) {
            loading = std::async(std::launch::async, loadGameData, std::ref(seq), dir.path(), dir.path(), std::ref(*module),
                                 QString());
        }
        auto main = std::make_unique<Main>(*module, Main::Services{clock, random, sound, seq, notifier},
                                           GameFolders{dir.path(), dir.path(), {}, {}}, std::move(loading));
        QCoreApplication::processEvents();
        return main;
    }
};

TEST_F(MainFormTest, StartsWithItsControlsAsTheScreenShowsThem)
{
    const auto main = makeMain();
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Tazumeki"));
    EXPECT_EQ(main->size(), QSize(340, 667));
    EXPECT_EQ(main->Frame3->geometry(), QRect(16, 536, 225, 57));
    EXPECT_EQ(main->Combo1->geometry(), QRect(88, 32, 41, 20));
    EXPECT_EQ(main->Text1->geometry(), QRect(32, 432, 84, 18));
    EXPECT_EQ(main->Label3[2]->geometry(), QRect(8, 51, 249, 17));
    EXPECT_EQ(main->Option6->text(), QStringLiteral("CPU対戦　→"));

    EXPECT_TRUE(main->Option1->isChecked());
    EXPECT_TRUE(main->Option3->isChecked());
    EXPECT_TRUE(main->Option5->isChecked());
    EXPECT_FALSE(main->Combo1->isEnabled());
    EXPECT_FALSE(main->Combo2->isEnabled());
    ASSERT_EQ(main->Combo1->count(), 99);
    EXPECT_EQ(main->Combo1->itemText(0), QStringLiteral("0"));
    EXPECT_EQ(main->Combo1->itemText(98), QStringLiteral("98"));
    EXPECT_EQ(main->Combo1->currentIndex(), 0);
    EXPECT_TRUE(main->Text1->isEnabled());
    EXPECT_EQ(main->focusWidget(), main->Text1);
    // The random generator was seeded from the clock.
    ASSERT_FALSE(random.seeds.empty());
    EXPECT_EQ(random.seeds.front(), static_cast<quint64>(clock.now));
}

TEST_F(MainFormTest, OptionsEnableTheirListsAndKeepTheSelection)
{
    const auto main = makeMain();
    main->Option2->setChecked(true);
    EXPECT_TRUE(main->Combo1->isEnabled());
    main->Combo1->setCurrentIndex(42);
    main->Option1->setChecked(true);
    EXPECT_FALSE(main->Combo1->isEnabled());
    EXPECT_EQ(main->Combo1->currentIndex(), 42);

    main->Option6->setChecked(true);
    EXPECT_TRUE(main->Combo2->isEnabled());
    main->Option5->setChecked(true);
    EXPECT_FALSE(main->Combo2->isEnabled());
}

TEST_F(MainFormTest, WithoutPuzzleFileStartUpCompletesAndSaysOnceThatNothingCanBePlayed)
{
    writeFile("word.txt", "0,1,0,0,0,\"mine\",\"\"\r\n");
    const auto main = makeMain();
    EXPECT_TRUE(module->puzzles.PatternName[0].isEmpty());
    ASSERT_EQ(notifier.texts.size(), 1);
    EXPECT_TRUE(notifier.texts[0].contains(QStringLiteral("data2.dat")));
    EXPECT_TRUE(notifier.texts[0].contains(QStringLiteral("入れ直す"))); // how to get it back
    EXPECT_TRUE(fileExists(path("word.txt"))); // not the game's: neither read nor deleted
}

TEST_F(MainFormTest, LoadsThePuzzleSetAndLeavesNoTextFile)
{
    ASSERT_TRUE(packLines(seq, {QStringLiteral("2,1,0,0,0,\"どうぶつ\",\"\""), QStringLiteral("2,0,0,0,0,\"いぬ\",\"ワン\"")},
                          path("data2.dat")));
    writeFile("word.txt", "2,1,0,0,0,\"left over\",\"\"\r\n"); // from an interrupted run
    const auto main = makeMain();
    EXPECT_EQ(module->puzzles.PatternName[2], QStringLiteral("どうぶつ"));
    EXPECT_EQ(module->puzzles.WordAnswer[2][0], QStringLiteral("いぬ"));
    EXPECT_FALSE(fileExists(path("word.txt")));
    EXPECT_TRUE(notifier.texts.isEmpty());
}

TEST_F(MainFormTest, ADamagedPuzzleFileKeepsWhatItCanAndTellsThePlayerOnce)
{
    const auto data = packData(seq, {QStringLiteral("2,1,0,0,0,\"どうぶつ\",\"\""), QStringLiteral("3,1,0,0,0,\"しょくぶつ\",\"\"")});
    ASSERT_TRUE(data.has_value());
    writeFile("data2.dat", data->left(data->size() - 3));
    const auto main = makeMain();
    EXPECT_EQ(module->puzzles.PatternName[2], QStringLiteral("どうぶつ"));
    EXPECT_TRUE(module->puzzles.PatternName[3].isEmpty());
    EXPECT_EQ(notifier.texts.size(), 1);
    EXPECT_TRUE(notifier.texts.value(0).contains(QStringLiteral("data2.dat")));
}

TEST_F(MainFormTest, RecordsPutAsideEarlierAreNamedWhenNoRecordFileIsLeft)
{
    ASSERT_TRUE(packLines(seq, {QStringLiteral("2,1,0,0,0,\"どうぶつ\",\"\""), QStringLiteral("2,0,0,0,0,\"いぬ\",\"ワン\"")},
                          path("data2.dat")));
    writeFile("data1.dat.damaged", "records that could not be written back");
    const auto main = makeMain();
    ASSERT_EQ(notifier.texts.size(), 1);
    EXPECT_TRUE(notifier.texts[0].contains(QStringLiteral("data1.dat.damaged")));
    EXPECT_EQ(readFile("data1.dat.damaged"), QByteArray("records that could not be written back"));
}

// Read on another thread, the data reach the screen and the player the same way.
TEST_F(MainFormTest, DataReadElsewhereAreTakenAsTheScreenReadsThem)
{
    const auto data = packData(seq, {QStringLiteral("2,1,0,0,0,\"どうぶつ\",\"\""), QStringLiteral("3,1,0,0,0,\"しょくぶつ\",\"\"")});
    ASSERT_TRUE(data.has_value());
    writeFile("data2.dat", data->left(data->size() - 3));
    writeFile("data1.dat.damaged", "records that could not be written back");
    const auto main = makeMain(true);
    EXPECT_EQ(module->puzzles.PatternName[2], QStringLiteral("どうぶつ"));
    ASSERT_EQ(notifier.texts.size(), 2);
    EXPECT_TRUE(notifier.texts[0].contains(QStringLiteral("data1.dat.damaged")));
    EXPECT_TRUE(notifier.texts[1].contains(QStringLiteral("data2.dat")));
    EXPECT_EQ(main->Combo2->count(), 10); // the nine ranks and your own best
}
