#include "history/key_stats.h"
#include "history/stroke_blob.h"
#include "support/history_fakes.h"

#include <QCborArray>
#include <QCborValue>
#include <gtest/gtest.h>

namespace {

// かき, with こ typed first in き's place and taken back.
WordPlay kakiWithASlip()
{
    WordPlay word = wordPlay(0, QStringLiteral("かき"), 900);
    word.strokes = {keyStroke(100, "k", "か", 0, 0), keyStroke(200, "a", "か", 0, 0), keyStroke(300, "k", "こ", 1, 1, true),
                    keyStroke(400, "o", "こ", 1, 1, true), keyStroke(500, "Backspace"), keyStroke(600, "k", "き", 2, 1),
                    keyStroke(700, "i", "き", 2, 1), keyStroke(800, "Enter")};
    return word;
}

const KanaFigures* kana(const KeyStats& stats, const QString& name)
{
    for (const KanaFigures& f : stats.kana) {
        if (f.kana == name) {
            return &f;
        }
    }
    return nullptr;
}

const KeyFigures* keyFigures(const KeyStats& stats, const QString& name)
{
    for (const KeyFigures& f : stats.keys) {
        if (f.key == name) {
            return &f;
        }
    }
    return nullptr;
}

} // namespace

TEST(KeyStats, KanaTimesRunFromThePreviousKanaAndSlipsCountWhereTheyHappened)
{
    PlayedGame game = singleGame(0, QDateTime(QDate(2026, 12, 9), QTime(9, 0)), 900);
    game.words = {kakiWithASlip()};
    const KeyStats stats = keyStats({game});

    EXPECT_EQ(stats.words, 1);
    EXPECT_EQ(stats.strokes, 8);
    ASSERT_EQ(stats.kana.size(), 2u) << "こ never stood";
    const KanaFigures* ka = kana(stats, QStringLiteral("か"));
    const KanaFigures* ki = kana(stats, QStringLiteral("き"));
    ASSERT_TRUE(ka && ki);
    EXPECT_EQ(ka->count, 1);
    EXPECT_EQ(ka->timed, 0) << "the first kana holds the time spent reading the clue";
    EXPECT_FALSE(ka->medianMs);
    EXPECT_EQ(ka->missed, 0);
    EXPECT_EQ(ka->romaji, QStringLiteral("ka"));
    EXPECT_EQ(ki->medianMs, 500) << "from か's last key to き's, the slip included";
    EXPECT_EQ(ki->missed, 1) << "the slip was made in its place";
    EXPECT_DOUBLE_EQ(ki->missRate(), 1.0);

    const KeyFigures* k = keyFigures(stats, QStringLiteral("k"));
    ASSERT_TRUE(k);
    EXPECT_EQ(k->presses, 3);
    EXPECT_EQ(k->missed, 1);
    EXPECT_EQ(k->medianIntervalMs, 100);
    EXPECT_FALSE(keyFigures(stats, QStringLiteral("Enter"))->medianIntervalMs) << "no key followed it";
    EXPECT_EQ(keyFigures(stats, QStringLiteral("o"))->missed, 1);
}

TEST(KeyStats, MediansPeriodsAndInputMethodWords)
{
    const QDateTime lately(QDate(2026, 12, 9), QTime(9, 0));
    PlayedGame one = singleGame(0, lately, 900);
    one.words = {kakiWithASlip()};
    PlayedGame two = singleGame(0, lately, 900);
    WordPlay fast = wordPlay(0, QStringLiteral("かき"), 500);
    fast.strokes = {keyStroke(100, "k", "か", 0, 0), keyStroke(150, "a", "か", 0, 0), keyStroke(300, "k", "き", 1, 1),
                    keyStroke(450, "i", "き", 1, 1)};
    WordPlay typedElsewhere = wordPlay(1, QStringLiteral("ねこ"), 900);
    typedElsewhere.inputMethod = true;
    typedElsewhere.strokes = {keyStroke(800, "ねこ")};
    typedElsewhere.strokes[0].commit = true;
    two.words = {fast, typedElsewhere};
    PlayedGame old = singleGame(0, lately.addDays(-40), 900);
    WordPlay kya = wordPlay(0, QStringLiteral("きゃく"), 900);
    kya.strokes = {keyStroke(100, "k", "きゃ", 0, 0), keyStroke(200, "y", "きゃ", 0, 0), keyStroke(300, "a", "きゃ", 0, 0),
                   keyStroke(500, "k", "く", 1, 1), keyStroke(600, "u", "く", 1, 1)};
    old.words = {kya};

    const KeyStats all = keyStats({one, two, old});
    EXPECT_EQ(all.words, 3);
    EXPECT_EQ(all.inputMethodWords, 1);
    EXPECT_FALSE(keyFigures(all, QStringLiteral("ねこ"))) << "a commit is no key";
    EXPECT_EQ(kana(all, QStringLiteral("き"))->medianMs, 400) << "500 and 300";
    EXPECT_EQ(kana(all, QStringLiteral("き"))->count, 2);
    EXPECT_DOUBLE_EQ(kana(all, QStringLiteral("き"))->missRate(), 0.5);
    EXPECT_EQ(kana(all, QStringLiteral("きゃ"))->romaji, QStringLiteral("kya"));

    const KeyStats recent = keyStats({one, two, old}, QDate(2026, 11, 10));
    EXPECT_FALSE(kana(recent, QStringLiteral("きゃ"))) << "played before the period";
    EXPECT_EQ(recent.words, 2);

    EXPECT_TRUE(keyStats({}).empty());
}

TEST(KeyStats, TheSlowestAndMostMissedAreThoseSeenOftenEnough)
{
    KeyStats stats;
    auto add = [&](const char* name, int count, int missed, int timed, qint64 median) {
        KanaFigures f;
        f.kana = QString::fromUtf8(name);
        f.count = count;
        f.missed = missed;
        f.timed = timed;
        f.medianMs = median;
        stats.kana.push_back(f);
    };
    add("あ", 10, 1, 9, 200);
    add("ぬ", 2, 2, 2, 900); // too seldom for either list
    add("ふ", 6, 2, 6, 400);
    add("ぴゃ", 3, 1, 3, 400);
    add("ん", 20, 0, 20, 150);

    const std::vector<KanaFigures> slow = slowestKana(stats, 3);
    ASSERT_EQ(slow.size(), 3u);
    EXPECT_EQ(slow[0].kana, QStringLiteral("ふ")) << "a tie goes to the one seen more often";
    EXPECT_EQ(slow[1].kana, QStringLiteral("ぴゃ"));
    EXPECT_EQ(slow[2].kana, QStringLiteral("あ"));

    const std::vector<KanaFigures> missed = mostMissedKana(stats);
    ASSERT_EQ(missed.size(), 3u) << "never missed is not among the most missed";
    EXPECT_EQ(missed[0].kana, QStringLiteral("ふ")) << "1/3 ties 2/6; 6 seen wins";
    EXPECT_EQ(missed[1].kana, QStringLiteral("ぴゃ"));
    EXPECT_EQ(missed[2].kana, QStringLiteral("あ"));
}

TEST(KeyStats, TheResultLineCountsMissedKeysAndSaysWhenAnInputMethodTyped)
{
    PlayedGame game = singleGame(0, QDateTime(QDate(2026, 12, 9), QTime(9, 0)), 2000);
    game.words = {kakiWithASlip()};
    game.words[0].keys = 8;
    EXPECT_EQ(typingLine(game), QStringLiteral("毎分 240 打 ・ ミス 2"));
    game.words[0].inputMethod = true;
    EXPECT_EQ(typingLine(game), QStringLiteral("IME 入力のため打鍵数なし"));
    game.timeMs = 0;
    EXPECT_TRUE(typingLine(game).isEmpty());
}

TEST(StrokeBlob, RoundTripsAndRefusesWhatItDidNotWrite)
{
    std::vector<KeyStroke> strokes = kakiWithASlip().strokes;
    strokes.push_back(keyStroke(900, "きょうと"));
    strokes.back().commit = true;
    const QByteArray blob = strokesToBlob(strokes);
    const auto back = strokesFromBlob(blob);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), strokes.size());
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        EXPECT_EQ((*back)[i].ms, strokes[i].ms);
        EXPECT_EQ((*back)[i].key, strokes[i].key);
        EXPECT_EQ((*back)[i].kana, strokes[i].kana);
        EXPECT_EQ((*back)[i].mora, strokes[i].mora);
        EXPECT_EQ((*back)[i].place, strokes[i].place);
        EXPECT_EQ((*back)[i].missed, strokes[i].missed);
        EXPECT_EQ((*back)[i].commit, strokes[i].commit);
    }
    EXPECT_TRUE(strokesFromBlob(strokesToBlob({}))->empty());

    auto refused = [](const QByteArray& bytes) { return !strokesFromBlob(bytes).has_value(); };
    EXPECT_TRUE(refused(QByteArray()));
    EXPECT_TRUE(refused(blob.left(blob.size() - 3))) << "cut short";
    EXPECT_TRUE(refused(blob + QByteArray(1, 0))) << "something after it";
    EXPECT_TRUE(refused(QCborValue(QStringLiteral("keys")).toCbor()));
    EXPECT_TRUE(refused(QCborValue(QCborArray{QCborArray{1, QStringLiteral("k")}}).toCbor())) << "a stroke of two fields";
    EXPECT_TRUE(refused(QCborValue(QCborArray{QCborArray{-5, QStringLiteral("k"), QString(), -1, -1, 0}}).toCbor()));
    EXPECT_TRUE(refused(QCborValue(QCborArray{QCborArray{5, QStringLiteral("k"), QString(), -1, -1, 8}}).toCbor()));
    EXPECT_TRUE(refused(QCborValue(QCborArray{QCborArray{5, QString(300, u'k'), QString(), -1, -1, 0}}).toCbor()));
    // An array that claims a million strokes is refused before anything is read.
    EXPECT_TRUE(refused(QByteArray::fromHex("9a000f4240")));
}
