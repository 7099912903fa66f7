// Appending to a file that several programs append to at once: the bytes go
// in one write to a file opened for appending, so that lines from two
// programs never interleave (the radio log).
#pragma once
#include <string>
#include "platform/FileStatus.h"

namespace orv::platform {

// Appends `bytes` to `path` (created, readable only by this user, when
// missing) in one write at the file's end; a short write is an error. A path
// that is not a regular file is refused.
FileStatus appendToFile(const std::string& path, const std::string& bytes);

}  // namespace orv::platform
