#include "history/keyboard_map.h"

#include "platform/fonts.h"
#include "platform/number_format.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr double kRows = 6.4; // the function row and a gap, then five rows
constexpr double kColumns = 15;

const QColor kGround(11, 164, 255);
const QColor kLine(0, 60, 120);
const QColor kCool(180, 236, 252);
const QColor kHot(220, 0, 40);
const QColor kUnused(120, 190, 236);

QColor mix(const QColor& a, const QColor& b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// The US layout, each cap with its unshifted and shifted characters.
std::vector<KeyboardMap::Cap> usQwerty()
{
    std::vector<KeyboardMap::Cap> caps;
    auto add = [&caps](const QString& label, const QStringList& names, double x, double y, double w) {
        caps.push_back({label, names, QRectF(x, y, w, 1), {}});
    };
    // Function keys: only F6 to F10 convert; the others are drawn for the eye.
    add(QStringLiteral("Esc"), {}, 0, 0, 1);
    for (int f = 1; f <= 12; ++f) {
        const double x = 1.5 + (f - 1) + ((f - 1) / 4) * 0.25;
        add(QStringLiteral("F%1").arg(f), {QStringLiteral("F%1").arg(f)}, x, 0, 1);
    }
    const QString numbers = QStringLiteral("`1234567890-=");
    const QString shiftedNumbers = QStringLiteral("~!@#$%^&*()_+");
    for (int i = 0; i < numbers.size(); ++i) {
        add(numbers.mid(i, 1), {numbers.mid(i, 1), shiftedNumbers.mid(i, 1)}, i, 1.4, 1);
    }
    add(QStringLiteral("Back"), {QStringLiteral("Backspace")}, 13, 1.4, 2);
    add(QStringLiteral("Tab"), {}, 0, 2.4, 1.5);
    const QString top = QStringLiteral("qwertyuiop[]\\");
    const QString shiftedTop = QStringLiteral("QWERTYUIOP{}|");
    for (int i = 0; i < top.size(); ++i) {
        add(shiftedTop.mid(i, 1), {top.mid(i, 1), shiftedTop.mid(i, 1)}, 1.5 + i, 2.4, i == top.size() - 1 ? 1.5 : 1);
    }
    add(QStringLiteral("Caps"), {}, 0, 3.4, 1.75);
    const QString home = QStringLiteral("asdfghjkl;'");
    const QString shiftedHome = QStringLiteral("ASDFGHJKL:\"");
    for (int i = 0; i < home.size(); ++i) {
        add(shiftedHome.mid(i, 1), {home.mid(i, 1), shiftedHome.mid(i, 1)}, 1.75 + i, 3.4, 1);
    }
    add(QStringLiteral("Enter"), {QStringLiteral("Enter")}, 12.75, 3.4, 2.25);
    add(QStringLiteral("Shift"), {}, 0, 4.4, 2.25);
    const QString bottom = QStringLiteral("zxcvbnm,./");
    const QString shiftedBottom = QStringLiteral("ZXCVBNM<>?");
    for (int i = 0; i < bottom.size(); ++i) {
        add(shiftedBottom.mid(i, 1), {bottom.mid(i, 1), shiftedBottom.mid(i, 1)}, 2.25 + i, 4.4, 1);
    }
    add(QStringLiteral("Shift"), {}, 12.25, 4.4, 2.75);
    add(QStringLiteral("Space"), {QStringLiteral("Space"), QStringLiteral(" ")}, 3.75, 5.4, 6.25);
    return caps;
}

QString percent(double rate)
{
    return formatNumber(rate * 100, 1) + u'%';
}

} // namespace

KeyboardMap::KeyboardMap(QWidget* parent) : QWidget(parent), m_caps(usQwerty())
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("キーボードの成績"));
    setMinimumSize(300, 128);
    setFont(windowsFont(kPGothic, 9));
}

QSize KeyboardMap::sizeHint() const
{
    return QSize(480, int(480 / kColumns * kRows) + 2);
}

void KeyboardMap::setFigures(const std::vector<KeyFigures>& keys)
{
    std::map<QString, const KeyFigures*> byName;
    for (const KeyFigures& figures : keys) {
        byName[figures.key] = &figures;
    }
    m_worstMisses = 0;
    m_fastest = 0;
    m_slowest = 0;
    bool anyTimed = false;
    for (Cap& cap : m_caps) {
        cap.figures = KeyFigures();
        cap.figures.key = cap.label;
        std::vector<qint64> weighted; // the names' medians, one per press: a fair middle of the cap
        for (const QString& name : cap.names) {
            const auto it = byName.find(name);
            if (it == byName.end()) {
                continue;
            }
            cap.figures.presses += it->second->presses;
            cap.figures.missed += it->second->missed;
            if (it->second->medianIntervalMs) {
                weighted.insert(weighted.end(), std::size_t(it->second->presses), *it->second->medianIntervalMs);
            }
        }
        if (!weighted.empty()) {
            std::nth_element(weighted.begin(), weighted.begin() + std::ptrdiff_t(weighted.size() / 2), weighted.end());
            cap.figures.medianIntervalMs = weighted[weighted.size() / 2];
        }
        if (cap.figures.presses >= kFewestPressesShaded) {
            m_worstMisses = std::max(m_worstMisses, cap.figures.missRate());
            if (cap.figures.medianIntervalMs) {
                const qint64 ms = *cap.figures.medianIntervalMs;
                m_fastest = anyTimed ? std::min(m_fastest, ms) : ms;
                m_slowest = anyTimed ? std::max(m_slowest, ms) : ms;
                anyTimed = true;
            }
        }
    }
    update();
}

void KeyboardMap::setShade(Shade shade)
{
    m_shade = shade;
    update();
}

std::optional<double> KeyboardMap::heat(const Cap& cap) const
{
    if (cap.figures.presses < kFewestPressesShaded) {
        return std::nullopt;
    }
    if (m_shade == Shade::Misses) {
        return m_worstMisses > 0 ? cap.figures.missRate() / m_worstMisses : 0.0;
    }
    if (!cap.figures.medianIntervalMs) {
        return std::nullopt;
    }
    return m_slowest > m_fastest ? double(*cap.figures.medianIntervalMs - m_fastest) / double(m_slowest - m_fastest) : 0.0;
}

QString KeyboardMap::figuresText(const Cap& cap)
{
    if (cap.names.isEmpty()) {
        return QStringLiteral("%1：答えの入力には使わないキー").arg(cap.label);
    }
    if (cap.figures.presses == 0) {
        return QStringLiteral("%1：まだ打っていません").arg(cap.label);
    }
    QString text = QStringLiteral("%1：%2 回 ・ ミス %3")
                       .arg(cap.label)
                       .arg(cap.figures.presses)
                       .arg(percent(cap.figures.missRate()));
    if (cap.figures.medianIntervalMs) {
        text += QStringLiteral(" ・ 次のキーまで %1 秒").arg(formatNumber(double(*cap.figures.medianIntervalMs) / 1000, 3));
    }
    if (cap.figures.presses < kFewestPressesShaded) {
        text += QStringLiteral("（少なすぎて色なし）");
    }
    return text;
}

double KeyboardMap::unit() const
{
    return std::min((width() - 2) / kColumns, (height() - 2) / kRows);
}

QRectF KeyboardMap::capRect(const Cap& cap) const
{
    const double u = unit();
    const QRectF& p = cap.place;
    return QRectF(1 + p.x() * u, 1 + p.y() * u, p.width() * u, p.height() * u).adjusted(1.5, 1.5, -1.5, -1.5);
}

int KeyboardMap::capAt(QPointF point) const
{
    for (std::size_t i = 0; i < m_caps.size(); ++i) {
        if (capRect(m_caps[i]).contains(point)) {
            return int(i);
        }
    }
    return -1;
}

void KeyboardMap::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), kGround);
    const double u = unit();
    QFont small = font();
    small.setPixelSize(std::max(8, int(u * 0.36)));
    painter.setFont(small);
    for (std::size_t i = 0; i < m_caps.size(); ++i) {
        const Cap& cap = m_caps[i];
        const QRectF r = capRect(cap);
        const std::optional<double> h = heat(cap);
        QColor fill = cap.names.isEmpty() ? kUnused.darker(115) : h ? mix(kCool, kHot, *h) : kUnused;
        painter.setPen(QPen(int(i) == m_hovered ? Qt::white : kLine, int(i) == m_hovered ? 2 : 1));
        painter.setBrush(fill);
        painter.drawRoundedRect(r, 3, 3);
        // Dark text on light caps, white on the hot ones.
        painter.setPen(h && *h > 0.55 ? Qt::white : kLine);
        painter.drawText(r, Qt::AlignCenter, cap.label);
    }
}

void KeyboardMap::highlight(int cap)
{
    m_hovered = cap;
    update();
    const QString text = cap >= 0 ? figuresText(m_caps[std::size_t(cap)]) : QString();
    setAccessibleDescription(text);
    emit hovered(text);
}

void KeyboardMap::mouseMoveEvent(QMouseEvent* event)
{
    const int at = capAt(event->position());
    if (at != m_hovered) {
        highlight(at);
        if (at >= 0) {
            QToolTip::showText(event->globalPosition().toPoint(), figuresText(m_caps[std::size_t(at)]), this);
        } else {
            QToolTip::hideText();
        }
    }
}

void KeyboardMap::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    if (m_hovered < 0) {
        // The home row's first letter: where a typist's hand rests.
        const auto a = std::find_if(m_caps.cbegin(), m_caps.cend(), [](const Cap& c) { return c.label == QLatin1String("A"); });
        highlight(int(a - m_caps.cbegin()));
    }
}

void KeyboardMap::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (m_hovered < 0 || (key != Qt::Key_Left && key != Qt::Key_Right && key != Qt::Key_Up && key != Qt::Key_Down)) {
        QWidget::keyPressEvent(event);
        return;
    }
    const QPointF from = m_caps[std::size_t(m_hovered)].place.center();
    int best = -1;
    double bestScore = 0;
    for (std::size_t i = 0; i < m_caps.size(); ++i) {
        const QPointF to = m_caps[i].place.center();
        const double dx = to.x() - from.x();
        const double dy = to.y() - from.y();
        // The nearest cap that lies that way: along the row for left and
        // right, in the next row for up and down.
        const bool sameRow = std::abs(dy) < 0.1;
        const bool sideways = key == Qt::Key_Left || key == Qt::Key_Right;
        const double along = key == Qt::Key_Left ? -dx : key == Qt::Key_Right ? dx : key == Qt::Key_Up ? -dy : dy;
        const double across = sideways ? 0 : std::abs(dx);
        if (along <= 0.01 || sameRow != sideways) {
            continue;
        }
        const double score = along + across;
        if (best < 0 || score < bestScore) {
            best = int(i);
            bestScore = score;
        }
    }
    if (best >= 0) {
        highlight(best);
    }
    event->accept();
}

void KeyboardMap::leaveEvent(QEvent*)
{
    if (m_hovered >= 0) {
        m_hovered = -1;
        update();
        emit hovered(QString());
    }
}
