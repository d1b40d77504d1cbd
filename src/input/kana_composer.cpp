#include "input/kana_composer.h"

#include "input/romaji_table.h"

#include <QHash>
#include <QSet>

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
    m_segments.append(Segment{kana, typed});
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
    if (m_segments.isEmpty()) {
        return;
    }
    // きゃ came from one key sequence but is two characters: one goes. After
    // F10 the box shows letters, so a letter goes.
    Segment& last = m_segments.last();
    QString& shown = m_kind == KanaKind::Latin ? last.typed : last.kana;
    if (shown.size() <= 1) {
        m_segments.removeLast();
        return;
    }
    shown.chop(1);
    last.kana = shown;
    last.typed = shown;
}

void KanaComposer::finishPendingN()
{
    if (m_pending.compare(QLatin1String("n"), Qt::CaseInsensitive) == 0) {
        add(QStringLiteral("ん"), m_pending);
        m_pending.clear();
    }
}

void KanaComposer::appendLiteral(const QString& text)
{
    if (!m_pending.isEmpty()) {
        add(m_pending, m_pending);
        m_pending.clear();
    }
    if (!text.isEmpty()) {
        add(text, text);
    }
}

void KanaComposer::clear()
{
    m_segments.clear();
    m_pending.clear();
    m_kind = KanaKind::Hiragana;
}

void KanaComposer::toggleKatakana()
{
    m_kind = m_kind == KanaKind::Katakana ? KanaKind::Hiragana : KanaKind::Katakana;
}

QString KanaComposer::converted() const
{
    QString out;
    for (const Segment& s : m_segments) {
        switch (m_kind) {
        case KanaKind::Hiragana:
            out += s.kana;
            break;
        case KanaKind::Katakana:
            out += toKatakana(s.kana);
            break;
        case KanaKind::HalfKatakana:
            out += toHalfWidthKatakana(toKatakana(s.kana));
            break;
        case KanaKind::Latin:
            out += s.typed;
            break;
        }
    }
    return out;
}
