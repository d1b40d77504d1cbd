#include "input/kana_composer.h"
#include "input/key_log.h"

#include <gtest/gtest.h>

namespace {

// A composer and its log, keys pressed 100 ms apart as the answer box does.
struct Typist {
    KeyLog log;
    KanaComposer composer;
    qint64 clock = 0;

    Typist() { composer.setLog(&log); }

    void keys(const QString& letters)
    {
        for (const QChar c : letters) {
            composer.type(c, log.press(clock += 100, QString(c)));
        }
    }
    void backspace()
    {
        log.press(clock += 100, QStringLiteral("Backspace"));
        composer.backspace();
    }
    void enter()
    {
        log.press(clock += 100, QStringLiteral("Enter"));
        composer.finishPendingN();
    }
    // "k:きゃ@0" per key: its kana and place, "!" when missed, "-" for none.
    QStringList summary() const
    {
        QStringList out;
        for (const KeyStroke& s : log.strokes()) {
            out.append(QStringLiteral("%1:%2@%3%4")
                           .arg(s.key, s.kana.isEmpty() ? QStringLiteral("-") : s.kana)
                           .arg(s.place)
                           .arg(s.missed ? QStringLiteral("!") : QString()));
        }
        return out;
    }
};

QStringList list(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* item : items) {
        out.append(QString::fromUtf8(item));
    }
    return out;
}

} // namespace

TEST(KeyLog, EachKeyLearnsTheMoraItMadeAndWhere)
{
    Typist t;
    t.keys(QStringLiteral("kyakka"));
    EXPECT_EQ(t.composer.text(), QStringLiteral("きゃっか"));
    EXPECT_EQ(t.summary(), list({"k:きゃ@0", "y:きゃ@0", "a:きゃ@0", "k:っ@1", "k:か@2", "a:か@2"}));
    // きゃ is one mora: its three keys share a number; っ and か have their own.
    const auto& s = t.log.strokes();
    EXPECT_EQ(s[0].mora, s[2].mora);
    EXPECT_NE(s[3].mora, s[4].mora);
    EXPECT_EQ(s[5].ms, 600);

    Typist tch;
    tch.keys(QStringLiteral("matcha"));
    EXPECT_EQ(tch.summary(), list({"m:ま@0", "a:ま@0", "t:っ@1", "c:ちゃ@2", "h:ちゃ@2", "a:ちゃ@2"}));
}

TEST(KeyLog, BackspaceMissesOnlyWhatItTookAway)
{
    // In the middle of a kana: the letter goes, the rest still makes it.
    Typist middle;
    middle.keys(QStringLiteral("ky"));
    middle.backspace();
    middle.keys(QStringLiteral("a"));
    EXPECT_EQ(middle.composer.text(), QStringLiteral("か"));
    EXPECT_EQ(middle.summary(), list({"k:か@0", "y:-@0!", "Backspace:-@-1", "a:か@0"}));

    // After a kana: all of its keys missed, the kana typed in its place stands there.
    Typist after;
    after.keys(QStringLiteral("kaku"));
    after.backspace();
    after.keys(QStringLiteral("ki"));
    EXPECT_EQ(after.composer.text(), QStringLiteral("かき"));
    EXPECT_EQ(after.summary(),
              list({"k:か@0", "a:か@0", "k:く@1!", "u:く@1!", "Backspace:-@-1", "k:き@1", "i:き@1"}));

    // きゃ loses its ゃ: the keys that made it are all missed, き stays without keys.
    Typist small;
    small.keys(QStringLiteral("kya"));
    small.backspace();
    EXPECT_EQ(small.composer.text(), QStringLiteral("き"));
    EXPECT_EQ(small.summary(), list({"k:きゃ@0!", "y:きゃ@0!", "a:きゃ@0!", "Backspace:-@-1"}));
}

TEST(KeyLog, TheLettersShownAsTypedGiveBackTheirKeys)
{
    Typist t;
    t.keys(QStringLiteral("kya"));
    t.composer.setKind(KanaKind::Latin); // F10
    t.log.press(t.clock += 100, QStringLiteral("F10"));
    t.backspace();
    EXPECT_EQ(t.composer.text(), QStringLiteral("ky"));
    t.keys(QStringLiteral("u"));
    t.composer.setKind(KanaKind::Hiragana);
    EXPECT_EQ(t.composer.text(), QStringLiteral("きゅ"));
    EXPECT_EQ(t.summary(), list({"k:きゅ@0", "y:きゅ@0", "a:きゃ@0!", "F10:-@-1", "Backspace:-@-1", "u:きゅ@0"}));
}

TEST(KeyLog, AWrongEnterMissesTheWholeAttemptButNotItsCorrections)
{
    Typist t;
    t.keys(QStringLiteral("kak"));
    t.backspace();
    t.keys(QStringLiteral("ki"));
    t.enter();
    t.log.rejectAttempt();
    t.composer.clear(); // the box empties
    t.keys(QStringLiteral("kaki"));
    EXPECT_EQ(t.summary(), list({"k:か@0!", "a:か@0!", "k:-@1!", "Backspace:-@-1", "k:き@1!", "i:き@1!", "Enter:-@-1",
                                 "k:か@0", "a:か@0", "k:き@1", "i:き@1"}));
    // A second rejection reaches back only to the first.
    t.log.rejectAttempt();
    EXPECT_TRUE(t.log.strokes()[7].missed);
    EXPECT_FALSE(t.log.strokes()[6].missed) << "an Enter is never itself the miss";
}

TEST(KeyLog, FunctionKeysSpaceAndAPendingNAtEnter)
{
    Typist t;
    t.keys(QStringLiteral("ka"));
    t.log.press(t.clock += 100, QStringLiteral("F7"));
    t.composer.setKind(KanaKind::Katakana);
    t.log.press(t.clock += 100, QStringLiteral("Space"));
    t.composer.toggleKatakana();
    t.keys(QStringLiteral("n"));
    t.enter();
    EXPECT_EQ(t.composer.text(), QStringLiteral("かん"));
    EXPECT_EQ(t.summary(), list({"k:か@0", "a:か@0", "F7:-@-1", "Space:-@-1", "n:ん@1", "Enter:-@-1"}));
}

TEST(KeyLog, ASelectionTypedOverMissesTheKeysUnderIt)
{
    Typist t;
    t.keys(QStringLiteral("sakana"));
    t.composer.undoShown(1, 3); // かな selected with the mouse
    EXPECT_EQ(t.summary(), list({"s:さ@0", "a:さ@0", "k:か@1!", "a:か@1!", "n:な@2!", "a:な@2!"}));
}

TEST(KeyLog, LettersWithoutTheConversionAndInputMethodCommits)
{
    KeyLog log;
    for (const char* key : {"d", "n", "x"}) {
        log.press(100, QString::fromLatin1(key));
    }
    log.press(200, QStringLiteral("Backspace"));
    log.undoLastTyped();
    log.commit(300, QStringLiteral("さくら"));
    log.undoLastTyped(); // a commit is no typed letter: x was already missed, n goes
    ASSERT_EQ(log.strokes().size(), 5u);
    EXPECT_FALSE(log.strokes()[0].missed);
    EXPECT_TRUE(log.strokes()[1].missed);
    EXPECT_TRUE(log.strokes()[2].missed);
    EXPECT_TRUE(log.strokes()[4].commit);
    EXPECT_FALSE(log.strokes()[4].missed);

    const std::vector<KeyStroke> taken = log.take();
    EXPECT_EQ(taken.size(), 5u);
    EXPECT_TRUE(log.strokes().empty());
    EXPECT_EQ(log.press(0, QStringLiteral("a")), 0) << "numbering starts again";
}

TEST(KeyLog, KeyNames)
{
    EXPECT_EQ(keyName(Qt::Key_A, QStringLiteral("A")), QStringLiteral("a"));
    EXPECT_EQ(keyName(Qt::Key_Minus, QStringLiteral("-")), QStringLiteral("-"));
    EXPECT_EQ(keyName(Qt::Key_Return, QStringLiteral("\r")), QStringLiteral("Enter"));
    EXPECT_EQ(keyName(Qt::Key_Backspace, QStringLiteral("\b")), QStringLiteral("Backspace"));
    EXPECT_EQ(keyName(Qt::Key_F8, QString()), QStringLiteral("F8"));
    EXPECT_EQ(keyName(Qt::Key_Space, QStringLiteral(" ")), QStringLiteral("Space"));
    EXPECT_TRUE(keyName(Qt::Key_Left, QString()).isEmpty());
    EXPECT_TRUE(keyName(Qt::Key_unknown, QStringLiteral("あ")).isEmpty()) << "a kana key is the input method's";
}
