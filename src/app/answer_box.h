#pragma once

#include "input/kana_composer.h"
#include "input/key_log.h"

#include <QLineEdit>
#include <QTimer>
#include <functional>

class Clock;

// The answer box: hands every key to its handler first; Enter and Esc are
// never inserted. While the current answer is kana, romaji typed here becomes
// kana as an input method would make it, unless a real input method is at work.
class AnswerBox final : public QLineEdit {
    Q_OBJECT
public:
    explicit AnswerBox(QWidget* parent = nullptr);
    ~AnswerBox() override;
    std::function<void(int keyCode)> onKeyDown;

    // The caret stops blinking after this long without a key, as desktops
    // let it, so that a window left waiting costs the machine nothing; a key,
    // a click or the focus coming back starts it again.
    static constexpr int kBlinkForMs = 10000;
    void setBlinkFor(int ms);
    bool caretResting() const { return m_restingFlashTime > 0; }

    // space: what the Space key types when the answer itself holds one;
    // null when Space switches between hiragana and katakana.
    void setConversion(bool on, QChar space = QChar());
    bool conversion() const { return m_on; }
    KanaKind kind() const { return m_composer.kind(); }
    QString pending() const { return m_on ? m_composer.pending() : QString(); }

    // Every key typed here, with what it made and whether it stood, goes to
    // log at the clock's reading; an input method's commits go as they are.
    void setKeyLog(KeyLog* log, const Clock* clock);

    // Empties the box whole: text, pending letters and the undo history.
    void empty();
    // Leaves what was converted and drops the letters still waiting: a game
    // that ended leaves no half-typed romaji behind.
    void dropPending();
    // The frame flashes: a wrong answer, seen without a pause in the game.
    void flashMiss();
    bool missShown() const { return m_missShown; }
    static constexpr int kMissFlashMs = 150;

signals:
    void kindChanged();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool convert(QKeyEvent* event);
    void logKey(QKeyEvent* event, bool converting);
    void showComposition();
    void wakeCaret();
    void restCaret();

    KanaComposer m_composer;
    KeyLog* m_log = nullptr;
    const Clock* m_clock = nullptr;
    int m_keyId = KeyLog::kNoKey; // the key being handled, as the log numbers it
    bool m_on = false;
    QChar m_space;
    bool m_imeComposing = false;
    QTimer m_blinkTimer;
    int m_restingFlashTime = 0; // the desktop's flash time while the caret rests
    bool m_missShown = false;
    QTimer m_missTimer;
};
