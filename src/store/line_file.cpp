#include "store/line_file.h"

#include "platform/cp932.h"
#include "platform/files.h"
#include "store/gsx_seq.h"

namespace {

UnpackResult readAll(GsxSeq& seq, int handle)
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
    QString text;
    for (;;) {
        const int rc = seq.ReadLine(handle, text);
        if (rc == GsxSeq::EndOfLines) {
            result.status = UnpackResult::Status::Ok;
            return result;
        }
        if (rc != GsxSeq::LineRead) {
            seq.CloseRead();
            result.status = UnpackResult::Status::Damaged;
            result.error = rc == GsxSeq::BadMarker ? QStringLiteral("an unknown record follows line %1")
                         : rc == GsxSeq::BadRow    ? QStringLiteral("a record after line %1 names a key row out of range")
                                                   : QStringLiteral("the data ends or breaks off after line %1");
            result.error = result.error.arg(result.lines.size());
            return result;
        }
        result.lines.append(text);
    }
}

} // namespace

UnpackResult unpackLines(GsxSeq& seq, const QString& containerPath)
{
    if (!fileExists(containerPath)) {
        return {};
    }
    bool ok = false;
    QString error;
    const QByteArray data = readWholeFile(containerPath, &ok, &error);
    if (!ok) {
        UnpackResult result;
        result.status = UnpackResult::Status::Unreadable;
        result.error = error;
        return result;
    }
    return unpackData(seq, data);
}

UnpackResult unpackData(GsxSeq& seq, const QByteArray& data)
{
    return readAll(seq, seq.OpenForReadData(data));
}

std::optional<QByteArray> packData(GsxSeq& seq, const QStringList& lines, QString* error)
{
    seq.MakeKeyTable();
    const int handle = seq.OpenForWrite(QString());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString why;
        if (!seq.WriteLine(handle, lines[i], &why)) {
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
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < n) {
        lines.append(text.mid(start));
    }
    return lines;
}

UnpackResult UnpackToText(GsxSeq& seq, const QString& containerPath, const QString& textPath)
{
    UnpackResult result = unpackLines(seq, containerPath);
    if (result.status == UnpackResult::Status::Missing) {
        return result;
    }
    QString error;
    bool encoded = false;
    const QByteArray text = linesToText(result.lines, &error, &encoded);
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
    return packLines(seq, textToLines(decodeCp932(text)), containerPath, error);
}
