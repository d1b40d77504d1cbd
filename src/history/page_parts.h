#pragma once

#include "history/history_store.h"

#include <QColor>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <vector>

class QAbstractAxis;
class QAbstractSeries;
class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QTableWidget;
class QValueAxis;
class QWidget;

// The pieces the history window's pages are built of, in its fonts.

// "12.345秒"
QString seconds(qint64 ms);
// What a page says when the history could not be read.
QString unreadable(const HistoryLoad& history);

QLabel* caption(const QString& text, bool bold = false);
// A page: its title, a summary line, then what the caller adds.
QWidget* pageWith(QLabel* title, QLabel* summary);

// A table the keyboard reaches with Tab and scrolls with the arrows and page
// keys; Tab goes on to the next control rather than to the next cell.
QTableWidget* table(const QString& name, const QStringList& headers, int rows);
void setCell(QTableWidget* t, int row, int column, const QString& text, Qt::Alignment alignment = Qt::AlignCenter);

QChart* makeChart(const QString& title);
QChartView* viewOf(QChart* chart);
QValueAxis* axis(const QString& title, double low, double high, const QString& format);
QLineSeries* lineSeries(const QString& name, const std::vector<QPointF>& points, QColor color, bool markers);
void attach(QChart* chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y);
// An axis from low to past high in round steps, ticks anchored at 0; whole
// numbers only for counts.
QValueAxis* scaleAxis(const QString& title, double low, double high, int ticks = 5, bool whole = true);
// Whole numbers on an axis that starts at 1, with half a step to spare at
// each end, so that no point sits on the axis (a single game's least of all).
QValueAxis* countAxis(const QString& title, int count);
