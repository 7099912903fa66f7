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

// Whether the names `a` and `b` reach one file: the same device and inode
// (Windows: the volume's serial number and the file's index), so links,
// relative and absolute spellings, ".." and (Windows) case and short names
// all count as the same file. A name that does not exist yet is the same
// as another when both lead (through a dangling link too) to the same name
// in the same folder: two outputs that would be created as one file.
bool sameFile(const std::string& a, const std::string& b);

// What kind of file `path` names (links followed), asked without opening it,
// so that a pipe or a device can never make the question wait.
enum class FileKind { Missing, Regular, Folder, Other };
FileKind fileKind(const std::string& path);
// "a pipe (FIFO)", "a character device", "a folder", ... for a message; empty
// for a regular file or a missing one.
std::string fileKindText(const std::string& path);

// Moves whatever `path` names (a pipe, a device node, a folder that stands
// where a file belongs) out of the way to an unused name beside it,
// "<path>.set-aside", "<path>.set-aside-2", ..., returned in `newPath`. The
// thing itself is only renamed, never opened or removed.
FileStatus setAside(const std::string& path, std::string& newPath);

// Whether this user may open `path` for reading and writing (a serial device).
bool mayReadAndWrite(const std::string& path);

}  // namespace orv::platform
