#include "platform/random.h"
#include "puzzle/own_set.h"
#include "puzzle/puzzle_set.h"
#include "store/gsx_seq.h"
#include "store/line_file.h"
#include "support/own_set_sample.h"
#include "support/temp_dir.h"

#include <QFile>
#include <memory>
#include <sys/stat.h>

namespace {

class OwnSetFiles : public TempDirTest {
protected:
    StdRandom random{3};
    GsxSeq seq{random};
    std::unique_ptr<PuzzleSet> puzzles = std::make_unique<PuzzleSet>();

    QString packed(const QString& name, const QStringList& lines)
    {
        EXPECT_TRUE(packLines(seq, lines, path(name)));
        return path(name);
    }
};

} // namespace

TEST_F(OwnSetFiles, AGoodSetIsReadWithItsNameAndAnIdFromItsContent)
{
    const QString file = packed(QStringLiteral("week.tazumeki"), ownSetLines());
    const OwnSetLoad load = loadOwnSet(seq, file, *puzzles);
    ASSERT_TRUE(load.set) << load.problem.toStdString();
    EXPECT_EQ(load.set->name, QStringLiteral("今週のことば"));
    EXPECT_EQ(load.set->file, file);
    EXPECT_EQ(load.set->id.size(), 16);
    EXPECT_EQ(load.set->id, ownSetId(readFile(QStringLiteral("week.tazumeki"))));
    EXPECT_EQ(puzzles->WordAnswer[0][1], QStringLiteral("らいおん"));
    EXPECT_EQ(playablePatterns(*puzzles), (std::vector<int>{0, 1}));

    // The same file copied elsewhere is the same set; another content another.
    QFile::copy(file, path(QStringLiteral("copy.tazumeki")));
    EXPECT_EQ(loadOwnSet(seq, path(QStringLiteral("copy.tazumeki")), *puzzles).set->id, load.set->id);
    const QString other = packed(QStringLiteral("other.tazumeki"), ownSetLines(QStringLiteral("別"), QStringLiteral("さいら")));
    EXPECT_NE(loadOwnSet(seq, other, *puzzles).set->id, load.set->id);
}

TEST_F(OwnSetFiles, ADamagedOrForeignFileIsRefusedAndThePuzzlesInPlayStay)
{
    puzzles->WordAnswer[5][0] = QStringLiteral("いま");
    auto refused = [&](const QString& file) {
        const OwnSetLoad load = loadOwnSet(seq, file, *puzzles);
        EXPECT_FALSE(load.set) << file.toStdString();
        EXPECT_FALSE(load.problem.isEmpty()) << file.toStdString();
        EXPECT_EQ(puzzles->WordAnswer[5][0], QStringLiteral("いま")) << "untouched";
        return load.problem;
    };
    const QByteArray whole = readFile(QFileInfo(packed(QStringLiteral("good.tazumeki"), ownSetLines())).fileName());
    writeFile(QStringLiteral("cut.tazumeki"), whole.left(whole.size() / 2));
    refused(path(QStringLiteral("cut.tazumeki")));
    writeFile(QStringLiteral("text.tazumeki"), "0,1,1,0,0,\"春\",\"\"\r\n");
    refused(path(QStringLiteral("text.tazumeki")));
    refused(path(QStringLiteral("missing.tazumeki")));
    ASSERT_EQ(mkfifo(QFile::encodeName(path(QStringLiteral("pipe.tazumeki"))).constData(), 0600), 0);
    refused(path(QStringLiteral("pipe.tazumeki")));

    // Words that cross on different kana, or nothing to play: no set.
    QStringList crossing = ownSetLines();
    crossing[2] = QStringLiteral("0,0,1,2,1,\"いぬ\",\"\"");
    EXPECT_TRUE(refused(packed(QStringLiteral("crossing.tazumeki"), crossing)).contains(QStringLiteral("行目")));
    refused(packed(QStringLiteral("title-only.tazumeki"), ownSetLines().mid(5)));
}

TEST_F(OwnSetFiles, RecordsGoBesideTheOthersUnlessALinkStandsInTheWay)
{
    QString problem;
    EXPECT_EQ(ownSetRecordsFolder(dir.path(), QStringLiteral("0123456789abcdef"), &problem),
              path(QStringLiteral("sets/0123456789abcdef")));
    EXPECT_TRUE(problem.isEmpty());

    QDir().mkpath(path(QStringLiteral("elsewhere")));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("elsewhere")), path(QStringLiteral("sets"))));
    EXPECT_TRUE(ownSetRecordsFolder(dir.path(), QStringLiteral("0123456789abcdef"), &problem).isEmpty());
    EXPECT_TRUE(problem.contains(QStringLiteral("sets"))) << problem.toStdString();
}
