#include "store/gsx_seq.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

#include <vector>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values) {
        out.append(static_cast<char>(v));
    }
    return out;
}

// A header whose keys are all `key`.
QByteArray header(int key = 0, int version = 1)
{
    QByteArray out("ABCDEFGHIJKL");
    out.append(static_cast<char>(version));
    out.append(QByteArray(1024, static_cast<char>(key)));
    return out;
}

QByteArray written(GsxSeq& seq, const QStringList& lines)
{
    const int handle = seq.OpenForWrite(QString());
    for (const QString& line : lines) {
        EXPECT_TRUE(seq.WriteLine(handle, line));
    }
    EXPECT_TRUE(seq.CloseWrite(handle));
    return seq.takeWritten();
}

} // namespace

TEST(GsxSeqKeys, KeysAreThreeTo253RoundedHalfToEven)
{
    // 0 -> 3; 0.002 -> 3.5 -> 4; 0.006 -> 4.5 -> 4; 0.999999 -> 252.99975 -> 253.
    ScriptedRandom random({0.0, 0.002, 0.006, 0.999999});
    GsxSeq seq(random);
    seq.MakeKeyTable();
    EXPECT_EQ(seq.keyTable()[0][0], 3);
    EXPECT_EQ(seq.keyTable()[0][1], 4);
    EXPECT_EQ(seq.keyTable()[0][2], 4);
    EXPECT_EQ(seq.keyTable()[0][3], 253);
    EXPECT_EQ(seq.keyTable()[7][127], 253);
}

TEST(GsxSeqWrite, ByteLayoutOfHeaderAndRecords)
{
    // Every key 128 (0.5 * 250 + 3); every row round(3.5) = 4.
    ScriptedRandom random({0.5});
    GsxSeq seq(random);
    seq.MakeKeyTable();
    const QByteArray data = written(seq, {QStringLiteral("AB"), QString(), QStringLiteral("あ")});

    QByteArray expected = header(0x80);
    expected += bytes({5, 4, 0, 2, 'A' ^ 0x80, 'B' ^ 0x80});
    expected += bytes({3});
    expected += bytes({5, 4, 0, 2, 0x82 ^ 0x80, 0xA0 ^ 0x80});
    expected += bytes({9});
    EXPECT_EQ(data, expected);
}

TEST(GsxSeqWrite, EmptyContainerIsHeaderAndEndMarker)
{
    ScriptedRandom random;
    GsxSeq seq(random);
    seq.MakeKeyTable();
    const QByteArray data = written(seq, {});
    EXPECT_EQ(data.size(), 1038);
    EXPECT_EQ(static_cast<unsigned char>(data.back()), 9);
}

TEST(GsxSeqWrite, LongLinesUseBigEndianLengthsAndWrapTheKeyPosition)
{
    std::vector<double> values;
    for (int i = 0; i < 1024; ++i) {
        values.push_back((i % 250) / 250.0); // key[r][p] = 3 + (128r + p) mod 250
    }
    values.push_back(2.0 / 7.0); // the row of the line: 2
    ScriptedRandom random(values);
    GsxSeq seq(random);
    seq.MakeKeyTable();
    const QByteArray data = written(seq, {QString(300, u'a')});
    const qsizetype record = GsxSeq::kHeaderSize;
    ASSERT_EQ(data.size(), record + 4 + 300 + 1);
    EXPECT_EQ(data.mid(record, 4), bytes({5, 2, 0x01, 0x2C}));
    const auto& key = seq.keyTable()[2];
    EXPECT_EQ(static_cast<unsigned char>(data[record + 4 + 0]), 'a' ^ key[0]);
    EXPECT_EQ(static_cast<unsigned char>(data[record + 4 + 127]), 'a' ^ key[127]);
    EXPECT_EQ(static_cast<unsigned char>(data[record + 4 + 128]), 'a' ^ key[0]); // 129th byte: position 0 again
    EXPECT_EQ(static_cast<unsigned char>(data[record + 4 + 299]), 'a' ^ key[299 % 128]);
}

TEST(GsxSeqWrite, RefusesLinesItCannotStore)
{
    ScriptedRandom random;
    GsxSeq seq(random);
    seq.MakeKeyTable();
    const int handle = seq.OpenForWrite(QString());
    QString error;
    EXPECT_FALSE(seq.WriteLine(handle, QStringLiteral("絵文字😀"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("U+1F600")));
    EXPECT_FALSE(seq.WriteLine(handle, QString(16384, u'あ'), &error)); // 32768 bytes
    EXPECT_TRUE(seq.WriteLine(handle, QString(16383, u'あ'), &error));  // 32766 bytes
}

TEST(GsxSeqRead, HandBuiltContainerReadsBack)
{
    ScriptedRandom random;
    GsxSeq seq(random);
    QByteArray data = header(0);
    data += bytes({5, 0, 0, 3, 'a', 'b', 'c', 3, 5, 7, 0, 2, 0x82, 0xA0, 9, 'j', 'u', 'n', 'k'});
    const int handle = seq.OpenForReadData(data);
    ASSERT_GT(handle, 0);
    QString text = QStringLiteral("untouched");
    EXPECT_EQ(seq.ReadLine(handle, text), GsxSeq::LineRead);
    EXPECT_EQ(text, QStringLiteral("abc"));
    EXPECT_EQ(seq.ReadLine(handle, text), GsxSeq::LineRead);
    EXPECT_EQ(text, QString());
    EXPECT_EQ(seq.ReadLine(handle, text), GsxSeq::LineRead);
    EXPECT_EQ(text, QStringLiteral("あ"));
    text = QStringLiteral("kept");
    EXPECT_EQ(seq.ReadLine(handle, text), GsxSeq::EndOfLines);
    EXPECT_EQ(text, QStringLiteral("kept"));
}

TEST(GsxSeqRead, AnyKeyByteIsAccepted)
{
    ScriptedRandom random;
    GsxSeq seq(random);
    QByteArray data = header(0xFF);
    data[13] = 0; // key[0][0]
    data += bytes({5, 0, 0, 2, 'x', 'y' ^ 0xFF, 9});
    const int handle = seq.OpenForReadData(data);
    QString text;
    ASSERT_EQ(seq.ReadLine(handle, text), GsxSeq::LineRead);
    EXPECT_EQ(text, QStringLiteral("xy"));
}

TEST(GsxSeqRead, OpenFailureCodes)
{
    ScriptedRandom random;
    GsxSeq seq(random);
    EXPECT_EQ(seq.OpenForRead(QStringLiteral("/nonexistent/data1.dat")), GsxSeq::OpenMissing);
    EXPECT_EQ(seq.OpenForReadData(QByteArray("ABCDEFGHIJK")), GsxSeq::OpenNotContainer);  // 11 bytes
    QByteArray wrongMagic = header();
    wrongMagic[11] = 'M';
    EXPECT_EQ(seq.OpenForReadData(wrongMagic), GsxSeq::OpenNotContainer);
    QByteArray lowerCase = header();
    lowerCase[0] = 'a';
    EXPECT_EQ(seq.OpenForReadData(lowerCase), GsxSeq::OpenNotContainer);
    EXPECT_EQ(seq.OpenForReadData(header(0, 2)), GsxSeq::OpenBadVersion);
    // Header cut off in the key table.
    EXPECT_EQ(seq.OpenForReadData(header().left(500)), GsxSeq::OpenNotContainer);
    EXPECT_EQ(seq.OpenForReadData(QByteArray("ABCDEFGHIJKL")), GsxSeq::OpenNotContainer);
}

TEST(GsxSeqRead, DamagedRecordsStopTheReader)
{
    ScriptedRandom random;
    GsxSeq seq(random);
    struct Case {
        const char* what;
        QByteArray records;
        int code;
    };
    const Case cases[] = {
        {"row 8", bytes({5, 8, 0, 1, 'a'}), GsxSeq::BadRow},
        {"marker 4", bytes({4}), GsxSeq::BadMarker},
        {"ends after marker", bytes({5}), GsxSeq::Truncated},
        {"ends inside length", bytes({5, 0, 0}), GsxSeq::Truncated},
        {"ends inside data", bytes({5, 0, 0, 5, 'a', 'b'}), GsxSeq::Truncated},
        {"length 0", bytes({5, 0, 0, 0, 9}), GsxSeq::Truncated},
        {"length 0x8000", bytes({5, 0, 0x80, 0x00}) + QByteArray(0x8000, 'a'), GsxSeq::Truncated},
        {"no end record", QByteArray(), GsxSeq::Truncated},
    };
    for (const Case& c : cases) {
        const int handle = seq.OpenForReadData(header() + c.records);
        ASSERT_GT(handle, 0) << c.what;
        QString text = QStringLiteral("same");
        EXPECT_EQ(seq.ReadLine(handle, text), c.code) << c.what;
        EXPECT_EQ(text, QStringLiteral("same")) << c.what;
    }
}

using GsxSeqFiles = TempDirTest;

TEST_F(GsxSeqFiles, SavesDifferEachTimeButReadTheSame)
{
    StdRandom random(42);
    GsxSeq seq(random);
    const QStringList lines{QStringLiteral("同じ"), QStringLiteral("同じ"), QString(), QStringLiteral("end")};
    auto save = [&](const QString& name) {
        seq.MakeKeyTable();
        const int handle = seq.OpenForWrite(path(name));
        for (const QString& line : lines) {
            seq.WriteLine(handle, line);
        }
        EXPECT_TRUE(seq.CloseWrite(handle));
        return readFile(name);
    };
    const QByteArray first = save(QStringLiteral("a.dat"));
    const QByteArray second = save(QStringLiteral("b.dat"));
    EXPECT_NE(first, second);
    for (const QString& name : {QStringLiteral("a.dat"), QStringLiteral("b.dat")}) {
        const int handle = seq.OpenForRead(path(name));
        ASSERT_GT(handle, 0);
        QStringList read;
        QString text;
        while (seq.ReadLine(handle, text) == GsxSeq::LineRead) {
            read.append(text);
        }
        EXPECT_EQ(read, lines);
    }
}

TEST_F(GsxSeqFiles, WritingOverALongerFileLeavesNoTrace)
{
    writeFile("data1.dat", QByteArray(5000, 'z'));
    ScriptedRandom random;
    GsxSeq seq(random);
    seq.MakeKeyTable();
    const int handle = seq.OpenForWrite(path("data1.dat"));
    seq.WriteLine(handle, QStringLiteral("x"));
    ASSERT_TRUE(seq.CloseWrite(handle));
    EXPECT_EQ(readFile("data1.dat").size(), GsxSeq::kHeaderSize + 5 + 1);
}
