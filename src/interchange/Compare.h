// Field-by-field comparison of two memory images, in the wording of the
// JSON export: one difference per field whose shown value differs ("group 3
// channel 5 Rec Freq: 155.12500 -> 155.13750"), and one summary per address
// range of bytes whose differing bits no field shows (tuning bytes, unused
// bits, the bytes outside the radio memory). `orvedit-cli diff`, the editor's
// "Compare with File..." and the check of a radio after a write all use it.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>
#include "image/MemoryImage.h"

namespace orv {

// The bits that count, one byte per radio memory address (0..6015): a set
// bit counts, a clear bit is ignored. Under a mask the three image bytes
// outside the radio memory never count.
using CompareMask = std::array<uint8_t, MemoryImage::kRadioSize>;

struct Difference {
    enum class Kind {
        Field,  // a field's shown value differs
        Bytes   // a range of bytes whose differing bits no field shows
    };
    Kind kind = Kind::Field;
    int group = -1;    // 0..14 when the difference lies in a group, else -1
    int channel = -1;  // 0..15 for a channel's field, else -1
    int firstAddress = 0;  // the image addresses the difference covers
    int lastAddress = 0;
    std::string where;      // "group 3 channel 5 Rec Freq", "globals cboDTMFDev"
    std::string thisValue;  // as the export shows it ("155.12500"), or the bytes in hex
    std::string thatValue;

    // "where: this -> that"
    std::string line() const { return where + ": " + thisValue + " -> " + thatValue; }
};

// The differences between `a` ("this") and `b` ("that"), globals first, then
// group by group (fields in the order of the screens, then byte ranges).
// With a mask, the bits it clears are taken from `a`, so only the bits that
// count can make a difference; summaries still show `b`'s real bytes.
std::vector<Difference> compareImages(const MemoryImage& a, const MemoryImage& b,
                                      const CompareMask* mask = nullptr);

// The bits of every image byte that some field is read from (the rest are
// what byte summaries report).
std::array<uint8_t, MemoryImage::kSize> fieldBits();

// What a field a write never sends is listed as, beside its difference.
inline constexpr const char* kNotWrittenByWrite = "not written by a radio write";

// The bits of the fields, within the blocks a write under `written` sends
// to, that it leaves out (image/VerifyMask's write mask): what a file holds
// there never reaches the radio (the User Code Guard channel in a group's
// first byte, of which a write sends only bit 5).
CompareMask unsentFieldBits(const CompareMask& written);
// The differences between `a` and `b` over those bits, field by field.
std::vector<Difference> unsentDifferences(const MemoryImage& a, const MemoryImage& b, const CompareMask& written);
// "where: this -> that (not written by a radio write)".
std::string notWrittenLine(const Difference& d);

}  // namespace orv
