#include "job/RadioIdentity.h"

#include <cstdio>
#include "files/Sha256.h"
#include "image/MemoryMap.h"

namespace orv {

std::vector<int> identityAddresses() {
    std::vector<int> out;
    constexpr auto mask = memmap::page0WriteMask();
    for (int a = 0; a < memmap::kTuningBlocks * memmap::kBlockSize; ++a)
        if (mask[static_cast<std::size_t>(a)] == 0) out.push_back(a);
    return out;
}

std::string radioFingerprint(const MemoryImage& radio, const std::array<uint8_t, wire::kVersionBytes>& version) {
    std::vector<uint8_t> bytes{version[0], version[1]};
    for (int a : identityAddresses()) bytes.push_back(radio[a]);
    const Sha256Digest d = sha256(bytes.data(), bytes.size());
    char text[16];
    std::snprintf(text, sizeof text, "%02X%02X-%02X%02X", d[0], d[1], d[2], d[3]);
    return text;
}

std::string radioFingerprint(const MemoryImage& radio, const std::string& versionWord) {
    if (versionWord.size() != 4) return {};
    std::array<uint8_t, wire::kVersionBytes> v{};
    try {
        const unsigned long word = std::stoul(versionWord, nullptr, 16);
        v[0] = static_cast<uint8_t>(word >> 8);
        v[1] = static_cast<uint8_t>(word);
    } catch (const std::exception&) {
        return {};
    }
    return radioFingerprint(radio, v);
}

}  // namespace orv
