// The radio's memory as one contiguous byte image, its memory map, and the
// small helpers through which every field is read and written.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include "image/MemoryMap.h"

namespace orv {

class MemoryImage {
public:
    // The sizes are the memory map's.
    static constexpr int kSize = memmap::kFileSize;        // bytes held in the image and in files
    static constexpr int kRadioSize = memmap::kRadioSize;  // bytes that exist in the radio
    static constexpr int kBlockSize = memmap::kBlockSize;
    static constexpr int kBlocks = memmap::kBlocks;

    MemoryImage() { bytes_.fill(0); }

    uint8_t& operator[](int address) { return bytes_[static_cast<std::size_t>(address)]; }
    uint8_t operator[](int address) const { return bytes_[static_cast<std::size_t>(address)]; }
    uint8_t* data() { return bytes_.data(); }
    const uint8_t* data() const { return bytes_.data(); }
    void clear() { bytes_.fill(0); }
    bool operator==(const MemoryImage&) const = default;

private:
    std::array<uint8_t, kSize> bytes_;
};

// The byte at page * 256 + offset, 0..255.
int peekImage(const MemoryImage& img, int page, int offset);
// new = (old AND NOT mask) OR (mask AND value), low 8 bits kept.
void pokeImage(MemoryImage& img, int page, int offset, int mask, int value);

// A group's page: 1 + (3 * g) div 2 for g = 0..14; 0 for any other g.
constexpr int groupPage(int g) {
    if (!memmap::isGroupIndex(g)) return 0;
    return memmap::kGroupsBase / memmap::kPageSize + (3 * g) / 2;
}

// Where a group's parts lie: page and offset of group parameter byte k, of
// channel record c byte j, and of channel label c character i (even groups
// start at the beginning of their page, odd groups in its middle).
struct ImageAddr {
    int page;
    int offset;
    constexpr int address() const { return page * memmap::kPageSize + offset; }
};
constexpr ImageAddr groupParamAddr(int g, int k) {
    const int p = groupPage(g);
    return (g % 2 == 0) ? ImageAddr{p, k} : ImageAddr{p, memmap::kHalfPage + k};
}
constexpr ImageAddr channelRecordAddr(int g, int c, int j) {
    const int p = groupPage(g);
    const int at = memmap::kRecordSize * c + j;
    return (g % 2 == 0) ? ImageAddr{p, memmap::kHalfPage + at} : ImageAddr{p + 1, at};
}
constexpr ImageAddr channelLabelAddr(int g, int c, int i) {
    const int p = groupPage(g);
    const int at = memmap::kLabelSize * c + i;
    return (g % 2 == 0) ? ImageAddr{p + 1, at} : ImageAddr{p + 1, memmap::kHalfPage + at};
}
static_assert(groupParamAddr(0, 0).address() == memmap::kGroupsBase);
static_assert(channelLabelAddr(memmap::kGroups - 1, memmap::kChannels - 1, memmap::kLabelSize - 1).address() ==
              memmap::kRadioSize - 1);

// Each character one hexadecimal digit (others count 0); 1..3 characters,
// anything else gives 0.
double hexToNum(std::string_view text);

// Radio character set: 0x00..0x30.
std::string charToRadioCode(std::string_view ch);     // "00".."30"; "30" for anything else
std::string radioCodeToChar(std::string_view hex);    // "" for codes without a character

// Label decoding of 8 bytes starting at (page, offset): 0..8 characters.
std::string decodeLabel(const MemoryImage& img, int page, int offset);
// Label encoding: right-aligned in 8 by leading blanks, every character but
// "h" upper-cased, one radio code per byte, characters after the 8th ignored.
void encodeLabel(MemoryImage& img, int page, int offset, std::string_view text);
// A label's text stored as above unless it is `shownNow`, the text its
// present bytes are shown as: an untouched label keeps its bytes, also bytes
// that are no characters of the radio's set (shown as blanks or " BLANK  ").
void storeLabel(MemoryImage& img, int page, int offset, std::string_view text, std::string_view shownNow);

// Frequency code to text in MHz: "000.00" for 0, else "###.00000".
std::string freqCodeToText(double code);

}  // namespace orv
