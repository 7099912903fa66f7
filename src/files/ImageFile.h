// Programming files: the memory image written byte for byte (6019 bytes, no
// header). Saving never leaves a half-written file behind: the bytes go to a
// temporary file in the target's directory, are flushed to disk, and only
// then replace the target. Loading refuses anything that is not exactly one
// image long and leaves the image untouched on every failure.
#pragma once
#include <cstddef>
#include <string>
#include "image/MemoryImage.h"

namespace orv {

struct FileStatus {
    enum class Kind {
        Ok,
        NotFound,   // the file (or a folder on its path) does not exist
        System,     // any other error the system reported (see errorNumber)
        WrongSize,  // the file is not exactly MemoryImage::kSize bytes long
    };
    Kind kind = Kind::Ok;
    int errorNumber = 0;   // errno of the failing call; 0 when the system reported none
    std::string message;   // one line naming the file and the reason

    bool ok() const { return kind == Kind::Ok; }
    explicit operator bool() const { return ok(); }
};

// Writes the whole image (6019 bytes) to `path`: temporary file in the same
// folder, fsync, rename over the target. On failure the target is as it was
// and the temporary file is removed. An existing target keeps its permission
// bits; a symbolic link is followed, so the file it names is replaced.
FileStatus saveImageFile(const std::string& path, const MemoryImage& img);

// Reads `path` into `img`. The file must be a regular file of exactly 6019
// bytes; on any failure `img` is not changed.
FileStatus loadImageFile(const std::string& path, MemoryImage& img);

// The same replace-atomically write for any content (used for text output
// such as exported programming).
FileStatus saveFileAtomically(const std::string& path, const void* data, std::size_t size);

// Reads a whole (regular) file into `out`; `out` is unchanged on failure.
FileStatus readWholeFile(const std::string& path, std::string& out);

}  // namespace orv
