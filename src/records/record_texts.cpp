#include "records/record_texts.h"

#include "platform/number_format.h"

#include <QDate>
#include <cmath>

CellText GradeForTime(double milliseconds)
{
    const double t = milliseconds / 1000;
    if (t < 15) {
        return {QStringLiteral("SS"), QColor(255, 0, 0)};
    }
    if (t < 20) {
        return {QStringLiteral("S"), QColor(0, 0, 255)};
    }
    if (t < 25) {
        return {QStringLiteral("A"), Qt::black};
    }
    if (t < 30) {
        return {QStringLiteral("B"), Qt::black};
    }
    return {QStringLiteral("C"), Qt::black};
}

CellText BattleCellText(double wins, double losses)
{
    const QColor color = wins > losses ? QColor(255, 0, 0) : wins < losses ? QColor(0, 0, 255) : QColor(Qt::black);
    if (wins == 0 && losses == 0) {
        return {QString(), color};
    }
    return {formatNumber(wins, 0) + u'-' + formatNumber(losses, 0), color};
}

QString shortDate(double days)
{
    // The whole days count; the time of day never moves the date.
    return QDate(1899, 12, 30).addDays(static_cast<qint64>(std::trunc(days))).toString(QStringLiteral("yyyy/MM/dd"));
}
