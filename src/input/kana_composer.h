#pragma once

#include "input/kana_kind.h"

#include <QList>
#include <QString>

// Turns romaji typed key by key into kana, as a Japanese input method does,
// without any widget: the answer box shows text() and keeps pending() apart.
class KanaComposer {
public:
    // One printable ASCII key. Capitals convert as their small letters.
    void type(QChar key);
    // Removes the last pending letter, or else the last character of the text.
    void backspace();
    // A lone pending "n" becomes ん; other pending letters stay letters.
    void finishPendingN();
    // Takes text that came from elsewhere (an input method, a paste) as it is.
    void appendLiteral(const QString& text);
    void clear();

    // The whole box is shown in one kind; F6, F7, F8, F10.
    void setKind(KanaKind kind) { m_kind = kind; }
    // Space: full-width katakana, or back to hiragana from it.
    void toggleKatakana();
    KanaKind kind() const { return m_kind; }

    // Everything in the box: the converted part, then the pending letters.
    QString text() const { return converted() + m_pending; }
    QString converted() const;
    const QString& pending() const { return m_pending; }
    bool isEmpty() const { return m_segments.isEmpty() && m_pending.isEmpty(); }

private:
    // What one conversion produced, and the keys that made it (for F10).
    struct Segment {
        QString kana;
        QString typed;
    };
    void add(const QString& kana, const QString& typed);
    void resolve(QString typed);

    QList<Segment> m_segments;
    QString m_pending; // as typed, capitals kept
    KanaKind m_kind = KanaKind::Hiragana;
};
