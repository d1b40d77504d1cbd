#include "history/history_viewer.h"
#include "history/history_window.h"
#include "history/keyboard_map.h"
#include "puzzle/rank_table.h"
#include "records/battle_record_screen.h"
#include "records/record_screen.h"
#include "support/accessible_names.h"
#include "support/history_fakes.h"
#include "support/main_fixture.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLineSeries>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>
#include <algorithm>

namespace {

QDateTime at(int month, int day)
{
    return QDateTime(QDate(2026, month, day), QTime(20, 0));
}

// Pattern 0 three times: 20 s with questions, 15 s without, then 18 s with.
std::vector<PlayedGame> knownHistory()
{
    auto game = [](QDateTime when, std::vector<qint64> splits, bool questions) {
        qint64 total = 0;
        for (qint64 s : splits) {
            total += s;
        }
        PlayedGame g = singleGame(0, when, total, questions);
        const QString answers[] = {QStringLiteral("さくら"), QStringLiteral("さかな"), QStringLiteral("らいおん")};
        for (int i = 0; i < int(splits.size()); ++i) {
            g.words.push_back(wordPlay(i, answers[i], splits[std::size_t(i)], Taker::Player, 10));
        }
        return g;
    };
    std::vector<PlayedGame> games = {game(at(10, 1), {5000, 8000, 7000}, true),
                                     game(at(12, 8), {4000, 6000, 5000}, false),
                                     game(at(12, 9), {3000, 9000, 6000}, true)};
    PlayedGame battle = singleGame(0, at(12, 9), 9000, false);
    battle.mode = GameMode::Battle;
    battle.rank = 3;
    battle.cpuLetters = 7;
    battle.playerLetters = 3;
    battle.words = {wordPlay(0, QStringLiteral("さくら"), 3000, Taker::Player),
                    wordPlay(1, QStringLiteral("さかな"), 3000, Taker::Cpu),
                    wordPlay(2, QStringLiteral("らいおん"), 3000, Taker::Cpu)};
    games.push_back(battle);
    return games;
}

// Pattern 0's さくら typed today five times, a stray t before ら in the
// last two, and seven weeks ago once more, slowly.
std::vector<PlayedGame> typedHistory()
{
    std::vector<PlayedGame> games;
    for (int i = 0; i < 5; ++i) {
        PlayedGame g = singleGame(0, at(12, 9), 2000, true);
        WordPlay w = wordPlay(0, QStringLiteral("さくら"), 2000, Taker::Player, 8);
        w.strokes = {keyStroke(100, "s", "さ", 0, 0), keyStroke(200, "a", "さ", 0, 0), keyStroke(300, "k", "く", 1, 1),
                     keyStroke(400, "u", "く", 1, 1)};
        if (i >= 3) {
            w.strokes.push_back(keyStroke(450, "t", "", -1, 2, true));
            w.strokes.push_back(keyStroke(500, "Backspace", "", -1, -1));
        }
        w.strokes.insert(w.strokes.end(), {keyStroke(800, "r", "ら", 2, 2), keyStroke(1000, "a", "ら", 2, 2),
                                           keyStroke(1100, "Enter", "", -1, -1)});
        g.words = {w};
        games.push_back(g);
    }
    PlayedGame old = singleGame(0, at(10, 20), 5000, true);
    WordPlay w = wordPlay(0, QStringLiteral("さくら"), 5000, Taker::Player, 7);
    w.strokes = {keyStroke(100, "s", "さ", 0, 0), keyStroke(200, "a", "さ", 0, 0), keyStroke(2300, "k", "く", 1, 1),
                 keyStroke(2400, "u", "く", 1, 1), keyStroke(2500, "r", "ら", 2, 2), keyStroke(2600, "a", "ら", 2, 2)};
    old.words = {w};
    games.push_back(old);
    return games;
}

QList<QPointF> points(QChart* chart, const QString& name)
{
    for (QAbstractSeries* series : chart->series()) {
        if (series->name() == name) {
            return static_cast<QLineSeries*>(series)->points();
        }
    }
    return {};
}

QString cell(QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QStringLiteral("<none>");
}

// The windows linked in, as the module shows them.
class LinkedViewer final : public HistoryViewer {
public:
    void showHistory(QWidget* owner, const HistoryLoad& history, const PuzzleSet& puzzles, const RankTable& ranks,
                     int pattern, bool battle, QDate today) override
    {
        execHistoryWindow(owner, history, puzzles, ranks, pattern, battle, today);
    }
};

} // namespace

class HistoryWindows : public MainFixture {
protected:
    MemoryHistoryStore store;
    LinkedViewer viewer;
    bool sawHistory = false;

    void SetUp() override
    {
        MainFixture::SetUp();
        store.games = knownHistory();
        history = &store;
        historyViewer = &viewer;
    }
};

TEST_F(HistoryWindows, AMissingModuleIsToldOnce)
{
    historyViewer = nullptr; // the test program's folder has no module
    makeMain();
    main->showHistory(main.get(), 0, false);
    main->showHistory(main.get(), 0, true);
    ASSERT_EQ(notifier.texts.size(), 1);
    EXPECT_TRUE(notifier.texts[0].contains(QStringLiteral("履歴の画面を開けませんでした")));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(HistoryWindows, RowClickOnTheRecordScreenOpensThePatternsHistory)
{
    makeMain();
    // Record screen opens; a click on pattern 0's row opens the history; Enter closes both.
    QTimer::singleShot(0, [this] {
        auto* records = qobject_cast<Record*>(QApplication::activeModalWidget());
        ASSERT_NE(records, nullptr);
        QTimer::singleShot(0, [this, records] {
            auto* window = qobject_cast<HistoryWindow*>(QApplication::activeModalWidget());
            ASSERT_NE(window, nullptr);
            sawHistory = true;
            EXPECT_EQ(window->parentWidget(), records) << "owned by the record screen";
            EXPECT_EQ(window->tabs->count(), 3);
            EXPECT_EQ(window->tabs->tabText(1), QStringLiteral("全体"));
            EXPECT_EQ(window->tabs->tabText(2), QStringLiteral("苦手"));
            ASSERT_NE(window->single.chart, nullptr);
            EXPECT_EQ(points(window->single.chart, QStringLiteral("問題有")).size(), 2);
            EXPECT_EQ(cell(window->single.words, 2, 1), QStringLiteral("らいおん"));
            QTest::keyClick(window, Qt::Key_Return);
            QTimer::singleShot(0, [records] { QTest::keyClick(records, Qt::Key_Return); });
        });
        QTest::mouseClick(records->boxes[1][0], Qt::LeftButton);
    });
    main->Picture6_MouseUp();
    EXPECT_TRUE(sawHistory);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(HistoryWindows, RowsMapToThePatternsOfThePageShown)
{
    std::vector<int> clicked;
    auto puzzles = std::make_unique<PuzzleSet>();
    auto battles = std::make_unique<BattleRecordTable>();
    Record2 screen(nullptr, QString(), *puzzles, *battles);
    screen.onPatternClicked = [&](int pattern) { clicked.push_back(pattern); };
    screen.show();
    QTest::mouseClick(screen.boxes[10][4], Qt::LeftButton); // the last rank column of row 4
    screen.Command2->click();
    QTest::mouseClick(screen.boxes[0][0], Qt::LeftButton);
    QTest::mouseClick(&screen, Qt::LeftButton, {}, QPoint(300, 110)); // a header
    QTest::mouseClick(screen.boxes[1][7], Qt::RightButton);
    for (int page = 3; page <= 10; ++page) {
        screen.Command2->click();
    }
    QTest::mouseClick(&screen, Qt::LeftButton, {}, QPoint(60, 128 + 24 * 9 + 5)); // the hidden tenth row
    QTest::mouseClick(screen.boxes[1][8], Qt::LeftButton);
    EXPECT_EQ(clicked, (std::vector<int>{4, 10, 98}));
}

TEST_F(HistoryWindows, PatternPageChartAndSplitTable)
{
    makeMain();
    HistoryWindow window(main.get(), HistoryLoad{knownHistory(), 0, QString()}, module->puzzles, module->ranks, 0,
                         HistoryWindow::Kind::Single, QDate(2026, 12, 9));
    QChart* chart = window.single.chart;
    ASSERT_EQ(chart->series().size(), 4);
    EXPECT_EQ(points(chart, QStringLiteral("問題有")), (QList<QPointF>{{1, 20}, {3, 18}}));
    // 30 keys in 20, 15 and 18 seconds, on an axis of its own.
    EXPECT_EQ(points(chart, QStringLiteral("毎分打鍵数")), (QList<QPointF>{{1, 90}, {2, 120}, {3, 100}}));
    EXPECT_EQ(window.single.typing->attachedAxes().value(1)->alignment(), Qt::AlignRight);
    EXPECT_EQ(points(chart, QStringLiteral("問題無")), (QList<QPointF>{{2, 15}}));
    EXPECT_EQ(points(chart, QStringLiteral("最速記録")), (QList<QPointF>{{1, 20}, {2, 20}, {2, 15}, {3, 15}}));
    EXPECT_TRUE(window.single.summary->text().contains(QStringLiteral("プレイ 3 回（クリア 3 回）")));
    EXPECT_TRUE(window.single.summary->text().contains(QStringLiteral("最速のゲーム 120.0　前回 100.0")))
        << window.single.summary->text().toStdString();

    QTableWidget* words = window.single.words;
    ASSERT_EQ(words->rowCount(), 3);
    EXPECT_EQ(cell(words, 0, 1), QStringLiteral("さくら"));
    EXPECT_EQ(cell(words, 0, 2), QStringLiteral("3.000秒"));
    EXPECT_EQ(cell(words, 0, 3), QStringLiteral("4.000秒"));
    EXPECT_EQ(cell(words, 0, 4), QStringLiteral("3.000秒"));
    EXPECT_EQ(cell(words, 1, 3), QStringLiteral("8.000秒"));
    EXPECT_EQ(cell(words, 1, 5), QStringLiteral("3"));
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(cell(words, row, 6), QStringLiteral("★")) << "three words: all among the three slowest";
    }

    window.show();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(HistoryWindows, BattleAndOverallPages)
{
    makeMain();
    HistoryWindow window(main.get(), HistoryLoad{knownHistory(), 1, QString()}, module->puzzles, module->ranks, 0,
                         HistoryWindow::Kind::Battle, QDate(2026, 12, 9));
    EXPECT_EQ(window.single.page, nullptr);
    ASSERT_EQ(window.battle.ranks->rowCount(), 1);
    EXPECT_EQ(cell(window.battle.ranks, 0, 0), module->ranks.RankName[3]);
    EXPECT_EQ(cell(window.battle.ranks, 0, 2), QStringLiteral("1"));
    EXPECT_EQ(cell(window.battle.ranks, 0, 4), QStringLiteral("●"));
    ASSERT_EQ(window.battle.chart->series().size(), 1);
    EXPECT_EQ(points(window.battle.chart, module->ranks.RankName[3]), (QList<QPointF>{{1, -1}}));
    ASSERT_EQ(window.battle.cpuWords->rowCount(), 2);
    EXPECT_EQ(cell(window.battle.cpuWords, 0, 1), QStringLiteral("さかな"));

    auto* games = static_cast<QAbstractBarSeries*>(window.overall.gamesChart->series().at(0));
    ASSERT_EQ(games->barSets().at(0)->count(), 30);
    EXPECT_EQ(games->barSets().at(0)->at(29), 2) << "two games today";
    EXPECT_EQ(games->barSets().at(0)->at(28), 1);
    auto* minutes = static_cast<QAbstractBarSeries*>(window.overall.timeChart->series().at(0));
    EXPECT_DOUBLE_EQ(minutes->barSets().at(0)->at(29), 0.5) << "18 s and 9 s";
    EXPECT_TRUE(window.overall.summary->text().contains(QStringLiteral("全 4 ゲーム")));
    EXPECT_TRUE(window.overall.summary->text().contains(QStringLiteral("1分02秒")));
    EXPECT_TRUE(window.overall.summary->text().contains(QStringLiteral("1 件")));
    ASSERT_EQ(window.overall.improved->rowCount(), 1);
    EXPECT_EQ(cell(window.overall.improved, 0, 2), QStringLiteral("20.000秒"));
    EXPECT_EQ(cell(window.overall.improved, 0, 3), QStringLiteral("15.000秒"));

    HistoryWindow unreadable(main.get(), HistoryLoad{{}, 0, QStringLiteral("disk on fire")}, module->puzzles,
                             module->ranks, 5, HistoryWindow::Kind::Single, QDate(2026, 12, 9));
    EXPECT_TRUE(unreadable.single.summary->text().contains(QStringLiteral("disk on fire")));
    EXPECT_EQ(unreadable.single.words->item(0, 2)->text(), QStringLiteral("-"));
}

TEST_F(HistoryWindows, AFirstGameReadsWellAndEveryHeadingIsPlainText)
{
    makeMain();
    module->puzzles.PatternName[0] = QStringLiteral("<b>太字</b>"); // a hand-edited name stays text
    std::vector<PlayedGame> one = {knownHistory()[0]};
    one[0].playedAt = QDateTime(QDate(2026, 12, 9), QTime(9, 0));
    HistoryWindow window(main.get(), HistoryLoad{one, 0, QString()}, module->puzzles, module->ranks, 0,
                         HistoryWindow::Kind::Single, QDate(2026, 12, 9));
    // The single point stands clear of both axes.
    for (QAbstractAxis* axis : window.single.chart->axes()) {
        auto* values = static_cast<QValueAxis*>(axis);
        const QList<QPointF> at = points(window.single.chart, QStringLiteral("問題有"));
        ASSERT_EQ(at.size(), 1);
        const double v = axis->orientation() == Qt::Horizontal ? at[0].x() : at[0].y();
        EXPECT_LT(values->min(), v);
        EXPECT_GT(values->max(), v);
    }
    // A first month: nothing improved yet, and the page says so.
    EXPECT_EQ(window.overall.improved->rowCount(), 0);
    EXPECT_FALSE(window.overall.improvedNote->isHidden());
    EXPECT_FALSE(window.overall.improvedNote->text().isEmpty());
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
    }

    HistoryWindow empty(main.get(), HistoryLoad{}, module->puzzles, module->ranks, 0, HistoryWindow::Kind::Battle,
                        QDate(2026, 12, 9));
    EXPECT_TRUE(empty.overall.improvedNote->text().contains(QStringLiteral("まだゲームがありません")));
    EXPECT_TRUE(empty.battle.cpuWords->horizontalHeaderItem(1)->text().contains(QStringLiteral("５つまで")));
}

TEST_F(HistoryWindows, TheWeakPageShowsSlowAndMissedKanaAndAKeyboard)
{
    makeMain();
    HistoryWindow window(main.get(), HistoryLoad{typedHistory(), 0, QString()}, module->puzzles, module->ranks, 0,
                         HistoryWindow::Kind::Single, QDate(2026, 12, 9));
    const WeakPage& weak = window.weak;
    EXPECT_TRUE(weak.emptyNote->isHidden());
    EXPECT_TRUE(weak.recent->isChecked());
    EXPECT_TRUE(weak.summary->text().contains(QStringLiteral("5 語")));
    // Last 30 days: ら 600 ms after く (note: the missed t between), く 200 ms after さ.
    ASSERT_EQ(weak.slowest->rowCount(), 2) << "さ starts each word: never timed";
    EXPECT_EQ(cell(weak.slowest, 0, 0), QStringLiteral("ら"));
    EXPECT_EQ(cell(weak.slowest, 0, 1), QStringLiteral("0.600秒"));
    EXPECT_EQ(cell(weak.slowest, 0, 3), QStringLiteral("ra"));
    ASSERT_EQ(weak.missed->rowCount(), 1);
    EXPECT_EQ(cell(weak.missed, 0, 0), QStringLiteral("ら"));
    EXPECT_EQ(cell(weak.missed, 0, 1), QStringLiteral("40.0%"));

    // Every game: the old one's く took 2.1 s.
    weak.all->setChecked(true);
    EXPECT_TRUE(weak.summary->text().contains(QStringLiteral("6 語")));
    EXPECT_EQ(cell(weak.slowest, 0, 0), QStringLiteral("ら"));
    EXPECT_EQ(cell(weak.slowest, 1, 1), QStringLiteral("0.200秒")) << "2100 among five of 200";

    // The keyboard: t was pressed twice and missed twice, too seldom for a colour.
    const auto& caps = weak.keyboard->caps();
    auto cap = [&](const QString& label) {
        return *std::find_if(caps.begin(), caps.end(), [&](const KeyboardMap::Cap& c) { return c.label == label; });
    };
    EXPECT_EQ(cap(QStringLiteral("A")).figures.presses, 12);
    EXPECT_FALSE(weak.keyboard->heat(cap(QStringLiteral("T"))));
    EXPECT_TRUE(KeyboardMap::figuresText(cap(QStringLiteral("T"))).contains(QStringLiteral("2 回 ・ ミス 100.0%")));
    EXPECT_DOUBLE_EQ(*weak.keyboard->heat(cap(QStringLiteral("A"))), 0.0) << "never missed: the cool end";
    weak.bySpeed->setChecked(true);
    EXPECT_EQ(weak.keyboard->shade(), KeyboardMap::Shade::Speed);
    EXPECT_TRUE(weak.keyboard->heat(cap(QStringLiteral("U"))).has_value());
    EXPECT_TRUE(KeyboardMap::figuresText(cap(QStringLiteral("Tab"))).contains(QStringLiteral("使わない")));

    // The arrow keys walk the keyboard from the home row; hovering does the same.
    window.tabs->setCurrentWidget(weak.page);
    window.show();
    QApplication::setActiveWindow(&window);
    weak.keyboard->setFocus();
    QCoreApplication::processEvents();
    EXPECT_TRUE(weak.keyLine->text().startsWith(QStringLiteral("A："))) << weak.keyLine->text().toStdString();
    QTest::keyClick(weak.keyboard, Qt::Key_Right);
    EXPECT_TRUE(weak.keyLine->text().startsWith(QStringLiteral("S："))) << weak.keyLine->text().toStdString();
    QTest::keyClick(weak.keyboard, Qt::Key_Up);
    EXPECT_TRUE(weak.keyLine->text().startsWith(QStringLiteral("W："))) << weak.keyLine->text().toStdString();
    EXPECT_EQ(weak.keyLine->text(), weak.keyboard->accessibleDescription()) << "a screen reader hears it too";
    const double unit = std::min((weak.keyboard->width() - 2) / 15.0, (weak.keyboard->height() - 2) / 6.4);
    const QPoint overR(int(1 + 5.0 * unit), int(1 + 2.9 * unit)); // R: the fourth cap after Tab
    QTest::mouseMove(weak.keyboard, overR);
    EXPECT_TRUE(weak.keyLine->text().startsWith(QStringLiteral("R："))) << weak.keyLine->text().toStdString();
    EXPECT_TRUE(weak.keyLine->text().contains(QStringLiteral("6 回")));
}

TEST_F(HistoryWindows, TheWeakPageSaysWhyItIsEmpty)
{
    makeMain();
    HistoryWindow window(main.get(), HistoryLoad{knownHistory(), 0, QString()}, module->puzzles, module->ranks, 0,
                         HistoryWindow::Kind::Single, QDate(2026, 12, 9));
    EXPECT_FALSE(window.weak.emptyNote->isHidden());
    EXPECT_TRUE(window.weak.emptyNote->text().contains(QStringLiteral("ローマ字変換")));
    EXPECT_TRUE(window.weak.keyboard->isHidden() || !window.weak.keyboard->isVisibleTo(window.weak.page));
}

TEST_F(HistoryWindows, TheKeyboardTurnsThePagesAndReachesEveryTable)
{
    makeMain();
    HistoryWindow window(main.get(), HistoryLoad{knownHistory(), 0, QString()}, module->puzzles, module->ranks, 0,
                         HistoryWindow::Kind::Battle, QDate(2026, 12, 9));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tazumeki － 履歴 №00"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTabBar* pages = window.tabs->tabBar();
    EXPECT_EQ(window.focusWidget(), pages);
    auto key = [&](Qt::Key k) {
        QTest::keyClick(window.focusWidget(), k);
        return window.focusWidget();
    };
    // The page tabs, then the page's tables left to right.
    EXPECT_EQ(key(Qt::Key_Tab), window.battle.ranks);
    EXPECT_EQ(key(Qt::Key_Tab), window.battle.cpuWords);
    EXPECT_EQ(key(Qt::Key_Tab), pages);
    EXPECT_EQ(unnamedControls(&window), QStringList());
    key(Qt::Key_Right);
    EXPECT_EQ(window.tabs->currentIndex(), 1);
    EXPECT_EQ(key(Qt::Key_Tab), window.overall.improved);
    EXPECT_EQ(unnamedControls(&window), QStringList());
    key(Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}
