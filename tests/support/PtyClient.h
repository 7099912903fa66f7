// A minimal raw termios client for the simulator's pty: opens the slave,
// sets the speed, writes bytes, reads replies with a deadline.
#pragma once
#include <chrono>
#include <cstdint>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

class PtyClient {
public:
    explicit PtyClient(const std::string& path, speed_t speed = B4800) {
        fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ < 0) throw std::runtime_error("cannot open " + path);
        setSpeed(speed);
    }
    ~PtyClient() { if (fd_ >= 0) ::close(fd_); }
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    void setSpeed(speed_t speed) {
        termios t{};
        tcgetattr(fd_, &t);
        cfmakeraw(&t);
        t.c_cflag |= CLOCAL | CREAD;
        t.c_cc[VMIN] = 0;
        t.c_cc[VTIME] = 0;
        cfsetispeed(&t, speed);
        cfsetospeed(&t, speed);
        tcsetattr(fd_, TCSADRAIN, &t);
    }

    void send(const std::vector<uint8_t>& bytes) {
        for (uint8_t b : bytes) {
            if (::write(fd_, &b, 1) != 1) throw std::runtime_error("write failed");
            ++sent_;
        }
    }
    // Bytes sent since this client was opened.
    long sent() const { return sent_; }
    void discardInput() { tcflush(fd_, TCIFLUSH); }

    // Up to n bytes, stopping early when nothing arrives for `quietMs`.
    std::vector<uint8_t> read(std::size_t n, int quietMs = 400) {
        std::vector<uint8_t> got;
        while (got.size() < n) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, quietMs) <= 0) break;
            uint8_t buf[256];
            const ssize_t r = ::read(fd_, buf, std::min(sizeof buf, n - got.size()));
            if (r <= 0) break;
            got.insert(got.end(), buf, buf + r);
        }
        return got;
    }
    // Whatever arrives within `ms` (used to show that nothing does).
    std::vector<uint8_t> drain(int ms) { return read(1024, ms); }

    // Wake-up, discard, handshake; returns the handshake reply (empty if none).
    std::vector<uint8_t> hook() {
        sendHook();
        return read(1);
    }
    void sendHook() {
        send(std::vector<uint8_t>(10, 0x00));
        discardInput();
        send({0x0A, 0x14, 0x28});
    }

    // 0xC6 b then either 0xFF, or 31 times (pause 3 ms, 0x00).
    std::vector<uint8_t> readBlock(int b, bool fastForm) {
        send({0xC6, static_cast<uint8_t>(b)});
        if (fastForm) {
            send({0xFF});
        } else {
            for (int i = 0; i < 31; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(3));
                send({0x00});
            }
        }
        return read(32);
    }

private:
    int fd_ = -1;
    long sent_ = 0;
};
