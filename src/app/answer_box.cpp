#include "app/answer_box.h"

#include "platform/clock.h"
#include "platform/key_codes.h"

#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleHints>

AnswerBox::AnswerBox(QWidget* parent) : QLineEdit(parent)
{
    m_blinkTimer.setSingleShot(true);
    m_blinkTimer.setInterval(kBlinkForMs);
    connect(&m_blinkTimer, &QTimer::timeout, this, &AnswerBox::restCaret);
    m_missTimer.setSingleShot(true);
    m_missTimer.setInterval(kMissFlashMs);
    connect(&m_missTimer, &QTimer::timeout, this, [this] {
        m_missShown = false;
        update();
    });
}

void AnswerBox::flashMiss()
{
    m_missShown = true;
    m_missTimer.start();
    update();
}

AnswerBox::~AnswerBox()
{
    m_blinkTimer.stop();
    if (m_restingFlashTime > 0) { // the flash time is the whole program's
        QGuiApplication::styleHints()->setCursorFlashTime(m_restingFlashTime);
    }
}

void AnswerBox::setBlinkFor(int ms)
{
    m_blinkTimer.setInterval(ms);
    if (m_blinkTimer.isActive()) {
        m_blinkTimer.start();
    }
}

void AnswerBox::wakeCaret()
{
    if (m_restingFlashTime > 0) {
        QGuiApplication::styleHints()->setCursorFlashTime(m_restingFlashTime);
        m_restingFlashTime = 0;
    }
    if (hasFocus()) {
        m_blinkTimer.start();
    }
}

void AnswerBox::restCaret()
{
    const int flashTime = QGuiApplication::styleHints()->cursorFlashTime();
    if (hasFocus() && flashTime > 0 && m_restingFlashTime == 0) {
        m_restingFlashTime = flashTime;
        QGuiApplication::styleHints()->setCursorFlashTime(0); // shown steadily
    }
}

void AnswerBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    wakeCaret();
}

void AnswerBox::focusOutEvent(QFocusEvent* event)
{
    wakeCaret();
    m_blinkTimer.stop();
    QLineEdit::focusOutEvent(event);
}

void AnswerBox::mousePressEvent(QMouseEvent* event)
{
    wakeCaret();
    QLineEdit::mousePressEvent(event);
}

void AnswerBox::setConversion(bool on, QChar space)
{
    m_on = on;
    m_space = space;
    m_composer.clear();
    emit kindChanged();
}

void AnswerBox::setKeyLog(KeyLog* log, const Clock* clock)
{
    m_log = clock ? log : nullptr;
    m_clock = clock;
    m_composer.setLog(m_log);
}

void AnswerBox::logKey(QKeyEvent* event, bool converting)
{
    m_keyId = KeyLog::kNoKey;
    if (!m_log || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        return;
    }
    const QString name = keyName(event->key(), event->text());
    if (name.isEmpty()) {
        return; // arrows, Esc, modifiers: no typing
    }
    m_keyId = m_log->press(m_clock->nowMs(), name);
    // Without the conversion the line edit types the letter; Backspace at the
    // end takes back the last one typed.
    if (!converting && event->key() == Qt::Key_Backspace && !hasSelectedText() && cursorPosition() == text().size() &&
        !text().isEmpty()) {
        m_log->undoLastTyped();
    }
}

void AnswerBox::empty()
{
    m_composer.clear();
    // setText, unlike clear(), also drops the undo history: Ctrl+Z must not
    // bring back an answer the game has taken away.
    setText(QString());
    emit kindChanged();
}

void AnswerBox::dropPending()
{
    if (m_on && !m_composer.pending().isEmpty() && text() == m_composer.text()) {
        setText(m_composer.converted());
    }
    m_composer.clear();
}

void AnswerBox::keyPressEvent(QKeyEvent* event)
{
    wakeCaret();
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool converting = m_on && !m_imeComposing;
    if (!m_imeComposing) { // an input method's keys are its own: only its commits count
        logKey(event, converting);
    }
    if (enter && converting && text() == m_composer.text()) {
        m_composer.finishPendingN();
        showComposition();
    }
    if (onKeyDown) {
        onKeyDown(enter ? vbKeyReturn : key == Qt::Key_Escape ? vbKeyEscape : key);
    }
    if (enter || key == Qt::Key_Escape) {
        event->accept(); // never inserted, never a beep
        return;
    }
    if (converting && convert(event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

bool AnswerBox::convert(QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false; // shortcuts stay the line edit's
    }
    if (text() != m_composer.text()) {
        // Pasted, committed by an input method or edited: keep it as it stands.
        m_composer.replaceWith(text(), cursorPosition());
    } else if (cursorPosition() != m_composer.caret()) {
        m_composer.setCaret(cursorPosition()); // the caret was put elsewhere with the mouse
    }
    const int key = event->key();
    const bool moving = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End;
    if (moving && (hasSelectedText() || (event->modifiers() & Qt::ShiftModifier))) {
        return false; // selecting is the line edit's
    }
    if (hasSelectedText() && !moving) {
        // Typing over a selection: it goes first, then the key converts as usual.
        m_composer.undoShown(selectionStart(), selectionEnd());
        del();
        m_composer.replaceWith(text(), cursorPosition());
        if (key == Qt::Key_Backspace) {
            showComposition();
            return true;
        }
    }
    const KanaKind before = m_composer.kind();
    switch (event->key()) {
    case Qt::Key_Left:
        m_composer.moveCaret(-1);
        break;
    case Qt::Key_Right:
        m_composer.moveCaret(1);
        break;
    case Qt::Key_Home:
        m_composer.caretHome();
        break;
    case Qt::Key_End:
        m_composer.caretEnd();
        break;
    case Qt::Key_F6:
        m_composer.setKind(KanaKind::Hiragana);
        break;
    case Qt::Key_F7:
        m_composer.setKind(KanaKind::Katakana);
        break;
    case Qt::Key_F8:
        m_composer.setKind(KanaKind::HalfKatakana);
        break;
    case Qt::Key_F10:
        m_composer.setKind(KanaKind::Latin);
        break;
    case Qt::Key_Backspace:
        if (m_composer.isEmpty() || m_composer.caret() == 0) {
            return false;
        }
        m_composer.backspace();
        break;
    case Qt::Key_Space:
        if (m_space.isNull()) {
            m_composer.toggleKatakana();
        } else {
            m_composer.type(m_space, m_keyId);
        }
        break;
    default: {
        const QString typed = event->text();
        if (typed.size() != 1 || typed[0].unicode() <= 0x20 || typed[0].unicode() >= 0x7f) {
            return false;
        }
        m_composer.type(typed[0], m_keyId);
    }
    }
    showComposition();
    if (m_composer.kind() != before) {
        emit kindChanged();
    }
    return true;
}

void AnswerBox::showComposition()
{
    setText(m_composer.text());
    setCursorPosition(static_cast<int>(m_composer.caret()));
    update();
}

void AnswerBox::inputMethodEvent(QInputMethodEvent* event)
{
    wakeCaret();
    // A real input method composing: the built-in conversion keeps out of its way.
    m_imeComposing = !event->preeditString().isEmpty();
    if (m_log && !event->commitString().isEmpty()) {
        m_log->commit(m_clock->nowMs(), event->commitString());
    }
    QLineEdit::inputMethodEvent(event);
}

void AnswerBox::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    if (m_missShown) {
        QPainter frame(this);
        frame.setPen(QPen(QColor(230, 0, 40), 2));
        frame.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
    const QString letters = pending();
    if (letters.isEmpty() || m_imeComposing || text() != m_composer.text()) {
        return;
    }
    // Underline the letters not yet converted, as an input method marks its composition.
    const QRect caret = cursorRect();
    const int right = caret.center().x();
    const int left = right - fontMetrics().horizontalAdvance(letters);
    const int y = caret.center().y() + fontMetrics().ascent() / 2 + 2;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Text), 1));
    painter.drawLine(qMax(left, 1), y, right, y);
}
