// The verify's field-by-field wording over the bits a write sends.
#include <gtest/gtest.h>

#include "interchange/FieldWording.h"

using namespace orv;

TEST(FieldWording, NamesTheFieldsThatDifferInTheWrittenBits) {
    MemoryImage image;
    const int recFreq = channelRecordAddr(2, 4, 0).address();
    image[recFreq] = 0xAC;
    image[recFreq + 1] = 0x44;
    MemoryImage radio = image;
    radio[recFreq + 1] = 0x4E;                        // 155.12500 -> 155.13750
    radio[0x0A] = 0x77;                               // a tuning byte: never written
    radio[groupParamAddr(0, 0).address()] = 0x1F;     // user code guard channel: never written
    radio[0x99] = 0x01;                               // bit 0 of 0x99: never written
    radio[groupParamAddr(5, 0x50).address()] = 0x01;  // written whole, no field shows it
    const auto lines = FieldWording().describe(image, radio, writtenBitsMask(true));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "group 3 channel 5 Rec Freq: 155.12500 -> 155.13750",
                         "group 6 parameter byte 0x08D0 (not shown by any field): 00 -> 01"}));
    // Without page 0 a global field does not count.
    radio = image;
    radio[0x07] = 0xF8;
    EXPECT_TRUE(FieldWording().describe(image, radio, writtenBitsMask(false)).empty());
    EXPECT_EQ(FieldWording().describe(image, radio, writtenBitsMask(true)),
              std::vector<std::string>{"globals cboDTMFDev: 0 -> 2906.25"});
}
