#include "platform/number_format.h"

#include <gtest/gtest.h>

TEST(Formats, DigitPatternsRoundHalvesAwayFromZero)
{
    EXPECT_EQ(formatNumber(2.5, 0), QStringLiteral("3"));
    EXPECT_EQ(formatNumber(3.5 - 1.0, 0), QStringLiteral("3"));
    EXPECT_EQ(formatNumber(2.4, 0), QStringLiteral("2"));
    EXPECT_EQ(formatNumber(-2.5, 0), QStringLiteral("-3"));
    EXPECT_EQ(formatNumber(-0.2, 0), QStringLiteral("0"));
    EXPECT_EQ(formatNumber(0.05, 1), QStringLiteral("0.1"));
    EXPECT_EQ(formatNumber(1.35, 1), QStringLiteral("1.4"));
    EXPECT_EQ(formatNumber(0.04, 1), QStringLiteral("0.0"));
    EXPECT_EQ(formatNumber(179.9996, 3), QStringLiteral("180.000"));
    EXPECT_EQ(formatNumber(2.0005, 3), QStringLiteral("2.001"));
    EXPECT_EQ(formatNumber(180, 0), QStringLiteral("180"));
    EXPECT_EQ(formatTwoDigits(7), QStringLiteral("07"));
    EXPECT_EQ(formatTwoDigits(98), QStringLiteral("98"));
}
