#include "platform/files.h"
#include "store/battle_records.h"
#include "store/gsx_seq.h"
#include "store/line_file.h"
#include "store/record_fields.h"
#include "store/record_file.h"
#include "store/single_records.h"
#include "support/temp_dir.h"

#include <QDir>
#include <QFileInfo>
#include <sys/resource.h>
#include <sys/stat.h>
#include <memory>
#include "platform/random.h"
#include "support/file_size_limit.h"

TEST(RecordFields, NumbersAndDatesInEveryAcceptedForm)
{
    EXPECT_EQ(formatRecordNumber(45678), QStringLiteral("45678"));
    EXPECT_EQ(formatRecordNumber(0), QStringLiteral("0"));
    EXPECT_EQ(formatRecordNumber(2.5), QStringLiteral("2.5"));
    EXPECT_EQ(parseRecordNumber(QStringLiteral("2.5")), 2.5);
    EXPECT_EQ(parseRecordNumber(QStringLiteral("-3")), -3.0);
    EXPECT_FALSE(parseRecordNumber(QStringLiteral("2,5")).has_value());
    EXPECT_FALSE(parseRecordNumber(QStringLiteral("abc")).has_value());
    EXPECT_FALSE(parseRecordNumber(QString()).has_value());

    const double day = dayNumber(2005, 11, 11);
    EXPECT_EQ(day, 38667);
    EXPECT_EQ(formatRecordDate(day), QStringLiteral("#2005-11-11#"));
    EXPECT_EQ(formatRecordDate(0), QStringLiteral("#1899-12-30#"));
    EXPECT_EQ(formatRecordDate(day + 0.5), QStringLiteral("#2005-11-11 12:00:00#"));
    EXPECT_EQ(formatRecordDate(0.75), QStringLiteral("#18:00:00#"));
    EXPECT_EQ(formatRecordDate(day + 0.9999999), QStringLiteral("#2005-11-12#")); // rounds to the next midnight
    EXPECT_EQ(parseRecordDate(QStringLiteral("#2005-11-11#")), day);
    EXPECT_EQ(parseRecordDate(QStringLiteral("#2005-11-11 12:00:00#")), day + 0.5);
    EXPECT_EQ(parseRecordDate(QStringLiteral("#00:00:00#")), 0.0);
    EXPECT_EQ(parseRecordDate(QStringLiteral("#1899-12-30#")), 0.0);
    EXPECT_EQ(parseRecordDate(QStringLiteral("#18:00:00#")), 0.75);
    EXPECT_FALSE(parseRecordDate(QStringLiteral("2005-11-11")).has_value());
    EXPECT_FALSE(parseRecordDate(QStringLiteral("#2005-13-01#")).has_value());
    EXPECT_FALSE(parseRecordDate(QStringLiteral("##")).has_value());
}

TEST(SingleRecordText, LinesAsWrittenByteForByte)
{
    auto table = std::make_unique<SingleRecordTable>();
    table->CountWithQuestion[0] = 3;
    table->BestWithQuestion[0] = 45678;
    table->DateWithQuestion[0] = dayNumber(2005, 11, 11);
    const QStringList lines = WriteSingleText(*table);
    ASSERT_EQ(lines.size(), 99);
    EXPECT_EQ(lines[0], QStringLiteral("3,45678,#2005-11-11#,0,0,#1899-12-30#"));
    EXPECT_EQ(lines[98], QStringLiteral("0,0,#1899-12-30#,0,0,#1899-12-30#"));
    EXPECT_EQ(linesToText(lines.mid(0, 1)), QByteArray("3,45678,#2005-11-11#,0,0,#1899-12-30#\r\n"));

    auto back = std::make_unique<SingleRecordTable>();
    EXPECT_TRUE(ReadSingleText(lines, *back).isEmpty());
    EXPECT_EQ(back->BestWithQuestion, table->BestWithQuestion);
    EXPECT_EQ(back->DateWithQuestion, table->DateWithQuestion);
    EXPECT_EQ(back->CountWithQuestion, table->CountWithQuestion);
}

TEST(SingleRecordText, OlderFormsAndDamageReadWhatTheyCan)
{
    QStringList lines(99, QStringLiteral("0,0,#00:00:00#,0,0,#1899-12-30#"));
    lines[4] = QStringLiteral("2, 1500,#2006-01-02 00:00:00#,1,900,#2006-01-03#");
    lines[5] = QStringLiteral("x,1,#2006-01-02#,7,800,#2006-01-04#");
    auto table = std::make_unique<SingleRecordTable>();
    const QString problem = ReadSingleText(lines.mid(0, 98), *table);
    EXPECT_TRUE(problem.contains(QStringLiteral("98 of 99"))) << problem.toStdString();
    EXPECT_TRUE(problem.contains(QStringLiteral("line 6"))) << problem.toStdString();
    EXPECT_EQ(table->CountWithQuestion[4], 2);
    EXPECT_EQ(table->BestNoQuestion[4], 900);
    EXPECT_EQ(table->DateWithQuestion[4], dayNumber(2006, 1, 2));
    EXPECT_EQ(table->CountWithQuestion[5], 0); // the field that cannot be read stays zero
    EXPECT_EQ(table->CountNoQuestion[5], 7);    // the rest of its line is kept
}

TEST(BattleRecordText, EightHundredNinetyOneLines)
{
    auto table = std::make_unique<BattleRecordTable>();
    table->Wins[0][4] = 2;
    table->Losses[0][4] = 1;
    table->Losses[98][8] = 5;
    const QStringList lines = WriteBattleText(*table);
    ASSERT_EQ(lines.size(), 891);
    EXPECT_EQ(lines[4], QStringLiteral("2,1"));
    EXPECT_EQ(lines[0], QStringLiteral("0,0"));
    EXPECT_EQ(lines[890], QStringLiteral("0,5"));
    auto back = std::make_unique<BattleRecordTable>();
    EXPECT_TRUE(ReadBattleText(lines, *back).isEmpty());
    EXPECT_EQ(back->Wins, table->Wins);
    EXPECT_EQ(back->Losses, table->Losses);
}

class RecordFiles : public TempDirTest {
protected:
    StdRandom random{9};
    GsxSeq seq{random};
};

TEST_F(RecordFiles, FirstRunLoadsZerosAndSavesRoundTrip)
{
    auto single = std::make_unique<SingleRecordTable>();
    auto battle = std::make_unique<BattleRecordTable>();
    EXPECT_FALSE(LoadSingleRecords(seq, dir.path(), *single).found);
    EXPECT_FALSE(LoadBattleRecords(seq, dir.path(), *battle).found);
    single->CountNoQuestion[98] = 32767;
    single->BestNoQuestion[98] = 179999;
    single->DateNoQuestion[98] = dayNumber(2026, 12, 9);
    battle->Wins[98][8] = 12;
    writeFile("user.txt", "left over");
    ASSERT_TRUE(SaveSingleRecords(seq, dir.path(), *single));
    ASSERT_TRUE(SaveBattleRecords(seq, dir.path(), *battle));
    EXPECT_FALSE(fileExists(path("user.txt")));
    EXPECT_FALSE(fileExists(path("user2.txt")));
    EXPECT_EQ(unpackLines(seq, path("data1.dat")).lines.size(), 99);
    EXPECT_EQ(unpackLines(seq, path("data3.dat")).lines.size(), 891);

    auto single2 = std::make_unique<SingleRecordTable>();
    auto battle2 = std::make_unique<BattleRecordTable>();
    battle2->Losses[0][0] = 77; // loading clears first
    EXPECT_FALSE(LoadSingleRecords(seq, dir.path(), *single2).damaged);
    EXPECT_FALSE(LoadBattleRecords(seq, dir.path(), *battle2).damaged);
    EXPECT_EQ(single2->CountNoQuestion, single->CountNoQuestion);
    EXPECT_EQ(single2->BestNoQuestion, single->BestNoQuestion);
    EXPECT_EQ(single2->DateNoQuestion, single->DateNoQuestion);
    EXPECT_EQ(battle2->Wins, battle->Wins);
    EXPECT_EQ(battle2->Losses[0][0], 0);
}

TEST_F(RecordFiles, ADamagedFileIsKeptAsideAndWhatCanBeReadIsKept)
{
    QStringList lines(99, QStringLiteral("0,0,#1899-12-30#,0,0,#1899-12-30#"));
    lines[0] = QStringLiteral("4,30000,#2026-01-01#,0,0,#1899-12-30#");
    const auto data = packData(seq, lines);
    const QByteArray damaged = data->left(data->size() - 40);
    writeFile("data1.dat", damaged);
    writeFile("data1.dat.damaged", "an earlier copy");

    auto table = std::make_unique<SingleRecordTable>();
    const RecordLoad load = LoadSingleRecords(seq, dir.path(), *table);
    EXPECT_TRUE(load.damaged);
    EXPECT_FALSE(load.saveBlocked);
    EXPECT_FALSE(load.problem.isEmpty());
    EXPECT_EQ(load.keptAs, path("data1.dat.damaged.2"));
    EXPECT_EQ(readFile("data1.dat.damaged.2"), damaged);
    EXPECT_EQ(readFile("data1.dat.damaged"), QByteArray("an earlier copy"));
    EXPECT_EQ(table->CountWithQuestion[0], 4);
    EXPECT_EQ(table->BestWithQuestion[0], 30000);

    // What could be read is whole again: the next start reports nothing and copies nothing.
    auto again = std::make_unique<SingleRecordTable>();
    const RecordLoad second = LoadSingleRecords(seq, dir.path(), *again);
    EXPECT_FALSE(second.damaged);
    EXPECT_EQ(again->BestWithQuestion[0], 30000);
    EXPECT_FALSE(fileExists(path("data1.dat.damaged.3")));
}

TEST_F(RecordFiles, ADamagedFileFoundOnAFullDiskChangesNothing)
{
    const auto data = packData(seq, QStringList(891, QStringLiteral("1,2")));
    const QByteArray damaged = data->left(data->size() - 10);
    writeFile("data3.dat", damaged);
    auto table = std::make_unique<BattleRecordTable>();
    RecordLoad load;
    {
        FileSizeLimit full(500); // no copy fits
        load = LoadBattleRecords(seq, dir.path(), *table);
    }
    EXPECT_TRUE(load.damaged);
    EXPECT_TRUE(load.saveBlocked); // never written over
    EXPECT_TRUE(load.keptAs.isEmpty());
    EXPECT_EQ(table->Wins[0][0], 1);
    EXPECT_EQ(readFile("data3.dat"), damaged); // still in place for the next start
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).join(u' '), QStringLiteral("data3.dat"));

    // The copy fits but the rewrite does not: the original is still there, and the copy too.
    {
        FileSizeLimit full(damaged.size());
        load = LoadBattleRecords(seq, dir.path(), *table);
    }
    EXPECT_TRUE(load.saveBlocked);
    EXPECT_EQ(readFile("data3.dat"), damaged);
    EXPECT_EQ(readFile("data3.dat.damaged"), damaged);

    // Found again at every start, it is kept aside once, not once per start.
    for (int start = 0; start < 3; ++start) {
        FileSizeLimit full(damaged.size());
        load = LoadBattleRecords(seq, dir.path(), *table);
        EXPECT_EQ(load.keptAs, path("data3.dat.damaged"));
    }
    EXPECT_FALSE(fileExists(path("data3.dat.damaged.2")));
}

TEST_F(RecordFiles, ALinkOrAPipeWhereARecordFileBelongsIsNeitherReadNorWritten)
{
    ASSERT_TRUE(QDir().mkpath(path("records")));
    ASSERT_TRUE(QDir().mkpath(path("owned")));
    const QByteArray precious("a file the player owns, not a container");
    writeFile("owned/notes.txt", precious);
    const QString records = path("records");
    auto loadBoth = [&] {
        auto single = std::make_unique<SingleRecordTable>();
        auto battle = std::make_unique<BattleRecordTable>();
        return std::make_pair(LoadSingleRecords(seq, records, *single), LoadBattleRecords(seq, records, *battle));
    };
    // An absolute link, a relative one going up, a pipe and a folder.
    ASSERT_TRUE(QFile::link(path("owned/notes.txt"), path("records/data1.dat")));
    ASSERT_TRUE(QFile::link(QStringLiteral("../owned/notes.txt"), path("records/data3.dat")));
    auto [single, battle] = loadBoth();
    for (const RecordLoad& load : {single, battle}) {
        EXPECT_FALSE(load.notAFile.isEmpty());
        EXPECT_TRUE(load.saveBlocked);
        EXPECT_FALSE(load.damaged);
    }
    EXPECT_FALSE(SaveSingleRecords(seq, records, SingleRecordTable{}));
    EXPECT_EQ(readFile("owned/notes.txt"), precious);
    EXPECT_TRUE(QFileInfo(path("records/data1.dat")).isSymLink());
    EXPECT_EQ(QDir(records).entryList(QDir::Files | QDir::System | QDir::Hidden).size(), 2);

    QFile::remove(path("records/data1.dat"));
    QFile::remove(path("records/data3.dat"));
    ASSERT_EQ(mkfifo(QFile::encodeName(path("records/data1.dat")).constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkpath(path("records/data3.dat")));
    std::tie(single, battle) = loadBoth(); // returns at once: a pipe is never opened
    EXPECT_FALSE(single.notAFile.isEmpty());
    EXPECT_FALSE(battle.notAFile.isEmpty());
    EXPECT_TRUE(QFileInfo(path("records/data3.dat")).isDir());
}

TEST_F(RecordFiles, LinesOfALaterVersionAreKeptWhenSaving)
{
    QStringList lines(99, QStringLiteral("0,0,#1899-12-30#,0,0,#1899-12-30#"));
    lines << QStringLiteral("a line of a later version") << QStringLiteral("and one more");
    ASSERT_TRUE(packLines(seq, lines, path("data1.dat")));
    auto table = std::make_unique<SingleRecordTable>();
    EXPECT_FALSE(LoadSingleRecords(seq, dir.path(), *table).damaged);
    table->CountWithQuestion[5] = 1;
    ASSERT_TRUE(SaveSingleRecords(seq, dir.path(), *table));
    const QStringList saved = unpackLines(seq, path("data1.dat")).lines;
    ASSERT_EQ(saved.size(), 101);
    EXPECT_EQ(saved.mid(99), lines.mid(99));
    EXPECT_TRUE(saved[5].startsWith(QStringLiteral("1,")));
}

TEST_F(RecordFiles, AHugeFileIsReadOnlyAsFarAsARecordFileGoes)
{
    // 100 MB of empty records after a container's header: a hostile file.
    const QByteArray header = packData(seq, {})->left(GsxSeq::kHeaderSize);
    {
        QFile file(path("data1.dat"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(header);
        const QByteArray empties(1 << 20, char(GsxSeq::kMarkerEmpty));
        for (int mb = 0; mb < 100; ++mb) {
            ASSERT_EQ(file.write(empties), empties.size());
        }
    }
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    auto table = std::make_unique<SingleRecordTable>();
    const RecordLoad load = LoadSingleRecords(seq, dir.path(), *table);
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    EXPECT_TRUE(load.damaged);
    EXPECT_FALSE(load.saveBlocked);
    EXPECT_TRUE(load.problem.contains(QStringLiteral("larger than"))) << load.problem.toStdString();
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024); // kilobytes: far less than the file
    EXPECT_EQ(QFileInfo(path("data1.dat.damaged")).size(), header.size() + (100 << 20)); // kept whole
    EXPECT_EQ(unpackLines(seq, path("data1.dat")).lines.size(), 99 + kKeptExtraLines);
}

TEST_F(RecordFiles, AFailedSaveLeavesTheOldFileWhole)
{
    auto table = std::make_unique<BattleRecordTable>();
    ASSERT_TRUE(SaveBattleRecords(seq, dir.path(), *table));
    const QByteArray before = readFile("data3.dat");
    table->Wins[3][3] = 1;
    QString error;
    bool saved = true;
    {
        FileSizeLimit full(2000); // the disk fills partway through the new file
        saved = SaveBattleRecords(seq, dir.path(), *table, &error);
    }
    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readFile("data3.dat"), before);
}

TEST(RecordFields, DatesOutsideFourDigitYearsAreWrittenAsDayZero)
{
    // A stored value no file could give must still write a readable field.
    EXPECT_EQ(formatRecordDate(5.24339e+174), QStringLiteral("#1899-12-30#"));
    EXPECT_EQ(formatRecordDate(-1e300), QStringLiteral("#1899-12-30#"));
    EXPECT_EQ(formatRecordDate(dayNumber(9999, 12, 31) + 0.9999999), QStringLiteral("#1899-12-30#"));
    EXPECT_EQ(formatRecordDate(dayNumber(9999, 12, 31) + 0.5), QStringLiteral("#9999-12-31 12:00:00#"));
    EXPECT_EQ(formatRecordDate(dayNumber(1, 1, 1)), QStringLiteral("#0001-01-01#"));
    EXPECT_EQ(parseRecordDate(QStringLiteral("#0001-01-01#")), dayNumber(1, 1, 1));
}

TEST_F(RecordFiles, WhatAKilledSaveLeftBehindIsRemovedAtTheNextStart)
{
    auto table = std::make_unique<SingleRecordTable>();
    table->CountWithQuestion[3] = 2;
    ASSERT_TRUE(SaveSingleRecords(seq, dir.path(), *table));
    // The new file of a save killed before its rename, and the plain text of an old run.
    writeFile("data1.dat~tazumeki-save-Ab3xYz", "half a new file");
    writeFile("user.txt", "1,2,3");
    // Not ours to remove: copies kept aside, a player's backups, other names.
    writeFile("data1.dat.damaged", "kept aside");
    writeFile("data1.dat.notes", "the player's");
    writeFile("data1.dat.backup", "the player's");
    writeFile("data1.dat.before", "the player's");
    writeFile("data3.dat.Ab3xYz", "another file's");

    auto loaded = std::make_unique<SingleRecordTable>();
    EXPECT_FALSE(LoadSingleRecords(seq, dir.path(), *loaded).damaged);
    EXPECT_EQ(loaded->CountWithQuestion[3], 2);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join(u' '),
              QStringLiteral("data1.dat data1.dat.backup data1.dat.before data1.dat.damaged data1.dat.notes "
                             "data3.dat.Ab3xYz"));
}
