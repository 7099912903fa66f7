// Start-up defaults: sensible contents for every group and channel before
// anything is read from a radio or a file.
#include "image/WriteDefaults.h"

#include "image/MemoryMap.h"
#include "image/NumText.h"

namespace orv {

void writeGlobalDefaults(MemoryImage& img) {
    using namespace memmap;
    img[kDtmfPorchAni] = 0xF8;
    for (int i = 1; i <= 15; ++i) img[kRotary + i] = static_cast<uint8_t>(i * 16 + 15);
    img[kRotaryGroupVariable] = 0xFF;
    img[kRotaryGroupVariable + 1] = 0xFF;
    img[kSwitches98] = 0xFA;
    img[kSwitches99] = 0x80;
}

void writeGroupDefaults(MemoryImage& img, int g) {
    if (g < 0 || g > 14) return;
    const std::string groupLabel = "GROUP" + std::to_string(g + 1);
    for (int c = 0; c < 16; ++c) {
        ImageAddr lab = groupParamAddr(g, memmap::kGroupLabel);
        encodeLabel(img, lab.page, lab.offset, groupLabel);

        // Weather-band receive frequencies in a rotation of four.
        double mhz = 162.40 + 0.05 * (c % 4);
        long code = static_cast<long>(roundHalfEven((mhz * 1000000.0 - 100000000.0) / 1250.0));
        std::string hex = hexTextPadded(code, 4);
        ImageAddr r0 = channelRecordAddr(g, c, 0);
        ImageAddr r1 = channelRecordAddr(g, c, 1);
        pokeImage(img, r0.page, r0.offset, 255, static_cast<int>(hexToNum(hex.substr(0, 2))));
        pokeImage(img, r1.page, r1.offset, 255, static_cast<int>(hexToNum(hex.substr(2, 2))));

        for (int j : {2, 3, 6, 7}) {
            ImageAddr a = channelRecordAddr(g, c, j);
            pokeImage(img, a.page, a.offset, 255, 0);
        }

        ImageAddr cl = channelLabelAddr(g, c, 0);
        encodeLabel(img, cl.page, cl.offset, "Ch " + std::to_string(c + 1));
    }
}

MemoryImage defaultImage() {
    MemoryImage img;
    writeGlobalDefaults(img);
    for (int g = 0; g < 15; ++g) writeGroupDefaults(img, g);
    return img;
}

}  // namespace orv
