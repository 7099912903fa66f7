// What a write sends, bit by bit, and how the radio's memory differs from the
// image within it. A verify compares only these bits: the rest of the radio's
// memory (tuning values, the bits a write never touches) may differ from the
// image without anything being wrong.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>
#include "image/MemoryImage.h"
#include "image/MemoryMap.h"

namespace orv {

using RadioMask = std::array<uint8_t, memmap::kRadioSize>;

// The bits a whole write sends: page 0 through the page-0 write mask of the
// memory map (only when `page0`), bit 5 of the first byte of each group's first block, and
// every other byte of blocks 8 to 187 whole.
RadioMask writtenBitsMask(bool page0);
// The bits of the group parameter field `field` (an offset in a group's
// parameter block and its mask) that a whole write never sends: of a
// group's first byte it sends only bit 5.
int unsentGroupBits(memmap::BitField field);
// `mask` with every bit outside blocks first..last cleared.
RadioMask maskBlocks(const RadioMask& mask, int firstBlock, int lastBlock);

// One byte whose masked bits differ: what the image holds and what the
// radio holds there (whole bytes), and the differing bits.
struct ByteDifference {
    int address;
    uint8_t bits;
    uint8_t image;
    uint8_t radio;
    bool operator==(const ByteDifference&) const = default;
};
std::vector<ByteDifference> differingBytes(const MemoryImage& image, const MemoryImage& radio, const RadioMask& mask);

// The parts of a write that go out when only what differs is sent: every
// page-0 address whose bits under the mask differ (one masked byte each)
// and every block of the groups with such a bit (a group's first block: its
// flag byte). The progress counts the programming bytes they cover.
struct WriteSelection {
    std::array<bool, memmap::kPageSize> page0{};
    std::array<bool, memmap::kBlocks> blocks{};
    bool empty() const;
    int page0Count() const;
    int blockCount() const;
    // The blocks a verify of what was sent reads: the selected blocks, and
    // the page-0 blocks that hold a selected address.
    std::array<bool, memmap::kBlocks> blocksToRead() const;
};
WriteSelection selectChanges(const MemoryImage& radio, const MemoryImage& target, const RadioMask& mask);
// `mask` with every bit outside the selected blocks cleared.
RadioMask maskSelection(const RadioMask& mask, const std::array<bool, memmap::kBlocks>& blocks);

// How differences are put into words for the user: one line each, the
// image's value before the radio's. The verify takes its wording through
// this interface so that a field-by-field wording can replace the one below.
class DifferenceWording {
public:
    virtual ~DifferenceWording() = default;
    virtual std::vector<std::string> describe(const MemoryImage& image, const MemoryImage& radio,
                                              const RadioMask& mask) const = 0;
};

// One line per differing byte, by address and the part of the memory it lies
// in, e.g. "0x0247 (group 1): expected 0x5A, radio 0x5B (bits 0x01)".
class AddressWording : public DifferenceWording {
public:
    std::vector<std::string> describe(const MemoryImage& image, const MemoryImage& radio,
                                      const RadioMask& mask) const override;
};

// The part of the memory an address lies in: "global area", "group 1" to
// "group 15".
std::string memoryArea(int address);

}  // namespace orv
