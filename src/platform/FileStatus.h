// The outcome of an operation on a file, shared by the platform layer and
// the programming files built on it.
#pragma once
#include <string>

namespace orv {

struct [[nodiscard]] FileStatus {
    enum class Kind {
        Ok,
        NotFound,   // the file (or a folder on its path) does not exist
        System,     // any other error the system reported (see errorNumber)
        WrongSize,  // the file is not exactly MemoryImage::kSize bytes long
        TooLarge,   // a read stopped at its limit: the file holds more than it may
        NotRegular, // a save target exists and is not a regular file (pipe, device, reserved device name)
        Unwritable, // a save target is a folder, a loop of links, or write-protected
    };
    Kind kind = Kind::Ok;
    int errorNumber = 0;   // errno of the failing call (or its nearest errno); 0 when the system reported none
    std::string message;   // one line naming the file and the reason

    bool ok() const { return kind == Kind::Ok; }
    // The output named is not one a save may replace (as opposed to a save
    // that failed on the way): a caller's bad input, not a disk failure.
    bool badTarget() const { return kind == Kind::NotRegular || kind == Kind::Unwritable; }
    explicit operator bool() const { return ok(); }
};

// The failure `err` (an errno) of doing `what` to `path`: NotFound for
// ENOENT, System otherwise, with the message `<what> "<path>": <reason>`.
FileStatus systemError(const std::string& what, const std::string& path, int err);

// A save refused because the existing file `target` (what `path` names, or
// the target of the link `path`) is write-protected, although its folder
// would let it be replaced: Unwritable, EACCES.
FileStatus writeProtected(const std::string& path, const std::string& target);

}  // namespace orv
