#include "image/VerifyMask.h"

#include <cstdio>
#include "image/MemoryMap.h"

namespace orv {

RadioMask writtenBitsMask(bool page0) {
    RadioMask mask{};
    if (page0) {
        // The write's own table, so a verify can never disagree with the write.
        const auto m = memmap::page0WriteMask();
        for (std::size_t a = 0; a < m.size(); ++a) mask[a] = static_cast<uint8_t>(m[a]);
    }
    for (int b = memmap::kPage0Blocks; b < memmap::kBlocks; ++b) {
        const int base = b * memmap::kBlockSize;
        if (memmap::isGroupFirstBlock(b)) {
            mask[static_cast<std::size_t>(base)] = memmap::kGroupFirstByteWriteMask;
            continue;
        }
        for (int i = 0; i < memmap::kBlockSize; ++i) mask[static_cast<std::size_t>(base + i)] = memmap::kAllBits;
    }
    return mask;
}

int unsentGroupBits(memmap::BitField field) {
    const RadioMask mask = writtenBitsMask(false);
    return field.mask & ~mask[static_cast<std::size_t>(groupParamAddr(0, field.address).address())];
}

RadioMask maskBlocks(const RadioMask& mask, int firstBlock, int lastBlock) {
    RadioMask out{};
    for (int a = 0; a < memmap::kRadioSize; ++a) {
        const int b = a / memmap::kBlockSize;
        if (b >= firstBlock && b <= lastBlock) out[static_cast<std::size_t>(a)] = mask[static_cast<std::size_t>(a)];
    }
    return out;
}

std::vector<ByteDifference> differingBytes(const MemoryImage& image, const MemoryImage& radio, const RadioMask& mask) {
    std::vector<ByteDifference> out;
    for (int a = 0; a < memmap::kRadioSize; ++a) {
        const auto bits = static_cast<uint8_t>((image[a] ^ radio[a]) & mask[static_cast<std::size_t>(a)]);
        if (bits != 0) out.push_back({a, bits, image[a], radio[a]});
    }
    return out;
}

bool WriteSelection::empty() const { return page0Count() == 0 && blockCount() == 0; }

int WriteSelection::page0Count() const {
    int n = 0;
    for (bool a : page0) n += a ? 1 : 0;
    return n;
}

int WriteSelection::blockCount() const {
    int n = 0;
    for (bool b : blocks) n += b ? 1 : 0;
    return n;
}

std::array<bool, memmap::kBlocks> WriteSelection::blocksToRead() const {
    std::array<bool, memmap::kBlocks> read = blocks;
    for (int a = 0; a < memmap::kPageSize; ++a)
        if (page0[static_cast<std::size_t>(a)]) read[static_cast<std::size_t>(a / memmap::kBlockSize)] = true;
    return read;
}

WriteSelection selectChanges(const MemoryImage& radio, const MemoryImage& target, const RadioMask& mask) {
    WriteSelection s;
    for (const ByteDifference& d : differingBytes(target, radio, mask)) {
        if (d.address < memmap::kPageSize) s.page0[static_cast<std::size_t>(d.address)] = true;
        else s.blocks[static_cast<std::size_t>(d.address / memmap::kBlockSize)] = true;
    }
    return s;
}

RadioMask maskSelection(const RadioMask& mask, const std::array<bool, memmap::kBlocks>& blocks) {
    RadioMask out{};
    for (int a = 0; a < memmap::kRadioSize; ++a)
        if (blocks[static_cast<std::size_t>(a / memmap::kBlockSize)]) out[static_cast<std::size_t>(a)] = mask[static_cast<std::size_t>(a)];
    return out;
}

std::string memoryArea(int address) {
    if (address < memmap::kGroupsBase) return "global area";
    const int g = (address - memmap::kGroupsBase) / memmap::kGroupSize;
    return "group " + std::to_string(g + 1);
}

std::vector<std::string> AddressWording::describe(const MemoryImage& image, const MemoryImage& radio,
                                                  const RadioMask& mask) const {
    std::vector<std::string> lines;
    for (const ByteDifference& d : differingBytes(image, radio, mask)) {
        char text[96];
        std::snprintf(text, sizeof text, "0x%04X (%s): expected 0x%02X, radio 0x%02X (bits 0x%02X)", d.address,
                      memoryArea(d.address).c_str(), d.image, d.radio, d.bits);
        lines.emplace_back(text);
    }
    return lines;
}

}  // namespace orv
