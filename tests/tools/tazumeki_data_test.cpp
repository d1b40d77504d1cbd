#include "platform/cp932.h"
#include "store/gsx_seq.h"
#include "store/line_file.h"
#include "store/single_records.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

ToolRun tool(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(TAZUMEKI_DATA_TOOL), args);
    process.waitForFinished(30000);
    ToolRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

using DataTool = TempDirTest;

TEST_F(DataTool, PackAndUnpackRoundTripInBothEncodings)
{
    const QByteArray text = linesToText({QStringLiteral("0,1,0,0,0,\"名前\",\"\""), QString(), QStringLiteral("～①")});
    writeFile("word.txt", text);
    ASSERT_EQ(tool({"pack", path("word.txt"), path("data2.dat")}).exitCode, 0);
    ASSERT_EQ(tool({"unpack", path("data2.dat"), path("back.txt")}).exitCode, 0);
    EXPECT_EQ(readFile("back.txt"), text);

    const ToolRun utf8 = tool({"unpack", path("data2.dat"), "--utf8"});
    EXPECT_EQ(utf8.exitCode, 0);
    EXPECT_EQ(QString::fromUtf8(utf8.out), QStringLiteral("0,1,0,0,0,\"名前\",\"\"\r\n\r\n～①\r\n"));

    writeFile("utf8.txt", QStringLiteral("一行\n二行\n").toUtf8());
    ASSERT_EQ(tool({"pack", "--utf8", path("utf8.txt"), path("u.dat")}).exitCode, 0);
    EXPECT_EQ(tool({"unpack", path("u.dat"), path("u.txt")}).exitCode, 0);
    EXPECT_EQ(decodeCp932(readFile("u.txt")), QStringLiteral("一行\r\n二行\r\n"));
}

TEST_F(DataTool, CheckReportsProblemsWithLineNumbers)
{
    writeFile("bad.txt", QStringLiteral("0,1,1,0,0,\"x\",\"\"\n0,0,0,0,0,\"さくら\",\"\"\n0,0,1,0,1,\"すいか\",\"\"\n"
                                        "120,1,0,0,0,x,\n")
                             .toUtf8());
    const ToolRun run = tool({"check", "--utf8", path("bad.txt")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("bad.txt:3:"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("bad.txt:4: line skipped"))) << run.err.toStdString();

    writeFile("good.txt", QStringLiteral("0,1,0,0,0,\"x\",\"\"\n0,0,0,0,0,\"さくら\",\"\"\n").toUtf8());
    ASSERT_EQ(tool({"pack", "--utf8", path("good.txt"), path("good.dat")}).exitCode, 0);
    EXPECT_EQ(tool({"check", path("good.dat")}).exitCode, 0);
}

TEST_F(DataTool, ShowPrintsThePuzzleSetAsJson)
{
    writeFile("p.txt", QStringLiteral("4,1,0,0,0,\"空\",\"\"\n4,0,0,7,1,\"そら\",\"青い\"\n").toUtf8());
    const ToolRun run = tool({"show", path("p.txt"), "--json", "--utf8"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject pattern = QJsonDocument::fromJson(run.out).object()["patterns"].toArray()[0].toObject();
    EXPECT_EQ(pattern["pattern"].toInt(), 4);
    EXPECT_EQ(pattern["name"].toString(), QStringLiteral("空"));
    const QJsonObject word = pattern["words"].toArray()[0].toObject();
    EXPECT_EQ(word["cell"].toInt(), 7);
    EXPECT_EQ(word["direction"].toString(), QStringLiteral("down"));
    EXPECT_EQ(word["question"].toString(), QStringLiteral("青い"));
}

TEST_F(DataTool, DamagedInputGivesAMessageNotACrash)
{
    StdRandom random(3);
    GsxSeq seq(random);
    const auto data = packData(seq, {QStringLiteral("a"), QStringLiteral("b")});
    writeFile("cut.dat", data->left(data->size() - 2));
    const ToolRun cut = tool({"unpack", path("cut.dat")});
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_TRUE(cut.err.contains(QStringLiteral("damaged")));
    EXPECT_EQ(cut.out, QByteArray("a\r\n"));

    writeFile("header.dat", QByteArray("ABCDEFGHIJKL\x02"));
    EXPECT_EQ(tool({"unpack", path("header.dat")}).exitCode, 1);
    EXPECT_EQ(tool({"unpack", path("missing.dat")}).exitCode, 1);
    writeFile("emoji.txt", QStringLiteral("😀\n").toUtf8());
    const ToolRun refused = tool({"pack", "--utf8", path("emoji.txt"), path("e.dat")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("U+1F600")));
    EXPECT_EQ(tool({"frobnicate"}).exitCode, 2);
}

TEST_F(DataTool, RecordsReportsAFolderWithoutChangingIt)
{
    StdRandom random(4);
    GsxSeq seq(random);
    ASSERT_TRUE(SaveSingleRecords(seq, dir.path(), SingleRecordTable{}));
    const QByteArray saved = readFile("data1.dat");

    const ToolRun run = tool({"records", dir.path()});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString out = QString::fromUtf8(run.out);
    EXPECT_TRUE(out.contains(QStringLiteral("records folder: ") + QDir::toNativeSeparators(dir.path()))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("data1.dat: ok, 99 lines"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("data3.dat: none yet"))) << out.toStdString();

    writeFile("data3.dat", QByteArray("ABCDEFGHIJKL\x01") + QByteArray(300, 'k'));
    const ToolRun damaged = tool({"records", dir.path()});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(damaged.out).contains(QStringLiteral("data3.dat: damaged")));
    // Reading never moves or rewrites a record file.
    EXPECT_EQ(readFile("data1.dat"), saved);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);

    // Without a folder it names the player's data folder, as the installed game would.
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), path("xdg"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TAZUMEKI_DATA_TOOL), {QStringLiteral("records")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(process.readAllStandardOutput()).contains(path("xdg/Tazumeki")));
}

TEST_F(DataTool, HistoryWithoutAFolderReadsTheRecordsFolder)
{
    ASSERT_TRUE(QDir().mkpath(path("xdg/Tazumeki")));
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), path("xdg"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TAZUMEKI_DATA_TOOL), {QStringLiteral("history"), QStringLiteral("--json")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_TRUE(QJsonDocument::fromJson(process.readAllStandardOutput()).object().contains(QStringLiteral("games")));

    env.remove(QStringLiteral("XDG_DATA_HOME"));
    env.remove(QStringLiteral("HOME"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TAZUMEKI_DATA_TOOL), {QStringLiteral("history"), QStringLiteral("--csv")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("no records folder"));
}

TEST_F(DataTool, CheckAndShowRefuseWhatHoldsNoPuzzle)
{
    writeFile("empty.txt", QByteArray());
    writeFile("prose.txt", "this is not a puzzle file\r\nnor is this\r\n");
    for (const char* file : {"empty.txt", "prose.txt"}) {
        for (const char* command : {"check", "show"}) {
            QStringList args{command, path(file), "--utf8"};
            if (QLatin1String(command) == QLatin1String("show")) {
                args << "--json";
            }
            const ToolRun run = tool(args);
            EXPECT_EQ(run.exitCode, 1) << command << " " << file;
            EXPECT_FALSE(run.err.isEmpty());
        }
    }
}

namespace {

// The first `count` words of the learners' list, with its comment lines.
QByteArray learnerWords(int count)
{
    QFile file(QStringLiteral(TAZUMEKI_LEARNER_LIST));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray out;
    int words = 0;
    while (!file.atEnd() && words < count) {
        const QByteArray line = file.readLine();
        words += !line.startsWith('#');
        out += line;
    }
    return out;
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files);
}

} // namespace

TEST_F(DataTool, BuildMakesASetFromAWordListTheSameEachTime)
{
    writeFile("week.tsv", learnerWords(90));
    const ToolRun built = tool({"build", path("week.tsv"), "-o", path("week.tazumeki")});
    ASSERT_EQ(built.exitCode, 0) << built.err.toStdString();
    EXPECT_TRUE(built.err.isEmpty()) << built.err.toStdString(); // not even Qt's chatter
    EXPECT_TRUE(QString::fromUtf8(built.out).contains(QStringLiteral("week.tazumeki: \"week\", "))) << built.out.toStdString();
    const ToolRun checked = tool({"check", path("week.tazumeki"), "--words", path("week.tsv")});
    EXPECT_EQ(checked.exitCode, 0) << checked.err.toStdString();

    ASSERT_EQ(tool({"build", path("week.tsv"), "-o", path("again.tazumeki")}).exitCode, 0);
    EXPECT_EQ(readFile("again.tazumeki"), readFile("week.tazumeki"));
    ASSERT_EQ(tool({"build", path("week.tsv"), "-o", path("other.tazumeki"), "--seed", "2", "--name", "Week 3",
                    "--patterns", "2"})
                  .exitCode,
              0);
    const QString other = QString::fromUtf8(tool({"unpack", path("other.tazumeki"), "--utf8"}).out);
    EXPECT_TRUE(other.contains(QStringLiteral("\r\n99,1,3,0,0,\"Week 3\",\"\"\r\n"))) << other.toStdString();
    EXPECT_TRUE(other.contains(QStringLiteral("\r\n1,1,")));
    EXPECT_FALSE(other.contains(QStringLiteral("\r\n2,1,")));

    // Checked against another list, the set breaks its rules.
    writeFile("fewer.tsv", learnerWords(40));
    const ToolRun against = tool({"check", path("week.tazumeki"), "--words", path("fewer.tsv")});
    EXPECT_EQ(against.exitCode, 1);
    EXPECT_TRUE(against.err.contains(QStringLiteral("is not in the bank"))) << against.err.toStdString();
}

TEST_F(DataTool, BuildWritesNothingUnlessAllIsWell)
{
    writeFile("words.tsv", learnerWords(60));
    writeFile("set.tazumeki", "an older set");
    const QStringList before = filesIn(dir.path());

    const ToolRun check = tool({"build", path("words.tsv"), "--check"});
    EXPECT_EQ(check.exitCode, 0) << check.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(check.out).contains(QStringLiteral("ok, would make "))) << check.out.toStdString();

    writeFile("bad.tsv", learnerWords(20) + "ねこ猫\ta cat\n");
    const ToolRun bad = tool({"build", path("bad.tsv"), "-o", path("set.tazumeki")});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.contains(path("bad.tsv") + QStringLiteral(":27: the answer \"ねこ猫\" holds the kanji")))
        << bad.err.toStdString();
    EXPECT_TRUE(bad.err.contains(QStringLiteral("1 problem(s); nothing written")));

    writeFile("few.tsv", learnerWords(5));
    const ToolRun few = tool({"build", path("few.tsv"), "-o", path("set.tazumeki")});
    EXPECT_EQ(few.exitCode, 1);
    EXPECT_TRUE(few.err.contains(QStringLiteral("add at least 3 more"))) << few.err.toStdString();

    const ToolRun over = tool({"build", path("words.tsv"), "-o", path("words.tsv")});
    EXPECT_EQ(over.exitCode, 1);
    EXPECT_TRUE(over.err.contains(QStringLiteral("would replace its own word list")));
    EXPECT_EQ(readFile("words.tsv"), learnerWords(60));

    for (const QStringList& wrong : {QStringList{"build", path("words.tsv")},
                                     {"build", path("words.tsv"), "-o", path("x.tazumeki"), "--check"},
                                     {"build", path("words.tsv"), "--check", "--patterns", "0"},
                                     {"build", path("words.tsv"), "--check", "--seed", "-1"},
                                     {"build", path("words.tsv"), "--check", "--colour"}}) {
        EXPECT_EQ(tool(wrong).exitCode, 2) << wrong.join(u' ').toStdString();
    }
    EXPECT_EQ(readFile("set.tazumeki"), QByteArray("an older set"));
    QStringList expected = before + QStringList{"bad.tsv", "few.tsv"};
    expected.sort();
    EXPECT_EQ(filesIn(dir.path()), expected);
}
