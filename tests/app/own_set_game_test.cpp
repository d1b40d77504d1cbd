#include "app/game_data.h"
#include "puzzle/own_set.h"
#include "support/history_fakes.h"
#include "support/main_fixture.h"
#include "support/own_set_sample.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <future>

namespace {

// The real main screen started with a set of the player's own, its data read
// as the game reads it at start-up.
class OwnSetGame : public MainFixture {
protected:
    MemoryHistoryStore store;

    QString makeSet(const QString& name, const QStringList& lines)
    {
        EXPECT_TRUE(packLines(seq, lines, path(name)));
        return path(name);
    }

    void startWith(const QString& setFile)
    {
        history = &store;
        std::promise<GameDataLoad> loaded;
        loaded.set_value(loadGameData(seq, dir.path(), dir.path(), *module, setFile));
        main = std::make_unique<Main>(*module, Main::Services{clock, random, sound, seq, notifier, history, historyViewer, historyOpener},
                                      folders(), loaded.get_future());
        main->Timer2->setInterval(0);
        QCoreApplication::processEvents();
        for (int i = 0; i < 8; ++i) {
            main->Timer2_Timer();
        }
        main->Timer3->setInterval(0);
    }

    void playPatternOne()
    {
        startAndCountDown(1);
        clock.advance(4200);
        answer(QStringLiteral("あいうえおかき"));
        QCoreApplication::processEvents();
    }

    bool drop(const QString& file, bool* accepted = nullptr)
    {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(file)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(main.get(), &enter);
        if (accepted) {
            *accepted = enter.isAccepted();
        }
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(main.get(), &event);
        return true;
    }
};

} // namespace

TEST_F(OwnSetGame, ASetOfYourOwnPlaysItsPatternsAndKeepsItsRecordsApart)
{
    // The shipped set's records and another set's stay byte for byte.
    writeFile("data1.dat", "shipped records");
    QDir().mkpath(path("sets/00000000000000bb"));
    writeFile("sets/00000000000000bb/data1.dat", "set B's records");
    PlayedGame shipped = singleGame(1, QDateTime(QDate(2026, 12, 1), QTime(9, 0)), 3000);
    store.games.push_back(shipped);

    const QString file = makeSet("week.tazumeki", ownSetLines());
    const QString id = ownSetId(readFile("week.tazumeki"));
    startWith(file);
    EXPECT_TRUE(notifier.texts.isEmpty()) << notifier.texts.join(u'\n').toStdString();
    EXPECT_EQ(main->setId(), id);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Tazumeki － 今週のことば"));
    EXPECT_EQ(main->Label1->text(), QStringLiteral("セット：今週のことば"));
    EXPECT_EQ(main->Combo1->count(), 2) << "only the set's patterns are offered";
    EXPECT_TRUE(main->history().games.empty()) << "the shipped set's games are not this set's";

    playPatternOne();
    EXPECT_EQ(result.count, 1);
    EXPECT_EQ(main->Label1->text(), QStringLiteral("セット：今週のことば")) << "the title again";
    EXPECT_TRUE(fileExists(path(QStringLiteral("sets/%1/data1.dat").arg(id))));
    EXPECT_EQ(readFile("data1.dat"), QByteArray("shipped records"));
    EXPECT_EQ(readFile("sets/00000000000000bb/data1.dat"), QByteArray("set B's records"));
    EXPECT_EQ(module->singleRecords.CountWithQuestion[1], 1);
    ASSERT_EQ(store.games.size(), 2u);
    EXPECT_EQ(store.games[1].setId, id);
    ASSERT_EQ(main->history().games.size(), 1u);
    EXPECT_EQ(main->history().games[0].setId, id);

    // Random play draws from the set's patterns only.
    main->Option1->setChecked(true);
    main->Form_KeyDown(vbKeyReturn);
    EXPECT_EQ(main->game().PatternIndex, 1) << "a draw of 0.5 among its two patterns";
    pressEsc();
}

TEST_F(OwnSetGame, ASetThatCannotBePlayedLeavesTheShippedOneAndSaysWhy)
{
    writeFile("broken.tazumeki", "not a puzzle set at all");
    startWith(path("broken.tazumeki"));
    EXPECT_TRUE(main->setId().isEmpty());
    EXPECT_EQ(main->Combo1->count(), PuzzleSet::kPlayablePatterns);
    EXPECT_TRUE(main->Label1->text().isEmpty());
    ASSERT_FALSE(notifier.texts.isEmpty());
    EXPECT_TRUE(notifier.texts.first().contains(QStringLiteral("パズルセットを開けませんでした")));
    EXPECT_EQ(readFile("broken.tazumeki"), QByteArray("not a puzzle set at all")) << "never written";
}

TEST_F(OwnSetGame, ADroppedSetAsksFirstAndIsTakenOnlyWhileNoGameRuns)
{
    const QString file = makeSet("week.tazumeki", ownSetLines());
    startWith(QString());
    EXPECT_EQ(main->Combo1->count(), PuzzleSet::kPlayablePatterns);

    notifier.answer = false;
    EXPECT_TRUE(drop(file));
    EXPECT_EQ(notifier.asked.size(), 1);
    EXPECT_TRUE(main->setId().isEmpty()) << "the player said no";

    // During a game the window takes no set.
    startAndCountDown(0);
    bool accepted = true;
    EXPECT_FALSE(drop(file, &accepted));
    EXPECT_FALSE(accepted);
    EXPECT_FALSE(main->openSet(file));
    EXPECT_EQ(notifier.asked.size(), 1);
    pressEsc();

    writeFile("other.txt", "words");
    EXPECT_FALSE(drop(path("other.txt"))) << "only set files";

    notifier.answer = true;
    EXPECT_TRUE(drop(file));
    EXPECT_EQ(main->setId(), ownSetId(readFile("week.tazumeki")));
    EXPECT_EQ(main->Combo1->count(), 2);
    EXPECT_EQ(main->Label1->text(), QStringLiteral("セット：今週のことば"));

    // A damaged set dropped later is refused; the set in play stays.
    writeFile("broken.tazumeki", "broken");
    EXPECT_FALSE(main->openSet(path("broken.tazumeki")));
    EXPECT_TRUE(notifier.texts.last().contains(QStringLiteral("broken.tazumeki")));
    EXPECT_EQ(main->Combo1->count(), 2);
}
