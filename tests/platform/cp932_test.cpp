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
