// Programming files: the memory image written byte for byte (6019 bytes, no
// header). Saving never leaves a half-written file behind: the bytes go to a
// temporary file in the target's directory, are flushed to disk, and only
// then replace the target. Loading refuses anything that is not exactly one
// image long and leaves the image untouched on every failure.
//
// Rules for the file a save replaces (the editor and orvedit-cli alike):
// - a symbolic link is followed and the file it names is replaced; the link
//   stays (a loop of links is refused);
// - an existing target that is not a regular file (a named pipe, a device, a
//   socket) is refused: it is never turned into a regular file;
// - a folder, a loop of links and a file this user may not write (say mode
//   0444) are refused, although the folder would let the file be replaced;
// - a replaced file keeps its permission bits and, where the system permits,
//   its owner and group;
// - on Windows the reserved device names (CON, PRN, AUX, NUL, COM1-COM9,
//   LPT1-LPT9, also with an extension and in any case) are refused like
//   devices.
#pragma once
#include <cstddef>
#include <string>
#include "image/MemoryImage.h"
#include "platform/FileStatus.h"

namespace orv {

// Writes the whole image (6019 bytes) to `path` through the platform's
// replacement (platform/Files.h: a temporary file in the same folder, synced,
// then put in the target's place), under the rules above. On failure the
// target is as it was and no temporary file is left; a program ended politely
// during a save (SIGTERM, SIGINT, SIGHUP) leaves none either: a temporary
// without a name goes with the program, and while one has a name those
// signals wait until it has replaced the target.
FileStatus saveImageFile(const std::string& path, const MemoryImage& img);

// Checks, without writing, that a save to `path` would not be refused for
// what the target is (NotRegular, or a loop of links); lets a command refuse
// a bad output before it spends a minute reading a radio.
FileStatus checkSaveTarget(const std::string& path);

// Reads `path` into `img`. The file must be a regular file of exactly 6019
// bytes; on any failure `img` is not changed.
FileStatus loadImageFile(const std::string& path, MemoryImage& img);

// The same replace-atomically write for any content (used for text output
// such as exported programming).
FileStatus saveFileAtomically(const std::string& path, const void* data, std::size_t size);

// Reads a whole file (also a pipe or a device) into `out`, but no more than
// `maxBytes`: anything longer is refused as TooLarge without being read to
// its end, so /dev/zero or an endless pipe cannot exhaust memory. Opening
// never waits for a pipe's writer. `out` is unchanged on failure.
FileStatus readWholeFile(const std::string& path, std::string& out, std::size_t maxBytes);

// The same for the standard input (a pipe, a file, a terminal): no more than
// `maxBytes` are read, anything longer is refused as TooLarge.
FileStatus readStandardInput(std::string& out, std::size_t maxBytes);

}  // namespace orv
