// The serial link to the radio: handshake, version probe, speed change,
// block and masked-byte transfers, and the six read/write operations.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include "link/LinkAdvice.h"
#include "link/LinkHost.h"
#include "image/MemoryImage.h"
#include "image/MemoryMap.h"
#include "image/VerifyMask.h"
#include "link/Protocol.h"
#include "platform/SerialPort.h"

namespace orv {

// How long the link waits and pauses. The defaults are the radio's own
// timing; tests over a pseudo-terminal shorten them so that a silent radio
// costs milliseconds (the in-process link tests keep them: their clock is
// virtual).
struct LinkTiming {
    double byteTimeout = 0.5;  // longest wait for any one reply byte, seconds
    int settleMs = 500;        // pause before the blocks of a read, and before a write's hook
    int slowPaceMs = 3;        // pause before each clock byte of a slow radio's block read

    // 0.1 s per reply byte and 20 ms pauses: what a program uses when told so
    // (orvedit-cli --link-timing short), where only the bytes matter.
    static LinkTiming shortened() { return LinkTiming{0.1, 20, 3}; }
};

class ORVCom {
public:
    ORVCom(MemoryImage& image, SerialPort& port, LinkHost& host, LinkTiming timing = {});

    // The waits and pauses, as given at construction or since.
    const LinkTiming& timing() const { return timing_; }
    // New waits and pauses, in force at once (the byte time-out included).
    void setTiming(const LinkTiming& timing) { timing_ = timing; }
    // Module constants: the retries of a hook, the handshake's answer, the
    // write mask of page 0.
    void initComm();
    // A masked byte write gives up after this many refusals in a row (the
    // radio answers, but never an acknowledgement): without a limit a radio
    // that keeps refusing would hold the program in the write for ever where
    // no Cancel is offered (the alignment tool's writes).
    void setMaskedRefusalLimit(int limit) { maskedRefusalLimit_ = limit; }
    // The bits of each page-0 byte a write may change (0: never sent).
    const std::array<int, memmap::kPageSize>& writeMask() const { return writeMask_; }
    // What the last hook learnt: the radio's version bytes, and whether it
    // is a fast radio.
    const std::array<uint8_t, wire::kVersionBytes>& versionBytes() const { return versionBytes_; }
    bool isFastRadio() const { return fastRadio_; }
    // Whether the next hook may move a fast radio to the faster speed (a
    // read does, a write does not).
    void setAllowFastBaud(bool allow) { allowFastBaud_ = allow; }
    bool allowsFastBaud() const { return allowFastBaud_; }
    // Whether the operation under way (or the last one) had sent data into
    // the radio's memory: a failure then may have left it half written.
    bool radioChanged() const { return radioChanged_; }

    // Where the user chooses the device, named in the second line of the
    // link's error messages (the editor's menu entry, the tool's option).
    void setPortChoice(std::string where) { portChoice_ = std::move(where); }
    // Whether the last read ended because the user cancelled it.
    bool readCancelled() const { return readCancelled_; }

    void closePort();
    // The hook at the first speed (handshake, version, and for a read of a
    // fast radio the faster speed) and the release; the alignment tool's
    // exchanges go between them.
    [[nodiscard]] bool hookRadio();
    void unhookRadio();

    // Block frames for a caller that keeps its own data (the alignment
    // tool): a read clocked byte by byte into `out`, and a write of `bytes`;
    // `onByte` runs after each byte received or sent. The image and the
    // progress dialog are not touched; a failure shows the frame's message.
    [[nodiscard]] bool readBlockInto(int block, std::array<uint8_t, memmap::kBlockSize>& out,
                                     const std::function<void()>& onByte);
    [[nodiscard]] bool writeBlockFrom(int block, const std::array<uint8_t, memmap::kBlockSize>& bytes,
                                      const std::function<void()>& onByte);
    [[nodiscard]] bool writeMaskedByte(int high, int low, int mask, int value);

    [[nodiscard]] bool readMemory();
    [[nodiscard]] bool readGroup(int group);   // 1..15
    [[nodiscard]] bool readGlobal();
    // Reads blocks 0-187 exactly as readMemory does, but into `target`
    // instead of the image (which is not touched). `target` takes the blocks
    // only when all arrived; on failure or cancel it is as it was.
    [[nodiscard]] bool readMemoryInto(MemoryImage& target);
    // Reads the chosen blocks (in block order, one connection) into
    // `target`, as a verify of what a write sent; the same rules as
    // readMemoryInto.
    [[nodiscard]] bool readBlocksInto(const std::array<bool, memmap::kBlocks>& blocks, MemoryImage& target);
    [[nodiscard]] bool writeMemory(bool skipPage0);
    [[nodiscard]] bool writeGlobal();
    [[nodiscard]] bool writeGroup(int group);  // 1..15
    // While set, the writes above send only the selected page-0 addresses
    // and blocks (the same frames, retries and messages), and their progress
    // counts what they cover; null: everything, as always.
    void setWriteSelection(const WriteSelection* selection) { selection_ = selection; }

    // The progress dialog for a caller's own exchange (the alignment tool):
    // shown with `message` and a count from 0 to `total` (Cancel enabled only
    // when `cancellable`), advanced by `n`, and unloaded.
    void beginProgress(const std::string& message, bool writeFlag, int total, bool cancellable);
    void advanceProgress(int n = 1) { progAdd(n); }
    void endProgress() { progUnload(); }

    SerialPort& port() { return port_; }

    // Image ranges of the operations: the blocks of a group (1..15).
    static constexpr int firstGroupBlock(int group) { return memmap::firstGroupBlock(group); }
    static constexpr int lastGroupBlock(int group) { return memmap::lastGroupBlock(group); }

private:
    enum class Wait { Byte, TimedOut, Cancelled, PortFailed };

    // Waits until a byte is waiting or more than the byte time-out passed
    // since `start` (host clock), polling the port every few ms; with
    // watchCancel, a set Cancelled flag of the progress dialog ends it.
    Wait waitForInput(double start, bool watchCancel);
    bool send(int byte);                  // false when the port is not usable
    int bytesWaiting();
    [[nodiscard]] bool getByte(uint8_t& value);  // false after the byte time-out
    void portFailed(const SerialPortError& e);
    // A failure's message box: the fixed `text` with the advice for it as
    // the second line.
    MsgAnswer failureBox(const std::string& text, const char* title, LinkFailure failure, MsgIcon icon,
                         MsgButtons buttons, int openError = 0);
    bool openPort();                      // opens if closed; a failure shows "COMM ERROR"

    // One handshake attempt: the wake-up bytes, the input discarded, the
    // handshake, and the wait for the answer (`reply` when answered).
    enum class Handshake { Answered, TimedOut, PortFailed };
    Handshake handshakeAttempt(int& reply);
    void readRadioVersion();
    [[nodiscard]] bool setBaudRate(int index);

    // Progress dialog; the count (kept here, within [0, max]) is pushed to
    // the host at every change.
    void progSetup(int max);
    void progShow(const std::string& message, bool writeFlag);
    void progUnload();
    void progSet(int value);
    void progAdd(int n);

    bool readRange(int firstBlock, int lastBlock, const char* message, MemoryImage& destination);
    bool readBlocks(const std::array<bool, memmap::kBlocks>& blocks, const char* message, MemoryImage& destination);
    // Whether the write sends page-0 address `a` / block `b`, and the
    // progress count's end of a write of the given page-0 part and blocks.
    bool sends(int a) const;
    bool sendsBlock(int b) const;
    int writeTotal(bool page0, int firstBlock, int lastBlock) const;
    [[nodiscard]] bool readBlock(int block);
    [[nodiscard]] bool writeBlock(int block);

    // How an attempt of a write ended: written (also after a confirmed
    // Cancel between blocks), failed with the user's Cancel of its box, to
    // be tried again (Retry), or abandoned (the radio released, nothing
    // more said).
    enum class WriteEnd { Written, Failed, Retry, Abandoned };
    // What differs between the three writes around their attempts.
    struct WritePlan {
        int total;                 // the progress count's end
        const char* message;       // the dialog's
        bool dialogAfterHook;      // shown only once the radio answered, anew at every attempt
        bool dialogStaysOnNoHook;  // a hook that fails leaves the dialog for the caller to close
    };
    // The attempts of a write: each releases the radio twice, pauses and
    // hooks at the first speed, then runs `attempt`, until one does not ask
    // for a retry; the end of an operation follows one written or failed.
    bool runWrite(const WritePlan& plan, const std::function<WriteEnd()>& attempt);
    bool hookForWrite();
    bool writePage0();                    // the masked bytes of page 0
    // Page 0, with its failure's box: Retry or `whenCancelled`.
    WriteEnd page0Phase(WriteEnd whenCancelled);
    // The block phase of a write: blocks first..last, stopping early on a
    // confirmed Cancel. A failed block asks Retry or Cancel.
    WriteEnd writeBlocks(int firstBlock, int lastBlock);
    // The end of an operation that got past the hook: beep, progress back
    // to 0, dialog unloaded, radio released.
    void finishOperation();

    // How a block read asks for the bytes after the first: all clock bytes
    // at the slow pace before reading, the fast radio's one request for the
    // rest, or one clock byte after each byte received.
    enum class Clocking { Paced, Rest, PerByte };
    bool receiveBlock(int block, Clocking clocking, uint8_t* got, const std::function<void()>& onByte);
    void sendBlockFrame(int block, const uint8_t* bytes, const std::function<void()>& onByte);
    bool blockWriteAnswered();

    // Marks a write operation: its hooks keep what the attempts before sent.
    struct WriteScope {
        ORVCom& com;
        explicit WriteScope(ORVCom& c) : com(c) {
            com.inWrite_ = true;
            com.radioChanged_ = false;
        }
        ~WriteScope() { com.inWrite_ = false; }
        WriteScope(const WriteScope&) = delete;
        WriteScope& operator=(const WriteScope&) = delete;
    };

    LinkTiming timing_;
    int commRetries_ = 3;
    int maskedRefusalLimit_ = 50;
    int hookReply_ = wire::kHandshakeReply;
    std::array<int, memmap::kPageSize> writeMask_{};
    std::array<uint8_t, wire::kVersionBytes> versionBytes_{};
    bool fastRadio_ = false;
    std::string portChoice_;
    bool radioChanged_ = false;   // the operation under way had sent data into the radio's memory
    // The byte the radio answered instead of the one expected (a refusal,
    // garbage) in the exchange that failed last; -1 when it was silent.
    int wrongAnswer_ = -1;
    // A masked write ended because the user stopped it (not the radio): the
    // failure box that follows says so.
    bool writeStopped_ = false;
    bool readCancelled_ = false;
    bool inWrite_ = false;   // inside writeMemory, writeGlobal or writeGroup
    bool allowFastBaud_ = false;

    MemoryImage& image_;
    SerialPort& port_;
    LinkHost& host_;
    MemoryImage* readTarget_ = &image_;   // where readBlock stores a complete block
    bool dialogShown_ = false;
    const WriteSelection* selection_ = nullptr;
    int progressValue_ = 0;
    int progressMax_ = 0;
};

}  // namespace orv
