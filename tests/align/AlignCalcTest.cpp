// The calculators' maths: the values a technician's readings must give, and
// the readings that must be refused.
#include <gtest/gtest.h>

#include "align/AlignCalc.h"

using namespace orv;

TEST(AlignCalc, PullGain) {
    struct Case { const char* ch13; const char* ch14; std::optional<long> result; };
    const Case cases[] = {
        {"173.9950", "173.9975", 0},
        {"173.9950", "173.9976", 64276},    // 0xFB14: -1260 as a word
        {"173.9950", "173.9974", 1365},     // 0x555
        {"173.9950", "173.9950", std::nullopt},  // division by zero
        {"172.9", "173.9975", std::nullopt},
        {"173.9950", "175.1", std::nullopt},
        {"173", "175", 32809},              // both limits are readings in range
        {"173.9950", "173.995000000001", std::nullopt},  // too large to convert
        {"abc", "173.9975", std::nullopt},
        {"", "173.9975", std::nullopt},
        {" 173.9950 ", "173.9975", 0},      // blanks around a number are fine
        {"173.9950x", "173.9975", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(calcPullGain(c.ch13, c.ch14), c.result) << c.ch13 << " / " << c.ch14;
}

TEST(AlignCalc, ReferenceOscillator) {
    struct Case { const char* ch13; std::optional<long> result; };
    const Case cases[] = {
        {"173.9950", 0},
        {"173.9951", 65242},  // 0xFEDA
        {"173.9949", 294},    // 0x126
        {"172.9", std::nullopt},
        {"175.1", std::nullopt},
        {"173.9", std::nullopt},  // +546 ppm: 279613, not a word
        {"1e400", std::nullopt},
        {"-", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(calcRefOsc(c.ch13), c.result) << c.ch13;
}

TEST(AlignCalc, VCOModulation) {
    struct Case { const char* deviation; std::optional<int> result; };
    const Case cases[] = {
        {"4.75", 115},
        {"5.0", 109},     // 109.25
        {"2.0", std::nullopt},   // 273 is above 255
        {"0", std::nullopt},     // division by zero
        {"0.00", std::nullopt},
        {"-4.75", std::nullopt},
        {"2.15", 254},
        {"2.5", 218},     // exactly 218.5: the half goes to the even neighbour
        {"1e400", std::nullopt},
        {"4,75", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(calcVCOMod(c.deviation), c.result) << c.deviation;
}
