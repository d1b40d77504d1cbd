#include "input/kana_composer.h"

#include "input/romaji_table.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <utility>

namespace {

struct Lookup {
    QHash<QString, QString> kana;
    QSet<QString> prefixes; // proper prefixes of some romaji
};

const Lookup& lookup()
{
    static const Lookup table = [] {
        Lookup t;
        for (const RomajiRule& rule : romajiRules()) {
            const QString romaji = QString::fromLatin1(rule.romaji);
            t.kana.insert(romaji, QString::fromUtf16(rule.kana));
            for (qsizetype n = 1; n < romaji.size(); ++n) {
                t.prefixes.insert(romaji.left(n));
            }
        }
        return t;
    }();
    return table;
}

bool isConsonant(QChar c)
{
    return c.isLetter() && !QStringLiteral("aiueo").contains(c);
}

} // namespace

void KanaComposer::add(const QString& kana, const QString& typed, const QList<int>& keys)
{
    if (m_log && !keys.isEmpty()) {
        m_log->made(keys, kana, static_cast<int>(m_caret));
    }
    m_segments.insert(m_caret, Segment{kana, typed, keys});
    ++m_caret;
}

void KanaComposer::type(QChar key, int keyId)
{
    QList<int> keys = m_pendingKeys;
    keys.append(keyId);
    resolve(m_pending + key, keys);
}

void KanaComposer::resolve(QString typed, QList<int> keys)
{
    const Lookup& table = lookup();
    m_pending.clear();
    m_pendingKeys.clear();
    // The first n letters become a segment, with the keys that typed them.
    auto take = [&](const QString& kana, qsizetype n) {
        add(kana, typed.left(n), keys.mid(0, n));
        typed.remove(0, n);
        keys.remove(0, std::min(n, keys.size()));
    };
    while (!typed.isEmpty()) {
        const QString key = typed.toLower();
        // "tch" before a vowel: っ, then ち, as in matcha.
        if (key == QLatin1String("tc") || key == QLatin1String("tch")) {
            break;
        }
        if (key.startsWith(QLatin1String("tch"))) {
            take(QStringLiteral("っ"), 1);
            continue;
        }
        if (table.prefixes.contains(key)) {
            break; // more letters may follow
        }
        if (const auto it = table.kana.constFind(key); it != table.kana.constEnd()) {
            take(*it, typed.size());
            return;
        }
        const QChar first = key[0];
        if (key.size() >= 2 && first == key[1] && first != u'n' && isConsonant(first)) {
            take(QStringLiteral("っ"), 1); // kk, ss, tt …
        } else if (first == u'n' && key.size() >= 2) {
            take(QStringLiteral("ん"), 1); // n before a consonant
        } else if (first.isLetter()) {
            take(typed.left(1), 1); // starts nothing: stays a letter
        } else {
            take(symbolKana(first), 1);
        }
    }
    m_pending = typed;
    m_pendingKeys = keys;
    if (m_log && !keys.isEmpty()) {
        m_log->waiting(keys, static_cast<int>(m_caret));
    }
}

void KanaComposer::backspace()
{
    if (!m_pending.isEmpty()) {
        m_pending.chop(1);
        if (!m_pendingKeys.isEmpty()) {
            undo({m_pendingKeys.takeLast()});
        }
        return;
    }
    if (m_caret == 0) {
        return;
    }
    Segment& last = m_segments[m_caret - 1];
    const bool romaji = std::all_of(last.typed.cbegin(), last.typed.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (m_kind == KanaKind::Latin && romaji) {
        // The letters shown lose their last one; the rest may still become kana.
        QString letters = last.typed;
        letters.chop(1);
        QList<int> keys = last.keys;
        if (keys.size() > letters.size()) {
            undo(keys.mid(letters.size()));
            keys.resize(letters.size());
        }
        m_segments.removeAt(--m_caret);
        m_pending = letters;
        m_pendingKeys = keys;
        if (m_log && !keys.isEmpty()) {
            m_log->waiting(keys, static_cast<int>(m_caret));
        }
        return;
    }
    // きゃ came from one key sequence but is two characters: one goes, and
    // with it what its keys made.
    undo(last.keys);
    if (last.kana.size() <= 1) {
        m_segments.removeAt(--m_caret);
        return;
    }
    last.kana.chop(1);
    last.typed = last.kana;
    last.keys.clear();
}

void KanaComposer::dropPending()
{
    if (!m_pending.isEmpty()) {
        const QString letters = std::exchange(m_pending, QString());
        m_pendingKeys.clear(); // letters left as letters made no kana
        add(letters, letters, {});
    }
}

void KanaComposer::undo(const QList<int>& keys)
{
    if (m_log && !keys.isEmpty()) {
        m_log->undo(keys);
    }
}

void KanaComposer::undoShown(qsizetype from, qsizetype to)
{
    qsizetype at = 0;
    auto pass = [&](qsizetype size, const QList<int>& keys) {
        if (at < to && at + size > from) {
            undo(keys);
        }
        at += size;
    };
    for (qsizetype i = 0; i < m_caret; ++i) {
        pass(shown(m_segments[i]).size(), m_segments[i].keys);
    }
    pass(m_pending.size(), m_pendingKeys);
    for (qsizetype i = m_caret; i < m_segments.size(); ++i) {
        pass(shown(m_segments[i]).size(), m_segments[i].keys);
    }
}

void KanaComposer::finishPendingN()
{
    if (m_pending.compare(QLatin1String("n"), Qt::CaseInsensitive) == 0) {
        const QString n = std::exchange(m_pending, QString());
        add(QStringLiteral("ん"), n, std::exchange(m_pendingKeys, {}));
    }
}

void KanaComposer::appendLiteral(const QString& text)
{
    dropPending();
    if (!text.isEmpty()) {
        add(text, text, {});
    }
}

void KanaComposer::replaceWith(const QString& text, qsizetype caret)
{
    const KanaKind kind = m_kind;
    clear();
    m_kind = kind;
    for (const QChar c : text) {
        m_segments.append(Segment{QString(c), QString(c), {}});
    }
    m_caret = qBound<qsizetype>(0, caret, m_segments.size());
}

void KanaComposer::clear()
{
    m_segments.clear();
    m_pending.clear();
    m_pendingKeys.clear();
    m_caret = 0;
    m_kind = KanaKind::Hiragana;
}

void KanaComposer::split(qsizetype index, qsizetype characters)
{
    const QString whole = shown(m_segments[index]);
    if (characters <= 0 || characters >= whole.size()) {
        return;
    }
    // The parts stand as they are shown. Letters shown as typed keep their own
    // keys; a kana cut in two keeps them all in each part, since removing
    // either part undoes what those keys made.
    const QList<int> keys = m_segments[index].keys;
    const bool byLetter = m_kind == KanaKind::Latin && keys.size() == whole.size();
    m_segments[index] = Segment{whole.left(characters), whole.left(characters), byLetter ? keys.mid(0, characters) : keys};
    m_segments.insert(index + 1, Segment{whole.mid(characters), whole.mid(characters), byLetter ? keys.mid(characters) : keys});
    if (m_caret > index) {
        ++m_caret;
    }
}

void KanaComposer::moveCaret(qsizetype characters)
{
    dropPending();
    for (; characters < 0 && m_caret > 0; ++characters) {
        split(m_caret - 1, shown(m_segments[m_caret - 1]).size() - 1);
        --m_caret;
    }
    for (; characters > 0 && m_caret < m_segments.size(); --characters) {
        split(m_caret, 1);
        ++m_caret;
    }
}

void KanaComposer::setCaret(qsizetype characters)
{
    caretHome();
    moveCaret(characters);
}

void KanaComposer::caretHome()
{
    dropPending();
    m_caret = 0;
}

void KanaComposer::caretEnd()
{
    dropPending();
    m_caret = m_segments.size();
}

qsizetype KanaComposer::caret() const
{
    return shown(0, m_caret).size() + m_pending.size();
}

void KanaComposer::toggleKatakana()
{
    m_kind = m_kind == KanaKind::Katakana ? KanaKind::Hiragana : KanaKind::Katakana;
}

QString KanaComposer::shown(const Segment& s) const
{
    switch (m_kind) {
    case KanaKind::Hiragana:
        return s.kana;
    case KanaKind::Katakana:
        return toKatakana(s.kana);
    case KanaKind::HalfKatakana:
        return toHalfWidthKatakana(toKatakana(s.kana));
    case KanaKind::Latin:
        break;
    }
    return s.typed;
}

QString KanaComposer::shown(qsizetype from, qsizetype to) const
{
    QString out;
    for (qsizetype i = from; i < to; ++i) {
        out += shown(m_segments[i]);
    }
    return out;
}
