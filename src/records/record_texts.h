#pragma once

#include <QColor>
#include <QString>

// What a record cell shows: its text and its text colour.
struct CellText {
    QString text;
    QColor color;
};

// The grade of a best time in milliseconds: SS under 15 s (red), S under 20 s
// (blue), then A, B and C (black) in steps of five seconds.
CellText GradeForTime(double milliseconds);

// "wins-losses" coloured by who is ahead; empty when neither side ever won.
CellText BattleCellText(double wins, double losses);

// yyyy/mm/dd of a day count since 1899-12-30.
QString shortDate(double days);
