#include "input/kana_composer.h"
#include "input/kana_kind.h"
#include "support/fakes.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// A player's plain spelling of each kana, written independently of the
// converter's table: small kana with x, ん always as nn.
const QHash<QChar, QString>& spellings()
{
    static const QHash<QChar, QString> table = [] {
        QHash<QChar, QString> t;
        const QString kana = QStringLiteral(
            "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん"
            "がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽぁぃぅぇぉゃゅょっゔー");
        const QStringList romaji = QStringLiteral(
            "a i u e o ka ki ku ke ko sa si su se so ta ti tu te to na ni nu ne no ha hi hu he ho "
            "ma mi mu me mo ya yu yo ra ri ru re ro wa wo nn ga gi gu ge go za zi zu ze zo da di du de do "
            "ba bi bu be bo pa pi pu pe po xa xi xu xe xo xya xyu xyo xtu vu -")
                                       .split(u' ');
        for (qsizetype i = 0; i < kana.size(); ++i) {
            t.insert(kana[i], romaji.value(i));
        }
        return t;
    }();
    return table;
}

QString toHiragana(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        if (c.unicode() >= 0x30a1 && c.unicode() <= 0x30f6) {
            c = QChar(c.unicode() - 0x60);
        }
    }
    return out;
}

// nullopt when the answer holds a character no key sequence gives.
std::optional<QString> romajiFor(const QString& answer)
{
    const QString kana = toHiragana(answer);
    QString keys;
    for (qsizetype i = 0; i < kana.size(); ++i) {
        const auto it = spellings().constFind(kana[i]);
        if (it == spellings().constEnd()) {
            return std::nullopt;
        }
        QString part = *it;
        if (kana[i] == u'っ' && i + 1 < kana.size()) {
            const QString next = spellings().value(kana[i + 1]);
            if (!next.isEmpty() && next[0].isLetter() && !QStringLiteral("aiueon").contains(next[0])) {
                part = next.left(1); // doubled consonant
            }
        }
        keys += part;
    }
    return keys;
}

} // namespace

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
        if (answer != toHiragana(answer)) {
            composer.toggleKatakana(); // Space
        }
        EXPECT_EQ(composer.text(), answer) << keys->toStdString();
        ++answers;
    }
    EXPECT_GT(answers, 900);
}
