#pragma once

#include "history/key_stats.h"

#include <QString>
#include <QWidget>
#include <vector>

// A US QWERTY keyboard drawn in the record screens' colours, each key
// coloured by how often it was missed or how slowly the next key followed;
// hovering a key shows its figures.
class KeyboardMap final : public QWidget {
    Q_OBJECT
public:
    enum class Shade { Misses, Speed };

    explicit KeyboardMap(QWidget* parent = nullptr);

    void setFigures(const std::vector<KeyFigures>& keys);
    void setShade(Shade shade);
    Shade shade() const { return m_shade; }

    // One key cap: what it shows, the names its keys are kept under (a
    // shifted symbol is the same key), where it sits in key widths.
    struct Cap {
        QString label;
        QStringList names;
        QRectF place;
        KeyFigures figures; // summed over its names
    };
    const std::vector<Cap>& caps() const { return m_caps; }
    // The cap under a point of the widget; -1 for none.
    int capAt(QPointF point) const;
    // "Q：412 回 ・ ミス 3.4% ・ 次のキーまで 0.182 秒", or why there is nothing.
    static QString figuresText(const Cap& cap);
    // 0 (good) to 1 (worst) as the cap is shaded; none for a key too seldom pressed.
    std::optional<double> heat(const Cap& cap) const;

    QSize sizeHint() const override;

signals:
    void hovered(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // Arrow keys walk the caps as the pointer would.
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QRectF capRect(const Cap& cap) const;
    void highlight(int cap);
    double unit() const;

    std::vector<Cap> m_caps;
    Shade m_shade = Shade::Misses;
    double m_worstMisses = 0;
    qint64 m_fastest = 0;
    qint64 m_slowest = 0;
    int m_hovered = -1;
};

// Presses below this give a key no colour: a rate of one in two says nothing.
inline constexpr int kFewestPressesShaded = 5;
