#include "app/question_display.h"

#include "app/main_form.h"

#include <QLabel>
#include <QList>
#include <QRadioButton>

std::array<QString, 3> splitQuestion(const QString& question)
{
    std::array<QString, 3> lines;
    if (question.isEmpty()) {
        lines[0] = kUnregisteredQuestion;
        return lines;
    }
    // Break only between whole characters.
    QList<qsizetype> starts;
    for (qsizetype i = 0; i < question.size(); ++i) {
        if (!(question[i].isLowSurrogate() && i > 0 && question[i - 1].isHighSurrogate())) {
            starts.append(i);
        }
    }
    auto offset = [&](qsizetype character) { return character < starts.size() ? starts[character] : question.size(); };
    lines[0] = question.left(offset(20));
    lines[1] = question.mid(offset(20), offset(40) - offset(20));
    lines[2] = question.mid(offset(40));
    return lines;
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
