#include "game/result_texts.h"

#include "platform/number_format.h"

QString resultTimeText(double milliseconds)
{
    const double seconds = milliseconds / 1000;
    return formatNumber(seconds > 180 ? 180 : seconds, 3) + QStringLiteral("秒");
}

QString battleResultText(int playerLetters, int cpuLetters)
{
    const QString player = formatNumber(playerLetters, 0);
    const QString cpu = formatNumber(cpuLetters, 0);
    if (playerLetters < cpuLetters) {
        return cpu + u':' + player + QStringLiteral("でＣＰＵの勝ち");
    }
    if (cpuLetters < playerLetters) {
        return player + u':' + cpu + QStringLiteral("であなたの勝ち");
    }
    return cpu + u':' + player + QStringLiteral("で引き分け");
}
