#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

// A player's plain romaji for an answer, written independently of the
// converter's table: small kana with x, ん always as nn, っ as a doubled
// consonant. Katakana answers are typed as hiragana and then turned with Space.
namespace romaji_spelling {

inline const QHash<QChar, QString>& spellings()
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

inline QString toHiragana(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        if (c.unicode() >= 0x30a1 && c.unicode() <= 0x30f6) {
            c = QChar(c.unicode() - 0x60);
        }
    }
    return out;
}

inline bool isKatakana(const QString& answer)
{
    return answer != romaji_spelling::toHiragana(answer);
}

// nullopt when the answer holds a character no key sequence gives.
inline std::optional<QString> romajiFor(const QString& answer)
{
    const QString kana = romaji_spelling::toHiragana(answer);
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

} // namespace romaji_spelling
