#include "history/page_parts.h"

#include "platform/fonts.h"
#include "platform/number_format.h"
#include "view/labels.h"

#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

// A round step (1, 2 or 5 times a power of ten) giving about `ticks` ticks over span.
double roundStep(double span, int ticks)
{
    const double raw = std::max(span, 1e-9) / ticks;
    const double magnitude = std::pow(10, std::floor(std::log10(raw)));
    const double f = raw / magnitude;
    return magnitude * (f <= 1 ? 1 : f <= 2 ? 2 : f <= 5 ? 5 : 10);
}

} // namespace

QString seconds(qint64 ms)
{
    return formatNumber(double(ms) / 1000, 3) + QStringLiteral("秒");
}

QLabel* caption(const QString& text, bool bold)
{
    QLabel* label = makeLabel(text, windowsFont(kPGothic, bold ? 11.25 : 9.75, bold));
    label->setWordWrap(true);
    return label;
}

QChart* makeChart(const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setTitleFont(windowsFont(kPGothic, 9.75, true));
    chart->legend()->setFont(windowsFont(kPGothic, 9));
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setBackgroundRoundness(0);
    return chart;
}

QChartView* viewOf(QChart* chart)
{
    auto* view = new QChartView(chart);
    view->setRenderHint(QPainter::Antialiasing);
    view->setFocusPolicy(Qt::NoFocus);
    view->setAccessibleName(chart->title());
    return view;
}

QValueAxis* axis(const QString& title, double low, double high, const QString& format)
{
    auto* a = new QValueAxis;
    a->setTitleText(title);
    a->setTitleFont(windowsFont(kPGothic, 9));
    a->setLabelsFont(windowsFont(kPGothic, 8.25));
    a->setRange(low, high);
    a->setLabelFormat(format);
    return a;
}

QLineSeries* lineSeries(const QString& name, const std::vector<QPointF>& points, QColor color, bool markers)
{
    auto* series = new QLineSeries;
    series->setName(name);
    for (const QPointF& p : points) {
        series->append(p);
    }
    QPen pen(color);
    pen.setWidthF(markers ? 1.5 : 2);
    if (!markers) {
        pen.setStyle(Qt::DashLine);
    }
    series->setPen(pen);
    series->setPointsVisible(markers);
    return series;
}

void attach(QChart* chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y)
{
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

QValueAxis* scaleAxis(const QString& title, double low, double high, int ticks, bool whole)
{
    const double step = whole ? std::max(1.0, roundStep(high - low, ticks)) : roundStep(high - low, ticks);
    const double bottom = std::floor(low / step) * step;
    const double top = std::max(bottom + step, std::ceil(high / step) * step);
    QValueAxis* a = axis(title, bottom, top, step < 1 ? QStringLiteral("%.1f") : QStringLiteral("%.0f"));
    a->setTickType(QValueAxis::TicksDynamic);
    a->setTickAnchor(0);
    a->setTickInterval(step);
    return a;
}

QValueAxis* countAxis(const QString& title, int count)
{
    const int high = std::max(count, 2);
    QValueAxis* a = axis(title, 0.5, high + 0.5, QStringLiteral("%.0f"));
    a->setTickType(QValueAxis::TicksDynamic);
    a->setTickAnchor(1);
    a->setTickInterval(std::max(1.0, roundStep(high - 1, 10)));
    return a;
}

QTableWidget* table(const QString& name, const QStringList& headers, int rows)
{
    auto* t = new QTableWidget(rows, int(headers.size()));
    t->setAccessibleName(name);
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->setFocusPolicy(Qt::TabFocus);
    t->setTabKeyNavigation(false);
    t->setFont(windowsFont(kPGothic, 9));
    t->horizontalHeader()->setFont(windowsFont(kPGothic, 9));
    t->verticalHeader()->setDefaultSectionSize(20);
    t->horizontalHeader()->setHighlightSections(false);
    return t;
}

void setCell(QTableWidget* t, int row, int column, const QString& text, Qt::Alignment alignment)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    t->setItem(row, column, item);
}

QWidget* pageWith(QLabel* title, QLabel* summary)
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    layout->addWidget(title);
    layout->addWidget(summary);
    return page;
}

QString unreadable(const HistoryLoad& history)
{
    return QStringLiteral("履歴を読めませんでした（%1）").arg(history.error);
}
