#include "sim/SimImageFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>
#include "platform/Files.h"

namespace orv {

SimImageFile loadSimImage(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open image file \"" + path + "\": " + std::strerror(errno));
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw std::runtime_error("cannot read image file \"" + path + "\"");
    if (bytes.size() != static_cast<std::size_t>(memmap::kFileSize) &&
        bytes.size() != static_cast<std::size_t>(memmap::kRadioSize)) {
        throw std::runtime_error("image file \"" + path + "\" has " + std::to_string(bytes.size()) +
                                 " bytes; expected " + std::to_string(memmap::kFileSize) + " or " +
                                 std::to_string(memmap::kRadioSize));
    }
    SimImageFile f;
    std::copy_n(bytes.begin(), memmap::kRadioSize, reinterpret_cast<char*>(f.memory.data()));
    if (bytes.size() == static_cast<std::size_t>(memmap::kFileSize))
        std::copy_n(bytes.begin() + memmap::kRadioSize, memmap::kFileTail, reinterpret_cast<char*>(f.tail.data()));
    return f;
}

void saveSimImage(const std::string& path, const SimImageFile& file) {
    std::array<uint8_t, memmap::kFileSize> bytes{};
    std::copy(file.memory.begin(), file.memory.end(), bytes.begin());
    std::copy(file.tail.begin(), file.tail.end(), bytes.begin() + memmap::kRadioSize);
    const FileStatus status = platform::replaceFile(path, bytes.data(), bytes.size());
    if (!status.ok()) throw std::runtime_error(status.message);
}

}  // namespace orv
