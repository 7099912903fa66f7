#include "platform/Append.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv::platform {

FileStatus appendToFile(const std::string& path, const std::string& bytes) {
    // O_NONBLOCK: a pipe or device in the log's place must not hold the program.
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0600);
    if (fd < 0) return systemError("cannot open", path, errno);
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        FileStatus s = systemError("cannot append to", path, EINVAL);
        s.kind = FileStatus::Kind::NotRegular;
        s.message = "cannot append to \"" + path + "\": not a regular file";
        return s;
    }
    ssize_t n;
    do {
        n = ::write(fd, bytes.data(), bytes.size());
    } while (n < 0 && errno == EINTR);
    const int err = n < 0 ? errno : (static_cast<std::size_t>(n) != bytes.size() ? EIO : 0);
    if (::close(fd) != 0 && err == 0) return systemError("cannot append to", path, errno);
    if (err != 0) return systemError("cannot append to", path, err);
    return {};
}

}  // namespace orv::platform
