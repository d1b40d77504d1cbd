#include "input/kana_composer.h"
#include "input/kana_kind.h"
#include "support/fakes.h"
#include "support/romaji_spelling.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace romaji_spelling;

TEST(ShippedAnswers, EveryAnswerCanBeTypedInRomaji)
{
    QFile file(QStringLiteral(TAZUMEKI_PATTERNS));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QRegularExpression wordLine(QStringLiteral(R"re(^(\d+),(\d+),\d+,\d+,-?\d+,"([^"]*)")re"));
    int answers = 0;
    while (!file.atEnd()) {
        const auto match = wordLine.match(QString::fromUtf8(file.readLine()));
        if (!match.hasMatch() || match.captured(2) == QLatin1String("1") || match.captured(1) == QLatin1String("99")) {
            continue;
        }
        const QString answer = match.captured(3);
        const auto keys = romajiFor(answer);
        ASSERT_TRUE(keys.has_value()) << answer.toStdString() << " holds a character no romaji gives";
        KanaComposer composer;
        for (const QChar key : *keys) {
            composer.type(key);
        }
        composer.finishPendingN();
        if (isKatakana(answer)) {
            composer.toggleKatakana(); // Space
        }
        EXPECT_EQ(composer.text(), answer) << keys->toStdString();
        ++answers;
    }
    EXPECT_GT(answers, 900);
}
