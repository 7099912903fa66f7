// Fuzz target: opening a programming file, and everything the tool does with
// whatever image it holds (decode, export, import of the export).
//
// Properties:
// - a file that is not exactly one image long is refused and the image in
//   memory stays as it was; a file of the right length loads byte for byte;
// - every image decodes (no byte pattern makes a field conversion fail);
// - its export parses back, and importing it onto the image changes no byte.
#include <cstdint>
#include <cstring>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include "ExportImport.h"
#include "FuzzCheck.h"
#include "files/ImageFile.h"

namespace {

// The input as a file: an anonymous memory file, opened by its /proc path.
class MemoryFile {
public:
    MemoryFile(const uint8_t* data, size_t size) {
        fd_ = ::memfd_create("orv-fuzz", MFD_CLOEXEC);
        FUZZ_CHECK(fd_ >= 0);
        for (size_t done = 0; done < size;) {
            const ssize_t n = ::write(fd_, data + done, size - done);
            FUZZ_CHECK(n > 0);
            done += static_cast<size_t>(n);
        }
        path_ = "/proc/self/fd/" + std::to_string(fd_);
    }
    ~MemoryFile() { ::close(fd_); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    const std::string& path() const { return path_; }

private:
    int fd_ = -1;
    std::string path_;
};

orv::MemoryImage filler() {
    orv::MemoryImage img;
    for (int a = 0; a < orv::MemoryImage::kSize; ++a) img[a] = static_cast<uint8_t>(a * 37 + 11);
    return img;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const orv::MemoryImage before = filler();
    orv::MemoryImage img = before;
    {
        MemoryFile file(data, size);
        const orv::FileStatus st = orv::loadImageFile(file.path(), img);
        if (size == static_cast<size_t>(orv::MemoryImage::kSize)) {
            FUZZ_CHECK(st.ok());
            FUZZ_CHECK(std::memcmp(img.data(), data, size) == 0);
        } else {
            FUZZ_CHECK(st.kind == orv::FileStatus::Kind::WrongSize);
            FUZZ_CHECK(img == before);
            FUZZ_CHECK(st.message.find('\n') == std::string::npos);
            // Any input still makes an image to decode: its bytes from the start.
            std::memcpy(img.data(), data, std::min(size, static_cast<size_t>(orv::MemoryImage::kSize)));
        }
    }

    checkExportImportIsStable(img);
    return 0;
}
