#include "store/line_file.h"

#include "platform/cp932.h"
#include "platform/files.h"
#include "store/gsx_seq.h"

#include <QFileInfo>

namespace {

// Reads every record to the end record or the damage, handing each line's
// code page 932 bytes to `take` (valid for the call only); the result
// carries the status, not the lines.
template <typename Take>
UnpackResult readAll(GsxSeq& seq, int handle, Take take, qsizetype maxLines = -1)
{
    UnpackResult result;
    if (handle == GsxSeq::OpenMissing) {
        result.status = UnpackResult::Status::Missing;
        return result;
    }
    if (handle == GsxSeq::OpenNotContainer) {
        result.status = UnpackResult::Status::NotContainer;
        result.error = QStringLiteral("the file is not a data file of this game, or its header is damaged");
        return result;
    }
    if (handle == GsxSeq::OpenBadVersion) {
        result.status = UnpackResult::Status::BadVersion;
        result.error = QStringLiteral("the file was written in an unknown format version");
        return result;
    }
    QByteArray bytes;
    for (qsizetype read = 0;; ++read) {
        const int rc = seq.ReadBytes(handle, bytes);
        if (rc == GsxSeq::EndOfLines) {
            result.status = UnpackResult::Status::Ok;
            return result;
        }
        if (rc == GsxSeq::LineRead && maxLines >= 0 && read >= maxLines) {
            seq.CloseRead();
            result.status = UnpackResult::Status::Damaged;
            result.error = QStringLiteral("the file holds more than %1 lines").arg(maxLines);
            return result;
        }
        if (rc != GsxSeq::LineRead) {
            seq.CloseRead();
            result.status = UnpackResult::Status::Damaged;
            result.error = rc == GsxSeq::BadMarker ? QStringLiteral("an unknown record follows line %1")
                         : rc == GsxSeq::BadRow    ? QStringLiteral("a record after line %1 names a key row out of range")
                                                   : QStringLiteral("the data ends or breaks off after line %1");
            result.error = result.error.arg(read);
            return result;
        }
        take(std::as_const(bytes));
    }
}

UnpackResult readAllLines(GsxSeq& seq, int handle, qsizetype maxLines)
{
    QStringList lines;
    UnpackResult result = readAll(
        seq, handle, [&](const QByteArray& bytes) { lines.append(seq.codec().decode(bytes)); }, maxLines);
    result.lines = std::move(lines);
    return result;
}

// The container file's bytes; a result instead when there are none to read.
std::optional<UnpackResult> readContainerFile(const QString& path, QByteArray& data, qint64 maxBytes = -1,
                                              bool* cut = nullptr)
{
    if (!QFileInfo::exists(path)) {
        return UnpackResult{};
    }
    bool ok = false;
    QString error;
    data = readWholeFile(path, &ok, &error, maxBytes, cut);
    if (ok) {
        return std::nullopt;
    }
    UnpackResult result;
    result.status = UnpackResult::Status::Unreadable;
    result.error = error;
    return result;
}

// Calls `line` with each line of the text, split at CR LF, a lone LF or a
// lone CR; a final line end does not make an extra empty line.
template <typename Text, typename Line>
void forEachLine(const Text& text, Line line)
{
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = text[i];
        if (c == '\r' || c == '\n') {
            line(start, i - start);
            if (c == '\r' && i + 1 < n && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < n) {
        line(start, n - start);
    }
}

// Builds a container in memory, one line at a time through `write`.
template <typename Write>
std::optional<QByteArray> packWith(GsxSeq& seq, qsizetype count, Write write, QString* error)
{
    seq.MakeKeyTable();
    const int handle = seq.OpenForWrite(QString());
    for (qsizetype i = 0; i < count; ++i) {
        QString why;
        if (!write(handle, i, &why)) {
            seq.takeWritten();
            if (error) {
                *error = QStringLiteral("line %1: %2").arg(i + 1).arg(why);
            }
            return std::nullopt;
        }
    }
    seq.CloseWrite(handle);
    return seq.takeWritten();
}

} // namespace

UnpackResult unpackLines(GsxSeq& seq, const QString& containerPath, ReadLimits limits)
{
    QByteArray data;
    bool cut = false;
    if (auto nothing = readContainerFile(containerPath, data, limits.bytes, &cut)) {
        return *nothing;
    }
    UnpackResult result = unpackData(seq, data, limits.lines);
    if (cut && result.ok()) {
        result.status = UnpackResult::Status::Damaged; // a whole container would have ended by now
    }
    if (cut && result.status == UnpackResult::Status::Damaged) {
        result.error = QStringLiteral("the file is larger than %1 bytes; %2 lines before that were read")
                           .arg(limits.bytes)
                           .arg(result.lines.size());
    }
    return result;
}

UnpackResult unpackData(GsxSeq& seq, const QByteArray& data, qsizetype maxLines)
{
    return readAllLines(seq, seq.OpenForReadData(data), maxLines);
}

std::optional<QByteArray> packData(GsxSeq& seq, const QStringList& lines, QString* error)
{
    return packWith(
        seq, lines.size(), [&](int handle, qsizetype i, QString* why) { return seq.WriteLine(handle, lines[i], why); },
        error);
}

bool packLines(GsxSeq& seq, const QStringList& lines, const QString& containerPath, QString* error)
{
    const auto data = packData(seq, lines, error);
    return data && atomicReplace(containerPath, *data, error);
}

QByteArray linesToText(const QStringList& lines, QString* error, bool* ok)
{
    QByteArray out;
    if (ok) {
        *ok = true;
    }
    const Cp932Codec codec;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString why;
        const auto bytes = codec.encode(lines[i], &why);
        if (!bytes) {
            if (error) {
                *error = QStringLiteral("line %1: %2").arg(i + 1).arg(why);
            }
            if (ok) {
                *ok = false;
            }
            return {};
        }
        out.append(*bytes);
        out.append("\r\n");
    }
    return out;
}

QByteArray linesToUtf8Text(const QStringList& lines)
{
    QByteArray out;
    for (const QString& line : lines) {
        out.append(line.toUtf8());
        out.append("\r\n");
    }
    return out;
}

QStringList textToLines(const QString& text)
{
    QStringList lines;
    forEachLine(text, [&](qsizetype start, qsizetype length) { lines.append(text.mid(start, length)); });
    return lines;
}

UnpackResult UnpackToText(GsxSeq& seq, const QString& containerPath, const QString& textPath)
{
    QByteArray data;
    if (auto nothing = readContainerFile(containerPath, data)) {
        return *nothing;
    }
    // The stored bytes joined by CR LF are the text file already, when they
    // are what writing their text would give and no line holds a line end.
    QByteArray joined;
    joined.reserve(data.size()); // a record's header is longer than its CR LF, save an empty line's
    QList<qsizetype> sizes;
    bool lineEndInside = false;
    UnpackResult result = readAll(seq, seq.OpenForReadData(data), [&](const QByteArray& bytes) {
        lineEndInside = lineEndInside || bytes.contains('\r') || bytes.contains('\n');
        joined.append(bytes);
        joined.append("\r\n");
        sizes.append(bytes.size());
    });
    // A file that is no container of this game leaves the text file alone.
    if (!result.ok() && result.status != UnpackResult::Status::Damaged) {
        return result;
    }
    QString error;
    QByteArray text;
    bool encoded = true;
    if (!lineEndInside && seq.codec().decodeExact(joined)) {
        text = std::move(joined);
    } else {
        QStringList lines;
        qsizetype at = 0;
        for (const qsizetype size : std::as_const(sizes)) {
            lines.append(seq.codec().decode(joined.sliced(at, size)));
            at += size + 2;
        }
        text = linesToText(lines, &error, &encoded);
    }
    if (!encoded || !atomicReplace(textPath, text, &error)) {
        result.status = UnpackResult::Status::Unreadable;
        result.error = error;
    }
    return result;
}

bool PackFromText(GsxSeq& seq, const QString& textPath, const QString& containerPath, QString* error)
{
    bool ok = false;
    const QByteArray text = readWholeFile(textPath, &ok, error);
    if (!ok) {
        return false;
    }
    // Text that writing its characters would give back byte for byte is
    // stored as it stands, line by line, without converting it twice.
    if (!seq.codec().decodeExact(text)) {
        return packLines(seq, textToLines(seq.codec().decode(text)), containerPath, error);
    }
    QList<QByteArrayView> lines;
    forEachLine(text, [&](qsizetype start, qsizetype length) { lines.append(QByteArrayView(text).sliced(start, length)); });
    const auto data = packWith(
        seq, lines.size(), [&](int handle, qsizetype i, QString* why) { return seq.WriteBytes(handle, lines[i], why); },
        error);
    return data && atomicReplace(containerPath, *data, error);
}
