#pragma once

#include <QStringList>

// A small set of the player's own, in word-file lines, that keeps every rule
// of the board: two patterns, the title rows, and the set's name on them.
inline QStringList ownSetLines(const QString& name = QStringLiteral("今週のことば"), const QString& first = QStringLiteral("さくら"))
{
    return {
        QStringLiteral("0,1,1,0,0,\"春\",\"\""),
        QStringLiteral("0,0,0,0,0,\"%1\",\"春に咲く花\"").arg(first),
        QStringLiteral("0,0,1,2,1,\"らいおん\",\"百獣の王\""),
        QStringLiteral("1,1,0,0,0,\"ながい\",\"\""),
        QStringLiteral("1,0,0,0,0,\"あいうえおかき\",\"五十音の始まり\""),
        QStringLiteral("99,1,3,0,0,\"%1\",\"\"").arg(name),
        QStringLiteral("99,0,0,0,0,\"たずめきーらん\",\"\""),
        QStringLiteral("99,0,1,15,0,\"ほのかぜーみ\",\"\""),
        QStringLiteral("99,0,2,30,0,\"るりてはな\",\"\""),
        QStringLiteral("99,0,3,45,0,\"ぜむかな\",\"\""),
    };
}
