// The radio's memory as one contiguous byte image, its memory map, and the
// small helpers through which every field is read and written.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

class MemoryImage {
public:
    static constexpr int kSize = 6019;        // bytes held in the image and in files
    static constexpr int kRadioSize = 6016;   // bytes that exist in the radio
    static constexpr int kBlockSize = 32;
    static constexpr int kBlocks = 188;

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
int groupPage(int g);

// Where a group's parts lie: page and offset of group parameter byte k, of
// channel record c byte j, and of channel label c character i (even groups
// start at the beginning of their page, odd groups in its middle).
struct ImageAddr { int page; int offset; int address() const { return page * 256 + offset; } };
ImageAddr groupParamAddr(int g, int k);
ImageAddr channelRecordAddr(int g, int c, int j);
ImageAddr channelLabelAddr(int g, int c, int i);

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

// Frequency code to text in MHz: "000.00" for 0, else "###.00000".
std::string freqCodeToText(double code);

}  // namespace orv
