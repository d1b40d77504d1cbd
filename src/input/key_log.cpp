#include "input/key_log.h"

#include <Qt>
#include <utility>

int KeyLog::press(qint64 ms, const QString& key)
{
    KeyStroke stroke;
    stroke.ms = ms;
    stroke.key = key;
    m_strokes.push_back(stroke);
    return static_cast<int>(m_strokes.size()) - 1;
}

void KeyLog::commit(qint64 ms, const QString& text)
{
    KeyStroke stroke;
    stroke.ms = ms;
    stroke.key = text;
    stroke.commit = true;
    m_strokes.push_back(stroke);
}

void KeyLog::made(const QList<int>& keys, const QString& kana, int place)
{
    const int mora = m_morae++;
    for (int key : keys) {
        if (key >= 0 && key < static_cast<int>(m_strokes.size())) {
            KeyStroke& stroke = m_strokes[static_cast<std::size_t>(key)];
            stroke.kana = kana;
            stroke.mora = mora;
            stroke.place = place;
        }
    }
}

void KeyLog::waiting(const QList<int>& keys, int place)
{
    for (int key : keys) {
        if (key >= 0 && key < static_cast<int>(m_strokes.size())) {
            KeyStroke& stroke = m_strokes[static_cast<std::size_t>(key)];
            stroke.kana.clear(); // letters given back by Backspace no longer make their old kana
            stroke.mora = -1;
            stroke.place = place;
        }
    }
}

void KeyLog::undoLastTyped()
{
    for (std::size_t i = m_strokes.size(); i > m_attemptStart; --i) {
        KeyStroke& stroke = m_strokes[i - 1];
        if (!stroke.missed && !stroke.commit && stroke.key.size() == 1) {
            stroke.missed = true;
            return;
        }
    }
}

void KeyLog::undo(const QList<int>& keys)
{
    for (int key : keys) {
        if (key >= 0 && key < static_cast<int>(m_strokes.size())) {
            m_strokes[static_cast<std::size_t>(key)].missed = true;
        }
    }
}

void KeyLog::rejectAttempt()
{
    for (std::size_t i = m_attemptStart; i < m_strokes.size(); ++i) {
        KeyStroke& stroke = m_strokes[i];
        // The Enter that rejected it and the corrections were no part of the answer.
        if (stroke.key != QLatin1String("Enter") && stroke.key != QLatin1String("Backspace")) {
            stroke.missed = true;
        }
    }
    m_attemptStart = m_strokes.size();
}

std::vector<KeyStroke> KeyLog::take()
{
    m_attemptStart = 0;
    m_morae = 0;
    return std::exchange(m_strokes, {});
}

QString keyName(int qtKey, const QString& text)
{
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QStringLiteral("Enter");
    case Qt::Key_Backspace:
        return QStringLiteral("Backspace");
    case Qt::Key_Space:
        return QStringLiteral("Space");
    case Qt::Key_F6:
        return QStringLiteral("F6");
    case Qt::Key_F7:
        return QStringLiteral("F7");
    case Qt::Key_F8:
        return QStringLiteral("F8");
    case Qt::Key_F9:
        return QStringLiteral("F9");
    case Qt::Key_F10:
        return QStringLiteral("F10");
    default:
        break;
    }
    if (text.size() == 1 && text[0].unicode() > 0x20 && text[0].unicode() < 0x7f) {
        return text.toLower();
    }
    return QString();
}
