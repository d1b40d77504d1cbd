#include "puzzle/own_set.h"

#include "platform/files.h"
#include "puzzle/puzzle_check.h"
#include "puzzle/puzzle_set.h"
#include "puzzle/word_file.h"
#include "store/line_file.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <memory>

QString ownSetId(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().left(16));
}

OwnSetLoad loadOwnSet(GsxSeq& seq, const QString& path, PuzzleSet& puzzles)
{
    OwnSetLoad load;
    const QString file = QFileInfo(path).absoluteFilePath();
    bool ok = false;
    bool cut = false;
    QString error;
    const QByteArray bytes = readWholeFile(file, &ok, &error, kMostPuzzleBytes, &cut);
    if (!ok) {
        load.problem = error;
        return load;
    }
    if (cut) {
        load.problem = QStringLiteral("パズルセットにしては大きすぎます");
        return load;
    }
    const UnpackResult unpacked = unpackData(seq, bytes, kMostPuzzleLines);
    if (!unpacked.ok()) {
        load.problem = unpacked.error.isEmpty() ? QStringLiteral("パズルセットのファイルではありません") : unpacked.error;
        return load;
    }
    // Read aside first: a refused set leaves the one in play untouched.
    auto read = std::make_unique<PuzzleSet>();
    WordFileReport report;
    ReadWordFile(unpacked.lines, *read, &report);
    const QList<PuzzleProblem> problems = checkPuzzleSet(*read, &report);
    if (!report.skipped.isEmpty() || !problems.isEmpty()) {
        const int line = !report.skipped.isEmpty() ? report.skipped.first().line : problems.first().line;
        const QString what = !report.skipped.isEmpty() ? report.skipped.first().message : problems.first().message;
        load.problem = line > 0 ? QStringLiteral("%1 行目：%2").arg(line).arg(what) : what;
        return load;
    }
    if (playablePatterns(*read).empty()) {
        load.problem = QStringLiteral("遊べるパターンがありません");
        return load;
    }
    puzzles = *read;
    load.set = OwnSet{file, ownSetId(bytes), puzzles.PatternName[PuzzleSet::kTitlePattern]};
    return load;
}

QString ownSetRecordsFolder(const QString& recordsDir, const QString& id, QString* problem)
{
    const QString sets = QDir(recordsDir).filePath(QStringLiteral("sets"));
    const QString folder = QDir(sets).filePath(id);
    for (const QString& place : {sets, folder}) {
        const QFileInfo info(place);
        if (info.isSymLink() || (info.exists() && !info.isDir())) {
            *problem = QStringLiteral("%1 がフォルダーではありません（リンクなど）").arg(QDir::toNativeSeparators(place));
            return QString();
        }
    }
    return folder;
}
