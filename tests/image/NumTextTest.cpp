// Number and text conventions.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "image/NumText.h"

using namespace orv;

TEST(NumText, NumericValueReadsTheNumberAtTheStart) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"", 0},           {"abc", 0},          {"  12.5abc", 12.5}, {"\t\r\n7", 7},
        {"-3", -3},        {"+4.25", 4.25},     {".5", 0.5},         {"1.2.3", 1.2},
        {"1e3", 1000},     {"1D2", 100},        {"2E-1x", 0.2},      {"1e", 1},
        {"1ex", 1},        {"1 2", 12},         {"155.12499", 155.12499},
        {"000.00", 0},     {"-", 0},            {".", 0},            {"162.4 MHz", 162.4},
        {"&H10", 0},       {"1,5", 1},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(numericValue(c.text), c.value) << '"' << c.text << '"';
    // Overflowing exponents do not throw.
    EXPECT_NO_THROW(numericValue("1e999999"));
}

TEST(NumText, IsNumericWantsOneWholeNumber) {
    for (const char* t : {"1", " 1.5 ", "-2", ".5", "1e3", "155.125"}) EXPECT_TRUE(isNumeric(t)) << t;
    for (const char* t : {"", " ", "abc", "1a", "1.2.3", "-", ".", "1 2", "1e"}) EXPECT_FALSE(isNumeric(t)) << t;
}

TEST(NumText, RoundingIsHalfToEven) {
    const std::pair<double, double> cases[] = {{2.5, 2}, {3.5, 4}, {0.5, 0}, {1.5, 2}, {-2.5, -2},
                                               {-3.5, -4}, {2.4999, 2}, {2.5001, 3}};
    for (auto [in, out] : cases) EXPECT_EQ(roundHalfEven(in), out) << in;
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt16(40000), 32767);
    EXPECT_EQ(toInt16(-40000), -32768);
    EXPECT_EQ(toInt16(NAN), 0);
}

TEST(NumText, HexTextIsUpperCaseWithoutLeadingZeros) {
    EXPECT_EQ(hexText(0), "0");
    EXPECT_EQ(hexText(10), "A");
    EXPECT_EQ(hexText(31), "1F");
    EXPECT_EQ(hexText(0xC378), "C378");
    EXPECT_EQ(hexText(-1), "FFFF");
    EXPECT_EQ(hexTextPadded(5, 2), "05");
    EXPECT_EQ(hexTextPadded(0x670, 4), "0670");
    EXPECT_EQ(hexTextPadded(0x12345, 4), "12345");
}

TEST(NumText, NumberTextHidesBinaryNoise) {
    EXPECT_EQ(numberText(162.4 * 1e5), "16240000");
    EXPECT_EQ(numberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(numberText(155.125), "155.125");
    EXPECT_EQ(numberText(0), "0");
    EXPECT_EQ(numberText(-2.5), "-2.5");
    EXPECT_EQ(numberText(1e20), "100000000000000000000");
}

TEST(NumText, NumberTextIsExactAtEveryMagnitude) {
    const std::pair<double, std::string> cases[] = {
        {1.5e300, "15" + std::string(299, '0')},
        {1e-20, "0.00000000000000000001"},
        {-1e-20, "-0.00000000000000000001"},
        {123456789012345678.0, "123456789012346000"},
        {0.000123456789012345678, "0.000123456789012346"},
        {5e-324, "0." + std::string(323, '0') + "494065645841247"},
        {1e15, "1000000000000000"},
        {-0.0, "0"},
    };
    for (const auto& [v, text] : cases) EXPECT_EQ(numberText(v), text) << v;
    // Every text reads back as the value rounded to 15 significant digits.
    for (double v : {1.0e308, 2.2250738585072014e-308, 4.9e-324, 162.4 * 1e5, -3.0e-7, 0.1 + 0.2}) {
        char digits[64];
        std::snprintf(digits, sizeof digits, "%.15g", v);
        EXPECT_EQ(numericValue(numberText(v)), numericValue(digits)) << v;
        EXPECT_TRUE(isNumeric(numberText(v))) << v;
    }
    for (double v : {INFINITY, -INFINITY, NAN}) EXPECT_EQ(numberText(v), "") << v;
}

TEST(NumText, FixedFormatsWriteEveryDigit) {
    EXPECT_EQ(formatFreqCell(1e300).size(), 301u + 6u);
    EXPECT_EQ(formatOneDecimal(-1e300).size(), 302u + 2u);
}

TEST(NumText, FixedFormats) {
    EXPECT_EQ(formatFreqMHz(155.125), "155.12500");
    EXPECT_EQ(formatFreqMHz(181.91875), "181.91875");
    EXPECT_EQ(formatFreqMHz(0.5), ".50000");
    EXPECT_EQ(formatFreqCell(1.5), "001.50000");
    EXPECT_EQ(formatFreqCell(162.4), "162.40000");
    EXPECT_EQ(formatOneDecimal(0), "0.0");
    EXPECT_EQ(formatOneDecimal(5.5), "5.5");
    EXPECT_EQ(formatOneDecimal(7.5), "7.5");
}

TEST(NumText, Utf8CharsCountsCharacters) {
    EXPECT_EQ(utf8Chars("Ch 1").size(), 4u);
    EXPECT_EQ(utf8Chars("\xC3\xA9h").size(), 2u);         // e-acute, h
    EXPECT_EQ(utf8Chars("\xC3").size(), 1u);              // cut sequence stays one byte
    EXPECT_EQ(utf8Chars("\xE2\x82\xAC" "1").size(), 2u);  // euro sign, 1
}
