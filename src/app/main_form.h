#pragma once

#include <QString>
#include <QWidget>
#include <array>

class Clock;
class GsxSeq;
class Notifier;
class PictureBox;
class Random;
class Sound;
class Timer;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct Module1;

// The main screen: the play field, the option frames, the buttons, and the
// state of the game in progress.
class Main : public QWidget {
    Q_OBJECT
public:
    struct Services {
        Clock& clock;
        Random& random;
        Sound& sound;
        GsxSeq& seq;
        Notifier& notifier;
    };

    Main(Module1& module, Services services, const QString& appDir, QWidget* parent = nullptr);
    ~Main() override;

    // Controls, named as on the screen.
    PictureBox* Picture4 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option4 = nullptr;
    QRadioButton* Option5 = nullptr;
    QRadioButton* Option6 = nullptr;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    PictureBox* Picture5 = nullptr;
    PictureBox* Picture6 = nullptr;
    PictureBox* Picture7 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    PictureBox* Picture12 = nullptr;
    QLabel* Label2 = nullptr;
    std::array<QLabel*, 3> Label3{};
    PictureBox* Picture3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    PictureBox* Picture2 = nullptr;
    PictureBox* Picture14 = nullptr;
    std::array<QWidget*, 4> Picture8{};
    Timer* Timer1 = nullptr;
    Timer* Timer2 = nullptr;
    Timer* Timer3 = nullptr;
    Timer* Timer4 = nullptr;

    // State of the game; texts as flags: "1" or empty.
    QString PlayState;
    qint16 PatternIndex = 0;
    qint16 WordIndex = 0;
    double GameStartTime = 0;
    double GameEndTime = 0;
    double CpuWordStartTime = 0;
    double CpuWordTime = 0;
    QString QuestionShownFlag;
    QString AnswerShownFlag;
    QString CompletedFlag;
    qint16 PlayerLetters = 0;
    qint16 CpuLetters = 0;
    qint16 LastTaker = 0;

    void Option1_Click();
    void Option2_Click();
    void Option5_Click();
    void Option6_Click();

    const QString& appDir() const { return m_appDir; }

private:
    void createControls();
    void Form_Load();
    // Warnings found while loading, shown once the window is up.
    void warnLater(const QString& title, const QString& text);

    Module1& m_module;
    Services m_services;
    QString m_appDir;
};
