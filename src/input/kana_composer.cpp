#include "input/kana_composer.h"

#include "input/romaji_table.h"

#include <QHash>
#include <QSet>
#include <algorithm>

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

void KanaComposer::add(const QString& kana, const QString& typed)
{
    m_segments.insert(m_caret, Segment{kana, typed});
    ++m_caret;
}

void KanaComposer::type(QChar key)
{
    resolve(m_pending + key);
}

void KanaComposer::resolve(QString typed)
{
    const Lookup& table = lookup();
    m_pending.clear();
    while (!typed.isEmpty()) {
        const QString key = typed.toLower();
        // "tch" before a vowel: っ, then ち, as in matcha.
        if (key == QLatin1String("tc") || key == QLatin1String("tch")) {
            m_pending = typed;
            return;
        }
        if (key.startsWith(QLatin1String("tch"))) {
            add(QStringLiteral("っ"), typed.left(1));
            typed.remove(0, 1);
            continue;
        }
        if (table.prefixes.contains(key)) {
            m_pending = typed; // more letters may follow
            return;
        }
        if (const auto it = table.kana.constFind(key); it != table.kana.constEnd()) {
            add(*it, typed);
            return;
        }
        const QChar first = key[0];
        if (key.size() >= 2 && first == key[1] && first != u'n' && isConsonant(first)) {
            add(QStringLiteral("っ"), typed.left(1)); // kk, ss, tt …
        } else if (first == u'n' && key.size() >= 2) {
            add(QStringLiteral("ん"), typed.left(1)); // n before a consonant
        } else if (first.isLetter()) {
            add(typed.left(1), typed.left(1)); // starts nothing: stays a letter
        } else {
            add(symbolKana(first), typed.left(1));
        }
        typed.remove(0, 1);
    }
}

void KanaComposer::backspace()
{
    if (!m_pending.isEmpty()) {
        m_pending.chop(1);
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
        m_segments.removeAt(--m_caret);
        m_pending = letters;
        return;
    }
    // きゃ came from one key sequence but is two characters: one goes.
    if (last.kana.size() <= 1) {
        m_segments.removeAt(--m_caret);
        return;
    }
    last.kana.chop(1);
    last.typed = last.kana;
}

void KanaComposer::dropPending()
{
    if (!m_pending.isEmpty()) {
        add(m_pending, m_pending);
        m_pending.clear();
    }
}

void KanaComposer::finishPendingN()
{
    if (m_pending.compare(QLatin1String("n"), Qt::CaseInsensitive) == 0) {
        const QString n = m_pending;
        m_pending.clear();
        add(QStringLiteral("ん"), n);
    }
}

void KanaComposer::appendLiteral(const QString& text)
{
    dropPending();
    if (!text.isEmpty()) {
        add(text, text);
    }
}

void KanaComposer::replaceWith(const QString& text, qsizetype caret)
{
    const KanaKind kind = m_kind;
    clear();
    m_kind = kind;
    for (const QChar c : text) {
        m_segments.append(Segment{QString(c), QString(c)});
    }
    m_caret = qBound<qsizetype>(0, caret, m_segments.size());
}

void KanaComposer::clear()
{
    m_segments.clear();
    m_pending.clear();
    m_caret = 0;
    m_kind = KanaKind::Hiragana;
}

void KanaComposer::split(qsizetype index, qsizetype characters)
{
    const QString whole = shown(m_segments[index]);
    if (characters <= 0 || characters >= whole.size()) {
        return;
    }
    // The parts stand as they are shown: their keys no longer belong to either.
    m_segments[index] = Segment{whole.left(characters), whole.left(characters)};
    m_segments.insert(index + 1, Segment{whole.mid(characters), whole.mid(characters)});
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
