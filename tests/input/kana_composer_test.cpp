#include "input/kana_composer.h"
#include "input/romaji_table.h"
#include "support/fakes.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

// Types the keys one by one and finishes as Enter does.
QString typed(const QString& keys, bool finish = true)
{
    KanaComposer composer;
    for (const QChar key : keys) {
        composer.type(key);
    }
    if (finish) {
        composer.finishPendingN();
    }
    return composer.text();
}

struct Word {
    const char16_t* kana;
    std::vector<const char*> spellings;
};

// Hand-written: each word with every spelling a player may type for it.
const std::vector<Word> kHiraganaWords{
    {u"あさ", {"asa"}}, {u"いえ", {"ie", "yie"}}, {u"うみ", {"umi", "wumi", "whumi"}}, {u"えき", {"eki"}},
    {u"おと", {"oto"}}, {u"かさ", {"kasa", "casa"}}, {u"きく", {"kiku", "kicu", "kiqu"}},
    {u"くつ", {"kutu", "kutsu", "cutu", "qutsu"}}, {u"けむり", {"kemuri"}}, {u"こころ", {"kokoro", "cocoro"}},
    {u"さくら", {"sakura", "sacura"}}, {u"しお", {"sio", "shio", "cio"}}, {u"すし", {"susi", "sushi", "suci"}},
    {u"せかい", {"sekai", "cekai"}}, {u"そら", {"sora"}}, {u"たこ", {"tako"}}, {u"ちず", {"tizu", "chizu"}},
    {u"つき", {"tuki", "tsuki"}}, {u"てがみ", {"tegami"}}, {u"とり", {"tori"}}, {u"なす", {"nasu"}},
    {u"にじ", {"nizi", "niji"}}, {u"ぬの", {"nuno"}}, {u"ねこ", {"neko", "neco"}}, {u"のり", {"nori"}},
    {u"はな", {"hana"}}, {u"ひと", {"hito"}}, {u"ふね", {"hune", "fune"}}, {u"へや", {"heya"}},
    {u"ほし", {"hosi", "hoshi", "hoci"}}, {u"まめ", {"mame"}}, {u"みず", {"mizu"}}, {u"むし", {"musi", "mushi"}},
    {u"めだか", {"medaka"}}, {u"もも", {"momo"}}, {u"やま", {"yama"}}, {u"ゆき", {"yuki"}}, {u"よる", {"yoru"}},
    {u"りす", {"risu"}}, {u"るす", {"rusu"}}, {u"ろうそく", {"rousoku", "rousocu"}},
    {u"わたし", {"watasi", "watashi"}}, {u"てをあらう", {"tewoarau"}}, {u"ゐど", {"wyido"}}, {u"ゑ", {"wye"}},
    {u"あめ", {"ame"}}, {u"いぬ", {"inu", "yinu"}}, {u"うし", {"usi", "ushi", "wushi"}},
    {u"えんぴつ", {"enpitu", "ennpitsu", "en'pitsu", "exnpitu"}}, {u"おかし", {"okasi", "okashi"}},
    {u"かめ", {"kame"}}, {u"きつね", {"kitune", "kitsune"}}, {u"くま", {"kuma", "cuma", "quma"}},
    {u"けいと", {"keito"}}, {u"こめ", {"kome", "come"}}, {u"さる", {"saru"}}, {u"しか", {"sika", "shika", "cika"}},
    {u"すずめ", {"suzume"}}, {u"せみ", {"semi", "cemi"}}, {u"そば", {"soba"}}, {u"たぬき", {"tanuki"}},
    {u"ちから", {"tikara", "chikara"}}, {u"つくえ", {"tukue", "tsukue", "tsucue"}}, {u"てら", {"tera"}},
    {u"とけい", {"tokei"}}, {u"なつ", {"natu", "natsu"}}, {u"にわ", {"niwa"}}, {u"ぬりえ", {"nurie"}},
    {u"ねずみ", {"nezumi"}}, {u"のはら", {"nohara"}}, {u"はと", {"hato"}}, {u"ひつじ", {"hituzi", "hitsuji"}},
    {u"ふじ", {"huzi", "fuji"}}, {u"へび", {"hebi"}}, {u"ほね", {"hone"}}, {u"まど", {"mado"}},
    {u"みかん", {"mikan", "mikann", "mikan'", "mikaxn"}}, {u"むら", {"mura"}}, {u"めがね", {"megane"}},
    {u"もり", {"mori"}}, {u"やね", {"yane"}}, {u"ゆめ", {"yume"}}, {u"よこ", {"yoko", "yoco"}},
    {u"らくだ", {"rakuda"}}, {u"りんご", {"ringo", "rinngo"}}, {u"るい", {"rui"}}, {u"れもん", {"remon", "remonn"}},
    {u"ろば", {"roba"}}, {u"わに", {"wani"}}, {u"れんこん", {"renkon", "rennkonn", "ren'kon'", "rexnkoxn"}},
    // Voiced and semi-voiced rows.
    {u"がっこう", {"gakkou", "gaccou", "galtukou", "gaxtsukou", "gaxtukou", "galtsukou"}},
    {u"ぎんこう", {"ginkou", "ginnkou"}}, {u"ぐんて", {"gunte", "gunnte"}}, {u"げた", {"geta"}},
    {u"ごはん", {"gohan", "gohann"}}, {u"ざる", {"zaru"}}, {u"じかん", {"zikan", "jikan", "jikann"}},
    {u"ずかん", {"zukan"}}, {u"ぜんぶ", {"zenbu", "zennbu"}}, {u"ぞう", {"zou"}}, {u"だんご", {"dango", "danngo"}},
    {u"はなぢ", {"hanadi"}}, {u"つづく", {"tuduku", "tsuduku"}}, {u"でんわ", {"denwa", "dennwa"}},
    {u"どうぐ", {"dougu"}}, {u"ばら", {"bara"}}, {u"びん", {"bin", "binn"}}, {u"ぶた", {"buta"}},
    {u"べんとう", {"bentou", "benntou"}}, {u"ぼうし", {"bousi", "boushi", "bouci"}}, {u"ぱん", {"pan", "pann"}},
    {u"ぴあの", {"piano"}}, {u"ぷりん", {"purin"}}, {u"ぺん", {"pen"}}, {u"ぽすと", {"posuto"}},
    {u"てんぷら", {"tenpura", "tennpura"}}, {u"さんぽ", {"sanpo"}}, {u"しんぶん", {"sinbun", "shinnbunn"}},
    // Yōon.
    {u"きゃく", {"kyaku", "kixyaku", "kilyaku"}}, {u"きゅうり", {"kyuuri", "kixyuuri", "kilyuuri"}},
    {u"きょう", {"kyou", "kixyou", "kilyou"}}, {u"ぎゃく", {"gyaku"}}, {u"ぎゅうにゅう", {"gyuunyuu"}},
    {u"ぎょうざ", {"gyouza"}}, {u"しゃしん", {"syasin", "shashin", "shixyashinn"}},
    {u"しゅくだい", {"syukudai", "shukudai"}}, {u"しょうゆ", {"syouyu", "shouyu"}},
    {u"じゃま", {"jama", "jyama", "zyama", "jixyama"}}, {u"じゅく", {"juku", "jyuku", "zyuku"}},
    {u"じょうず", {"jouzu", "jyouzu", "zyouzu"}}, {u"ちゃわん", {"chawan", "cyawan", "tyawan", "tixyawann"}},
    {u"ちゅうい", {"chuui", "cyuui", "tyuui"}}, {u"ちょきん", {"chokin", "cyokin", "tyokin"}},
    {u"こんにゃく", {"konnnyaku", "konnnixyaku", "kon'nyaku"}}, {u"にゅうがく", {"nyuugaku"}},
    {u"にょろにょろ", {"nyoronyoro"}}, {u"ひゃく", {"hyaku"}}, {u"ひゅう", {"hyuu"}}, {u"ひょう", {"hyou"}},
    {u"びゃくや", {"byakuya"}}, {u"びょういん", {"byouin"}}, {u"ぴょん", {"pyon", "pyonn"}}, {u"ぴゅう", {"pyuu"}},
    {u"みゃく", {"myaku"}}, {u"みょうじ", {"myouzi", "myouji"}}, {u"りゃく", {"ryaku"}}, {u"りゅう", {"ryuu"}},
    {u"りょこう", {"ryokou"}}, {u"びゅう", {"byuu"}}, {u"ぢゃ", {"dya"}}, {u"ぢゅ", {"dyu"}},
    {u"きぃ", {"kyi"}}, {u"しぇ", {"she", "sye"}}, {u"じぇ", {"je", "jye", "zye"}}, {u"ちぇ", {"che", "cye", "tye"}},
    {u"ぎぇ", {"gye"}}, {u"ぴぇ", {"pye"}}, {u"みぃ", {"myi"}}, {u"りぇ", {"rye"}}, {u"ひぃ", {"hyi"}},
    {u"にぇ", {"nye"}}, {u"びぃ", {"byi"}}, {u"ぢぇ", {"dye"}},
    // Doubled consonants.
    {u"いっしょ", {"issyo", "issho", "ixtusyo", "iltsusho"}}, {u"まっちゃ", {"maccha", "mattya", "maltucha", "maccya"}},
    {u"きって", {"kitte"}}, {u"さっか", {"sakka", "sacca"}}, {u"ざっし", {"zassi", "zasshi", "zacci"}},
    {u"はっぱ", {"happa"}}, {u"けっこん", {"kekkon"}}, {u"がっき", {"gakki"}}, {u"ぐっすり", {"gussuri"}},
    {u"こっぷ", {"koppu"}}, {u"やっぱり", {"yappari"}}, {u"ほっと", {"hotto"}}, {u"みっつ", {"mittu", "mittsu"}},
    {u"よっか", {"yokka"}}, {u"ぜったい", {"zettai"}}, {u"にっき", {"nikki"}}, {u"だっこ", {"dakko"}},
    {u"べっど", {"beddo"}}, {u"じっけん", {"jikken", "zikken"}}, {u"ぶっふぇ", {"buffe"}}, {u"ざっじ", {"zajji", "zazzi"}},
    {u"わっわ", {"wawwa"}}, {u"かっよ", {"kayyo"}}, {u"しゃっむ", {"shammu"}}, {u"ぶっぶ", {"bubbu"}},
    {u"ろっる", {"rorru"}}, {u"ゔっゔ", {"vuvvu"}}, {u"きっくぁ", {"kiqqa", "kikkwa"}},
    // Sounds of loanwords.
    {u"ふぁいる", {"fairu", "huxairu", "hwairu", "fwairu"}}, {u"てぃっしゅ", {"thissyu", "thisshu", "texissyu"}},
    {u"でぃすく", {"dhisuku", "dexisuku"}}, {u"ちぇっく", {"chekku", "cyekku", "tyekku"}},
    {u"しぇふ", {"shefu", "syehu"}}, {u"じぇっと", {"jetto", "zyetto", "jyetto"}}, {u"いぇい", {"yei", "ixei"}},
    {u"うぃんく", {"winku", "whinnku", "uxinku"}}, {u"うぇぶ", {"webu", "whebu", "ulebu"}},
    {u"うぉっか", {"whokka", "uxokka"}}, {u"うぁ", {"wha"}}, {u"くぁ", {"kwa", "qa", "qwa"}}, {u"くぃ", {"qi", "kwi"}},
    {u"くぇ", {"qe", "kwe"}}, {u"くぉ", {"qo", "kwo"}}, {u"ぐぁ", {"gwa"}}, {u"すぃ", {"swi"}},
    {u"ふぃ", {"fi", "fyi", "hwi"}}, {u"ふぇ", {"fe", "fye", "hwe"}}, {u"ふぉ", {"fo", "hwo"}},
    {u"ふゃ", {"fya"}}, {u"ふゅ", {"fyu"}}, {u"ふょ", {"fyo"}}, {u"てゅ", {"thu"}}, {u"でゅえっと", {"dhuetto"}},
    {u"とぅ", {"twu"}}, {u"どぅ", {"dwu"}}, {u"つぁ", {"tsa"}}, {u"つぃ", {"tsi"}}, {u"つぇ", {"tse"}},
    {u"つぉ", {"tso"}}, {u"ゔ", {"vu"}}, {u"ゔぁいおりん", {"vaiorin"}}, {u"ゔぃ", {"vi"}}, {u"ゔぇ", {"ve"}},
    {u"ゔぉ", {"vo"}},
    // Small kana with x and l.
    {u"ぁぃぅぇぉ", {"xaxixuxexo", "lalilulelo"}}, {u"ゃゅょ", {"xyaxyuxyo", "lyalyulyo"}},
    {u"っ", {"xtu", "ltu", "xtsu", "ltsu"}}, {u"ゎ", {"xwa", "lwa"}}, {u"ゕゖ", {"xkaxke", "lkalke"}},
    // The long mark and punctuation.
    {u"らーめん", {"ra-men"}}, {u"ねえ、そうだね。", {"nee,soudane."}}, {u"「ほん」", {"[honn]"}},
    {u"あ・い", {"a/i"}}, {u"あ～", {"a~"}}, {u"１２！？", {"12!?"}},
    // How n is read.
    {u"おんな", {"onnna", "on'na"}}, {u"おんあ", {"onna"}}, {u"かんい", {"kan'i", "kanni"}}, {u"かに", {"kani"}},
    {u"ほんや", {"honnya", "hon'ya"}}, {u"ほにゃ", {"honya"}}, {u"きんようび", {"kinnyoubi", "kin'youbi"}},
    {u"さんま", {"sanma"}}, {u"ん", {"n", "nn", "n'", "xn"}}, {u"んー", {"n-"}},
};

// Katakana answers: the same romaji, then Space.
const std::vector<Word> kKatakanaWords{
    {u"カメラ", {"kamera"}}, {u"ピアノ", {"piano"}}, {u"ラーメン", {"ra-men", "ra-menn"}},
    {u"コーヒー", {"ko-hi-"}}, {u"チョコレート", {"chokore-to", "tyokore-to"}}, {u"シャツ", {"shatu", "syatsu"}},
    {u"ジャム", {"jamu", "zyamu"}}, {u"ファイル", {"fairu"}}, {u"ティッシュ", {"thisshu"}},
    {u"ディスク", {"dhisuku"}}, {u"チェック", {"chekku"}}, {u"ヴァイオリン", {"vaiorinn"}},
    {u"ウィンドウ", {"windou"}}, {u"ウェブ", {"webu"}}, {u"ウォッカ", {"whokka"}}, {u"パーティー", {"pa-thi-"}},
    {u"ソファ", {"sofa"}}, {u"フィルム", {"firumu"}}, {u"フェリー", {"feri-"}}, {u"フォーク", {"fo-ku"}},
    {u"ミュージック", {"myu-jikku"}}, {u"ニュース", {"nyu-su"}}, {u"ビュッフェ", {"byuffe"}},
    {u"ジェット", {"jetto"}}, {u"シェフ", {"shefu"}}, {u"デュエット", {"dhuetto"}}, {u"イェ", {"ye"}},
    {u"ヴ", {"vu"}}, {u"ヵヶ", {"xkaxke"}}, {u"ァィゥェォ", {"xaxixuxexo"}}, {u"ャュョッ", {"xyaxyuxyoxtu"}},
    {u"ギター", {"gita-"}}, {u"ズボン", {"zubon"}}, {u"ダンス", {"dansu"}}, {u"ベンチ", {"benchi"}},
};

} // namespace

TEST(KanaComposer, EveryAcceptedSpellingOfAHiraganaWord)
{
    ASSERT_GE(kHiraganaWords.size() + kKatakanaWords.size(), 150u);
    for (const Word& word : kHiraganaWords) {
        for (const char* spelling : word.spellings) {
            EXPECT_EQ(typed(QString::fromLatin1(spelling)), QString::fromUtf16(word.kana)) << spelling;
        }
    }
}

TEST(KanaComposer, SpaceTurnsTheWholeBoxIntoKatakana)
{
    for (const Word& word : kKatakanaWords) {
        for (const char* spelling : word.spellings) {
            KanaComposer composer;
            for (const QChar key : QString::fromLatin1(spelling)) {
                composer.type(key);
            }
            composer.finishPendingN();
            composer.toggleKatakana();
            EXPECT_EQ(composer.text(), QString::fromUtf16(word.kana)) << spelling;
        }
    }
}

TEST(KanaComposer, TheTableIsConsistent)
{
    QSet<QString> keys;
    for (const RomajiRule& rule : romajiRules()) {
        const QString key = QString::fromLatin1(rule.romaji);
        EXPECT_FALSE(keys.contains(key)) << rule.romaji << " twice";
        keys.insert(key);
        EXPECT_EQ(key, key.toLower()) << rule.romaji;
        EXPECT_FALSE(QString::fromUtf16(rule.kana).isEmpty()) << rule.romaji;
    }
    // A key that is also the start of a longer one could never be reached.
    for (const QString& key : keys) {
        for (const QString& other : keys) {
            EXPECT_FALSE(other != key && other.startsWith(key)) << qPrintable(key) << " hides " << qPrintable(other);
        }
    }
}

TEST(KanaComposer, PendingLettersShowAfterTheKanaUntilTheyConvert)
{
    KanaComposer composer;
    for (const QChar key : QStringLiteral("sak")) {
        composer.type(key);
    }
    EXPECT_EQ(composer.converted(), QStringLiteral("さ"));
    EXPECT_EQ(composer.pending(), QStringLiteral("k"));
    EXPECT_EQ(composer.text(), QStringLiteral("さk"));
    composer.type(u'y');
    EXPECT_EQ(composer.text(), QStringLiteral("さky"));
    composer.type(u'o');
    EXPECT_EQ(composer.text(), QStringLiteral("さきょ"));
    EXPECT_TRUE(composer.pending().isEmpty());

    // Letters that start nothing stay letters; the next key starts afresh.
    EXPECT_EQ(typed(QStringLiteral("kqa")), QStringLiteral("kくぁ"));
    EXPECT_EQ(typed(QStringLiteral("bc")), QStringLiteral("bc"));
    // Enter leaves pending letters other than a lone n as they are.
    EXPECT_EQ(typed(QStringLiteral("sakur")), QStringLiteral("さくr"));
    EXPECT_EQ(typed(QStringLiteral("hon"), false), QStringLiteral("ほn"));
    EXPECT_EQ(typed(QStringLiteral("hon")), QStringLiteral("ほん"));
    EXPECT_EQ(typed(QStringLiteral("ny")), QStringLiteral("ny"));
}

TEST(KanaComposer, BackspaceTakesAPendingLetterElseTheLastKana)
{
    KanaComposer composer;
    for (const QChar key : QStringLiteral("kyaky")) {
        composer.type(key);
    }
    EXPECT_EQ(composer.text(), QStringLiteral("きゃky"));
    composer.backspace();
    EXPECT_EQ(composer.text(), QStringLiteral("きゃk"));
    composer.backspace();
    EXPECT_EQ(composer.text(), QStringLiteral("きゃ"));
    composer.backspace(); // one character of the two that kya made
    EXPECT_EQ(composer.text(), QStringLiteral("き"));
    composer.type(u'a');
    EXPECT_EQ(composer.text(), QStringLiteral("きあ"));
    composer.backspace();
    composer.backspace();
    EXPECT_TRUE(composer.isEmpty());
    composer.backspace(); // nothing left: nothing happens
    EXPECT_TRUE(composer.text().isEmpty());

    // After F10 the box shows letters, and a letter goes.
    for (const QChar key : QStringLiteral("kyo")) {
        composer.type(key);
    }
    composer.setKind(KanaKind::Latin);
    composer.backspace();
    EXPECT_EQ(composer.text(), QStringLiteral("ky"));
}

TEST(KanaComposer, KindKeysApplyToTheWholeBox)
{
    KanaComposer composer;
    for (const QChar key : QStringLiteral("GakKou")) {
        composer.type(key);
    }
    EXPECT_EQ(composer.text(), QStringLiteral("がっこう"));
    composer.setKind(KanaKind::Katakana);
    EXPECT_EQ(composer.text(), QStringLiteral("ガッコウ"));
    composer.setKind(KanaKind::HalfKatakana);
    EXPECT_EQ(composer.text(), QStringLiteral("ｶﾞｯｺｳ"));
    composer.setKind(KanaKind::Latin);
    EXPECT_EQ(composer.text(), QStringLiteral("GakKou")); // as typed, capitals kept
    composer.setKind(KanaKind::Hiragana);
    EXPECT_EQ(composer.text(), QStringLiteral("がっこう"));

    // Typing goes on in the kind chosen.
    composer.toggleKatakana();
    for (const QChar key : QStringLiteral("pa-")) {
        composer.type(key);
    }
    EXPECT_EQ(composer.text(), QStringLiteral("ガッコウパー"));
    composer.toggleKatakana();
    EXPECT_EQ(composer.text(), QStringLiteral("がっこうぱー"));

    composer.clear();
    for (const QChar key : QStringLiteral("vu,pon.[ha]")) {
        composer.type(key);
    }
    composer.setKind(KanaKind::HalfKatakana);
    EXPECT_EQ(composer.text(), QStringLiteral("ｳﾞ､ﾎﾟﾝ｡｢ﾊ｣"));
    composer.clear();
    EXPECT_EQ(composer.kind(), KanaKind::Hiragana);
}

TEST(KanaComposer, CapitalsConvertAsSmallLetters)
{
    EXPECT_EQ(typed(QStringLiteral("SAKURA")), QStringLiteral("さくら"));
    EXPECT_EQ(typed(QStringLiteral("ShInKaNsEn")), QStringLiteral("しんかんせん"));
    EXPECT_EQ(typed(QStringLiteral("KKA")), QStringLiteral("っか"));
    EXPECT_EQ(typed(QStringLiteral("N")), QStringLiteral("ん"));
}

TEST(KanaComposer, TextFromAnInputMethodStaysAsItIs)
{
    KanaComposer composer;
    composer.type(u'k');
    composer.appendLiteral(QStringLiteral("さくら"));
    EXPECT_EQ(composer.text(), QStringLiteral("kさくら"));
    composer.type(u'n');
    composer.type(u'o');
    EXPECT_EQ(composer.text(), QStringLiteral("kさくらの"));
    composer.backspace();
    composer.backspace();
    EXPECT_EQ(composer.text(), QStringLiteral("kさく"));
}

TEST(KanaComposer, SpellingsTheCurrentInputMethodsAccept)
{
    EXPECT_EQ(typed(QStringLiteral("matcha")), QStringLiteral("まっちゃ"));
    EXPECT_EQ(typed(QStringLiteral("kotchi")), QStringLiteral("こっち"));
    EXPECT_EQ(typed(QStringLiteral("Matcha")), QStringLiteral("まっちゃ"));
    EXPECT_EQ(typed(QStringLiteral("t'i")), QStringLiteral("てぃ"));
    EXPECT_EQ(typed(QStringLiteral("t'u")), QStringLiteral("とぅ"));
    EXPECT_EQ(typed(QStringLiteral("d'i")), QStringLiteral("でぃ"));
    EXPECT_EQ(typed(QStringLiteral("d'u")), QStringLiteral("どぅ"));
    EXPECT_EQ(typed(QStringLiteral("t'yu")), QStringLiteral("てゅ"));
    EXPECT_EQ(typed(QStringLiteral("d'yu")), QStringLiteral("でゅ"));
    EXPECT_EQ(typed(QStringLiteral("zwazwizwuzwezwo")), QStringLiteral("ずぁずぃずぅずぇずぉ"));
    EXPECT_EQ(typed(QStringLiteral("hwyu")), QStringLiteral("ふゅ"));
    // A t that no ch follows stays what it was.
    EXPECT_EQ(typed(QStringLiteral("tca")), QStringLiteral("tか"));
    EXPECT_EQ(typed(QStringLiteral("tc"), false), QStringLiteral("tc"));
}

TEST(KanaComposer, TypingAndBackspaceActAtTheCaret)
{
    KanaComposer composer;
    for (const QChar key : QStringLiteral("sakura")) {
        composer.type(key);
    }
    composer.moveCaret(-2); // between さ and く
    EXPECT_EQ(composer.caret(), 1);
    for (const QChar key : QStringLiteral("ky")) {
        composer.type(key);
    }
    EXPECT_EQ(composer.text(), QStringLiteral("さkyくら"));
    EXPECT_EQ(composer.caret(), 3); // after the pending letters
    composer.type(u'o');
    EXPECT_EQ(composer.text(), QStringLiteral("さきょくら"));
    composer.backspace(); // before the caret: one of the two that kyo made
    EXPECT_EQ(composer.text(), QStringLiteral("さきくら"));
    composer.caretHome();
    composer.backspace(); // nothing before the caret
    EXPECT_EQ(composer.text(), QStringLiteral("さきくら"));
    composer.type(u'a');
    EXPECT_EQ(composer.text(), QStringLiteral("あさきくら"));
    composer.caretEnd();
    composer.type(u'n');
    composer.finishPendingN();
    EXPECT_EQ(composer.text(), QStringLiteral("あさきくらん"));

    // The caret moves by characters, also through きゃ; letters left pending stay letters.
    composer.clear();
    for (const QChar key : QStringLiteral("kyat")) {
        composer.type(key);
    }
    composer.moveCaret(-2);
    EXPECT_EQ(composer.text(), QStringLiteral("きゃt"));
    EXPECT_EQ(composer.caret(), 1);
    composer.type(u'i');
    EXPECT_EQ(composer.text(), QStringLiteral("きいゃt"));
}

TEST(KanaComposer, LettersShownAsTypedCanStillBecomeKana)
{
    // kya, F10, Backspace, F6, o: きょ, as an input method gives.
    KanaComposer composer;
    for (const QChar key : QStringLiteral("kya")) {
        composer.type(key);
    }
    composer.setKind(KanaKind::Latin);
    composer.backspace();
    EXPECT_EQ(composer.text(), QStringLiteral("ky"));
    composer.setKind(KanaKind::Hiragana);
    composer.type(u'o');
    EXPECT_EQ(composer.text(), QStringLiteral("きょ"));

    // A game that ends drops what still waits.
    composer.type(u'c');
    composer.type(u'h');
    EXPECT_EQ(composer.converted(), QStringLiteral("きょ"));
    EXPECT_EQ(composer.text(), QStringLiteral("きょch"));
}

TEST(KanaKinds, TheScriptAWrongAnswerWanted)
{
    EXPECT_EQ(otherScriptOf(QStringLiteral("どれす"), QStringLiteral("ドレス")), KanaKind::Katakana);
    EXPECT_EQ(otherScriptOf(QStringLiteral("ｻｸﾗ"), QStringLiteral("さくら")), KanaKind::Hiragana);
    EXPECT_EQ(otherScriptOf(QStringLiteral("サクラ"), QStringLiteral("ｻｸﾗ")), KanaKind::HalfKatakana);
    EXPECT_EQ(otherScriptOf(QStringLiteral("さくら"), QStringLiteral("さくら")), std::nullopt);
    EXPECT_EQ(otherScriptOf(QStringLiteral("さかな"), QStringLiteral("さくら")), std::nullopt);
    EXPECT_EQ(otherScriptOf(QStringLiteral("ａｂｃ"), QStringLiteral("ABC")), std::nullopt); // not kana
    EXPECT_EQ(toHiragana(QStringLiteral("ドレスー")), QStringLiteral("どれすー"));
}
