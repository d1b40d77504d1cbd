#include "history/stroke_blob.h"

#include <QCborStreamReader>
#include <QCborStreamWriter>

namespace {

enum Flag : int { Missed = 1, Commit = 2 };
constexpr qsizetype kLongestKey = 256; // an input method may commit a phrase
constexpr qint64 kLatestMs = 24LL * 3600 * 1000;
constexpr qint64 kLastPlace = 10000;

std::optional<qint64> readInteger(QCborStreamReader& reader, qint64 low, qint64 high)
{
    if (!reader.isInteger()) {
        return std::nullopt;
    }
    const qint64 value = reader.toInteger();
    if (value < low || value > high || !reader.next()) {
        return std::nullopt;
    }
    return value;
}

std::optional<QString> readText(QCborStreamReader& reader, qsizetype longest)
{
    if (!reader.isString()) {
        return std::nullopt;
    }
    QString text;
    for (auto chunk = reader.readString(); chunk.status == QCborStreamReader::Ok; chunk = reader.readString()) {
        text += chunk.data;
        if (text.size() > longest) {
            return std::nullopt;
        }
    }
    if (reader.lastError() != QCborError::NoError) {
        return std::nullopt;
    }
    return text;
}

std::optional<KeyStroke> readStroke(QCborStreamReader& reader)
{
    if (!reader.isArray() || !reader.isLengthKnown() || reader.length() != 6 || !reader.enterContainer()) {
        return std::nullopt;
    }
    KeyStroke stroke;
    const auto ms = readInteger(reader, 0, kLatestMs);
    const auto key = ms ? readText(reader, kLongestKey) : std::nullopt;
    const auto kana = key ? readText(reader, 8) : std::nullopt;
    const auto mora = kana ? readInteger(reader, -1, kLastPlace) : std::nullopt;
    const auto place = mora ? readInteger(reader, -1, kLastPlace) : std::nullopt;
    const auto flags = place ? readInteger(reader, 0, Missed | Commit) : std::nullopt;
    if (!flags || !reader.leaveContainer()) {
        return std::nullopt;
    }
    stroke.ms = *ms;
    stroke.key = *key;
    stroke.kana = *kana;
    stroke.mora = static_cast<int>(*mora);
    stroke.place = static_cast<int>(*place);
    stroke.missed = (*flags & Missed) != 0;
    stroke.commit = (*flags & Commit) != 0;
    return stroke;
}

} // namespace

QByteArray strokesToBlob(const std::vector<KeyStroke>& strokes)
{
    QByteArray blob;
    QCborStreamWriter writer(&blob);
    writer.startArray(static_cast<quint64>(strokes.size()));
    for (const KeyStroke& stroke : strokes) {
        writer.startArray(6);
        writer.append(stroke.ms);
        writer.append(stroke.key);
        writer.append(stroke.kana);
        writer.append(qint64(stroke.mora));
        writer.append(qint64(stroke.place));
        writer.append(qint64((stroke.missed ? Missed : 0) | (stroke.commit ? Commit : 0)));
        writer.endArray();
    }
    writer.endArray();
    return blob;
}

std::optional<std::vector<KeyStroke>> strokesFromBlob(const QByteArray& blob)
{
    QCborStreamReader reader(blob);
    if (!reader.isArray() || !reader.isLengthKnown() || reader.length() > quint64(kMostStrokesPerWord)) {
        return std::nullopt;
    }
    std::vector<KeyStroke> strokes;
    strokes.reserve(static_cast<std::size_t>(reader.length()));
    if (!reader.enterContainer()) {
        return std::nullopt;
    }
    while (reader.hasNext()) {
        auto stroke = readStroke(reader);
        if (!stroke) {
            return std::nullopt;
        }
        strokes.push_back(std::move(*stroke));
    }
    if (!reader.leaveContainer() || reader.lastError() != QCborError::NoError || reader.currentOffset() != blob.size()) {
        return std::nullopt;
    }
    return strokes;
}
