#pragma once

#include <QStringList>

// A small puzzle set in word-file lines: patterns made to test the rules.
inline QStringList samplePuzzleLines()
{
    return {
            // Pattern 0: three words.
            QStringLiteral("0,1,2,0,0,\"はじめ\",\"\""),
            QStringLiteral("0,0,0,0,0,\"さくら\",\"春の花\""),
            QStringLiteral("0,0,1,0,1,\"さかな\",\"\""),
            QStringLiteral("0,0,2,2,1,\"らいおん\",\"百獣の王\""),
            // Pattern 1: one 7-letter word across a whole row.
            QStringLiteral("1,1,0,0,0,\"ながい\",\"\""),
            QStringLiteral("1,0,0,7,0,\"あいうえおかき\",\"一二三四五六七八九十一二三四五六七八九十二\""),
            // Pattern 2: letters decide a battle: one 5-letter word after two 2-letter words.
            QStringLiteral("2,1,2,0,0,\"たたかい\",\"\""),
            QStringLiteral("2,0,0,0,0,\"いぬ\",\"\""),
            QStringLiteral("2,0,1,14,0,\"ねこ\",\"\""),
            QStringLiteral("2,0,2,28,0,\"からすみち\",\"\""),
            // Pattern 3: an answer in letters, then one holding a space.
            QStringLiteral("3,1,1,0,0,\"もじ\",\"\""),
            QStringLiteral("3,0,0,0,0,\"ABC\",\"英字\""),
            QStringLiteral("3,0,1,7,0,\"あ い\",\"\""),
            // The title rows.
            QStringLiteral("99,1,3,0,0,\"タイトル\",\"\""),
            QStringLiteral("99,0,0,0,0,\"たずめきーらん\",\"\""),
            QStringLiteral("99,0,1,15,0,\"ほのかぜーみ\",\"\""),
            QStringLiteral("99,0,2,30,0,\"るりてはな\",\"\""),
            QStringLiteral("99,0,3,45,0,\"ぜむかな\",\"\""),
        };
}
