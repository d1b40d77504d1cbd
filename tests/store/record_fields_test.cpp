#include "store/record_fields.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>
#include <cmath>
#include <random>

namespace {

// The fields were once read with these patterns; the readers must take
// exactly what they took, and read the same values from it.
std::optional<double> patternNumber(const QString& field)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[-+]?(\\d+\\.?\\d*|\\.\\d+)([eE][-+]?\\d+)?\\s*$"));
    if (!number.match(field).hasMatch()) {
        return std::nullopt;
    }
    bool ok = false;
    const double value = field.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

std::optional<double> patternDate(const QString& field)
{
    static const QRegularExpression form(QStringLiteral(
        "^\\s*#(?:(\\d{4})-(\\d{1,2})-(\\d{1,2}))?\\s*(?:(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?#\\s*$"));
    const auto match = form.match(field);
    if (!match.hasMatch() || (match.captured(1).isEmpty() && match.captured(4).isEmpty())) {
        return std::nullopt;
    }
    double days = 0;
    if (!match.captured(1).isEmpty()) {
        const QDate date(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
        if (!date.isValid()) {
            return std::nullopt;
        }
        days = dayNumber(date.year(), date.month(), date.day());
    }
    if (!match.captured(4).isEmpty()) {
        const int h = match.captured(4).toInt();
        const int m = match.captured(5).toInt();
        const int s = match.captured(6).toInt();
        if (h > 23 || m > 59 || s > 59) {
            return std::nullopt;
        }
        const double fraction = (h * 3600 + m * 60 + s) / 86400.0;
        days = days < 0 ? days - fraction : days + fraction;
    }
    return days;
}

// Fields made of the pieces the two forms are built from, in any order.
QString pieceField(std::mt19937& random)
{
    static const QStringList pieces{
        QStringLiteral("#"),    QStringLiteral("#"),    QStringLiteral("2005"), QStringLiteral("1899"),
        QStringLiteral("0001"), QStringLiteral("-"),    QStringLiteral("-"),    QStringLiteral("1"),
        QStringLiteral("11"),   QStringLiteral("12"),   QStringLiteral("3"),    QStringLiteral("123"),
        QStringLiteral(":"),    QStringLiteral(":"),    QStringLiteral("00"),   QStringLiteral("59"),
        QStringLiteral("7"),    QStringLiteral(" "),    QStringLiteral("\t"),   QStringLiteral("\n"),
        QStringLiteral("\v"),   QStringLiteral("."),    QStringLiteral("e"),    QStringLiteral("E"),
        QStringLiteral("+"),    QStringLiteral("x"),    QStringLiteral("１"),   QStringLiteral("\u3000"),
        QStringLiteral("\u00a0"), QStringLiteral("٣"),
    };
    std::uniform_int_distribution<int> count(0, 9);
    std::uniform_int_distribution<qsizetype> pick(0, pieces.size() - 1);
    QString field;
    for (int n = count(random); n > 0; --n) {
        field += pieces[pick(random)];
    }
    return field;
}

} // namespace

TEST(RecordFields, ReadExactlyWhatTheFormerPatternsRead)
{
    QStringList fields{
        QStringLiteral("#2005-11-12:00#"),     QStringLiteral("#2005-11-1 12:00#"), QStringLiteral("#2005-11-112:00:00#"),
        QStringLiteral("#2005-1-1#"),          QStringLiteral(" #12:00# "),         QStringLiteral("# 7:05:09#"),
        QStringLiteral("#2005-11-11 #"),       QStringLiteral("#2005-11-11 24:00#"), QStringLiteral("#12:5#"),
        QStringLiteral("#12:05:#"),            QStringLiteral("#20051-1-1#"),       QStringLiteral("# #"),
        QStringLiteral("#2005-02-29#"),        QStringLiteral("#0000-01-01#"),      QStringLiteral("#2005-11-11\n"),
        QStringLiteral("1e5"),                 QStringLiteral(".5"),                QStringLiteral("5."),
        QStringLiteral("."),                   QStringLiteral("+-1"),               QStringLiteral(" -3 \n"),
        QStringLiteral("1e"),                  QStringLiteral("1e400"),             QStringLiteral("１"),
        QStringLiteral("\u30001"),             QStringLiteral("1\u00a0"),           QStringLiteral("٣"),
    };
    std::mt19937 random(20261209);
    for (int i = 0; i < 200000; ++i) {
        fields.append(pieceField(random));
    }
    int wrong = 0;
    for (const QString& field : fields) {
        const bool same = parseRecordNumber(field) == patternNumber(field) && parseRecordDate(field) == patternDate(field);
        if (!same && ++wrong <= 10) {
            ADD_FAILURE() << "read differently: \"" << field.toStdString() << '"';
        }
    }
    EXPECT_EQ(wrong, 0);
}
