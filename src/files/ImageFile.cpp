#include "files/ImageFile.h"

#include <cstring>
#include "platform/Files.h"

namespace orv {

FileStatus checkSaveTarget(const std::string& path) { return platform::checkReplaceTarget(path); }

FileStatus saveFileAtomically(const std::string& path, const void* data, std::size_t size) {
    return platform::replaceFile(path, data, size);
}

FileStatus saveImageFile(const std::string& path, const MemoryImage& img) {
    return saveFileAtomically(path, img.data(), MemoryImage::kSize);
}

namespace {

// Refuses what a read of at most `maxBytes` brought in `buffer` (read with
// one byte to spare) when it is longer; else moves it to `out`. `name` is
// how the messages call the source.
FileStatus acceptBounded(std::string& buffer, const std::string& name, std::string& out, std::size_t maxBytes) {
    if (buffer.size() > maxBytes) {
        FileStatus status;
        status.kind = FileStatus::Kind::TooLarge;
        constexpr std::size_t kMiB = std::size_t{1} << 20;
        const std::string limit = maxBytes % kMiB == 0 ? std::to_string(maxBytes / kMiB) + " MiB"
                                                       : std::to_string(maxBytes) + " bytes";
        status.message = "Cannot read \"" + name + "\": it is larger than " + limit + ", the limit for this file";
        return status;
    }
    out = std::move(buffer);
    return {};
}

// Never trust the size the system reports (a device or a pipe has none, a
// file may grow): read one byte past the limit and look.
std::size_t capFor(std::size_t maxBytes) { return maxBytes == std::string::npos ? maxBytes : maxBytes + 1; }

}  // namespace

FileStatus readWholeFile(const std::string& path, std::string& out, std::size_t maxBytes) {
    std::string buffer;
    long long size = 0;
    if (FileStatus status = platform::readUpTo(path, false, capFor(maxBytes), buffer, size); !status) return status;
    return acceptBounded(buffer, path, out, maxBytes);
}

FileStatus readStandardInput(std::string& out, std::size_t maxBytes) {
    std::string buffer;
    if (FileStatus status = platform::readStandardInputUpTo(capFor(maxBytes), buffer); !status) return status;
    return acceptBounded(buffer, "the standard input", out, maxBytes);
}

FileStatus loadImageFile(const std::string& path, MemoryImage& img, std::string* shortNote) {
    // Read one byte more than an image holds, so that a file that grew since
    // its size was taken (or reports no size) is still caught as too long.
    std::string buffer;
    long long size = 0;
    if (FileStatus status = platform::readUpTo(path, true, MemoryImage::kSize + 1, buffer, size); !status)
        return status;
    const std::size_t got = buffer.size();

    constexpr std::size_t kImage = MemoryImage::kSize;
    constexpr std::size_t kRadio = MemoryImage::kRadioSize;
    if (got == kRadio) {
        // The radio's memory without the image's last bytes: they are added
        // as a fresh image holds them, and the caller tells the user once.
        MemoryImage padded;
        std::memcpy(padded.data(), buffer.data(), kRadio);
        img = padded;
        if (shortNote)
            *shortNote = "\"" + path + "\" is " + std::to_string(kRadio) + " bytes long: it holds the radio's memory " +
                         "without the last " + std::to_string(kImage - kRadio) +
                         " bytes of a programming file, which were added as zeros; a save writes all " +
                         std::to_string(kImage) + " bytes";
        return {};
    }
    if (got != kImage) {
        std::string length;
        if (got < kImage)
            length = std::to_string(got) + " bytes long";
        else if (size > static_cast<long long>(kImage))
            length = std::to_string(size) + " bytes long";
        else
            length = "longer than " + std::to_string(kImage) + " bytes";
        FileStatus status;
        status.kind = FileStatus::Kind::WrongSize;
        status.message = "Cannot open \"" + path + "\": the file is " + length +
                         "; a programming file is " + std::to_string(kImage) + " bytes (or the radio's " + std::to_string(kRadio) + " without its last " + std::to_string(kImage - kRadio) + ")";
        return status;
    }
    std::memcpy(img.data(), buffer.data(), MemoryImage::kSize);
    if (shortNote) shortNote->clear();
    return {};
}

}  // namespace orv
