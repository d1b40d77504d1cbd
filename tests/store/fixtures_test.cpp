// Files made from the byte layout alone (tests/fixtures/make_fixtures.py),
// not by our writer: what loading each of them does.
#include "platform/files.h"
#include "store/battle_records.h"
#include "store/gsx_seq.h"
#include "store/line_file.h"
#include "store/record_fields.h"
#include "store/record_file.h"
#include "store/single_records.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

#include <memory>

namespace {

QByteArray fixture(const char* name)
{
    bool ok = false;
    const QByteArray data = readWholeFile(QStringLiteral(TAZUMEKI_FIXTURES "/") + QLatin1String(name), &ok);
    EXPECT_TRUE(ok) << name;
    return data;
}

class Fixtures : public TempDirTest {
protected:
    StdRandom random{4};
    GsxSeq seq{random};

    UnpackResult unpack(const char* name) { return unpackData(seq, fixture(name)); }
};

struct DamageCase {
    const char* name;
    UnpackResult::Status status;
    int lines; // of the 99 before the damage
};
const DamageCase kDamaged[] = {
    {"damaged_header_cut.dat", UnpackResult::Status::NotContainer, 0},
    {"damaged_magic.dat", UnpackResult::Status::NotContainer, 0},
    {"damaged_version_2.dat", UnpackResult::Status::BadVersion, 0},
    {"damaged_record_cut.dat", UnpackResult::Status::Damaged, 10},
    {"damaged_marker_4.dat", UnpackResult::Status::Damaged, 10},
    {"damaged_row_8.dat", UnpackResult::Status::Damaged, 10},
    {"damaged_length_0.dat", UnpackResult::Status::Damaged, 10},
    {"damaged_length_8000.dat", UnpackResult::Status::Damaged, 10},
    {"damaged_no_end.dat", UnpackResult::Status::Damaged, 99},
};

} // namespace

TEST_F(Fixtures, ContainersKeepTheirTextExactly)
{
    UnpackResult r = unpack("cp932_text.dat");
    EXPECT_EQ(r.status, UnpackResult::Status::Ok);
    EXPECT_EQ(r.lines, (QStringList{"①②③", "１～２", "㈱㈲", "ｱｲｳｴｵｰﾟ", "漢字とかな、カナ。", "a,b \"c\""}));
    // The wave dash and the full-width tilde stay what the file holds.
    EXPECT_EQ(r.lines[1][1], QChar(0xFF5E)); // stored as 81 60

    r = unpack("empty_lines.dat");
    EXPECT_EQ(r.status, UnpackResult::Status::Ok);
    EXPECT_EQ(r.lines, (QStringList{"", "上", "", "", "下", ""}));

    r = unpack("no_lines.dat");
    EXPECT_EQ(r.status, UnpackResult::Status::Ok);
    EXPECT_TRUE(r.lines.isEmpty());

    r = unpack("long_lines.dat");
    ASSERT_EQ(r.lines.size(), 3);
    EXPECT_EQ(r.lines[0], QString(128, u'x') + u'y'); // the 129th byte wraps to key position 0
    EXPECT_EQ(r.lines[1], QString(150, u'ア'));
    EXPECT_EQ(r.lines[2], QString(300, u'z'));

    EXPECT_EQ(unpack("rows_0_and_7.dat").lines, (QStringList{"行0", "行7"}));
    EXPECT_EQ(unpack("keys_outside_range.dat").lines, (QStringList{"鍵の外側", "0,1"}));
    const UnpackResult after = unpack("after_end_record.dat");
    EXPECT_EQ(after.status, UnpackResult::Status::Ok);
    EXPECT_EQ(after.lines, QStringList{"最後"}); // nothing after the end record is read
}

TEST_F(Fixtures, OurWriterGivesTheSameLayout)
{
    // Packing the lines again reads back the same, and keeps the 300-byte
    // length high byte first.
    const QStringList lines = unpack("long_lines.dat").lines;
    const auto packed = packData(seq, lines);
    ASSERT_TRUE(packed.has_value());
    EXPECT_EQ(unpackData(seq, *packed).lines, lines);
    const qsizetype third = GsxSeq::kHeaderSize + (4 + 129) + (4 + 300);
    EXPECT_EQ(packed->mid(third + 2, 2), QByteArray("\x01\x2C", 2));
}

TEST_F(Fixtures, RecordFilesInEveryDateForm)
{
    writeFile("data1.dat", fixture("single_dates.dat"));
    writeFile("data3.dat", fixture("battle_counts.dat"));
    auto single = std::make_unique<SingleRecordTable>();
    auto battle = std::make_unique<BattleRecordTable>();
    EXPECT_FALSE(LoadSingleRecords(seq, dir.path(), *single).damaged);
    EXPECT_FALSE(LoadBattleRecords(seq, dir.path(), *battle).damaged);

    EXPECT_EQ(single->CountWithQuestion[0], 3);
    EXPECT_EQ(single->BestWithQuestion[0], 45678);
    EXPECT_EQ(single->DateWithQuestion[0], dayNumber(2005, 11, 11));
    EXPECT_EQ(single->DateNoQuestion[0], 0);                                    // #1899-12-30#
    EXPECT_EQ(single->DateWithQuestion[1], dayNumber(2006, 1, 2) + 45296 / 86400.0); // 12:34:56
    EXPECT_EQ(single->DateNoQuestion[1], 0);                                    // #00:00:00#
    EXPECT_EQ(single->BestNoQuestion[1], 59000);
    EXPECT_EQ(single->DateNoQuestion[97], 0.75);                                // a time alone
    EXPECT_EQ(single->CountWithQuestion[97], 32767);
    EXPECT_EQ(single->DateNoQuestion[98], dayNumber(2000, 2, 29));

    EXPECT_EQ(battle->Wins[0][4], 2);
    EXPECT_EQ(battle->Losses[0][4], 1);
    EXPECT_EQ(battle->Wins[49][4], 120);
    EXPECT_EQ(battle->Losses[98][8], 5);

    // Loading left both files alone, and saving writes every date so it reads back.
    EXPECT_EQ(readFile("data1.dat"), fixture("single_dates.dat"));
    ASSERT_TRUE(SaveSingleRecords(seq, dir.path(), *single));
    auto again = std::make_unique<SingleRecordTable>();
    EXPECT_FALSE(LoadSingleRecords(seq, dir.path(), *again).damaged);
    EXPECT_EQ(again->DateWithQuestion, single->DateWithQuestion);
    EXPECT_EQ(again->DateNoQuestion, single->DateNoQuestion);
}

TEST_F(Fixtures, DamagedContainersStopWhereTheDamageIs)
{
    const QStringList whole = unpack("single_dates.dat").lines;
    for (const DamageCase& c : kDamaged) {
        const UnpackResult r = unpack(c.name);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(r.lines, whole.mid(0, c.lines)) << c.name;
        EXPECT_FALSE(r.error.isEmpty()) << c.name;
    }
}

TEST_F(Fixtures, ADamagedRecordFileIsKeptAsideAndItsReadableLinesCarriedOver)
{
    auto full = std::make_unique<SingleRecordTable>();
    ASSERT_TRUE(ReadSingleText(unpack("single_dates.dat").lines, *full).isEmpty());
    for (const DamageCase& c : kDamaged) {
        const char* name = c.name;
        SCOPED_TRACE(name);
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        const QByteArray damaged = fixture(name);
        writeFile("data1.dat", damaged);
        auto table = std::make_unique<SingleRecordTable>();
        const RecordLoad load = LoadSingleRecords(seq, dir.path(), *table);
        EXPECT_TRUE(load.found);
        EXPECT_TRUE(load.damaged);
        EXPECT_FALSE(load.saveBlocked);
        EXPECT_FALSE(load.problem.isEmpty());
        EXPECT_EQ(readFile("data1.dat.damaged"), damaged);

        // The file is whole again and holds the lines that could be read.
        const UnpackResult rewritten = unpackLines(seq, path("data1.dat"));
        ASSERT_EQ(rewritten.status, UnpackResult::Status::Ok);
        ASSERT_EQ(rewritten.lines.size(), 99);
        for (int k = 0; k < 99; ++k) {
            const bool read = k < c.lines;
            EXPECT_EQ(table->CountWithQuestion[k], read ? full->CountWithQuestion[k] : 0) << k;
            EXPECT_EQ(table->BestNoQuestion[k], read ? full->BestNoQuestion[k] : 0) << k;
            EXPECT_EQ(table->DateWithQuestion[k], read ? full->DateWithQuestion[k] : 0) << k;
        }
        EXPECT_EQ(rewritten.lines[0], c.lines > 0 ? QStringLiteral("3,45678,#2005-11-11#,0,0,#1899-12-30#")
                                                  : QStringLiteral("0,0,#1899-12-30#,0,0,#1899-12-30#"));
        auto again = std::make_unique<SingleRecordTable>();
        EXPECT_FALSE(LoadSingleRecords(seq, dir.path(), *again).damaged);
        EXPECT_EQ(again->BestWithQuestion, table->BestWithQuestion);
        EXPECT_FALSE(fileExists(path("data1.dat.damaged.2")));
    }
}
