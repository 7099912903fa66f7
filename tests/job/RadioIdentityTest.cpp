// A radio's fingerprint: made of its factory tuning values and its version
// word, not of anything a write sends.
#include <gtest/gtest.h>
#include <regex>
#include "image/MemoryMap.h"
#include "job/RadioIdentity.h"

using namespace orv;

namespace {

TEST(RadioIdentity, TheTuningBytesAWriteNeverSends) {
    std::vector<int> expected;
    for (int a = 0; a < 64; ++a)
        if (a != 6 && a != 7) expected.push_back(a);
    EXPECT_EQ(identityAddresses(), expected);
}

TEST(RadioIdentity, FingerprintFollowsTheTuningValuesAndTheVersionOnly) {
    MemoryImage radio;
    for (int a = 0; a < MemoryImage::kSize; ++a) radio[a] = static_cast<uint8_t>(a * 7);
    const std::array<uint8_t, 4> version{0x2C, 0x00, 0, 0};
    const std::string base = radioFingerprint(radio, version);
    EXPECT_TRUE(std::regex_match(base, std::regex("[0-9A-F]{4}-[0-9A-F]{4}"))) << base;
    EXPECT_EQ(radioFingerprint(radio, std::string("2C00")), base);
    EXPECT_EQ(radioFingerprint(radio, std::string("-")), "");

    struct Case { const char* change; int address; bool differs; };
    for (const Case c : {Case{"a tuning value", 0x11, true}, Case{"the last tuning value", 63, true},
                         Case{"address 6, which a write sends", 6, false}, Case{"a group", 0x300, false},
                         Case{"page 0 beyond the tuning blocks", 0x50, false}}) {
        MemoryImage other = radio;
        other[c.address] ^= 0x01;
        EXPECT_EQ(radioFingerprint(other, version) != base, c.differs) << c.change;
    }
    EXPECT_NE(radioFingerprint(radio, std::array<uint8_t, 4>{0x2A, 0xA9, 0, 0}), base) << "another version word";
}

}  // namespace
