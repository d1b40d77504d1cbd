#include "history/key_stats.h"

#include "history/history_stats.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <map>

namespace {

// Kana and the long-vowel mark; letters left as letters and spaces are no mora.
bool isKana(const QString& text)
{
    return !text.isEmpty() &&
           std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() >= 0x3041 && c.unicode() <= 0x30fc; });
}

struct KanaSums {
    int count = 0;
    int missed = 0;
    std::vector<qint64> times;
    QHash<QString, int> romaji;
};

struct KeySums {
    int presses = 0;
    int missed = 0;
    std::vector<qint64> intervals;
};

// One mora of a word, from the keys that made it.
struct Mora {
    int serial = 0;
    QString kana;
    int place = -1;
    qint64 last = 0;
    QString romaji;
    bool missed = false;
};

void addWord(const WordPlay& word, std::map<QString, KanaSums>& kana, std::map<QString, KeySums>& keys, int& strokes)
{
    const std::vector<KeyStroke>& s = word.strokes;
    std::map<int, Mora> morae;
    QSet<int> slips; // places where a key that did not stand was typed
    for (std::size_t i = 0; i < s.size(); ++i) {
        const KeyStroke& stroke = s[i];
        if (stroke.commit) {
            continue;
        }
        ++strokes;
        KeySums& key = keys[stroke.key];
        ++key.presses;
        key.missed += stroke.missed ? 1 : 0;
        if (i + 1 < s.size() && !s[i + 1].commit) {
            key.intervals.push_back(std::max<qint64>(0, s[i + 1].ms - stroke.ms));
        }
        if (stroke.missed && stroke.place >= 0) {
            slips.insert(stroke.place);
        }
        if (stroke.mora >= 0 && isKana(stroke.kana)) {
            Mora& mora = morae[stroke.mora];
            mora.serial = stroke.mora;
            mora.kana = stroke.kana;
            mora.place = stroke.place;
            mora.last = std::max(mora.last, stroke.ms);
            mora.romaji += stroke.key;
            mora.missed = mora.missed || stroke.missed;
        }
    }
    std::vector<const Mora*> standing;
    for (const auto& [serial, mora] : morae) {
        if (!mora.missed) {
            standing.push_back(&mora);
        }
    }
    // The order they were finished in: a kana's time runs from the one before.
    std::sort(standing.begin(), standing.end(), [](const Mora* a, const Mora* b) {
        return a->last != b->last ? a->last < b->last : a->serial < b->serial;
    });
    for (std::size_t i = 0; i < standing.size(); ++i) {
        const Mora& mora = *standing[i];
        KanaSums& sums = kana[mora.kana];
        ++sums.count;
        sums.missed += slips.contains(mora.place) ? 1 : 0;
        ++sums.romaji[mora.romaji];
        if (i > 0) { // the first kana of a word holds the time spent reading its clue
            sums.times.push_back(mora.last - standing[i - 1]->last);
        }
    }
}

QString usual(const QHash<QString, int>& counts)
{
    QString best;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most || (it.value() == most && it.key() < best)) {
            best = it.key();
            most = it.value();
        }
    }
    return best;
}

} // namespace

KeyStats keyStats(const std::vector<PlayedGame>& games, std::optional<QDate> since)
{
    KeyStats stats;
    std::map<QString, KanaSums> kana;
    std::map<QString, KeySums> keys;
    for (const PlayedGame& game : games) {
        if (since && game.playedAt.date() < *since) {
            continue;
        }
        for (const WordPlay& word : game.words) {
            if (word.inputMethod) {
                ++stats.inputMethodWords;
            } else if (!word.strokes.empty()) {
                ++stats.words;
                addWord(word, kana, keys, stats.strokes);
            }
        }
    }
    for (auto& [name, sums] : kana) {
        KanaFigures figures;
        figures.kana = name;
        figures.count = sums.count;
        figures.missed = sums.missed;
        figures.timed = static_cast<int>(sums.times.size());
        if (!sums.times.empty()) {
            figures.medianMs = median(std::move(sums.times));
        }
        figures.romaji = usual(sums.romaji);
        stats.kana.push_back(std::move(figures));
    }
    for (auto& [name, sums] : keys) {
        KeyFigures figures;
        figures.key = name;
        figures.presses = sums.presses;
        figures.missed = sums.missed;
        if (!sums.intervals.empty()) {
            figures.medianIntervalMs = median(std::move(sums.intervals));
        }
        stats.keys.push_back(std::move(figures));
    }
    return stats;
}

std::vector<KanaFigures> slowestKana(const KeyStats& stats, int limit, int atLeast)
{
    std::vector<KanaFigures> list;
    for (const KanaFigures& figures : stats.kana) {
        if (figures.medianMs && figures.timed >= atLeast) {
            list.push_back(figures);
        }
    }
    std::sort(list.begin(), list.end(), [](const KanaFigures& a, const KanaFigures& b) {
        return *a.medianMs != *b.medianMs ? *a.medianMs > *b.medianMs : a.timed > b.timed;
    });
    list.resize(std::min(list.size(), static_cast<std::size_t>(std::max(0, limit))));
    return list;
}

std::vector<KanaFigures> mostMissedKana(const KeyStats& stats, int limit, int atLeast)
{
    std::vector<KanaFigures> list;
    for (const KanaFigures& figures : stats.kana) {
        if (figures.missed > 0 && figures.count >= atLeast) {
            list.push_back(figures);
        }
    }
    std::sort(list.begin(), list.end(), [](const KanaFigures& a, const KanaFigures& b) {
        // Compared as fractions, exactly: 1/3 and 2/6 tie.
        const qint64 left = qint64(a.missed) * b.count;
        const qint64 right = qint64(b.missed) * a.count;
        return left != right ? left > right : a.count > b.count;
    });
    list.resize(std::min(list.size(), static_cast<std::size_t>(std::max(0, limit))));
    return list;
}
