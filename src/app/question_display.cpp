#include "app/question_display.h"

#include "app/main_form.h"

#include <QLabel>
#include <QRadioButton>

std::array<QString, 3> splitQuestion(const QString& question)
{
    return layoutQuestion(question).lines;
}

void Main::RefreshQuestion()
{
    for (QLabel* line : Label3) {
        line->clear();
    }
    if (Option3->isChecked()) {
        ShowQuestion();
    }
    describeQuestion();
}

void Main::ShowQuestion()
{
    const auto lines = splitQuestion(m_session->currentQuestion());
    // Lines the question does not reach keep their text.
    for (int i = 0; i < 3; ++i) {
        if (!lines[i].isEmpty()) {
            Label3[i]->setText(lines[i]);
        }
    }
    describeQuestion();
}

void Main::Command3_Click()
{
    if (!m_session->Command3_Click()) {
        return;
    }
    ShowQuestion();
    Text1->setFocus();
}

void Main::Command2_Click()
{
    if (!m_session->Command2_Click()) {
        return;
    }
    Label2->setText(m_session->currentAnswer());
    describeQuestion();
    Text1->setFocus();
}
