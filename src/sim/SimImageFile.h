// The simulated radio's memory files: a programming file's size or the
// radio's (the bare radio memory), read at start and saved at exit.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include "image/MemoryMap.h"

namespace orv {

struct SimImageFile {
    std::array<uint8_t, memmap::kRadioSize> memory{};
    std::array<uint8_t, memmap::kFileTail> tail{};    // the bytes of a programming file after the memory, else zero
};

// Throws std::runtime_error with the file name and the reason.
SimImageFile loadSimImage(const std::string& path);
// Writes a programming file (memory, then tail) through the platform's
// replacement in one step, so a failed save never leaves a half-written
// file. Throws std::runtime_error with the file name and the reason.
void saveSimImage(const std::string& path, const SimImageFile& file);

}  // namespace orv
