#include "platform/files.h"
#include "store/battle_records.h"
#include "store/gsx_seq.h"
#include "store/line_file.h"
#include "store/record_fields.h"
#include "store/record_file.h"
#include "store/single_records.h"
#include "support/temp_dir.h"

#include <QDir>
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

TEST_F(RecordFiles, AFileThatCannotBeKeptSafelyIsNeverWrittenOver)
{
    const auto data = packData(seq, QStringList(891, QStringLiteral("1,2")));
    const QByteArray damaged = data->left(data->size() - 10);
    writeFile("data3.dat", damaged);
    auto table = std::make_unique<BattleRecordTable>();
    RecordLoad load;
    {
        // No copy can be written: the file is moved aside instead, and the
        // rewrite fails too, so saving over it stays blocked.
        FileSizeLimit full(500);
        load = LoadBattleRecords(seq, dir.path(), *table);
    }
    EXPECT_TRUE(load.damaged);
    EXPECT_TRUE(load.saveBlocked);
    EXPECT_EQ(load.keptAs, path("data3.dat.damaged"));
    EXPECT_EQ(readFile("data3.dat.damaged"), damaged);
    EXPECT_EQ(table->Wins[0][0], 1);

    // The next start finds no file: it starts from zeros, but says where the records are.
    ASSERT_FALSE(fileExists(path("data3.dat")));
    auto next = std::make_unique<BattleRecordTable>();
    const RecordLoad nextLoad = LoadBattleRecords(seq, dir.path(), *next);
    EXPECT_FALSE(nextLoad.found);
    EXPECT_EQ(nextLoad.orphan, path("data3.dat.damaged"));
    EXPECT_FALSE(LoadSingleRecords(seq, dir.path(), *std::make_unique<SingleRecordTable>()).orphan.size());
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
    writeFile("data1.dat.Ab3xYz", "half a new file");
    writeFile("user.txt", "1,2,3");
    // Not ours to remove: copies kept aside and other names.
    writeFile("data1.dat.damaged", "kept aside");
    writeFile("data1.dat.notes", "the player's");
    writeFile("data3.dat.Ab3xYz", "another file's");

    auto loaded = std::make_unique<SingleRecordTable>();
    EXPECT_FALSE(LoadSingleRecords(seq, dir.path(), *loaded).damaged);
    EXPECT_EQ(loaded->CountWithQuestion[3], 2);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join(u' '),
              QStringLiteral("data1.dat data1.dat.damaged data1.dat.notes data3.dat.Ab3xYz"));
}
