// A radio's memory as the command-line tests hold it, and a reproducible
// pattern to fill a simulator with.
#pragma once
#include <array>
#include <cstdint>
#include "image/MemoryMap.h"

namespace orv::test {

using Memory = std::array<uint8_t, orv::memmap::kRadioSize>;

inline Memory pattern(unsigned seed) {
    Memory m{};
    unsigned x = seed * 2654435761u + 7u;
    for (auto& v : m) {
        x = x * 1103515245u + 12345u;
        v = static_cast<uint8_t>(x >> 16);
    }
    return m;
}

}  // namespace orv::test
