// Files as the operating system keeps them: replacing a file in one step,
// reading a file or the standard input up to a limit, and whether this user
// may open a device. Paths are UTF-8; '/' separates folders everywhere
// (Windows also takes '\').
#pragma once
#include <cstddef>
#include <string>
#include "platform/FileStatus.h"

namespace orv::platform {

// Checks, without writing, that replaceFile(path) would not be refused for
// what the target is: a folder, a loop of links or a write-protected file
// (Unwritable); a pipe, a device, a socket or (Windows) a reserved device
// name such as CON, NUL, COM1 or LPT1, with or without an extension
// (NotRegular). A path naming this process's own standard output is
// accepted: a save there writes to the open stream.
FileStatus checkReplaceTarget(const std::string& path);

// Writes `size` bytes to `path` so that the target is either the old file or
// the whole new one, never a part: a temporary file in the target's folder,
// flushed to disk, then put in the target's place in one step, with the
// stop requests of the console held off for that step. A symbolic link is
// followed and the file it names replaced; a replaced file keeps its
// permissions (and, where the system lets this user, its owner). On failure
// the target is as it was and no temporary file is left.
FileStatus replaceFile(const std::string& path, const void* data, std::size_t size);

// Replaces `target` with a copy of the regular file `source`, the same way
// replaceFile writes (the target is the old file or the whole copy, never a
// part). `source` is read whole first: one of more than `cap` bytes is
// refused (TooLarge) and the target left as it was.
FileStatus copyFile(const std::string& source, const std::string& target, std::size_t cap);

// Reads `path` into `out` until its end or `cap` bytes, whichever comes
// first. A folder is refused; with `regularOnly` anything but a regular file
// too. Opening never waits for a pipe's writer. `sizeOnDisk` receives the
// size the system reports for the file (0 for a pipe or a device).
FileStatus readUpTo(const std::string& path, bool regularOnly, std::size_t cap, std::string& out,
                    long long& sizeOnDisk);

// The same for the standard input, which stays open for others.
FileStatus readStandardInputUpTo(std::size_t cap, std::string& out);

// Whether this user may open `path` for reading and writing (a serial device).
bool mayReadAndWrite(const std::string& path);

}  // namespace orv::platform
