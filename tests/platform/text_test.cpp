#include "platform/base/text.h"

#include <gtest/gtest.h>

TEST(Text, StringToInteger) {
    EXPECT_EQ(StrToInt("800"), 800);
    EXPECT_EQ(StrToInt("  \t-42abc"), -42);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("600 garbage"), 600);
    EXPECT_EQ(StrToInt("x12"), 0);
    EXPECT_EQ(StrToInt(""), 0);
    EXPECT_EQ(StrToInt("-"), 0);
    EXPECT_EQ(StrToInt("99999999999999999999"), 2147483647);
}

TEST(Text, Utf8AndLatin1) {
    std::vector<uint16_t> cps = ToCodePoints("¡Sí! €");
    ASSERT_EQ(cps.size(), 6u);
    EXPECT_EQ(cps[0], 0xA1);
    EXPECT_EQ(cps[2], 0xED);
    EXPECT_EQ(cps[5], '?');  // outside Latin-1
    EXPECT_EQ(Latin1ToUtf8("\xA1S\xED"), "¡Sí");
    // A truncated sequence does not read past the end.
    EXPECT_EQ(ToCodePoints(std::string("a\xC3", 2)).size(), 2u);
}

TEST(Text, DataPathsWithBackslashesOpen) {
    EXPECT_EQ(NativePath("artwork\\fondo-minijuego3.png"), "artwork/fondo-minijuego3.png");
    EXPECT_EQ(NativePath("sfx/boom.wav"), "sfx/boom.wav");
}
