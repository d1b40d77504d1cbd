#include "store/record_fields.h"

#include <QDate>
#include <cmath>

namespace {

const QDate kDayZero(1899, 12, 30);
constexpr int kSecondsPerDay = 86400;

// Reads a field left to right. Only ASCII digits and ASCII white space
// count, as in the files the game has always written.
class FieldReader {
public:
    explicit FieldReader(QStringView text) : m_text(text) {}

    qsizetype pos() const { return m_pos; }
    void rewind(qsizetype pos) { m_pos = pos; }
    bool atEnd() const { return m_pos == m_text.size(); }

    bool take(char16_t c)
    {
        if (!atEnd() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool takeOneOf(char16_t a, char16_t b) { return take(a) || take(b); }

    void skipSpace()
    {
        while (!atEnd() && isSpace(m_text[m_pos].unicode())) {
            ++m_pos;
        }
    }

    // Between min and max digits; their value, or -1 when fewer than min.
    int digits(int min, int max)
    {
        int value = 0;
        int count = 0;
        while (count < max && !atEnd() && isDigit(m_text[m_pos].unicode())) {
            value = value * 10 + (m_text[m_pos].unicode() - u'0');
            ++m_pos;
            ++count;
        }
        return count >= min ? value : -1;
    }
    // Any number of digits; how many.
    int skipDigits()
    {
        int count = 0;
        while (!atEnd() && isDigit(m_text[m_pos].unicode())) {
            ++m_pos;
            ++count;
        }
        return count;
    }

private:
    static bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
    static bool isSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

    QStringView m_text;
    qsizetype m_pos = 0;
};

// A whole number field: [sign] digits [. digits] or . digits, then an
// optional exponent, with white space around.
bool isNumberField(QStringView field)
{
    FieldReader in(field);
    in.skipSpace();
    in.takeOneOf(u'-', u'+');
    const int whole = in.skipDigits();
    const bool point = in.take(u'.');
    const int fraction = point ? in.skipDigits() : 0;
    if (whole == 0 && fraction == 0) {
        return false;
    }
    if (in.takeOneOf(u'e', u'E')) {
        in.takeOneOf(u'-', u'+');
        if (in.skipDigits() == 0) {
            return false;
        }
    }
    in.skipSpace();
    return in.atEnd();
}

struct DateFields {
    int year = -1, month = -1, day = -1;
    int hour = -1, minute = -1, second = 0;
};

// What follows the date part: [space] [h:mm[:ss]] # [space], to the end.
bool readTimeAndEnd(FieldReader& in, DateFields& fields)
{
    in.skipSpace();
    const qsizetype start = in.pos();
    fields.hour = in.digits(1, 2);
    if (fields.hour >= 0 && in.take(u':') && (fields.minute = in.digits(2, 2)) >= 0) {
        const qsizetype beforeSeconds = in.pos();
        if (!in.take(u':') || (fields.second = in.digits(2, 2)) < 0) {
            in.rewind(beforeSeconds);
            fields.second = 0;
        }
    } else {
        in.rewind(start);
        fields.hour = -1;
        fields.minute = -1;
    }
    if (!in.take(u'#')) {
        return false;
    }
    in.skipSpace();
    return in.atEnd();
}

// # [yyyy-m-d] [space] [h:mm[:ss]] # with white space around. A one- or
// two-digit day that runs into the time is read either way, the longer first.
std::optional<DateFields> readDateField(QStringView field)
{
    FieldReader in(field);
    in.skipSpace();
    if (!in.take(u'#')) {
        return std::nullopt;
    }
    const qsizetype afterHash = in.pos();
    DateFields fields;
    fields.year = in.digits(4, 4);
    if (fields.year >= 0 && in.take(u'-') && (fields.month = in.digits(1, 2)) >= 0 && in.take(u'-')) {
        const qsizetype dayStart = in.pos();
        for (int length : {2, 1}) {
            in.rewind(dayStart);
            if ((fields.day = in.digits(length, length)) >= 0 && readTimeAndEnd(in, fields)) {
                return fields;
            }
        }
    }
    // No date part.
    in.rewind(afterHash);
    fields = DateFields();
    if (readTimeAndEnd(in, fields)) {
        return fields;
    }
    return std::nullopt;
}

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
    if (!isNumberField(field)) {
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
    const std::optional<DateFields> fields = readDateField(field);
    if (!fields || (fields->year < 0 && fields->hour < 0)) {
        return std::nullopt;
    }
    double days = 0;
    if (fields->year >= 0) {
        const QDate date(fields->year, fields->month, fields->day);
        if (!date.isValid()) {
            return std::nullopt;
        }
        days = static_cast<double>(date.toJulianDay() - kDayZero.toJulianDay());
    }
    if (fields->hour >= 0) {
        const int h = fields->hour;
        const int m = fields->minute;
        const int s = fields->second;
        if (h > 23 || m > 59 || s > 59) {
            return std::nullopt;
        }
        const double fraction = (h * 3600 + m * 60 + s) / double(kSecondsPerDay);
        // Before day 0 the time still counts forward from midnight.
        days = days < 0 ? days - fraction : days + fraction;
    }
    return days;
}
