// Any bytes as data1.dat and data3.dat in a game folder, loaded as at start:
// a damaged file is put aside unchanged and replaced by what could be read,
// a whole one is left alone, and no plain text file stays behind.
#include "platform/files.h"
#include "platform/random.h"
#include "store/battle_records.h"
#include "store/gsx_seq.h"
#include "store/record_file.h"
#include "store/single_records.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

void check(bool condition)
{
    if (!condition) {
        __builtin_trap();
    }
}

template <typename Table, typename Load, typename Same>
void loadOne(GsxSeq& seq, const QDir& dir, const QString& name, const QByteArray& bytes, Load load, Same same)
{
    const QString path = dir.filePath(name);
    check(atomicReplace(path, bytes));
    auto table = std::make_unique<Table>();
    const RecordLoad first = load(seq, dir.path(), *table);
    check(first.found);
    check(!first.saveBlocked); // the folder is writable: putting aside must work
    if (!first.damaged) {
        check(readWholeFile(path) == bytes);
        check(!fileExists(path + QStringLiteral(".damaged")));
        return;
    }
    check(!first.problem.isEmpty());
    check(first.keptAs == path + QStringLiteral(".damaged"));
    check(readWholeFile(first.keptAs) == bytes);
    // The rewritten file holds exactly what was read, and is whole.
    auto again = std::make_unique<Table>();
    const RecordLoad second = load(seq, dir.path(), *again);
    check(second.found && !second.damaged);
    check(same(*table, *again));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir folder;
    static StdRandom random(7);
    static GsxSeq seq(random);
    QDir dir(folder.path());
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        dir.remove(name);
    }
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // Plain text files left by an interrupted run must not matter.
    check(atomicReplace(dir.filePath(QStringLiteral("user.txt")), bytes.left(64)));
    check(atomicReplace(dir.filePath(QStringLiteral("user2.txt")), bytes.left(64)));

    loadOne<SingleRecordTable>(seq, dir, QStringLiteral("data1.dat"), bytes, LoadSingleRecords,
                               [](const SingleRecordTable& a, const SingleRecordTable& b) {
                                   return a.CountWithQuestion == b.CountWithQuestion
                                       && a.BestWithQuestion == b.BestWithQuestion
                                       && a.DateWithQuestion == b.DateWithQuestion
                                       && a.CountNoQuestion == b.CountNoQuestion
                                       && a.BestNoQuestion == b.BestNoQuestion
                                       && a.DateNoQuestion == b.DateNoQuestion;
                               });
    loadOne<BattleRecordTable>(seq, dir, QStringLiteral("data3.dat"), bytes, LoadBattleRecords,
                               [](const BattleRecordTable& a, const BattleRecordTable& b) {
                                   return a.Wins == b.Wins && a.Losses == b.Losses;
                               });
    check(!fileExists(dir.filePath(QStringLiteral("user.txt"))));
    check(!fileExists(dir.filePath(QStringLiteral("user2.txt"))));
    return 0;
}
