// What the file operations of every system share: a copy is a read and a
// replacement.
#include "platform/Files.h"

namespace orv::platform {

FileStatus copyFile(const std::string& source, const std::string& target, std::size_t cap) {
    std::string bytes;
    long long sizeOnDisk = 0;
    // One byte past the limit tells a file of exactly `cap` bytes from a longer one.
    const std::size_t readCap = cap == std::string::npos ? cap : cap + 1;
    if (FileStatus st = readUpTo(source, true, readCap, bytes, sizeOnDisk); !st) return st;
    if (bytes.size() > cap) {
        FileStatus st;
        st.kind = FileStatus::Kind::TooLarge;
        st.message = "Cannot copy \"" + source + "\": it is larger than " + std::to_string(cap) + " bytes";
        return st;
    }
    return replaceFile(target, bytes.data(), bytes.size());
}

}  // namespace orv::platform
