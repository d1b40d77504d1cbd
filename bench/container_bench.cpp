// The container's text copies against the code page 932 conversion they are
// built on: the same text both ways, at three sizes, so the cost per byte and
// its growth show side by side.
#include "platform/cp932.h"
#include "platform/files.h"
#include "platform/random.h"
#include "store/gsx_seq.h"
#include "store/line_file.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <stdexcept>

namespace {

// Lines like a hand-kept word file: ASCII fields, kana answers, mixed clues.
QByteArray mixedText(qsizetype bytes)
{
    static const QStringList kinds = {
        QStringLiteral("%1,0,%2,%3,0,\"さくらんぼ\",\"初夏に実る赤い果物\""),
        QStringLiteral("# pattern %1, word %2: cell %3, across"),
        QStringLiteral("%1,0,%2,%3,1,\"ABC\",\"英字の最初の三文字（ｱﾙﾌｧﾍﾞｯﾄ）\""),
        QStringLiteral("Round %1 took %2.%3 seconds; 新記録です！"),
    };
    QByteArray text;
    for (int i = 0; text.size() < bytes; ++i) {
        const QString line = kinds[i % kinds.size()].arg(i % 99).arg(i % 16).arg(i % 49);
        text.append(*encodeCp932(line));
        text.append("\r\n");
    }
    // Cut at a line end at or below the size.
    const qsizetype cut = text.lastIndexOf("\r\n", bytes - 2);
    text.truncate(cut < 0 ? text.size() : cut + 2);
    return text;
}

QString scratchParent()
{
    // A memory file system where there is one: these figures are about the
    // conversion work, not the disk.
    const QString shm = QStringLiteral("/dev/shm");
    return QFileInfo(shm).isDir() && QFileInfo(shm).isWritable() ? shm : QDir::tempPath();
}

struct Scratch {
    QTemporaryDir dir{scratchParent() + QStringLiteral("/tazumeki-bench-XXXXXX")};
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
};

void cp932RoundTrip(benchmark::State& state)
{
    const QByteArray bytes = mixedText(state.range(0));
    for (auto _ : state) {
        const QString text = decodeCp932(bytes);
        benchmark::DoNotOptimize(encodeCp932(text));
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void packFromText(benchmark::State& state)
{
    Scratch scratch;
    const QString textPath = scratch.path(QStringLiteral("words.txt"));
    const QString containerPath = scratch.path(QStringLiteral("words.dat"));
    const QByteArray bytes = mixedText(state.range(0));
    if (!atomicReplace(textPath, bytes)) {
        state.SkipWithError("cannot write the text file");
        return;
    }
    StdRandom random(11);
    GsxSeq seq(random);
    for (auto _ : state) {
        if (!PackFromText(seq, textPath, containerPath)) {
            state.SkipWithError("PackFromText failed");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void unpackToText(benchmark::State& state)
{
    Scratch scratch;
    const QString textPath = scratch.path(QStringLiteral("words.txt"));
    const QString containerPath = scratch.path(QStringLiteral("words.dat"));
    const QByteArray bytes = mixedText(state.range(0));
    StdRandom random(13);
    GsxSeq seq(random);
    if (!atomicReplace(textPath, bytes) || !PackFromText(seq, textPath, containerPath)) {
        state.SkipWithError("cannot make the container");
        return;
    }
    for (auto _ : state) {
        if (!UnpackToText(seq, containerPath, textPath).ok()) {
            state.SkipWithError("UnpackToText failed");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(1 << 10)->Arg(100 << 10)->Arg(10 << 20)->Unit(benchmark::kMicrosecond);
}

BENCHMARK(cp932RoundTrip)->Apply(sizes);
BENCHMARK(packFromText)->Apply(sizes);
BENCHMARK(unpackToText)->Apply(sizes);

} // namespace
