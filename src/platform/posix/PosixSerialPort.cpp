#include "platform/posix/PosixSerialPort.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include "platform/PortAdvice.h"
#include "platform/posix/TermiosSpeed.h"
#include "platform/posix/UserGroups.h"

namespace orv {

namespace {

// An ioctl that a pseudo-terminal or a simple driver does not offer fails
// with one of these; that means "not applicable here", not a fault.
bool notApplicable(int err) { return err == ENOTTY || err == EINVAL || err == ENOSYS || err == EOPNOTSUPP; }

}  // namespace

std::string describeOpenError(const std::string& device, int err) {
    // The reason is the failing call's own (its errno's text), with what to
    // do about it; nothing is inferred beyond what the error says.
    std::string head = "Cannot open serial port " + device + ": ";
    const std::string system = std::strerror(err);
    switch (err) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return head + "no such device (" + system + "). Check that the cable is plugged in and that the port "
                      "setting names the right device.";
    case EACCES:
    case EPERM: {
        struct stat st {};
        if (::stat(device.c_str(), &st) != 0)
            return head + "permission denied, and its owner and mode cannot be read (" + std::strerror(errno) + ").";
        return describeAccessDenied(device, st.st_mode, st.st_uid, st.st_gid);
    }
    case EBUSY:
        return head + system + ": the device is held for exclusive use (by another program, or by a "
                      "connection to it not yet closed).";
    case ENOTTY:
        return head + "it is not a serial port (" + system + ").";
    case EIO:
        return head + system + ": the device failed as it was opened; check the cable and the adapter.";
    default:
        return head + system + ".";
    }
}

std::string describeLockHeld(const std::string& device) {
    return "Cannot open serial port " + device + ": it is in use by another program, which holds its lock (" +
           std::strerror(EWOULDBLOCK) + ").";
}

namespace {

using platform::posix::groupName;
using platform::posix::listedInGroup;
using platform::posix::userName;

// "crw-rw---- (0660)", as ls shows a device's mode.
std::string modeText(unsigned mode) {
    std::string t = S_ISCHR(mode) ? "c" : S_ISBLK(mode) ? "b" : S_ISDIR(mode) ? "d" : "-";
    const char* rwx = "rwx";
    for (int bit = 8; bit >= 0; --bit) t += (mode & (1u << bit)) ? rwx[(8 - bit) % 3] : '-';
    char octal[16];
    std::snprintf(octal, sizeof octal, " (%04o)", mode & 07777);
    return t + octal;
}

}  // namespace

std::string describeAccessDenied(const std::string& device, unsigned mode, unsigned uid, unsigned gid) {
    const std::string head = "Cannot open serial port " + device + ": permission denied. ";
    const std::string group = groupName(gid);
    const std::string owner = "(owner " + userName(uid) + ", group " + group + ", " + modeText(mode) + ")";
    // The open was refused, so the group is not this process's, whatever
    // the database says.
    const auto block = portadvice::groupBlock(mode, gid, false, listedInGroup(gid));
    std::string what;
    if (block == portadvice::GroupBlock::NoGroup)
        what = "The device " + owner + ": " + portadvice::groupAdvice(block, group);
    else
        what = "The device belongs to group " + group + " " + owner + ": " + portadvice::groupAdvice(block, group);
    return head + what + ".";
}

PosixSerialPort::~PosixSerialPort() { close(); }

void PosixSerialPort::fail(const std::string& what, int err) {
    std::string msg = "Serial port " + device_ + ": " + what;
    if (err) msg += std::string(" (") + std::strerror(err) + ")";
    throw SerialPortError(msg, err);
}

void PosixSerialPort::setSettings(const std::string& settings) {
    LineSettings s = parseLineSettings(settings);
    if (isOpen()) apply(s, true);
    settings_ = settings;
}

void PosixSerialPort::open() {
    if (isOpen()) return;
    if (device_.empty()) throw SerialPortError("No serial port device is set.");
    LineSettings s = parseLineSettings(settings_);
    int fd = ::open(device_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        throw SerialPortError(describeOpenError(device_, err), err);
    }
    // Advisory lock first: it tells cooperating programs (and root, whom the
    // exclusive mode does not stop) that the port is taken.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int err = errno;
        ::close(fd);
        throw SerialPortError(err == EWOULDBLOCK ? describeLockHeld(device_) : describeOpenError(device_, err), err);
    }
    termios tio {};
    if (::tcgetattr(fd, &tio) != 0) {
        int err = errno;
        ::close(fd);
        throw SerialPortError(describeOpenError(device_, err), err);
    }
    if (::ioctl(fd, TIOCEXCL) != 0 && !notApplicable(errno)) {
        int err = errno;
        ::close(fd);
        throw SerialPortError(describeOpenError(device_, err), err);
    }
    fd_ = fd;
    buf_.clear();
    head_ = 0;
    try {
        apply(s, false);
    } catch (...) {
        close();
        throw;
    }
    // USB adapters hold received bytes back for up to 16 ms unless asked
    // for low latency; single-byte replies would crawl without it.
    serial_struct ser {};
    if (::ioctl(fd_, TIOCGSERIAL, &ser) == 0) {
        ser.flags |= ASYNC_LOW_LATENCY;
        ::ioctl(fd_, TIOCSSERIAL, &ser);  // best effort: drivers may refuse
    }
    // Stale input from before we opened is no answer to anything of ours.
    // (Output is not flushed: on a pseudo-terminal it may still hold what
    // the previous user of the port wrote just before closing.)
    ::tcflush(fd_, TCIFLUSH);
}

void PosixSerialPort::close() {
    if (fd_ < 0) return;
    ::ioctl(fd_, TIOCNXCL);  // the device may outlive our descriptor (a pty)
    ::close(fd_);
    fd_ = -1;
    buf_.clear();
    head_ = 0;
}

void PosixSerialPort::apply(const LineSettings& s, bool drainFirst) {
    termios tio {};
    if (::tcgetattr(fd_, &tio) != 0) fail("cannot read the line settings", errno);
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CRTSCTS | CSIZE | CSTOPB | PARENB | PARODD | CMSPAR);
    switch (s.dataBits) {
    case 5: tio.c_cflag |= CS5; break;
    case 6: tio.c_cflag |= CS6; break;
    case 7: tio.c_cflag |= CS7; break;
    default: tio.c_cflag |= CS8; break;
    }
    if (s.stopBits == 2) tio.c_cflag |= CSTOPB;
    switch (s.parity) {
    case 'e': tio.c_cflag |= PARENB; break;
    case 'o': tio.c_cflag |= PARENB | PARODD; break;
    case 'm': tio.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case 's': tio.c_cflag |= PARENB | CMSPAR; break;
    default: break;
    }
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    const speed_t sp = platform::termiosSpeed(s.baud);
    ::cfsetispeed(&tio, sp);
    ::cfsetospeed(&tio, sp);
    // Bytes still in the transmitter go out at the old speed.
    if (drainFirst) ::tcdrain(fd_);
    if (::tcsetattr(fd_, TCSANOW, &tio) != 0) fail("cannot set the line settings", errno);
}

void PosixSerialPort::output(unsigned char byte) {
    if (fd_ < 0) fail("the port is not open", 0);
    for (;;) {
        ssize_t n = ::write(fd_, &byte, 1);
        if (n == 1) return;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // Transmit buffer full: wait for room, but never forever.
            pollfd p {fd_, POLLOUT, 0};
            int r = ::poll(&p, 1, 2000);
            if (r == 0) fail("the line does not take any more data", 0);
            if (r < 0 && errno != EINTR) fail("write failed", errno);
            if (r > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL)) && !(p.revents & POLLOUT))
                fail("the device hung up", 0);
            continue;
        }
        fail("write failed", n < 0 ? errno : 0);
    }
}

void PosixSerialPort::fill() {
    if (fd_ < 0) return;
    if (head_ == buf_.size()) {
        buf_.clear();
        head_ = 0;
    }
    unsigned char tmp[512];
    for (;;) {
        ssize_t n = ::read(fd_, tmp, sizeof tmp);
        if (n > 0) {
            buf_.insert(buf_.end(), tmp, tmp + n);
            if (static_cast<std::size_t>(n) < sizeof tmp) return;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
        if (n == 0) return;
        fail("read failed", errno);
    }
}

int PosixSerialPort::inBufferCount() {
    fill();
    return static_cast<int>(buf_.size() - head_);
}

void PosixSerialPort::discardInput() {
    if (fd_ < 0) return;
    ::tcflush(fd_, TCIFLUSH);
    buf_.clear();
    head_ = 0;
}

int PosixSerialPort::input() {
    if (head_ == buf_.size()) fill();
    if (head_ == buf_.size()) return -1;
    return buf_[head_++];
}

bool PosixSerialPort::waitReadable(int ms) {
    if (fd_ < 0) fail("the port is not open", 0);
    if (head_ < buf_.size()) return true;
    pollfd p {fd_, POLLIN, 0};
    int r = ::poll(&p, 1, ms < 0 ? 0 : ms);
    if (r < 0) {
        if (errno == EINTR) return false;  // a signal (Ctrl-C): let the caller look
        fail("waiting for data failed", errno);
    }
    if (r == 0) return false;
    if (p.revents & POLLIN) return true;
    if (p.revents & (POLLERR | POLLHUP | POLLNVAL)) fail("the device hung up", 0);
    return false;
}

}  // namespace orv
