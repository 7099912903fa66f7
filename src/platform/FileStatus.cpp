#include "platform/FileStatus.h"

#include <cerrno>
#include <cstring>

namespace orv {

FileStatus systemError(const std::string& what, const std::string& path, int err) {
    FileStatus st;
    st.kind = (err == ENOENT) ? FileStatus::Kind::NotFound : FileStatus::Kind::System;
    st.errorNumber = err;
    st.message = what + " \"" + path + "\": " + std::strerror(err);
    return st;
}

}  // namespace orv
