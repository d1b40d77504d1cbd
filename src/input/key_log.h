#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>
#include <vector>

// One key pressed while a word was current, as the play history keeps it.
// ms is a clock reading while the word is typed; the history keeps it from
// the word becoming current.
struct KeyStroke {
    qint64 ms = 0;
    QString key;         // the character typed, a key's name (Backspace, F6 … F10, Space, Enter),
                         // or the text an input method committed
    QString kana;        // the kana (one mora: きゃ is one) this key helped to make; empty for others
    int mora = -1;       // which of the word's morae, numbered in the order they were made
    int place = -1;      // where in the box its kana went (or waits), counted in what stood before it
    bool missed = false; // its effect was removed by Backspace, or its answer rejected by Enter
    bool commit = false; // an input method's commit: no single key stands behind it
};

// The keys of one word as the player types them: which morae each made, and
// which were undone. The answer box presses; the conversion says what the
// keys made and what Backspace took away; a rejected Enter misses the whole
// attempt. Nothing here is written to disk while the player types.
class KeyLog {
public:
    static constexpr int kNoKey = -1;

    // A key, at the clock reading ms; returns its number.
    int press(qint64 ms, const QString& key);
    void commit(qint64 ms, const QString& text);
    // These keys made one mora, put at `place` in the box.
    void made(const QList<int>& keys, const QString& kana, int place);
    // These keys wait, not yet a kana, at `place`.
    void waiting(const QList<int>& keys, int place);
    // Backspace removed what these keys made.
    void undo(const QList<int>& keys);
    // Backspace removed the last character typed where no conversion keeps
    // track (an answer in letters): the last key still standing made it.
    void undoLastTyped();
    // Enter rejected the answer: every key typed for it missed. The next
    // attempt starts with the next key.
    void rejectAttempt();

    const std::vector<KeyStroke>& strokes() const { return m_strokes; }
    // Hands the word's keys over and starts empty.
    std::vector<KeyStroke> take();

private:
    std::vector<KeyStroke> m_strokes;
    std::size_t m_attemptStart = 0;
    int m_morae = 0;
};

// The name a key is kept under: its character, lower-cased, or its name.
QString keyName(int qtKey, const QString& text);
