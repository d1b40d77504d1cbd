#pragma once

#include <QString>

// Number formats of the screens; rounding to the shown digits goes halves
// away from zero.
QString formatNumber(double value, int decimals); // "##0", "##0.0", "#0.000": at least one integer digit
QString formatTwoDigits(int value);               // "00"
