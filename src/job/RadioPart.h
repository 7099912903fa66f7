// What a radio operation covers, and the blocks of the radio's memory that
// are that part: the whole memory, the global area (page 0), one group, or
// the 15 groups without the global area.
#pragma once
#include "image/MemoryMap.h"

namespace orv {

enum class RadioPart { All, Globals, Group, Groups };

struct BlockRange {
    int first = 0;
    int last = memmap::kBlocks - 1;
    int firstByte() const { return first * memmap::kBlockSize; }
    int endByte() const { return (last + 1) * memmap::kBlockSize; }   // one past the last byte
};

// The blocks of `part` (`group` 1..15 with RadioPart::Group).
constexpr BlockRange blocksOf(RadioPart part, int group = 0) {
    switch (part) {
    case RadioPart::Globals: return {0, memmap::kPage0Blocks - 1};
    case RadioPart::Group: return {memmap::firstGroupBlock(group), memmap::lastGroupBlock(group)};
    case RadioPart::Groups: return {memmap::kPage0Blocks, memmap::kBlocks - 1};
    case RadioPart::All: break;
    }
    return {0, memmap::kBlocks - 1};
}

}  // namespace orv
