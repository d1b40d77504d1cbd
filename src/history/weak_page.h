#pragma once

#include "history/history_store.h"
#include "history/key_stats.h"

#include <QDate>

class KeyboardMap;
class QLabel;
class QRadioButton;
class QTableWidget;
class QWidget;

// 苦手: the kana that take longest and are missed most, and a keyboard
// coloured by misses or speed, over the last 30 days or all games.
struct WeakPage {
    QWidget* page = nullptr;
    QLabel* summary = nullptr;
    QLabel* emptyNote = nullptr; // why there is nothing to show; hidden when there is
    QRadioButton* recent = nullptr;
    QRadioButton* all = nullptr;
    QTableWidget* slowest = nullptr;
    QTableWidget* missed = nullptr;
    KeyboardMap* keyboard = nullptr;
    QRadioButton* byMisses = nullptr;
    QRadioButton* bySpeed = nullptr;
    QLabel* keyLine = nullptr; // the figures of the key under the pointer
};
WeakPage buildWeakPage(const HistoryLoad& history, QDate today);

// The period the page starts with.
inline constexpr int kWeakPageDays = 30;

// "kya"; っ made by doubling the next consonant reads "子音を重ねる".
QString romajiText(const KanaFigures& figures);
