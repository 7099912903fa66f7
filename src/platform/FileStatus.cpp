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

FileStatus writeProtected(const std::string& path, const std::string& target) {
    FileStatus st;
    st.kind = FileStatus::Kind::Unwritable;
    st.errorNumber = EACCES;
    st.message = "Cannot save \"" + path + "\": " + (target == path ? "the file" : "the link's target \"" + target + "\"") +
                 " is write-protected (make it writable first, or save under another name)";
    return st;
}

}  // namespace orv
