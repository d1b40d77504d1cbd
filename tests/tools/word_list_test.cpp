#include "word_list.h"

#include "platform/cp932.h"
#include "support/temp_dir.h"

#include <QRegularExpression>
#include <QStringEncoder>
#include <random>
#include <sys/stat.h>

namespace {

// One problem per bad line, in the form FILE:LINE: what.
QString problemsOf(const QString& text)
{
    return parseWordList(text.toUtf8(), QStringLiteral("w.tsv")).problems.join(u'\n');
}

std::vector<std::string> answers(const WordList& list)
{
    std::vector<std::string> out;
    for (const BankEntry& entry : list.bank.entries) {
        out.push_back(entry.answerText + "/" + entry.question + "/" + entry.tag + "/" + std::to_string(entry.line));
    }
    return out;
}

const QString kList = QStringLiteral("# A flashcard program's export: its header lines start with #\n"
                                     "#separator:tab\n"
                                     "\n"
                                     "ねこ\t「にゃあ」と鳴く動物\t動物\t猫\n"
                                     "コーヒー\tA dark, bitter drink that wakes you up\tfood\n"
                                     "DNA\t遺伝子の本体である物質\n"
                                     "  \t \n"
                                     "すし\t\"Rice with raw fish, sliced\"\t\t寿司\n");

} // namespace

TEST(WordList, ReadsEveryEncodingAndLineEndAlike)
{
    const std::vector<std::string> expected{"ねこ/「にゃあ」と鳴く動物/動物/4",
                                            "コーヒー/A dark, bitter drink that wakes you up/food/5",
                                            "DNA/遺伝子の本体である物質//6", "すし/Rice with raw fish, sliced//8"};
    QString crlf = kList;
    crlf.replace(u'\n', QStringLiteral("\r\n"));
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    const std::vector<std::pair<QByteArray, QString>> files{
        {kList.toUtf8(), QStringLiteral("UTF-8")},
        {"\xEF\xBB\xBF" + crlf.toUtf8(), QStringLiteral("UTF-8")},
        {*encodeCp932(kList), QStringLiteral("CP932")},
        {*encodeCp932(crlf), QStringLiteral("CP932")},
        {utf16(crlf), QStringLiteral("UTF-16")},
    };
    for (const auto& [bytes, encoding] : files) {
        const WordList list = parseWordList(bytes, QStringLiteral("w.tsv"));
        EXPECT_TRUE(list.ok()) << list.problems.join(u'\n').toStdString();
        EXPECT_EQ(list.encoding, encoding);
        EXPECT_EQ(answers(list), expected) << encoding.toStdString();
    }
    // A written form stands in for nothing more than the answer when missing.
    const WordList list = parseWordList(kList.toUtf8(), QStringLiteral("w.tsv"));
    EXPECT_EQ(list.bank.entries[0].written, U"猫");
    EXPECT_EQ(list.bank.entries[1].written, U"コーヒー");
    EXPECT_EQ(list.bank.entries[1].kana, U"こーひー");
}

TEST(WordList, SaysWhatIsWrongWithEachAnswer)
{
    const QString problems = problemsOf(QStringLiteral("\tclue\n"                  // 1
                                                       "ねこじゃらしぐさ\tclue\n"  // 2
                                                       "ね\tclue\n"                // 3
                                                       "ねこ猫\tclue\n"            // 4
                                                       "ｱｲｳ\tclue\n"               // 5
                                                       "ゴミばこ\tclue\n"          // 6
                                                       "ゔぃ\tclue\n"              // 7
                                                       "いぬ\tA pet that barks\n"  // 8
                                                       "イヌ\tA dog\n"             // 9
                                                       "いぬ\tAgain\n"));          // 10
    const QStringList expected{
        "w.tsv:1: the answer is empty",
        "w.tsv:2: the answer \"ねこじゃらしぐさ\" has 8 characters; at most 7 fit the board",
        "w.tsv:3: the answer \"ね\" has one character; a word of the board has two or more",
        "w.tsv:4: the answer \"ねこ猫\" holds the kanji \"猫\" (U+732B): write the answer in kana, and the usual "
        "written form in the fourth column",
        "w.tsv:5: the answer \"ｱｲｳ\" holds \"ｱ\" (U+FF71), which is neither kana nor a letter A to Z",
        "w.tsv:6: the answer \"ゴミばこ\" mixes hiragana, katakana or letters: a grid holds one script, so write the "
        "word in one",
        "w.tsv:7: the answer holds \"ゔ\" (U+3094), which a set cannot store: code page 932 has no such character",
        "w.tsv:9: the answer \"イヌ\" is already on line 8",
        "w.tsv:10: the answer \"いぬ\" is already on line 8",
    };
    EXPECT_EQ(problems, expected.join(u'\n'));
}

TEST(WordList, SaysWhatIsWrongWithEachClueAndLine)
{
    const QString tooLong = QStringLiteral("A long yellow fruit that monkeys love, peeled and eaten high in the trees "
                                           "of the jungle, ripe when its skin has brown spots all over it, sweet and "
                                           "soft, and sold in bunches at every greengrocer's");
    const QString problems = problemsOf(QStringLiteral("ばなな\t") + tooLong + u'\n'                   // 1
                                        + QStringLiteral("りんご\t") + QString(65, u'赤') + u'\n'      // 2
                                        + QStringLiteral("ねこ\t\n"                                    // 3
                                                         "ぶた\tIt says \"oink\"\n"                    // 4
                                                         "カフェ\tModern café\n"                       // 5
                                                         "うし\tIt says\x07 moo\n"                     // 6
                                                         "くま\tクマのプーさん\n"                      // 7
                                                         "DNA\tThe dna of a cell\n"                    // 8
                                                         "とら\tA big cat\tbig, striped and orange\n"  // 9
                                                         "さる\n"                                      // 10
                                                         "たこ,an octopus\n"                           // 11
                                                         "いか\tsquid\tsea\t烏賊\tmore\n"));           // 12
    // How many lines depends on the font's letters; that the box holds three does not.
    EXPECT_TRUE(problems.section(u'\n', 0, 0).contains(QRegularExpression(
        QStringLiteral("^w.tsv:1: the clue needs [4-9] lines of the question box, 3 fit: about \\d+ characters too long$"))))
        << problems.toStdString();
    const QStringList expected{
        "w.tsv:2: the clue needs 4 lines of the question box, 3 fit: about 5 characters too long",
        "w.tsv:3: the clue is empty",
        "w.tsv:4: the clue holds a double quote, which a set cannot store: use ' or 「」 instead",
        "w.tsv:5: the clue holds \"é\" (U+00E9), which a set cannot store: code page 932 has no such character",
        "w.tsv:6: the clue holds the control character U+0007",
        "w.tsv:7: the clue holds its own answer \"くま\"",
        "w.tsv:8: the clue holds its own answer \"DNA\"",
        "w.tsv:9: the tag \"big, striped and orange\" is too wide to name a pattern: shorten it",
        "w.tsv:10: no clue: a tab must follow the answer, then the clue",
        "w.tsv:11: no tab: the columns of a word list are separated by tabs, not commas",
        "w.tsv:12: 5 columns; a word list has four at most: answer, clue, tag, written form",
    };
    EXPECT_EQ(problems.section(u'\n', 1), expected.join(u'\n'));
}

TEST(WordList, RefusesWhatIsNoWordList)
{
    const auto problems = [](const QByteArray& bytes) {
        return parseWordList(bytes, QStringLiteral("w.tsv")).problems.join(u'\n').toStdString();
    };
    EXPECT_EQ(problems(QByteArray("ねこ\tcat\n") + QByteArray("\0\0x\n", 4)),
              "w.tsv:2: not a text file: the line holds NUL bytes");
    // Mostly UTF-8 with one Latin-1 byte: mended, not read as another code.
    EXPECT_EQ(problems(QStringLiteral("ねこ\tcat\nいぬ\tdog\n").toUtf8() + "caf\xE9\tcoffee\n"),
              "w.tsv:3: not valid UTF-8, though 2 other line(s) are: save the list again as UTF-8");
    // Bytes that are neither UTF-8 nor code page 932.
    EXPECT_EQ(problems("ok\tfine\n\x82\xA0\t\xFD\xFE\n"),
              "w.tsv:2: not a text file: the line is neither UTF-8 nor code page 932 (Shift_JIS)");
    EXPECT_EQ(problems(QByteArray("\xFF\xFE\x00\xD8", 4)), "w.tsv: not a text file: it begins as UTF-16 but does not read as it");
    EXPECT_EQ(problems("# only a comment\n\n"),
              "w.tsv: no words in it: each line holds an answer and its clue, separated by a tab");

    // Very many words are refused before any is read; very many problems are counted, not listed.
    EXPECT_EQ(problems(QByteArray("あ\tx\n").repeated(kMostWords + 1)),
              "w.tsv: 5001 words; a set is made from 5000 at most: split the list");
    const WordList bad = parseWordList(QByteArray("あ\tx\n").repeated(kMostWords), QStringLiteral("w.tsv"));
    EXPECT_EQ(bad.problems.size(), kMostListedProblems);
    EXPECT_EQ(bad.skippedProblems, 2 * kMostWords - 1 - kMostListedProblems); // short, and each a repeat but one
}

using WordListFile = TempDirTest;

TEST_F(WordListFile, ReadsOnlyAPlainFileOfBoundedSize)
{
    writeFile("list.tsv", QStringLiteral("ねこ\tcat\n").toUtf8());
    EXPECT_TRUE(readWordList(path("list.tsv")).ok());
    EXPECT_EQ(readWordList(path("none.tsv")).problems, QStringList{path("none.tsv") + QStringLiteral(": no such file")});
    EXPECT_TRUE(readWordList(dir.path()).problems.value(0).startsWith(dir.path() + QStringLiteral(": cannot read: ")));
    ASSERT_EQ(mkfifo(path("pipe").toLocal8Bit().constData(), 0600), 0);
    EXPECT_TRUE(readWordList(path("pipe")).problems.value(0).startsWith(path("pipe") + QStringLiteral(": cannot read: ")));
    writeFile("huge.tsv", QByteArray(kMostWordListBytes + 1, 'a'));
    EXPECT_EQ(readWordList(path("huge.tsv")).problems,
              QStringList{path("huge.tsv") + QStringLiteral(": larger than 16 MiB, which no word list is")});
}

TEST(WordList, DamagedListsGiveProblemsNeverACrash)
{
    // Bytes of a good list flipped, cut and stuffed with what breaks readers:
    // every result is either a clean list or problems that name the file.
    const QByteArray good = kList.toUtf8() + *encodeCp932(QStringLiteral("かめ\t甲羅を背負う\n"));
    const QByteArray nasty("\t\"\r\n\0#\xEF\xBB\xBF\xFF\xFE\x82", 12);
    std::mt19937 rng(5);
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes = good;
        for (int edit = 0; edit < 1 + static_cast<int>(rng() % 8) && !bytes.isEmpty(); ++edit) {
            const auto at = static_cast<qsizetype>(rng() % static_cast<std::uint32_t>(bytes.size()));
            switch (rng() % 3) {
            case 0:
                bytes[at] = static_cast<char>(rng());
                break;
            case 1:
                bytes.insert(at, nasty[static_cast<qsizetype>(rng() % nasty.size())]);
                break;
            default:
                bytes.truncate(at);
            }
        }
        const WordList list = parseWordList(bytes, QStringLiteral("w.tsv"));
        for (const QString& problem : list.problems) {
            EXPECT_TRUE(problem.startsWith(QStringLiteral("w.tsv"))) << problem.toStdString();
        }
        EXPECT_TRUE(!list.ok() || !list.bank.entries.empty());
    }
}
