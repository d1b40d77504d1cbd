#pragma once

#include "input/kana_kind.h"
#include "input/key_log.h"

#include <QList>
#include <QString>

// Turns romaji typed key by key into kana, as a Japanese input method does,
// without any widget: the answer box shows text() and keeps pending() apart.
// The letters not yet converted always sit at the caret; typing and
// Backspace act there, wherever the caret has been moved to.
class KanaComposer {
public:
    // One printable ASCII key, at the caret. Capitals convert as their small
    // letters. keyId: the key's number in the log, which learns the mora it made.
    void type(QChar key, int keyId = KeyLog::kNoKey);
    // Where the morae the keys make, and the keys Backspace undoes, are told.
    void setLog(KeyLog* log) { m_log = log; }
    // Removes the last pending letter, or else the character before the caret.
    // With the letters shown as typed (F10), the rest of the last conversion's
    // letters become pending again, so that they can still become kana.
    void backspace();
    // A lone pending "n" becomes ん; other pending letters stay letters.
    void finishPendingN();
    // Takes text that came from elsewhere (an input method, a paste) as it is, at the caret.
    void appendLiteral(const QString& text);
    // Starts again from text a person edited (every character as it stands),
    // the caret at character `caret`.
    void replaceWith(const QString& text, qsizetype caret);
    // The characters from..to of text() are about to go (a selection typed
    // over or deleted): the keys that made them are undone.
    void undoShown(qsizetype from, qsizetype to);
    // Pending letters stay as letters; nothing waits for more keys.
    void dropPending();
    void clear();

    // The caret, one character to the left or right, or to either end; the
    // pending letters stay behind as letters.
    void moveCaret(qsizetype characters);
    void caretHome();
    void caretEnd();
    void setCaret(qsizetype characters);
    // The caret's place in text(), in characters.
    qsizetype caret() const;

    // The whole box is shown in one kind; F6, F7, F8, F10.
    void setKind(KanaKind kind) { m_kind = kind; }
    // Space: full-width katakana, or back to hiragana from it.
    void toggleKatakana();
    KanaKind kind() const { return m_kind; }

    // Everything in the box: what is before the caret, the pending letters, the rest.
    QString text() const { return shown(0, m_caret) + m_pending + shown(m_caret, m_segments.size()); }
    // The box without its pending letters.
    QString converted() const { return shown(0, m_segments.size()); }
    const QString& pending() const { return m_pending; }
    bool isEmpty() const { return m_segments.isEmpty() && m_pending.isEmpty(); }

private:
    // What one conversion produced, and the keys that made it (for F10).
    struct Segment {
        QString kana;
        QString typed;
        QList<int> keys; // the log's numbers of the keys that made it
    };
    void add(const QString& kana, const QString& typed, const QList<int>& keys);
    void resolve(QString typed, QList<int> keys);
    void undo(const QList<int>& keys);
    QString shown(const Segment& segment) const;
    QString shown(qsizetype from, qsizetype to) const;
    // Cuts the segment at index so that its first `characters` shown stand alone.
    void split(qsizetype index, qsizetype characters);

    QList<Segment> m_segments;
    qsizetype m_caret = 0; // segments before the caret
    QString m_pending;     // as typed, capitals kept
    QList<int> m_pendingKeys; // the log's numbers of the pending letters' keys
    KeyLog* m_log = nullptr;
    KanaKind m_kind = KanaKind::Hiragana;
};
