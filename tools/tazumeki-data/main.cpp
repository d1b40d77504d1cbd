// tazumeki-data: pack, unpack, check and show the game's data files.

#include "build_command.h"
#include "history/history_export.h"
#include "history/sqlite_history_store.h"
#include "platform/cp932.h"
#include "platform/files.h"
#include "platform/game_folders.h"
#include "platform/random.h"
#include "puzzle/own_set.h"
#include "puzzle/puzzle_check.h"
#include "puzzle/puzzle_set.h"
#include "puzzle/word_file.h"
#include "store/battle_records.h"
#include "store/gsx_seq.h"
#include "store/line_file.h"
#include "store/single_records.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

const char* kUsage =
    "usage:\n"
    "  tazumeki-data unpack CONTAINER [TEXT] [--utf8]   container to plain text (stdout without TEXT)\n"
    "  tazumeki-data pack TEXT CONTAINER [--utf8]       plain text to a container\n"
    "  tazumeki-data check PUZZLE [--utf8]              report every problem of a puzzle file\n"
    "  tazumeki-data show PUZZLE --json [--utf8]        the puzzle set as JSON\n"
    "  tazumeki-data records [FOLDER]                   where the records are and whether they read whole\n"
    "  tazumeki-data history --json|--csv [FOLDER]      the play history in FOLDER/history.db\n"
    "  tazumeki-data history --keys --json|--csv [FOLDER]  with every key kept (CSV: one line per key)\n"
    "    history shows the shipped set's games; --set SET.tazumeki (or its id) those of a set of your own\n"
    "%s"
    "Plain text is code page 932 with CR LF line ends; --utf8 reads and writes UTF-8 instead.\n"
    "A PUZZLE is a container (data2.dat) or its plain word file.\n"
    "FOLDER is a records folder; without it, the one the installed game uses.\n";

QString usageText()
{
    return QString::asprintf(kUsage, kBuildUsage);
}

void printErr(const QString& text)
{
    std::fputs(text.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

void printOut(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

struct Loaded {
    bool ok = false;
    QStringList lines;
    QString damage; // a container that broke off: the lines before it are kept
};

// No data file of the game comes near these; a pipe, a device or a huge file
// must not hang the tool or take all memory.
constexpr qint64 kMostBytes = 64 << 20;
constexpr qsizetype kMostLines = 1'000'000;

// Reads a plain file, at most kMostBytes of it.
bool readInput(const QString& path, QByteArray& data)
{
    bool ok = false;
    bool cut = false;
    QString error;
    if (!QFileInfo::exists(path)) {
        printErr(QStringLiteral("%1: no such file").arg(path));
        return false;
    }
    data = readWholeFile(path, &ok, &error, kMostBytes, &cut);
    if (!ok) {
        printErr(QStringLiteral("%1: cannot read: %2").arg(path, error));
        return false;
    }
    if (cut) {
        printErr(QStringLiteral("%1: larger than %2 MiB, which no data file of the game is").arg(path).arg(kMostBytes >> 20));
        return false;
    }
    return true;
}

// Reads a container, or a plain text file when the file is not a container.
Loaded loadLines(GsxSeq& seq, const QString& path, bool utf8, bool allowText)
{
    Loaded loaded;
    QByteArray data;
    if (!readInput(path, data)) {
        return loaded;
    }
    const UnpackResult unpacked = unpackData(seq, data, kMostLines);
    if (unpacked.status == UnpackResult::Status::NotContainer && allowText) {
        loaded.lines = textToLines(utf8 ? QString::fromUtf8(data) : decodeCp932(data));
        loaded.ok = true;
        return loaded;
    }
    if (unpacked.status == UnpackResult::Status::NotContainer || unpacked.status == UnpackResult::Status::BadVersion) {
        printErr(QStringLiteral("%1: %2").arg(path, unpacked.error));
        return loaded;
    }
    loaded.lines = unpacked.lines;
    loaded.ok = true;
    if (unpacked.status == UnpackResult::Status::Damaged) {
        loaded.damage = unpacked.error;
    }
    return loaded;
}

int unpackCommand(GsxSeq& seq, const QStringList& args, bool utf8)
{
    if (args.size() < 1 || args.size() > 2) {
        printErr(usageText());
        return 2;
    }
    const Loaded loaded = loadLines(seq, args[0], utf8, false);
    if (!loaded.ok) {
        return 1;
    }
    QByteArray text;
    if (utf8) {
        text = linesToUtf8Text(loaded.lines);
    } else {
        QString error;
        bool ok = false;
        text = linesToText(loaded.lines, &error, &ok);
        if (!ok) {
            printErr(error);
            return 1;
        }
    }
    if (args.size() == 2) {
        QString error;
        if (!atomicReplace(args[1], text, &error)) {
            printErr(QStringLiteral("%1: cannot write: %2").arg(args[1], error));
            return 1;
        }
    } else {
        printOut(text);
    }
    if (!loaded.damage.isEmpty()) {
        printErr(QStringLiteral("%1: damaged: %2; the lines before the damage were written").arg(args[0], loaded.damage));
        return 1;
    }
    return 0;
}

int packCommand(GsxSeq& seq, const QStringList& args, bool utf8)
{
    if (args.size() != 2) {
        printErr(usageText());
        return 2;
    }
    QByteArray data;
    if (!readInput(args[0], data)) {
        return 1;
    }
    QString error;
    const QStringList lines = textToLines(utf8 ? QString::fromUtf8(data) : decodeCp932(data));
    if (!packLines(seq, lines, args[1], &error)) {
        printErr(QStringLiteral("%1: not written: %2").arg(args[1], error));
        return 1;
    }
    return 0;
}

bool readPuzzle(GsxSeq& seq, const QString& path, bool utf8, PuzzleSet& set, WordFileReport& report, QString* damage,
                QStringList* lines = nullptr)
{
    const Loaded loaded = loadLines(seq, path, utf8, true);
    if (!loaded.ok) {
        return false;
    }
    *damage = loaded.damage;
    if (lines) {
        *lines = loaded.lines;
    }
    ReadWordFile(loaded.lines, set, &report);
    return true;
}

int checkCommand(GsxSeq& seq, QStringList args, bool utf8)
{
    // A set of one's own may be checked against the word list it was made from.
    QString wordList;
    if (const qsizetype at = args.indexOf(QStringLiteral("--words")); at >= 0 && at + 1 < args.size()) {
        wordList = args.takeAt(at + 1);
        args.removeAt(at);
    }
    if (args.size() != 1) {
        printErr(usageText());
        return 2;
    }
    auto set = std::make_unique<PuzzleSet>();
    WordFileReport report;
    QString damage;
    QStringList lines;
    if (!readPuzzle(seq, args[0], utf8, *set, report, &damage, &lines)) {
        return 1;
    }
    int count = 0;
    auto say = [&](int line, const QString& message) {
        ++count;
        printErr(line > 0 ? QStringLiteral("%1:%2: %3").arg(args[0]).arg(line).arg(message)
                          : QStringLiteral("%1: %2").arg(args[0], message));
    };
    if (!damage.isEmpty()) {
        say(0, QStringLiteral("damaged container: ") + damage);
    }
    for (const auto& problem : report.skipped) {
        say(problem.line, QStringLiteral("line skipped: ") + problem.message);
    }
    for (const auto& problem : report.warnings) {
        say(problem.line, problem.message);
    }
    for (const auto& problem : checkPuzzleSet(*set, &report)) {
        say(problem.line, problem.message);
    }
    if (count > 0) {
        printErr(QStringLiteral("%1 problem(s)").arg(count));
        return 1;
    }
    int patterns = 0;
    int words = 0;
    for (int p = 0; p < PuzzleSet::kPatterns; ++p) {
        if (report.headerLine[p] != 0) {
            ++patterns;
            words += set->lastSlot(p) + 1;
        }
    }
    if (patterns == 0) {
        printErr(QStringLiteral("%1: no pattern in it: not a puzzle file").arg(args[0]));
        return 1;
    }
    if (!wordList.isEmpty() && checkAgainstWordList(args[0], lines, wordList) != 0) {
        return 1;
    }
    std::printf("%s: ok, %d patterns, %d words\n", args[0].toUtf8().constData(), patterns, words);
    return 0;
}

int showCommand(GsxSeq& seq, const QStringList& args, bool utf8)
{
    if (args.size() != 1) {
        printErr(usageText());
        return 2;
    }
    auto set = std::make_unique<PuzzleSet>();
    WordFileReport report;
    QString damage;
    if (!readPuzzle(seq, args[0], utf8, *set, report, &damage)) {
        return 1;
    }
    if (!report.skipped.isEmpty()) {
        printErr(QStringLiteral("%1:%2: line skipped: %3")
                     .arg(args[0])
                     .arg(report.skipped.first().line)
                     .arg(report.skipped.first().message));
    }
    QJsonArray patterns;
    for (int p = 0; p < PuzzleSet::kPatterns; ++p) {
        bool used = report.headerLine[p] != 0;
        for (int w = 0; w < PuzzleSet::kSlots; ++w) {
            used = used || report.wordLine[p][w] != 0;
        }
        if (!used) {
            continue;
        }
        QJsonArray words;
        for (int w = 0; w <= set->lastSlot(p); ++w) {
            words.append(QJsonObject{
                {QStringLiteral("slot"), w},
                {QStringLiteral("cell"), set->WordCell[p][w]},
                {QStringLiteral("direction"), isDown(set->WordDirection[p][w]) ? QStringLiteral("down") : QStringLiteral("across")},
                {QStringLiteral("answer"), set->WordAnswer[p][w]},
                {QStringLiteral("question"), set->WordQuestion[p][w]},
            });
        }
        patterns.append(QJsonObject{
            {QStringLiteral("pattern"), p},
            {QStringLiteral("name"), set->PatternName[p]},
            {QStringLiteral("lastWordIndex"), set->LastWordIndex[p]},
            {QStringLiteral("words"), words},
        });
    }
    if (patterns.isEmpty()) {
        printErr(QStringLiteral("%1: no pattern in it: not a puzzle file").arg(args[0]));
        return 1;
    }
    printOut(QJsonDocument(QJsonObject{{QStringLiteral("patterns"), patterns}}).toJson(QJsonDocument::Indented));
    if (!damage.isEmpty()) {
        printErr(QStringLiteral("%1: damaged container: %2").arg(args[0], damage));
        return 1;
    }
    return 0;
}

// The records folder the installed game uses; empty (and said why) when there is none.
QString defaultRecordsFolder()
{
    QString problem;
    const QString folder = userDataFolder(&problem);
    if (folder.isEmpty()) {
        printErr(QStringLiteral("no records folder: %1").arg(problem));
    }
    return folder;
}

// Reads the record files of a folder without changing anything in it.
int recordsCommand(GsxSeq& seq, const QStringList& args)
{
    if (args.size() > 1) {
        printErr(usageText());
        return 2;
    }
    const QString folder = args.isEmpty() ? defaultRecordsFolder() : args[0];
    if (folder.isEmpty()) {
        return 1; // said why
    }
    std::printf("records folder: %s\n", QDir::toNativeSeparators(folder).toUtf8().constData());
    struct Kind {
        QString file;
        std::function<QString(const QStringList&)> read;
    };
    const Kind kinds[] = {
        {QStringLiteral("data1.dat"),
         [](const QStringList& lines) {
             auto table = std::make_unique<SingleRecordTable>();
             return ReadSingleText(lines, *table);
         }},
        {QStringLiteral("data3.dat"),
         [](const QStringList& lines) {
             auto table = std::make_unique<BattleRecordTable>();
             return ReadBattleText(lines, *table);
         }},
    };
    int damaged = 0;
    for (const Kind& kind : kinds) {
        const QString file = QDir(folder).filePath(kind.file);
        const PathKind pathKindOfFile = pathKind(file);
        if (pathKindOfFile == PathKind::Link || pathKindOfFile == PathKind::Other) {
            std::printf("%s: not read: %s\n", kind.file.toUtf8().constData(), notAFileReason(file).toUtf8().constData());
            ++damaged;
            continue;
        }
        const UnpackResult unpacked = unpackLines(seq, file, ReadLimits{kMostBytes, kMostLines});
        QString state;
        if (unpacked.status == UnpackResult::Status::Missing) {
            state = QStringLiteral("none yet");
        } else {
            const QString problem = unpacked.ok() ? kind.read(unpacked.lines) : unpacked.error;
            state = problem.isEmpty() ? QStringLiteral("ok, %1 lines").arg(unpacked.lines.size()) : QStringLiteral("damaged: ") + problem;
            damaged += problem.isEmpty() ? 0 : 1;
        }
        std::printf("%s: %s\n", kind.file.toUtf8().constData(), state.toUtf8().constData());
    }
    return damaged > 0 ? 1 : 0;
}

int historyCommand(QStringList args, bool json, bool csv, bool keys)
{
    // One set at a time: pattern numbers mean nothing across sets.
    QString setId;
    if (const qsizetype at = args.indexOf(QStringLiteral("--set")); at >= 0) {
        if (at + 1 >= args.size()) {
            printErr(usageText());
            return 2;
        }
        const QString set = args.takeAt(at + 1);
        args.removeAt(at);
        if (QFileInfo(set).isFile()) {
            bool ok = false;
            QString error;
            const QByteArray bytes = readWholeFile(set, &ok, &error, kMostPuzzleBytes);
            if (!ok) {
                printErr(QStringLiteral("%1: %2").arg(set, error));
                return 1;
            }
            setId = ownSetId(bytes);
        } else {
            setId = set;
        }
    }
    if (args.size() > 1 || json == csv) {
        printErr(usageText());
        return 2;
    }
    const QString folder = args.isEmpty() ? defaultRecordsFolder() : args[0];
    if (folder.isEmpty()) {
        return 1; // said why
    }
    if (!QDir(folder).exists()) {
        printErr(QStringLiteral("%1: no such folder").arg(folder));
        return 1;
    }
    // Read only: a damaged database is reported, never moved or repaired here.
    SqliteHistoryStore store(folder, SqliteHistoryStore::Access::ReadOnly);
    const HistoryLoad history = store.loadAll();
    if (!history.ok()) {
        printErr(QStringLiteral("%1: %2").arg(store.path(), history.error));
        return 1;
    }
    std::vector<PlayedGame> games = history.games;
    keepOnlySet(games, setId);
    printOut(json  ? historyToJson(games, keys).toJson(QJsonDocument::Indented)
             : keys ? keysToCsv(games)
                    : historyToCsv(games));
    if (history.skipped > 0) {
        printErr(QStringLiteral("%1: %2 row(s) that make no sense were left out").arg(store.path()).arg(history.skipped));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::unique_ptr<QCoreApplication> app = makeDataToolApplication(argc, argv);
    // The same name as the game's, so both find the same data folder.
    QCoreApplication::setApplicationName(QStringLiteral("Tazumeki"));
    QStringList args = QCoreApplication::arguments().mid(1);
    const bool utf8 = args.removeAll(QStringLiteral("--utf8")) > 0;
    const bool json = args.removeAll(QStringLiteral("--json")) > 0;
    const bool csv = args.removeAll(QStringLiteral("--csv")) > 0;
    const bool keys = args.removeAll(QStringLiteral("--keys")) > 0;
    if (args.isEmpty()) {
        printErr(usageText());
        return 2;
    }
    const QString command = args.takeFirst();
    if (command == QStringLiteral("build")) {
        return buildCommand(args);
    }
    StdRandom random;
    GsxSeq seq(random);
    if (command == QStringLiteral("unpack")) {
        return unpackCommand(seq, args, utf8);
    }
    if (command == QStringLiteral("pack")) {
        return packCommand(seq, args, utf8);
    }
    if (command == QStringLiteral("check")) {
        return checkCommand(seq, args, utf8);
    }
    if (command == QStringLiteral("records")) {
        return recordsCommand(seq, args);
    }
    if (command == QStringLiteral("show") && json) {
        return showCommand(seq, args, utf8);
    }
    if (keys && command != QStringLiteral("history")) {
        printErr(usageText());
        return 2;
    }
    if (command == QStringLiteral("history")) {
        return historyCommand(args, json, csv, keys);
    }
    printErr(usageText());
    return 2;
}
