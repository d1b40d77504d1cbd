#include "platform/files.h"
#include "store/gsx_seq.h"
#include "store/line_file.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

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
