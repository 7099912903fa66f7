// Addresses of the memory map as published tables, kept independent of the
// code's own address helpers so that the tests check those helpers too.
#pragma once
#include <array>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "image/MemoryImage.h"

namespace orv::test {

// Parameter block of groups 0..14 (channel records follow at +0x80, labels at +0x100).
inline constexpr std::array<int, 15> kParamBase = {0x0100, 0x0280, 0x0400, 0x0580, 0x0700,
                                                   0x0880, 0x0A00, 0x0B80, 0x0D00, 0x0E80,
                                                   0x1000, 0x1180, 0x1300, 0x1480, 0x1600};

inline int paramAddr(int g, int k) { return kParamBase[static_cast<std::size_t>(g)] + k; }
inline int recordAddr(int g, int c, int j) { return kParamBase[static_cast<std::size_t>(g)] + 0x80 + 8 * c + j; }
inline int labelAddr(int g, int c, int i) { return kParamBase[static_cast<std::size_t>(g)] + 0x100 + 8 * c + i; }

// Bits of one byte that a write is expected to own, with their expected value.
struct Bits {
    int address;
    int mask;
    int value;
};

inline orv::MemoryImage filled(uint8_t b) {
    orv::MemoryImage img;
    for (int a = 0; a < orv::MemoryImage::kSize; ++a) img[a] = b;
    return img;
}

// Checks that `after` differs from `before` only inside the listed bits and
// that the listed bits hold their expected values. Returns "" when so, else
// a description of the first mismatches.
inline std::string checkOnly(const orv::MemoryImage& before, const orv::MemoryImage& after,
                             const std::vector<Bits>& expected) {
    std::string out;
    std::vector<int> ownMask(orv::MemoryImage::kSize, 0);
    for (const Bits& b : expected) ownMask[static_cast<std::size_t>(b.address)] |= b.mask;
    for (int a = 0; a < orv::MemoryImage::kSize && out.size() < 400; ++a) {
        int m = ownMask[static_cast<std::size_t>(a)];
        if ((before[a] & ~m & 0xFF) != (after[a] & ~m & 0xFF)) {
            char buf[96];
            std::snprintf(buf, sizeof buf, "foreign bits changed at 0x%04X: %02X -> %02X (own mask %02X); ", a,
                          before[a], after[a], m);
            out += buf;
        }
    }
    for (const Bits& b : expected) {
        if ((after[b.address] & b.mask) != (b.value & b.mask)) {
            char buf[96];
            std::snprintf(buf, sizeof buf, "0x%04X mask %02X: got %02X want %02X; ", b.address, b.mask,
                          after[b.address] & b.mask, b.value & b.mask);
            out += buf;
        }
    }
    return out;
}

}  // namespace orv::test
