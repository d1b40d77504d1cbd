#pragma once

#include <QString>

// The time of a finished game as the result shows it: seconds with three
// decimals, at most 180.
QString resultTimeText(double milliseconds);
// The battle outcome, the winner's count first ("12:8であなたの勝ち").
QString battleResultText(int playerLetters, int cpuLetters);

inline const QString kNewBestWithQuestion = QStringLiteral("最速記録（問題有）！");
inline const QString kNewBestNoQuestion = QStringLiteral("最速記録（問題無）！");
