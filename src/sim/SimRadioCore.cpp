#include "sim/SimRadioCore.h"

#include <algorithm>

namespace orv {

namespace {

using namespace wire;
constexpr int kMemSize = memmap::kRadioSize;
constexpr int kBlockSize = memmap::kBlockSize;
constexpr int kBlocks = memmap::kBlocks;
constexpr uint8_t kGarbage = 0xEE;  // what a noisy line puts before a reply

}  // namespace

SimRadioCore::SimRadioCore(SimOptions options) : opt_(options) {
    version_ = {static_cast<uint8_t>(opt_.version >> 8), static_cast<uint8_t>(opt_.version), 0, 0};
    dead_ = opt_.faults.deadAfterBytes == 0;
}

void SimRadioCore::setFaults(const SimFaults& faults) {
    pendingFaults_ = faults;
    faultsPending_ = true;
}

void SimRadioCore::takePendingFaults() {
    if (!faultsPending_) return;
    faultsPending_ = false;
    opt_.faults = pendingFaults_;
    faultBase_ = receivedTotal_;
    // The radio starts afresh: not hooked, nothing left to send.
    mode_ = Mode::Idle;
    versionIdx_ = 0;
    out_.clear();
    maskedSeen_ = 0;
    blockWritesSeen_ = 0;
    dead_ = opt_.faults.deadAfterBytes == 0;
}

std::vector<uint8_t> SimRadioCore::received() const {
    std::vector<uint8_t> r;
    for (const SimTraceEntry& e : trace_)
        if (e.dir == SimTraceEntry::In) r.push_back(e.value);
    return r;
}

// ---------------------------------------------------------------- line

void SimRadioCore::feed(uint8_t byte, double at) {
    takePendingFaults();
    double arrival = at;
    if (opt_.realtime) arrival = std::max(at, lastArrival_ + charTime());
    lastArrival_ = arrival;
    if (opt_.keepTrace) trace_.push_back({SimTraceEntry::In, at, byte, baud_});
    const long total = ++receivedTotal_;
    if (dead_ || opt_.faults.silent) return;
    handle(byte, arrival);
    if (opt_.faults.deadAfterBytes >= 0 && total - faultBase_ >= opt_.faults.deadAfterBytes) {
        dead_ = true;  // the link drops: nothing more is sent, not even a queued reply
        out_.clear();
    }
}

double SimRadioCore::nextDue() const {
    const Out& o = out_.front();
    if (!opt_.realtime) return o.notBefore;
    return std::max(o.notBefore, lineFree_) + charTime();
}

uint8_t SimRadioCore::takeReply(double at) {
    const uint8_t v = out_.front().value;
    out_.pop_front();
    if (opt_.keepTrace) trace_.push_back({SimTraceEntry::Out, at, v, baud_});
    // The line is busy from the actual hand-over on, so a late byte never
    // lets the next one follow faster than the line allows.
    lineFree_ = at;
    return v;
}

// Queues one reply (garbage first, when asked for) to a byte that arrived
// at `arrival`.
void SimRadioCore::reply(std::initializer_list<uint8_t> bytes, double arrival, bool garbage) {
    const double at = arrival + opt_.thinkTimeMs / 1000.0;
    if (garbage)
        for (int i = 0; i < opt_.faults.garbageBeforeReplies; ++i) out_.push_back({kGarbage, at});
    for (uint8_t b : bytes) out_.push_back({b, at});
}

// The bytes from..to-1 of the current block, as one reply without garbage.
void SimRadioCore::replyBlockBytes(int from, int to, double arrival) {
    const double at = arrival + opt_.thinkTimeMs / 1000.0;
    for (int i = from; i < to; ++i) out_.push_back({mem_[static_cast<std::size_t>(block_ * kBlockSize + i)], at});
}

// ---------------------------------------------------------------- protocol

void SimRadioCore::startHandshake(uint8_t b, Mode next) {
    if (b == kHandshake[0]) mode_ = next;
}

void SimRadioCore::hooked(double arrival) {
    mode_ = Mode::Cmd;
    versionIdx_ = 0;
    const int answer = opt_.faults.handshakeReply >= 0 ? opt_.faults.handshakeReply : kHandshakeReply;
    reply({static_cast<uint8_t>(answer)}, arrival);
}

void SimRadioCore::command(uint8_t b, double arrival) {
    if (b != kClock) versionIdx_ = 0;
    switch (b) {
    case kClock:
        if (versionIdx_ >= 1 && versionIdx_ < kVersionBytes)
            reply({version_[static_cast<std::size_t>(versionIdx_++)]}, arrival);
        break;  // otherwise a wake-up or stray clock byte: nothing to answer
    case kVersionRequest:
        versionIdx_ = 1;
        reply({version_[0]}, arrival);
        break;
    case kHandshake[0]: mode_ = Mode::CmdHs1; break;
    case kSpeedChange: mode_ = Mode::SpeedArg; break;
    case kBlockRead: mode_ = Mode::ReadNum; break;
    case kBlockWrite: mode_ = Mode::WriteNum; break;
    case kMaskedWrite: mode_ = Mode::MaskHi; break;
    case kRelease: mode_ = Mode::Idle; break;
    default: break;  // not a request this radio knows
    }
}

void SimRadioCore::handle(uint8_t b, double arrival) {
    switch (mode_) {
    case Mode::Idle:
        startHandshake(b, Mode::Hs1);
        break;
    case Mode::Hs1:
        mode_ = b == kHandshake[1] ? Mode::Hs2 : Mode::Idle;
        startHandshake(b, Mode::Hs1);
        break;
    case Mode::Hs2:
        if (b == kHandshake[2]) {
            hooked(arrival);
        } else {
            mode_ = Mode::Idle;
            startHandshake(b, Mode::Hs1);
        }
        break;
    case Mode::Cmd:
        command(b, arrival);
        break;
    case Mode::CmdHs1:
        if (b == kHandshake[1]) {
            mode_ = Mode::CmdHs2;
        } else {
            mode_ = Mode::Cmd;
            command(b, arrival);
        }
        break;
    case Mode::CmdHs2:
        if (b == kHandshake[2]) {
            hooked(arrival);
        } else {
            mode_ = Mode::Cmd;
            command(b, arrival);
        }
        break;
    case Mode::SpeedArg: {
        mode_ = Mode::Cmd;
        const bool ok = !opt_.faults.refuseSpeedChange && b < kSpeedCount;
        reply({ok ? kAck : kNak}, arrival);
        break;
    }
    case Mode::ReadNum:
        if (b < kBlocks) {
            block_ = b;
            nextByte_ = 1;
            mode_ = Mode::ReadClock;
            reply({mem_[static_cast<std::size_t>(block_ * kBlockSize)]}, arrival);
        } else {
            mode_ = Mode::Cmd;  // no such block: no answer; the clock bytes that follow are ignored
        }
        break;
    case Mode::ReadClock:
        if (b == kReadRest && isFastVersion(opt_.version)) {
            replyBlockBytes(nextByte_, kBlockSize, arrival);
            nextByte_ = kBlockSize;
        } else {
            replyBlockBytes(nextByte_, nextByte_ + 1, arrival);
            ++nextByte_;
        }
        if (nextByte_ >= kBlockSize) mode_ = Mode::Cmd;
        break;
    case Mode::WriteNum:
        block_ = b;
        writeCount_ = 0;
        mode_ = Mode::WriteData;
        break;
    case Mode::WriteData:
        writeBuf_[static_cast<std::size_t>(writeCount_++)] = b;
        if (writeCount_ == kBlockSize) {
            mode_ = Mode::Cmd;
            if (block_ < kBlocks && blockWritesSeen_++ >= opt_.faults.blockWriteSilentCount) {
                std::copy(writeBuf_.begin(), writeBuf_.end(), mem_.begin() + block_ * kBlockSize);
                reply({kAck}, arrival);
            }
        }
        break;
    case Mode::MaskHi: maskAddr_ = b << 8; mode_ = Mode::MaskLo; break;
    case Mode::MaskLo: maskAddr_ |= b; mode_ = Mode::MaskMask; break;
    case Mode::MaskMask: maskMask_ = b; mode_ = Mode::MaskValue; break;
    case Mode::MaskValue: {
        mode_ = Mode::Cmd;
        if (maskAddr_ >= kMemSize) break;  // outside the memory: no answer, nothing changed
        // The link discards its input right after sending this frame. On a
        // real line the answer cannot come before the frame's five bytes
        // have crossed it; without pacing, hold it back for that long so
        // that a client delayed between its last write and the discard
        // does not lose it.
        if (!opt_.realtime) arrival += 5 * charTime();
        const int n = maskedSeen_++;
        if (n < opt_.faults.maskedSilentCount) break;
        if (n < opt_.faults.maskedSilentCount + opt_.faults.maskedNakCount) {
            reply({kNak}, arrival);
            break;
        }
        uint8_t& m = mem_[static_cast<std::size_t>(maskAddr_)];
        m = static_cast<uint8_t>((m & ~maskMask_) | (b & maskMask_));
        reply({kAck}, arrival);
        break;
    }
    }
}

}  // namespace orv
