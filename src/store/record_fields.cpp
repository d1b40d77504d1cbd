#include "store/record_fields.h"

#include <QDate>
#include <QRegularExpression>
#include <cmath>

namespace {

const QDate kDayZero(1899, 12, 30);
constexpr int kSecondsPerDay = 86400;

} // namespace

QString formatRecordNumber(double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
        return QString::number(static_cast<qint64>(value));
    }
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

std::optional<double> parseRecordNumber(const QString& field)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[-+]?(\\d+\\.?\\d*|\\.\\d+)([eE][-+]?\\d+)?\\s*$"));
    if (!number.match(field).hasMatch()) {
        return std::nullopt;
    }
    bool ok = false;
    const double value = field.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

double dayNumber(int year, int month, int day)
{
    return static_cast<double>(QDate(year, month, day).toJulianDay() - kDayZero.toJulianDay());
}

QString formatRecordDate(double days)
{
    // Only four-digit years can be written and read back; anything else
    // (never set by the game, only by memory gone wrong) is written as day 0.
    static const double first = dayNumber(1, 1, 1) - 1;
    static const double last = dayNumber(9999, 12, 31) + 1;
    if (!std::isfinite(days) || days <= first || days >= last) {
        days = 0;
    }
    double whole = std::trunc(days);
    int seconds = static_cast<int>(std::lround(std::fabs(days - whole) * kSecondsPerDay));
    if (seconds == kSecondsPerDay) { // rounds up to the next midnight
        seconds = 0;
        whole += days < 0 ? -1 : 1;
    }
    QDate date = kDayZero.addDays(static_cast<qint64>(whole));
    if (date.year() < 1 || date.year() > 9999) { // rounded past the last second of a year
        date = kDayZero;
        whole = 0;
        seconds = 0;
    }
    const QString time = QStringLiteral("%1:%2:%3")
                             .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
                             .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                             .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    const QString day = date.toString(QStringLiteral("yyyy-MM-dd"));
    if (seconds == 0) {
        return u'#' + day + u'#';
    }
    return whole == 0 ? u'#' + time + u'#' : u'#' + day + u' ' + time + u'#';
}

std::optional<double> parseRecordDate(const QString& field)
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
        days = static_cast<double>(date.toJulianDay() - kDayZero.toJulianDay());
    }
    if (!match.captured(4).isEmpty()) {
        const int h = match.captured(4).toInt();
        const int m = match.captured(5).toInt();
        const int s = match.captured(6).toInt();
        if (h > 23 || m > 59 || s > 59) {
            return std::nullopt;
        }
        const double fraction = (h * 3600 + m * 60 + s) / double(kSecondsPerDay);
        // Before day 0 the time still counts forward from midnight.
        days = days < 0 ? days - fraction : days + fraction;
    }
    return days;
}
