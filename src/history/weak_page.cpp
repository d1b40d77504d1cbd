#include "history/weak_page.h"

#include "history/keyboard_map.h"
#include "history/page_parts.h"
#include "platform/number_format.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <memory>

namespace {

QString percent(double rate)
{
    return formatNumber(rate * 100, 1) + u'%';
}

QTableWidget* kanaTable(const QString& name, const QString& figureHeader)
{
    QTableWidget* t = table(name, {QStringLiteral("仮名"), figureHeader, QStringLiteral("回数"), QStringLiteral("よく打つローマ字")}, 0);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    t->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    t->setMinimumHeight(20 * 10 + 26);
    return t;
}

void fill(QTableWidget* t, const std::vector<KanaFigures>& rows, bool slowness)
{
    t->setRowCount(int(rows.size()));
    for (int row = 0; row < int(rows.size()); ++row) {
        const KanaFigures& f = rows[std::size_t(row)];
        setCell(t, row, 0, f.kana);
        setCell(t, row, 1, slowness ? seconds(f.medianMs.value_or(0)) : percent(f.missRate()), Qt::AlignRight);
        setCell(t, row, 2, QString::number(slowness ? f.timed : f.count), Qt::AlignRight);
        setCell(t, row, 3, romajiText(f), Qt::AlignLeft);
    }
}

QString summaryOf(const KeyStats& stats, bool recent)
{
    QString text = QStringLiteral("%1：%2 語 ・ %3 打鍵")
                       .arg(recent ? QStringLiteral("最近30日") : QStringLiteral("すべて"))
                       .arg(stats.words)
                       .arg(stats.strokes);
    if (stats.inputMethodWords > 0) {
        text += QStringLiteral("（IME で入力した %1 語は打鍵が見えないため除外）").arg(stats.inputMethodWords);
    }
    if (stats.empty()) {
        text += QStringLiteral("　この期間にローマ字変換で打った語はありません。");
    }
    return text;
}

} // namespace

QString romajiText(const KanaFigures& figures)
{
    const QString& keys = figures.romaji;
    const bool doubling = keys.size() == 1 && keys[0].isLetter() && keys[0] != u'n' &&
                          (figures.kana == QStringLiteral("っ") || figures.kana == QStringLiteral("ッ"));
    return doubling ? QStringLiteral("子音を重ねる") : keys;
}

WeakPage buildWeakPage(const HistoryLoad& history, QDate today)
{
    WeakPage page;
    // Both periods at once: switching costs nothing, and the whole history
    // tells whether the page has anything to show at all. While every game
    // lies within the recent days, the two are one.
    auto periods = std::make_shared<std::array<KeyStats, 2>>();
    const QDate since = today.addDays(-(kWeakPageDays - 1));
    (*periods)[1] = keyStats(history.games);
    const bool allRecent = std::all_of(history.games.begin(), history.games.end(),
                                       [since](const PlayedGame& game) { return game.playedAt.date() >= since; });
    (*periods)[0] = allRecent ? (*periods)[1] : keyStats(history.games, since);

    page.summary = caption(history.ok() ? QString() : unreadable(history));
    page.page = pageWith(caption(QStringLiteral("苦手な仮名とキー"), true), page.summary);
    auto* layout = static_cast<QVBoxLayout*>(page.page->layout());

    const bool nothing = history.ok() && (*periods)[1].empty();
    page.emptyNote = caption(nothing ? QStringLiteral("ゲームのローマ字変換で打った語がまだないため、ここには何も出ません"
                                                      "（IME で打った語はキーが見えないので数えません）。")
                                     : QString());
    page.emptyNote->setVisible(nothing);
    layout->addWidget(page.emptyNote);

    auto* content = new QWidget;
    auto* inner = new QVBoxLayout(content);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->setSpacing(6);
    content->setVisible(history.ok() && !nothing);
    layout->addWidget(content, 1);
    if (!history.ok() || nothing) {
        layout->addStretch(1);
    }

    auto* periodRow = new QHBoxLayout;
    page.recent = new QRadioButton(QStringLiteral("最近30日"));
    page.all = new QRadioButton(QStringLiteral("すべて"));
    auto* periodGroup = new QButtonGroup(content);
    periodGroup->addButton(page.recent);
    periodGroup->addButton(page.all);
    page.recent->setChecked(true);
    periodRow->addWidget(caption(QStringLiteral("期間：")));
    periodRow->addWidget(page.recent);
    periodRow->addWidget(page.all);
    periodRow->addStretch(1);
    inner->addLayout(periodRow);

    auto* tables = new QHBoxLayout;
    auto* slowColumn = new QVBoxLayout;
    slowColumn->addWidget(caption(QStringLiteral("時間がかかる仮名（遅い順に10まで）")));
    page.slowest = kanaTable(QStringLiteral("時間がかかる仮名"), QStringLiteral("中央値"));
    slowColumn->addWidget(page.slowest);
    auto* missColumn = new QVBoxLayout;
    missColumn->addWidget(caption(QStringLiteral("ミスの多い仮名（多い順に10まで）")));
    page.missed = kanaTable(QStringLiteral("ミスの多い仮名"), QStringLiteral("ミス率"));
    missColumn->addWidget(page.missed);
    tables->addLayout(slowColumn);
    tables->addLayout(missColumn);
    inner->addLayout(tables);

    auto* mapRow = new QHBoxLayout;
    page.keyboard = new KeyboardMap;
    mapRow->addWidget(page.keyboard, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(caption(QStringLiteral("キーの色：")));
    page.byMisses = new QRadioButton(QStringLiteral("ミス率"));
    page.bySpeed = new QRadioButton(QStringLiteral("遅さ（次のキーまで）"));
    auto* shadeGroup = new QButtonGroup(content);
    shadeGroup->addButton(page.byMisses);
    shadeGroup->addButton(page.bySpeed);
    page.byMisses->setChecked(true);
    side->addWidget(page.byMisses);
    side->addWidget(page.bySpeed);
    side->addWidget(caption(QStringLiteral("淡い青ほど良く、赤いほど苦手。打った回数が%1回未満のキーは色なし。")
                                .arg(kFewestPressesShaded)));
    side->addStretch(1);
    mapRow->addLayout(side);
    inner->addLayout(mapRow);
    page.keyLine = caption(QStringLiteral("キーに触れると、その数字が出ます。"));
    inner->addWidget(page.keyLine);

    for (QRadioButton* button : {page.recent, page.all, page.byMisses, page.bySpeed}) {
        button->setStyleSheet(QStringLiteral("QRadioButton { color: white; }"));
    }

    auto show = [page, periods] {
        const bool recent = page.recent->isChecked();
        const KeyStats& stats = (*periods)[recent ? 0 : 1];
        page.summary->setText(summaryOf(stats, recent));
        fill(page.slowest, slowestKana(stats), true);
        fill(page.missed, mostMissedKana(stats), false);
        page.keyboard->setFigures(stats.keys);
    };
    if (history.ok()) {
        show();
    }
    QObject::connect(page.recent, &QRadioButton::toggled, page.page, show);
    QObject::connect(page.bySpeed, &QRadioButton::toggled, page.keyboard, [page](bool speed) {
        page.keyboard->setShade(speed ? KeyboardMap::Shade::Speed : KeyboardMap::Shade::Misses);
    });
    QObject::connect(page.keyboard, &KeyboardMap::hovered, page.keyLine, [line = page.keyLine](const QString& text) {
        line->setText(text.isEmpty() ? QStringLiteral("キーに触れると、その数字が出ます。") : text);
    });
    return page;
}
