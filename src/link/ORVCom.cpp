#include "link/ORVCom.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include "image/TrNoop.h"

namespace orv {

namespace {

const char* const kCommError = ORV_TR_NOOP("LinkHost", "COMM ERROR");
const char* const kDownloadError = ORV_TR_NOOP("LinkHost", "DOWNLOAD ERROR");
const char* const kPage0Failed = ORV_TR_NOOP("LinkHost", "Download Failed.  Cycle Radio power before Retrying");
const char* const kBlockFailed = ORV_TR_NOOP("LinkHost", "Download Failed. Cycle Radio Power before Retrying.");

using namespace wire;
constexpr int kBlockSize = memmap::kBlockSize;


// Restores a pointer when the scope ends, however it ends.
template <class T>
struct Restore {
    T*& ref;
    T* old;
    ~Restore() { ref = old; }
};

}  // namespace

ORVCom::ORVCom(MemoryImage& image, SerialPort& port, LinkHost& host, LinkTiming timing)
    : timing_(timing), image_(image), port_(port), host_(host) {
    initComm();
}

void ORVCom::initComm() {
    commRetries_ = 3;
    hookReply_ = kHandshakeReply;
    writeMask_ = memmap::page0WriteMask();
}

// ---------------------------------------------------------------- port layer

MsgAnswer ORVCom::failureBox(const std::string& text, const char* title, LinkFailure failure, MsgIcon icon,
                             MsgButtons buttons, int openError) {
    LinkAdviceFacts facts{port_.device(), portChoice_, openError, radioChanged_};
    return host_.messageBox(withLinkAdvice(text, failure, facts), title, icon, buttons);
}

void ORVCom::portFailed(const SerialPortError& e) {
    try {
        port_.close();
    } catch (...) {
    }
    failureBox(e.what(), kCommError, LinkFailure::PortLost, MsgIcon::Exclamation, MsgButtons::OK);
}

bool ORVCom::openPort() {
    if (port_.isOpen()) return true;
    try {
        port_.open();
        return true;
    } catch (const SerialPortError& e) {
        failureBox(e.what(), kCommError, LinkFailure::PortOpen, MsgIcon::Exclamation, MsgButtons::OK, e.error());
        return false;
    }
}

bool ORVCom::send(int byte) {
    if (!port_.isOpen()) return false;
    try {
        port_.output(static_cast<unsigned char>(byte));
        return true;
    } catch (const SerialPortError& e) {
        portFailed(e);
        return false;
    }
}

int ORVCom::bytesWaiting() {
    if (!port_.isOpen()) return 0;
    try {
        return port_.inBufferCount();
    } catch (const SerialPortError& e) {
        portFailed(e);
        return 0;
    }
}

ORVCom::Wait ORVCom::waitForInput(double start, bool watchCancel) {
    for (;;) {
        if (watchCancel && host_.progCancelled()) return Wait::Cancelled;
        if (bytesWaiting() > 0) return Wait::Byte;
        if (!port_.isOpen()) return Wait::PortFailed;
        double elapsed = host_.now() - start;
        if (elapsed > timing_.byteTimeout) return Wait::TimedOut;
        // Sleep in the kernel until a byte comes, but look at the cancel
        // flag at least every 10 ms and overshoot the deadline by at most 1 ms.
        int ms = static_cast<int>(std::ceil((timing_.byteTimeout - elapsed) * 1000.0)) + 1;
        ms = std::clamp(ms, 1, 10);
        try {
            port_.waitReadable(ms);
        } catch (const SerialPortError& e) {
            portFailed(e);
            return Wait::PortFailed;
        }
    }
}

void ORVCom::closePort() {
    try {
        if (port_.isOpen()) port_.close();
    } catch (...) {
    }
}

bool ORVCom::getByte(uint8_t& value) {
    double start = host_.now();
    waitForInput(start, false);
    if (bytesWaiting() > 0) {
        int b = port_.input();
        value = static_cast<uint8_t>(b < 0 ? 0 : b);
        return true;
    }
    return false;
}

// ------------------------------------------------------------ handshake

ORVCom::Handshake ORVCom::handshakeAttempt(int& reply) {
    for (int i = 0; i < kWakeCount; ++i) send(kWake);
    if (port_.isOpen()) {
        try {
            port_.discardInput();
        } catch (const SerialPortError& e) {
            portFailed(e);
        }
    }
    for (uint8_t b : kHandshake) send(b);
    if (!port_.isOpen()) return Handshake::PortFailed;

    const double start = host_.now();
    for (;;) {
        if (waitForInput(start, false) == Wait::PortFailed) return Handshake::PortFailed;
        if (host_.now() - start >= timing_.byteTimeout) return Handshake::TimedOut;
        const int b = port_.input();
        if (b >= 0) {
            reply = b;
            return Handshake::Answered;
        }
    }
}

bool ORVCom::hookRadio() {
    // Outside a write, every hook starts an exchange that has changed nothing yet.
    if (!inWrite_) radioChanged_ = false;
    // The port open at the hook's speed (each failure told once).
    auto openAtHookSpeed = [this] {
        if (!openPort()) return false;
        try {
            port_.setSettings(lineSettings(0));
        } catch (const SerialPortError& e) {
            portFailed(e);
            return false;
        }
        return true;
    };
    if (!openAtHookSpeed()) return false;
    for (;;) {  // one series of attempts: the first and commRetries_ more after a time-out
        int reply = -1;
        Handshake h = Handshake::TimedOut;
        for (int attempt = 0; attempt <= commRetries_ && h == Handshake::TimedOut; ++attempt) {
            h = handshakeAttempt(reply);
            if (h == Handshake::PortFailed) return false;
        }
        if (reply == hookReply_) break;
        MsgAnswer a = failureBox(ORV_TR_NOOP("LinkHost", "Error Hooking to Radio."), kCommError, LinkFailure::NoAnswer, MsgIcon::None,
                                 MsgButtons::RetryCancel);
        // Given up: the port is let go, so that another program (or the
        // next attempt) finds the device free. A retry opens the device
        // afresh, as a write's retry does.
        closePort();
        if (a != MsgAnswer::Retry || !openAtHookSpeed()) return false;
    }

    readRadioVersion();
    fastRadio_ = isFastVersion(versionWord(versionBytes_[0], versionBytes_[1]));
    // A radio that refuses the fast rate keeps talking at the one it was
    // hooked at; a port that cannot follow has been reported and closed, and
    // the exchange that follows fails on it with its own message.
    if (fastRadio_ && allowFastBaud_) (void)setBaudRate(kSpeedAfterRead);
    return true;
}

void ORVCom::readRadioVersion() {
    for (std::size_t i = 0; i < versionBytes_.size(); ++i) {
        versionBytes_[i] = 0;
        send(i == 0 ? kVersionRequest : kClock);
        uint8_t b = 0;
        if (getByte(b)) versionBytes_[i] = b;
    }
}

bool ORVCom::setBaudRate(int index) {
    send(kSpeedChange);
    send(index);
    uint8_t b = 0;
    if (!getByte(b) || b != kAck || index < 0 || index >= kSpeedCount) return false;
    try {
        port_.setSettings(lineSettings(index));
    } catch (const SerialPortError& e) {
        portFailed(e);
        return false;
    }
    return true;
}

void ORVCom::unhookRadio() {
    // A port that cannot be opened has no radio to release; the hook that
    // follows reports why.
    if (!port_.isOpen()) {
        try {
            port_.open();
        } catch (const SerialPortError&) {
            return;
        }
    }
    send(kRelease);
    closePort();
}

// ------------------------------------------------------------ progress

void ORVCom::progSetup(int max) {
    progressMax_ = std::max(max, 0);
    progressValue_ = 0;
    host_.progress(progressValue_, progressMax_);
}

void ORVCom::progShow(const std::string& message, bool writeFlag) {
    host_.progShowForm(message, writeFlag);
    host_.progEnableCancel();
    dialogShown_ = true;
}

void ORVCom::progUnload() {
    host_.progUnload();
    dialogShown_ = false;
}

void ORVCom::progSet(int value) {
    progressValue_ = std::clamp(value, 0, progressMax_);
    host_.progress(progressValue_, progressMax_);
}

void ORVCom::progAdd(int n) { progSet(progressValue_ + n); }

void ORVCom::beginProgress(const std::string& message, bool writeFlag, int total, bool cancellable) {
    host_.progShowForm(message, writeFlag);
    if (cancellable) host_.progEnableCancel();
    dialogShown_ = true;
    progSetup(total);
}

// ------------------------------------------------------------ frames

bool ORVCom::receiveBlock(int block, Clocking clocking, uint8_t* got, const std::function<void()>& onByte) {
    send(kBlockRead);
    send(block);
    if (clocking == Clocking::Rest) {
        send(kReadRest);
    } else if (clocking == Clocking::Paced) {
        for (int i = 1; i < kBlockSize; ++i) {
            host_.sleepMs(timing_.slowPaceMs);
            send(kClock);
        }
    }
    for (int i = 0; i < kBlockSize; ++i) {
        // The radio answers the block number with the first byte; clocked
        // byte by byte, each kClock asks for the next one.
        if (clocking == Clocking::PerByte && i > 0) send(kClock);
        if (!getByte(got[i])) {
            failureBox(ORV_TR_NOOP("LinkHost", "Error reading radio"), ORV_TR_NOOP("LinkHost", "ORV Read"), LinkFailure::ReadStopped, MsgIcon::Exclamation,
                       MsgButtons::OK);
            return false;
        }
        if (onByte) onByte();
    }
    return true;
}

void ORVCom::sendBlockFrame(int block, const uint8_t* bytes, const std::function<void()>& onByte) {
    radioChanged_ = true;
    send(kBlockWrite);
    send(block);
    for (int i = 0; i < kBlockSize; ++i) {
        send(bytes[i]);
        if (onByte) onByte();
    }
}

bool ORVCom::blockWriteAnswered() {
    uint8_t reply = 0;
    if (getByte(reply)) return true;
    failureBox(ORV_TR_NOOP("LinkHost", "Error writing radio"), ORV_TR_NOOP("LinkHost", "ORV Write"), LinkFailure::WriteFailed, MsgIcon::Exclamation, MsgButtons::OK);
    return false;
}

bool ORVCom::readBlock(int block) {
    if (block < 0 || block >= memmap::kBlocks) return false;
    uint8_t got[kBlockSize];
    if (!receiveBlock(block, fastRadio_ ? Clocking::Rest : Clocking::Paced, got, [this] { progAdd(1); }))
        return false;
    // Only a complete block is taken.
    std::memcpy(readTarget_->data() + block * kBlockSize, got, sizeof got);
    return true;
}

bool ORVCom::readBlockInto(int block, std::array<uint8_t, memmap::kBlockSize>& out,
                           const std::function<void()>& onByte) {
    if (block < 0 || block >= memmap::kBlocks) return false;
    return receiveBlock(block, Clocking::PerByte, out.data(), onByte);
}

bool ORVCom::writeBlock(int block) {
    if (block < 0 || block >= memmap::kBlocks) return false;
    const int base = block * kBlockSize;
    if (memmap::isGroupFirstBlock(block)) {
        bool ok = writeMaskedByte(base / memmap::kPageSize, base % memmap::kPageSize,
                                  memmap::kGroupFirstByteWriteMask, image_[base]);
        progAdd(kBlockSize);
        return ok;
    }
    sendBlockFrame(block, image_.data() + base, {});
    progAdd(kBlockSize);
    return blockWriteAnswered();
}

bool ORVCom::writeBlockFrom(int block, const std::array<uint8_t, memmap::kBlockSize>& bytes,
                            const std::function<void()>& onByte) {
    if (block < 0 || block >= memmap::kBlocks) return false;
    sendBlockFrame(block, bytes.data(), onByte);
    return blockWriteAnswered();
}

bool ORVCom::writeMaskedByte(int high, int low, int mask, int value) {
    if (mask == 0) return true;
    int reply = 0;
    int timeouts = 0;
    int refusals = 0;
    do {
        if (refusals > maskedRefusalLimit_) return false;
        radioChanged_ = true;
        send(kMaskedWrite);
        send(high);
        send(low);
        send(mask);
        send(value);
        if (!port_.isOpen()) return false;
        try {
            port_.discardInput();
        } catch (const SerialPortError& e) {
            portFailed(e);
            return false;
        }
        double start = host_.now();
        Wait w = waitForInput(start, true);
        if (w == Wait::Cancelled) {
            progUnload();
            return false;
        }
        if (w == Wait::PortFailed) return false;
        double end = host_.now();
        if (end - start >= timing_.byteTimeout) {
            ++timeouts;
        } else {
            int b = port_.input();
            if (b >= 0) reply = b;
            if (reply != kAck) ++refusals;
        }
    } while (reply != kAck && timeouts <= commRetries_);
    return reply == kAck;
}

// ------------------------------------------------------------ reads

bool ORVCom::readRange(int firstBlock, int lastBlock, const char* message, MemoryImage& destination) {
    std::array<bool, memmap::kBlocks> blocks{};
    for (int b = firstBlock; b <= lastBlock; ++b) blocks[static_cast<std::size_t>(b)] = true;
    return readBlocks(blocks, message, destination);
}

bool ORVCom::readBlocks(const std::array<bool, memmap::kBlocks>& blocks, const char* message, MemoryImage& destination) {
    int count = 0;
    for (bool b : blocks) count += b ? 1 : 0;
    allowFastBaud_ = true;
    readCancelled_ = false;
    if (!hookRadio()) return false;
    progSetup(count * kBlockSize);
    progShow(message, false);
    host_.sleepMs(timing_.settleMs);

    // The blocks go to a copy; the destination takes them only when all
    // arrived, so a failed or cancelled read leaves it as it was.
    MemoryImage staging = destination;
    {
        Restore<MemoryImage> restore{readTarget_, readTarget_};
        readTarget_ = &staging;
        for (int b = 0; b < memmap::kBlocks; ++b) {
            if (!blocks[static_cast<std::size_t>(b)]) continue;
            bool cancelled = host_.progCancelled();
            bool ok = readBlock(b);
            if (!ok || cancelled) {
                readCancelled_ = cancelled;
                unhookRadio();
                progUnload();
                return false;
            }
        }
    }
    for (int b = 0; b < memmap::kBlocks; ++b)
        if (blocks[static_cast<std::size_t>(b)])
            std::memcpy(destination.data() + b * kBlockSize, staging.data() + b * kBlockSize, kBlockSize);

    finishOperation();
    return true;
}

bool ORVCom::readMemory() {
    return readRange(0, memmap::kBlocks - 1, ORV_TR_NOOP("LinkHost", "Reading ORV Memory"), image_);
}

bool ORVCom::readGroup(int group) {
    if (!memmap::isGroupNumber(group)) return false;
    return readRange(firstGroupBlock(group), lastGroupBlock(group), ORV_TR_NOOP("LinkHost", "Reading ORV Group"), image_);
}

bool ORVCom::readGlobal() {
    return readRange(0, memmap::kPage0Blocks - 1, ORV_TR_NOOP("LinkHost", "Reading ORV Global"), image_);
}

bool ORVCom::readBlocksInto(const std::array<bool, memmap::kBlocks>& blocks, MemoryImage& target) {
    return readBlocks(blocks, ORV_TR_NOOP("LinkHost", "Reading ORV Memory"), target);
}

bool ORVCom::readMemoryInto(MemoryImage& target) {
    return readRange(0, memmap::kBlocks - 1, ORV_TR_NOOP("LinkHost", "Reading ORV Memory"), target);
}

// ------------------------------------------------------------ writes

bool ORVCom::sends(int a) const { return !selection_ || selection_->page0[static_cast<std::size_t>(a)]; }
bool ORVCom::sendsBlock(int b) const { return !selection_ || selection_->blocks[static_cast<std::size_t>(b)]; }

int ORVCom::writeTotal(bool page0, int firstBlock, int lastBlock) const {
    if (!selection_) return (page0 ? memmap::kPageSize : 0) + (lastBlock - firstBlock + 1) * kBlockSize;
    int total = 0;
    if (page0)
        for (int a = 0; a < memmap::kPageSize; ++a) total += sends(a) ? 1 : 0;
    for (int b = firstBlock; b <= lastBlock; ++b) total += sendsBlock(b) ? kBlockSize : 0;
    return total;
}

bool ORVCom::writePage0() {
    int sent = 0;
    for (int a = 0; a < memmap::kPageSize; ++a) {
        if (!sends(a)) continue;
        if (!writeMaskedByte(0, a, writeMask_[static_cast<std::size_t>(a)], image_[a])) return false;
        // The whole write counts the addresses passed; a selection the bytes sent.
        progSet(selection_ ? ++sent : a);
    }
    return true;
}

bool ORVCom::runWrite(const WritePlan& plan, const std::function<WriteEnd()>& attempt) {
    const WriteScope scope(*this);
    progSetup(plan.total);
    if (!plan.dialogAfterHook) progShow(plan.message, true);
    for (;;) {
        if (!plan.dialogAfterHook) {
            // A cancel inside a masked byte write unloaded the dialog; a
            // retry brings it back so that the user can still follow and cancel.
            if (!dialogShown_) {
                progSetup(plan.total);
                progShow(plan.message, true);
            }
            progSet(0);  // the count starts afresh with every attempt
        }
        if (!hookForWrite()) {
            if (!plan.dialogStaysOnNoHook) progUnload();
            return false;
        }
        if (plan.dialogAfterHook) {
            progShow(plan.message, true);
            progSet(0);
        }
        switch (attempt()) {
        case WriteEnd::Retry:
            // The user may have plugged the cable in again: the next attempt
            // opens the device afresh instead of talking through the handle
            // of the one that went away (whose failure would be a box of its
            // own). A device that cannot be opened is told by the hook.
            closePort();
            continue;
        case WriteEnd::Abandoned: unhookRadio(); return false;
        case WriteEnd::Written: finishOperation(); return true;
        case WriteEnd::Failed: finishOperation(); return false;
        }
    }
}

// Every attempt of a write starts with the radio released twice, a pause,
// and a hook at 4800 bit/s (a write never changes the speed).
bool ORVCom::hookForWrite() {
    unhookRadio();
    unhookRadio();
    host_.sleepMs(timing_.settleMs);
    allowFastBaud_ = false;
    return hookRadio();
}

ORVCom::WriteEnd ORVCom::page0Phase(WriteEnd whenCancelled) {
    if (writePage0()) return WriteEnd::Written;
    return failureBox(kPage0Failed, kDownloadError, LinkFailure::WriteFailed, MsgIcon::None, MsgButtons::RetryCancel) ==
                   MsgAnswer::Retry
               ? WriteEnd::Retry
               : whenCancelled;
}

ORVCom::WriteEnd ORVCom::writeBlocks(int firstBlock, int lastBlock) {
    for (int b = firstBlock; b <= lastBlock; ++b) {
        if (!sendsBlock(b)) continue;
        if (!writeBlock(b))
            return failureBox(kBlockFailed, kDownloadError, LinkFailure::WriteFailed, MsgIcon::None,
                              MsgButtons::RetryCancel) == MsgAnswer::Retry
                       ? WriteEnd::Retry
                       : WriteEnd::Failed;
        // A cancel stops after the current block; the write still counts as done.
        if (host_.progCancelled()) return WriteEnd::Written;
    }
    return WriteEnd::Written;
}

void ORVCom::finishOperation() {
    host_.beep();
    progSet(0);
    progUnload();
    unhookRadio();
}

bool ORVCom::writeMemory(bool skipPage0) {
    const int total = writeTotal(!skipPage0, memmap::kPage0Blocks, memmap::kBlocks - 1);
    return runWrite({total, ORV_TR_NOOP("LinkHost", "Writing ORV Memory"), false, false}, [&] {
        if (!skipPage0) {
            // A page 0 that failed and is not retried ends the write there.
            const WriteEnd page0 = page0Phase(WriteEnd::Abandoned);
            if (page0 != WriteEnd::Written) return page0;
        }
        return writeBlocks(memmap::kPage0Blocks, memmap::kBlocks - 1);
    });
}

bool ORVCom::writeGlobal() {
    return runWrite({writeTotal(true, 0, -1), ORV_TR_NOOP("LinkHost", "Writing ORV Global"), true, false},
                    [&] { return page0Phase(WriteEnd::Failed); });
}

bool ORVCom::writeGroup(int group) {
    if (!memmap::isGroupNumber(group)) return false;
    return runWrite({writeTotal(false, firstGroupBlock(group), lastGroupBlock(group)),
                     ORV_TR_NOOP("LinkHost", "Writing ORV Group"), false, true},
                    [&] { return writeBlocks(firstGroupBlock(group), lastGroupBlock(group)); });
}

}  // namespace orv
