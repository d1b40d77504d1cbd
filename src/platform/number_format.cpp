#include "platform/number_format.h"

#include <cmath>

QString formatNumber(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    // The tiny nudge keeps decimal halves such as 1.35 (stored as 1.3499…) rounding up.
    const double scaled = value * scale;
    const double rounded = std::round(scaled + std::copysign(scale * 1e-12 * std::max(1.0, std::fabs(value)), scaled));
    const double shown = rounded / scale;
    QString text = QString::number(std::fabs(shown), 'f', decimals);
    if (rounded != 0 && shown < 0) {
        text.prepend(u'-');
    }
    return text;
}

QString formatTwoDigits(int value)
{
    return value < 0 ? QString::number(value) : QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}
