#include "platform/files.h"
#include "store/gsx_seq.h"
#include "store/line_file.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

#include <QFile>
#include <random>

TEST(TextLines, LineEndsAndTheFinalLineEnd)
{
    EXPECT_EQ(textToLines(QStringLiteral("a\r\nb\r\n")), (QStringList{"a", "b"}));
    EXPECT_EQ(textToLines(QStringLiteral("a\r\n\r\nb")), (QStringList{"a", "", "b"}));
    EXPECT_EQ(textToLines(QStringLiteral("a\nb\rc")), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(textToLines(QString()), QStringList());
    EXPECT_EQ(textToLines(QStringLiteral("\r\n")), QStringList{QString()});
    EXPECT_EQ(linesToText({QStringLiteral("あ"), QString()}), QByteArray("\x82\xA0\r\n\r\n"));
}

using LineFile = TempDirTest;

TEST_F(LineFile, DamagedContainerKeepsTheLinesBeforeTheDamage)
{
    StdRandom random(1);
    GsxSeq seq(random);
    const auto data = packData(seq, {QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
    ASSERT_TRUE(data.has_value());
    // Cut inside the third record.
    const UnpackResult result = unpackData(seq, data->left(data->size() - 4));
    EXPECT_EQ(result.status, UnpackResult::Status::Damaged);
    EXPECT_EQ(result.lines, (QStringList{"one", "two"}));
    EXPECT_FALSE(result.error.isEmpty());
}

TEST_F(LineFile, MissingFileIsNotAnError)
{
    StdRandom random(1);
    GsxSeq seq(random);
    const UnpackResult result = unpackLines(seq, path("data1.dat"));
    EXPECT_EQ(result.status, UnpackResult::Status::Missing);
    EXPECT_TRUE(result.lines.isEmpty());
}

TEST_F(LineFile, TextFormRoundTripsThroughAContainer)
{
    StdRandom random(7);
    GsxSeq seq(random);
    writeFile("word.txt", linesToText({QStringLiteral("0,1,0,0,0,\"名前\",\"\""), QString(), QStringLiteral("～")}));
    QString error;
    ASSERT_TRUE(PackFromText(seq, path("word.txt"), path("data2.dat"), &error)) << error.toStdString();
    const UnpackResult result = UnpackToText(seq, path("data2.dat"), path("back.txt"));
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(readFile("back.txt"), readFile("word.txt"));
}

TEST_F(LineFile, EmptyContainerUnpacksToAnEmptyTextFile)
{
    StdRandom random(7);
    GsxSeq seq(random);
    ASSERT_TRUE(packLines(seq, {}, path("data1.dat")));
    EXPECT_EQ(readFile("data1.dat").size(), 1038);
    EXPECT_TRUE(UnpackToText(seq, path("data1.dat"), path("user.txt")).ok());
    EXPECT_TRUE(fileExists(path("user.txt")));
    EXPECT_EQ(readFile("user.txt"), QByteArray());
}

TEST_F(LineFile, AFailedPackLeavesTheOldContainer)
{
    StdRandom random(7);
    GsxSeq seq(random);
    ASSERT_TRUE(packLines(seq, {QStringLiteral("old")}, path("data1.dat")));
    const QByteArray before = readFile("data1.dat");
    QString error;
    EXPECT_FALSE(packLines(seq, {QStringLiteral("new"), QStringLiteral("😀")}, path("data1.dat"), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("line 2:"))) << error.toStdString();
    EXPECT_EQ(readFile("data1.dat"), before);
}

namespace {

// Code page 932 text of every kind the copies meet: ASCII and kana, line ends
// of all three forms, second spellings of characters (NEC-selected IBM
// extensions, the NEC row 13 duplicates), bad bytes, and now and then a line
// too long for a record.
QByteArray mixedCp932(std::mt19937& engine)
{
    static const QList<QByteArray> pieces = {
        "abc", ",", "\"", " ", "\r\n", "\n", "\r", "\x82\xA0", "\xB1", "\x87\x40", "\x81\x60",
        "\xED\x40", "\x87\x9A", "\xFA\x5C", "\x81\xE6", "\x81\x20", "\xFF", "\x82",
    };
    QByteArray text;
    const int count = std::uniform_int_distribution<int>(0, 40)(engine);
    for (int i = 0; i < count; ++i) {
        text += pieces[std::uniform_int_distribution<qsizetype>(0, pieces.size() - 1)(engine)];
    }
    if (std::uniform_int_distribution<int>(0, 30)(engine) == 0) {
        text += QByteArray(GsxSeq::kMaxLineBytes + 1, 'x');
    }
    return text;
}

} // namespace

// The copies store and give back exactly what converting line by line does:
// the same container bytes, the same text file, the same status and errors.
TEST_F(LineFile, TextCopiesMatchConvertingLineByLine)
{
    std::mt19937 engine(20261209);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        const QByteArray text = mixedCp932(engine);
        writeFile("in.txt", text);
        QFile::remove(path("a.dat"));
        QFile::remove(path("b.dat"));
        StdRandom randomA(round);
        StdRandom randomB(round);
        GsxSeq copying(randomA);
        GsxSeq lineByLine(randomB);
        QString errorA;
        QString errorB;
        const bool packedA = PackFromText(copying, path("in.txt"), path("a.dat"), &errorA);
        const bool packedB = packLines(lineByLine, textToLines(decodeCp932(text)), path("b.dat"), &errorB);
        ASSERT_EQ(packedA, packedB) << errorA.toStdString();
        EXPECT_EQ(errorA, errorB);
        EXPECT_EQ(readFile("a.dat"), readFile("b.dat"));

        // Records written as raw bytes: a line may hold a line end, a bad
        // byte or a second spelling, and the container may be cut short.
        copying.MakeKeyTable();
        const int handle = copying.OpenForWrite(QString());
        for (const QByteArray& line : text.split('\n')) {
            copying.WriteBytes(handle, line.left(GsxSeq::kMaxLineBytes));
        }
        copying.CloseWrite(handle);
        QByteArray container = copying.takeWritten();
        if (round % 5 == 0) {
            container.chop(std::uniform_int_distribution<int>(1, 6)(engine));
        }
        writeFile("c.dat", container);
        QFile::remove(path("out.txt"));
        const UnpackResult copied = UnpackToText(copying, path("c.dat"), path("out.txt"));
        const UnpackResult read = unpackLines(lineByLine, path("c.dat"));
        QString why;
        bool encoded = false;
        const QByteArray expected = linesToText(read.lines, &why, &encoded);
        EXPECT_TRUE(copied.lines.isEmpty());
        if (encoded) {
            EXPECT_EQ(copied.status, read.status);
            EXPECT_EQ(copied.error, read.error);
            EXPECT_EQ(readFile("out.txt"), expected);
        } else {
            EXPECT_EQ(copied.status, UnpackResult::Status::Unreadable);
            EXPECT_EQ(copied.error, why);
            EXPECT_FALSE(fileExists(path("out.txt")));
        }
    }
}

// Copying out a file that is no container of this game leaves the text file
// as it was, rather than emptying it.
TEST_F(LineFile, UnpackingANonContainerLeavesTheTextFileAlone)
{
    StdRandom random(3);
    GsxSeq seq(random);
    writeFile("user.txt", "kept\r\n");
    writeFile("data1.dat", "not a container at all");
    const UnpackResult result = UnpackToText(seq, path("data1.dat"), path("user.txt"));
    EXPECT_EQ(result.status, UnpackResult::Status::NotContainer);
    EXPECT_EQ(readFile("user.txt"), QByteArray("kept\r\n"));
}
