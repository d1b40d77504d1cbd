#pragma once

#include <QDialog>

class ImageButton;
class QLabel;

// The rounded dialog that shows the outcome of a finished game.
class Result final : public QDialog {
    Q_OBJECT
public:
    Result(QWidget* owner, const QString& appDir);

    QLabel* Label13 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label19 = nullptr;
    ImageButton* Picture1 = nullptr;
    // A small line under the texts, left of the button: a race's two times.
    QLabel* detailLine = nullptr;
    // Under it: the game's keys per minute and misses.
    QLabel* typingLine = nullptr;

    void Picture1_KeyDown(int keyCode);

protected:
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void Form_Load();

    QString m_appDir;
};
