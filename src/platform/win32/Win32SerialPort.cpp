#include "platform/win32/Win32SerialPort.h"

#include <windows.h>
#include "platform/win32/Wide.h"

namespace orv {

namespace {

using platform::win32::systemText;
using platform::win32::widen;

// A request a pseudo-terminal (under Wine) or a simple driver does not offer
// fails with one of these; that means "not applicable here", not a fault.
bool notApplicable(DWORD err) {
    return err == ERROR_NOT_SUPPORTED || err == ERROR_INVALID_FUNCTION || err == ERROR_CALL_NOT_IMPLEMENTED;
}

HANDLE h(void* p) { return static_cast<HANDLE>(p); }

// The longest a single byte may wait to go out before the line counts as stuck.
constexpr DWORD kWriteTimeoutMs = 2000;

struct ReadTimeouts {
    DWORD interval, multiplier, constant;
};

// The read time-outs that make ReadFile return at once with what is waiting
// (waitMs 0), or as soon as a byte comes but after waitMs at most. Reads
// ask for no more than the driver holds, or for one byte when waiting.
ReadTimeouts readTimeoutsFor(int waitMs) {
    // Interval MAXDWORD with both others 0: return at once with what is
    // there. Interval and multiplier MAXDWORD with a constant: return as
    // soon as one byte is there, or after the constant with none.
    if (waitMs <= 0) return {MAXDWORD, 0, 0};
    return {MAXDWORD, MAXDWORD, static_cast<DWORD>(waitMs)};
}

}  // namespace

std::string describeOpenError(const std::string& device, unsigned long err) {
    // The reason is the failing call's own (the system's text of its error
    // and the code), with what to do about it; nothing is inferred beyond it.
    std::string head = "Cannot open serial port " + device + ": ";
    const std::string system = systemText(static_cast<DWORD>(err)) + " (Windows error " + std::to_string(err) + ")";
    switch (err) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_UNIT:
        return head + "no such device: " + system + ". Check that the cable is plugged in and that the port "
                      "setting names the right device (COM1, COM2, ...).";
    case ERROR_SHARING_VIOLATION:
        return head + "it is in use by another program: " + system + ".";
    case ERROR_ACCESS_DENIED:
    case ERROR_BUSY:
        return head + system + ": another program has it open, or its adapter was unplugged and the "
                      "system has not let it go yet.";
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED:
        return head + "it is not a serial port: " + system + ".";
    default:
        return head + system + ".";
    }
}


Win32SerialPort::~Win32SerialPort() { close(); }

void Win32SerialPort::fail(const std::string& what, unsigned long err) {
    std::string msg = "Serial port " + device_ + ": " + what;
    if (err) msg += " (" + systemText(static_cast<DWORD>(err)) + ")";
    throw SerialPortError(msg);
}

void Win32SerialPort::setSettings(const std::string& settings) {
    LineSettings s = parseLineSettings(settings);
    if (isOpen()) apply(s, true);
    settings_ = settings;
}

void Win32SerialPort::open() {
    if (isOpen()) return;
    if (device_.empty()) throw SerialPortError("No serial port device is set.");
    LineSettings s = parseLineSettings(settings_);
    // Share mode 0: the port is ours alone until closed.
    HANDLE port = CreateFileW(widen(comDevicePath(device_)).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        const DWORD err = GetLastError();   // the open's own error, taken before anything else runs
        throw SerialPortError(describeOpenError(device_, err));
    }
    DCB dcb {};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(port, &dcb)) {
        DWORD err = GetLastError();
        CloseHandle(port);
        throw SerialPortError(describeOpenError(device_, err));
    }
    handle_ = port;
    readWait_ = -1;
    buf_.clear();
    head_ = 0;
    try {
        SetupComm(port, 4096, 4096);  // best effort: a driver may keep its own sizes
        apply(s, false);
        setReadWait(10);
    } catch (...) {
        close();
        throw;
    }
    // Stale input from before we opened is no answer to anything of ours.
    PurgeComm(port, PURGE_RXCLEAR);
}

void Win32SerialPort::close() {
    if (!handle_) return;
    CloseHandle(h(handle_));
    handle_ = nullptr;
    buf_.clear();
    head_ = 0;
}

void Win32SerialPort::apply(const LineSettings& s, bool drainFirst) {
    DCB dcb {};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(h(handle_), &dcb)) fail("cannot read the line settings", GetLastError());
    dcb.BaudRate = static_cast<DWORD>(s.baud);
    dcb.ByteSize = static_cast<BYTE>(s.dataBits);
    dcb.StopBits = s.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    switch (s.parity) {
    case 'e': dcb.Parity = EVENPARITY; break;
    case 'o': dcb.Parity = ODDPARITY; break;
    case 'm': dcb.Parity = MARKPARITY; break;
    case 's': dcb.Parity = SPACEPARITY; break;
    default: dcb.Parity = NOPARITY; break;
    }
    dcb.fParity = s.parity != 'n';
    dcb.fBinary = TRUE;
    // No flow control of either kind; the modem lines stay raised, as a
    // terminal device raises them on open.
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    // Bytes still in the transmitter go out at the old speed.
    if (drainFirst) FlushFileBuffers(h(handle_));
    if (!SetCommState(h(handle_), &dcb)) {
        DWORD err = GetLastError();
        // A pseudo-terminal has no modem lines: the speed and framing are
        // set, only raising DTR and RTS was refused.
        if (!notApplicable(err)) fail("cannot set the line settings", err);
    }
}

void Win32SerialPort::setReadWait(int ms) {
    if (ms < 0) ms = 0;
    if (ms == readWait_) return;
    const ReadTimeouts r = readTimeoutsFor(ms);
    COMMTIMEOUTS t {};
    t.ReadIntervalTimeout = r.interval;
    t.ReadTotalTimeoutMultiplier = r.multiplier;
    t.ReadTotalTimeoutConstant = r.constant;
    t.WriteTotalTimeoutMultiplier = 0;
    t.WriteTotalTimeoutConstant = kWriteTimeoutMs;
    if (!SetCommTimeouts(h(handle_), &t)) fail("cannot set the time-outs", GetLastError());
    readWait_ = ms;
}

void Win32SerialPort::output(unsigned char byte) {
    if (!handle_) fail("the port is not open", 0);
    DWORD written = 0;
    if (!WriteFile(h(handle_), &byte, 1, &written, nullptr)) fail("write failed", GetLastError());
    if (written != 1) fail("the line does not take any more data", 0);
}

int Win32SerialPort::driverCount() {
    DWORD errors = 0;
    COMSTAT stat {};
    if (!ClearCommError(h(handle_), &errors, &stat)) fail("cannot read the port's state", GetLastError());
    return static_cast<int>(stat.cbInQue);
}

std::size_t Win32SerialPort::readInto(std::size_t count) {
    if (head_ == buf_.size()) {
        buf_.clear();
        head_ = 0;
    }
    const std::size_t old = buf_.size();
    buf_.resize(old + count);
    DWORD n = 0;
    if (!ReadFile(h(handle_), buf_.data() + old, static_cast<DWORD>(count), &n, nullptr)) {
        buf_.resize(old);
        fail("read failed", GetLastError());
    }
    buf_.resize(old + n);
    return n;
}

int Win32SerialPort::inBufferCount() {
    // Only what the driver holds now: a read of that many returns at once.
    if (handle_) {
        if (const int n = driverCount(); n > 0) readInto(static_cast<std::size_t>(n));
    }
    return static_cast<int>(buf_.size() - head_);
}

void Win32SerialPort::discardInput() {
    if (!handle_) return;
    PurgeComm(h(handle_), PURGE_RXCLEAR);
    buf_.clear();
    head_ = 0;
}

int Win32SerialPort::input() {
    if (head_ == buf_.size()) inBufferCount();
    if (head_ == buf_.size()) return -1;
    return buf_[head_++];
}

bool Win32SerialPort::waitReadable(int ms) {
    if (!handle_) fail("the port is not open", 0);
    if (inBufferCount() > 0) return true;
    // A read of one byte ends with the first byte that comes, or with the
    // time-out; the rest of a reply is then taken without waiting.
    setReadWait(ms);
    return readInto(1) > 0;
}

}  // namespace orv
