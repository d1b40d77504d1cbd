// The main screen from the keyboard and for screen readers: the shortcuts,
// the focus order, and the names and descriptions of what it shows.

#include "app/main_form.h"
#include "app/module1.h"
#include "view/board.h"
#include "view/image_button.h"
#include "view/window_keys.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {
const QString kStartTip = QStringLiteral("ゲームを始める（Enter）／中断する（Esc）");
} // namespace

bool Main::previewKey(QKeyEvent* event)
{
    const int key = event->key();
    // Enter and Esc are the screen's whatever has the focus, and go on to it.
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        Form_KeyDown(vbKeyReturn);
        return false;
    }
    if (key == Qt::Key_Escape) {
        Form_KeyDown(vbKeyEscape);
        return false;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::AltModifier) {
        // With Alt the keys are never an answer's: they work in a game too.
        switch (key) {
        case Qt::Key_R:
            showRecords();
            return true;
        case Qt::Key_Q:
            close();
            return true;
        case Qt::Key_1:
            Command2_Click();
            return true;
        case Qt::Key_2:
            Command3_Click();
            return true;
        default:
            return false;
        }
    }
    if (m_session->answering()) {
        // Letters, Space and the function keys belong to the answer box; a
        // stray Tab must not send the next letters somewhere else.
        return key == Qt::Key_Tab || key == Qt::Key_Backtab;
    }
    if (key == Qt::Key_F2 && modifiers == Qt::NoModifier) {
        showRecords();
        return true;
    }
    return false;
}

void Main::orderFocus()
{
    // The answer box, the option frames down the left, then the buttons down the right.
    const QWidget* order[] = {Text1, Option5, Option6, Combo2, Option1, Option2, Combo1,
                              Option3, Option4, Picture5, Picture6, Picture7};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));
    }
}

void Main::nameControls()
{
    Picture4->setAccessibleName(QStringLiteral("盤面"));
    Picture2->setAccessibleName(QStringLiteral("ルリテハナ練習用"));
    Picture2->setAccessibleDescription(versionLine());
    Picture14->setAccessibleName(QStringLiteral("キーの案内"));
    Picture14->setAccessibleDescription(QStringLiteral("Enter：スタート　Esc：中断"));
    Picture3->setAccessibleName(QStringLiteral("パターン"));
    // Labels whose text says what it is need no name: the question's lines, the answer, the countdown.
    Picture12->setAccessibleName(QStringLiteral("問題"));
    Label4->setAccessibleName(QStringLiteral("経過時間"));
    PaceLabel->setAccessibleName(QStringLiteral("自己ベストとの差"));
    KanaIndicator->setAccessibleName(QStringLiteral("文字の種類"));
    Text1->setAccessibleName(QStringLiteral("答えの入力"));
    Text1->setAccessibleDescription(QStringLiteral("答えを入力して Enter。Space でカタカナ、F6〜F10 で文字の種類"));

    Combo2->setAccessibleName(QStringLiteral("CPU のランク"));
    Combo1->setAccessibleName(QStringLiteral("パターンの番号"));

    Picture5->setAccessibleName(QStringLiteral("スタート"));
    Picture5->setToolTip(kStartTip);
    Picture6->setAccessibleName(QStringLiteral("記録"));
    Picture6->setToolTip(QStringLiteral("記録を見る（Alt+R または F2）"));
    Picture7->setAccessibleName(QStringLiteral("閉じる"));
    Picture7->setToolTip(QStringLiteral("ゲームを閉じる（Alt+Q）"));
    Command2->setToolTip(QStringLiteral("答えを見る（Alt+1）"));
    Command3->setToolTip(QStringLiteral("問題を見る（Alt+2）"));
}

void Main::describeQuestion()
{
    QStringList lines;
    for (const QLabel* line : Label3) {
        if (!line->text().isEmpty()) {
            lines.append(line->text());
        }
    }
    QString text = lines.join(QString());
    if (!Label2->text().isEmpty()) {
        text += (text.isEmpty() ? QString() : QStringLiteral("　")) + QStringLiteral("答え：") + Label2->text();
    }
    Picture12->setAccessibleDescription(text);
}

void Main::describeBoard()
{
    if (!m_session->answering()) {
        Picture4->setAccessibleDescription(QString());
        return;
    }
    const GameState& state = game();
    QString text = describeWord(m_module.puzzles, state.PatternIndex, state.WordIndex);
    int player = state.PlayerLetters;
    if (state.mode == GameMode::Single) {
        // Alone, every word before the current one is the player's; the session counts only races.
        player = 0;
        for (int word = 0; word < state.WordIndex; ++word) {
            player += int(m_module.puzzles.WordAnswer[state.PatternIndex][word].size());
        }
    }
    text += QStringLiteral("。取った文字：あなた %1").arg(player);
    if (state.mode == GameMode::Battle) {
        text += QStringLiteral("、CPU %1").arg(state.CpuLetters);
    } else if (state.mode == GameMode::Race) {
        text += QStringLiteral("、%1 %2").arg(kRaceRankName).arg(state.CpuLetters);
    }
    Picture4->setAccessibleDescription(text);
}
