#include "store/single_records.h"

#include "platform/files.h"
#include "store/quoted_fields.h"
#include "store/record_fields.h"
#include "store/record_file.h"

#include <cmath>
#include <optional>

QStringList WriteSingleText(const SingleRecordTable& t)
{
    QStringList lines;
    lines.reserve(SingleRecordTable::kPatterns);
    for (int k = 0; k < SingleRecordTable::kPatterns; ++k) {
        lines.append(QStringList{QString::number(t.CountWithQuestion[k]), formatRecordNumber(t.BestWithQuestion[k]),
                                 formatRecordDate(t.DateWithQuestion[k]), QString::number(t.CountNoQuestion[k]),
                                 formatRecordNumber(t.BestNoQuestion[k]), formatRecordDate(t.DateNoQuestion[k])}
                         .join(u','));
    }
    lines.append(t.extraLines);
    return lines;
}

namespace {

std::optional<qint16> parseCount(const QString& field)
{
    const auto value = parseRecordNumber(field);
    if (!value || *value != std::trunc(*value) || *value < -32768 || *value > 32767) {
        return std::nullopt;
    }
    return static_cast<qint16>(*value);
}

} // namespace

QString ReadSingleText(const QStringList& lines, SingleRecordTable& t)
{
    QStringList problems;
    if (lines.size() < SingleRecordTable::kPatterns) {
        problems.append(QStringLiteral("%1 of %2 lines").arg(lines.size()).arg(SingleRecordTable::kPatterns));
    }
    for (int k = 0; k < SingleRecordTable::kPatterns && k < lines.size(); ++k) {
        const QStringList f = splitWordFields(lines[k]);
        const auto countWith = parseCount(f.value(0));
        const auto bestWith = parseRecordNumber(f.value(1));
        const auto dateWith = parseRecordDate(f.value(2));
        const auto countNo = parseCount(f.value(3));
        const auto bestNo = parseRecordNumber(f.value(4));
        const auto dateNo = parseRecordDate(f.value(5));
        if (f.size() < 6 || !countWith || !bestWith || !dateWith || !countNo || !bestNo || !dateNo) {
            problems.append(QStringLiteral("line %1 cannot be read").arg(k + 1));
        }
        t.CountWithQuestion[k] = countWith.value_or(0);
        t.BestWithQuestion[k] = bestWith.value_or(0);
        t.DateWithQuestion[k] = dateWith.value_or(0);
        t.CountNoQuestion[k] = countNo.value_or(0);
        t.BestNoQuestion[k] = bestNo.value_or(0);
        t.DateNoQuestion[k] = dateNo.value_or(0);
    }
    t.extraLines = lines.mid(SingleRecordTable::kPatterns);
    if (problems.size() > 4) {
        problems = problems.mid(0, 4) << QStringLiteral("…");
    }
    return problems.join(QStringLiteral(", "));
}

RecordLoad LoadSingleRecords(GsxSeq& seq, const QString& recordsDir, SingleRecordTable& table)
{
    return loadRecordFile(seq, recordFile(recordsDir, QStringLiteral("data1.dat")), QStringLiteral("user.txt"),
                          SingleRecordTable::kPatterns,
                          [&](const QStringList& lines) { return ReadSingleText(lines, table); },
                          [&] { return WriteSingleText(table); });
}

bool SaveSingleRecords(GsxSeq& seq, const QString& recordsDir, const SingleRecordTable& table, QString* error)
{
    return saveRecordFile(seq, recordFile(recordsDir, QStringLiteral("data1.dat")), QStringLiteral("user.txt"),
                          WriteSingleText(table), error);
}
