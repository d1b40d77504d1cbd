#include "platform/cp932.h"

#include <gtest/gtest.h>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values) {
        out.append(static_cast<char>(v));
    }
    return out;
}

} // namespace

TEST(Cp932, DecodesTheWindowsCodePageNotPlainShiftJis)
{
    EXPECT_EQ(decodeCp932(QByteArray("ABC")), QStringLiteral("ABC"));
    EXPECT_EQ(decodeCp932(bytes({0x82, 0xA0})), QStringLiteral("あ"));
    EXPECT_EQ(decodeCp932(bytes({0x81, 0x60})), QString(QChar(0xFF5E)));  // full-width tilde
    EXPECT_EQ(decodeCp932(bytes({0x87, 0x40})), QStringLiteral("①"));      // NEC extension
    EXPECT_EQ(decodeCp932(bytes({0xB1})), QStringLiteral("ｱ"));            // half-width katakana
    // Control codes pass through unchanged.
    EXPECT_EQ(decodeCp932(bytes({0x1A, 0x1C, 0x7F, 0x0D, 0x0A})), QString::fromLatin1("\x1A\x1C\x7F\r\n"));
}

TEST(Cp932, DecodingNeverFailsAndMarksBadBytes)
{
    const QString bad = decodeCp932(bytes({'a', 0x81, 0x20, 'b'}));
    EXPECT_TRUE(bad.startsWith(u'a'));
    EXPECT_TRUE(bad.contains(QChar::ReplacementCharacter));
    EXPECT_TRUE(bad.endsWith(QStringLiteral(" b")));
    // A lead byte cut off at the end.
    EXPECT_EQ(decodeCp932(bytes({'x', 0x82})), QStringLiteral("x") + QChar::ReplacementCharacter);
}

TEST(Cp932, EncodesWhatDecodesBackToItself)
{
    const QString text = QStringLiteral("さかな、テスト！ｱｲ①ⅰ～ABC 12");
    const auto encoded = encodeCp932(text);
    ASSERT_TRUE(encoded.has_value());
    EXPECT_EQ(decodeCp932(*encoded), text);
    EXPECT_EQ(*encodeCp932(QString(QChar(0xFF5E))), bytes({0x81, 0x60}));
    EXPECT_EQ(*encodeCp932(QString()), QByteArray());
}

TEST(Cp932, RefusesTextItCannotStoreAndNamesTheCharacter)
{
    QString error;
    EXPECT_FALSE(encodeCp932(QStringLiteral("ok😀"), &error).has_value());
    EXPECT_TRUE(error.contains(QStringLiteral("U+1F600"))) << error.toStdString();

    // The wave dash would come back as the full-width tilde: a look-alike, refused.
    EXPECT_FALSE(encodeCp932(QString(QChar(0x301C)), &error).has_value());
    EXPECT_TRUE(error.contains(QStringLiteral("U+301C"))) << error.toStdString();

    EXPECT_FALSE(encodeCp932(QString(QChar::ReplacementCharacter), &error).has_value());
    EXPECT_FALSE(encodeCp932(QStringLiteral("한국"), &error).has_value());
}

TEST(Cp932, LongTextDecodesWholeWithEveryBadByteMarked)
{
    // Far longer than any converter buffer, with bad bytes scattered through
    // it and a lead byte cut off at the very end.
    QByteArray data;
    QString expected;
    for (int i = 0; i < 20000; ++i) {
        data.append("ab");
        data.append(bytes({0x82, 0xA0, 0xB1}));
        expected += QStringLiteral("abあｱ");
        if (i % 997 == 0) {
            data.append(bytes({0x81, 0x20}));
            expected += QChar::ReplacementCharacter;
            expected += u' ';
        }
    }
    data.append(bytes({0x82}));
    expected += QChar::ReplacementCharacter;
    EXPECT_EQ(decodeCp932(data), expected);
    EXPECT_EQ(Cp932Codec().decode(data), expected);
}

TEST(Cp932, ACodecKeptOpenConvertsEachTextAfreshAfterAFailure)
{
    const Cp932Codec codec;
    QString error;
    EXPECT_FALSE(codec.encode(QStringLiteral("あ😀"), &error).has_value());
    EXPECT_TRUE(error.contains(QStringLiteral("U+1F600"))) << error.toStdString();
    // A lead byte left hanging by the last text must not join the next one.
    EXPECT_EQ(codec.decode(bytes({'x', 0x82})), QStringLiteral("x") + QChar::ReplacementCharacter);
    EXPECT_EQ(codec.decode(bytes({0x82, 0xA0})), QStringLiteral("あ"));
    EXPECT_EQ(*codec.encode(QStringLiteral("さかな～")), *encodeCp932(QStringLiteral("さかな～")));

    // A copy has converters of its own and gives the same results.
    const Cp932Codec copy = codec;
    EXPECT_EQ(copy.decode(*copy.encode(QStringLiteral("コピー①"))), QStringLiteral("コピー①"));
}

// Every character of the basic plane: what is written reads back as itself,
// and every character some byte pair reads as can be written, alone and
// among others (the quick path and the checked one must agree).
TEST(Cp932, EveryCharacterIsWrittenOnlyAsWhatReadsBackToIt)
{
    const Cp932Codec codec;
    QString readable;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const QString ch = codec.decode(bytes({lead, trail}));
            if (ch.size() == 1 && ch[0] != QChar::ReplacementCharacter) {
                readable += ch;
            }
        }
    }
    ASSERT_GT(readable.size(), 7000);
    for (const QChar ch : readable) {
        EXPECT_TRUE(codec.encode(QString(ch)).has_value()) << "U+" << std::hex << int(ch.unicode());
    }
    const auto all = codec.encode(readable);
    ASSERT_TRUE(all.has_value());
    EXPECT_EQ(codec.decode(*all), readable);

    int written = 0;
    for (int u = 0; u < 0x10000; ++u) {
        const QChar ch(static_cast<char16_t>(u));
        if (ch.isSurrogate()) {
            continue;
        }
        const QString text = QStringLiteral("かな") + ch;
        if (const auto encoded = codec.encode(text)) {
            ++written;
            EXPECT_EQ(codec.decode(*encoded), text) << "U+" << std::hex << u;
        }
    }
    EXPECT_GT(written, 7000);
}

// Bytes that writing their text gives back as they stand, and those it
// would not: bad bytes, and a second spelling of a character.
TEST(Cp932, DecodeExactOnlyForTheWrittenSpelling)
{
    const Cp932Codec codec;
    EXPECT_EQ(codec.decodeExact(bytes({'a', 0x82, 0xA0, 0x0D, 0x0A})), QStringLiteral("aあ\r\n"));
    EXPECT_EQ(codec.decodeExact(QByteArray()), QString());
    EXPECT_FALSE(codec.decodeExact(bytes({'a', 0x81, 0x20})).has_value());
    EXPECT_FALSE(codec.decodeExact(bytes({'a', 0x82})).has_value());
    // The NEC-selected IBM extension reads the same as the IBM extension,
    // which is the spelling written.
    const QString ibm = codec.decode(bytes({0xFA, 0x5C}));
    EXPECT_EQ(codec.decode(bytes({0xED, 0x40})), ibm);
    EXPECT_EQ(codec.decodeExact(bytes({0xFA, 0x5C})), ibm);
    EXPECT_FALSE(codec.decodeExact(bytes({0xED, 0x40})).has_value());
}
