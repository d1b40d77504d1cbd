#pragma once

#include <QString>
#include <optional>

// The number and date fields of the record files. Independent of locale and
// time zone: numbers use the period, dates count days since 1899-12-30.
QString formatRecordNumber(double value);
std::optional<double> parseRecordNumber(const QString& field);

// "#yyyy-mm-dd#", with " hh:mm:ss" added when there is a time of day; a time
// alone on day 0; day 0 without a time is written "#1899-12-30#".
QString formatRecordDate(double days);
// Accepts every form above, "#00:00:00#" included.
std::optional<double> parseRecordDate(const QString& field);

// Day count of a calendar date.
double dayNumber(int year, int month, int day);
