// Start-up defaults: sensible contents for every group and channel before
// anything is read from a radio or a file.
#include "image/WriteDefaults.h"

#include "image/MemoryMap.h"
#include "image/NumText.h"

namespace orv {

namespace {

using namespace memmap;

void put(MemoryImage& img, BitField f, int value) { pokeImage(img, 0, f.address, f.mask, fieldBits(value, f)); }

// The toggle-switch codes the defaults assign.
constexpr int kLeftToggle = 7;
constexpr int kMiddleToggle = 6;
constexpr int kRightToggle = 5;

// Weather-band receive frequencies, in a rotation over the channels.
constexpr double kWeatherFirstMHz = 162.40;
constexpr double kWeatherStepMHz = 0.05;
constexpr int kWeatherChannels = 4;

}  // namespace

void writeGlobalDefaults(MemoryImage& img) {
    // Every byte the defaults touch is written whole: bits no field names are cleared.
    for (int address : {kDtmfPorchAni, kRotaryGroupVariable, kRotaryGroupVariable + 1, kSwitches98, kSwitches99})
        img[address] = 0;
    for (int p = 1; p < kRotaryPositions; ++p) img[kRotary + p] = 0;
    // The widest DTMF deviation; front porch and ANI rate at their first entries.
    put(img, kDtmfDeviation, fieldValue(kAllBits, kDtmfDeviation));
    // Rotary position p (from the second on) selects group index p and the
    // last channel; the first position is left as it is. Every position
    // varies the group.
    for (int p = 1; p < kRotaryPositions; ++p) {
        put(img, rotaryGroup(p), p);
        put(img, rotaryChannel(p), kChannels - 1);
    }
    for (int p = 0; p < kRotaryPositions; ++p) put(img, pairBit(kRotaryGroupVariable, p), 1);
    put(img, kLowPowerSwitch, kLeftToggle);
    put(img, kChannelScanSwitch, kMiddleToggle);
    put(img, kPriorityScanSwitchHigh, kRightToggle / 2);
    put(img, kPriorityScanSwitchLow, kRightToggle % 2);
}

void writeGroupDefaults(MemoryImage& img, int g) {
    if (!isGroupIndex(g)) return;
    const std::string groupLabel = "GROUP" + std::to_string(g + 1);
    for (int c = 0; c < kChannels; ++c) {
        ImageAddr lab = groupParamAddr(g, kGroupLabel);
        encodeLabel(img, lab.page, lab.offset, groupLabel);

        double mhz = kWeatherFirstMHz + kWeatherStepMHz * (c % kWeatherChannels);
        long code = static_cast<long>(roundHalfEven(freqMHzToCode(mhz)));
        std::string hex = hexTextPadded(code, 4);
        ImageAddr r0 = channelRecordAddr(g, c, kRecReceiveFreq);
        ImageAddr r1 = channelRecordAddr(g, c, kRecReceiveFreq + 1);
        pokeImage(img, r0.page, r0.offset, kAllBits, static_cast<int>(hexToNum(hex.substr(0, 2))));
        pokeImage(img, r1.page, r1.offset, kAllBits, static_cast<int>(hexToNum(hex.substr(2, 2))));

        // No code guards.
        for (int j : {kRecReceiveCodeGuard, kRecReceiveCodeGuard + 1, kRecTransmitCodeGuard, kRecTransmitCodeGuard + 1}) {
            ImageAddr a = channelRecordAddr(g, c, j);
            pokeImage(img, a.page, a.offset, kAllBits, 0);
        }

        ImageAddr cl = channelLabelAddr(g, c, 0);
        encodeLabel(img, cl.page, cl.offset, "Ch " + std::to_string(c + 1));
    }
}

MemoryImage defaultImage() {
    MemoryImage img;
    writeGlobalDefaults(img);
    for (int g = 0; g < memmap::kGroups; ++g) writeGroupDefaults(img, g);
    return img;
}

}  // namespace orv
