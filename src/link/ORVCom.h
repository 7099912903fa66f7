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
#include "link/Protocol.h"
#include "platform/SerialPort.h"

namespace orv {

// How long the link waits and pauses. The defaults are the radio's own
// timing; tests shorten them so that a silent radio costs milliseconds.
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
    void setTiming(const LinkTiming& timing);
    // Module constants (the byte time-out from the timing).
    void initComm();
    double byteTimeout() const { return byteTimeout_; }
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

    // Where the user chooses the device, named in the second line of the
    // link's error messages (the editor's menu entry, the tool's option).
    void setPortChoice(std::string where) { portChoice_ = std::move(where); }
    // Whether the operation under way (or the last one) had sent data into
    // the radio's memory: a failure then may have left it half written.
    bool radioChanged() const { return radioChanged_; }
    // Whether the last read ended because the user cancelled it.
    bool readCancelled() const { return readCancelled_; }

    static const char* const kSettings[wire::kSpeedCount];  // "4800,n,8,1", "9600,n,8,1", ...

    void closePort();
    [[nodiscard]] bool getByte(uint8_t& value);
    [[nodiscard]] bool hookRadio();
    void readRadioVersion();
    [[nodiscard]] bool setBaudRate(int index);
    void unhookRadio();

    // Block frames for a caller that keeps its own data (the alignment
    // tool): a read clocked byte by byte into `out`, and a write of `bytes`;
    // `onByte` runs after each byte received or sent. The image and the
    // progress dialog are not touched; a failure shows the frame's message.
    [[nodiscard]] bool readBlockInto(int block, std::array<uint8_t, memmap::kBlockSize>& out,
                                     const std::function<void()>& onByte);
    [[nodiscard]] bool writeBlockFrom(int block, const std::array<uint8_t, memmap::kBlockSize>& bytes,
                                      const std::function<void()>& onByte);

    [[nodiscard]] bool readBlock(int block);
    [[nodiscard]] bool writeBlock(int block);
    [[nodiscard]] bool writeMaskedByte(int high, int low, int mask, int value);

    [[nodiscard]] bool readMemory();
    [[nodiscard]] bool readGroup(int group);   // 1..15
    [[nodiscard]] bool readGlobal();
    // Reads blocks 0-187 exactly as readMemory does, but into `target`
    // instead of the image (which is not touched). `target` takes the blocks
    // only when all arrived; on failure or cancel it is as it was.
    [[nodiscard]] bool readMemoryInto(MemoryImage& target);
    [[nodiscard]] bool writeMemory(bool skipPage0);
    [[nodiscard]] bool writeGlobal();
    [[nodiscard]] bool writeGroup(int group);  // 1..15

    // The progress dialog for a caller's own exchange (the alignment tool):
    // shown with `message` and a count from 0 to `total` (Cancel enabled only
    // when `cancellable`), advanced by `n`, and unloaded.
    void beginProgress(const std::string& message, bool writeFlag, int total, bool cancellable);
    void advanceProgress(int n = 1) { progAdd(n); }
    void endProgress() { progUnload(); }

    MemoryImage& image() { return image_; }
    SerialPort& port() { return port_; }
    LinkHost& host() { return host_; }

    // Image ranges of the operations: blocks of a group (1..15) and of page 0.
    static constexpr int firstGroupBlock(int group) { return memmap::firstGroupBlock(group); }
    static constexpr int lastGroupBlock(int group) { return memmap::lastGroupBlock(group); }
    static constexpr bool isGroupFirstBlock(int block) { return memmap::isGroupFirstBlock(block); }

private:
    enum class Wait { Byte, TimedOut, Cancelled, PortFailed };

    // Waits until a byte is waiting or more than byteTimeout seconds passed
    // since `start` (host clock), polling the port every few ms; with
    // watchCancel, a set Cancelled flag of the progress dialog ends it.
    Wait waitForInput(double start, bool watchCancel);
    bool send(int byte);                  // false when the port is not usable
    int bytesWaiting();
    void portFailed(const SerialPortError& e);
    // A failure's message box: the fixed `text` with the advice for it as
    // the second line.
    MsgAnswer failureBox(const std::string& text, const char* title, LinkFailure failure, MsgIcon icon,
                         MsgButtons buttons, int openError = 0);
    bool openPort();                      // opens if closed; a failure shows "COMM ERROR"

    // Progress dialog; the count (kept here, within [0, max]) is pushed to
    // the host at every change.
    void progSetup(int max);
    void progShow(const std::string& message, bool writeFlag);
    void progUnload();
    void progSet(int value);
    void progAdd(int n);

    bool readRange(int firstBlock, int lastBlock, const char* message);
    bool readRange(int firstBlock, int lastBlock, const char* message, MemoryImage& destination);
    bool writePage0();                    // the masked bytes of page 0
    // The block phase of a write: blocks first..last, stopping early on a
    // confirmed Cancel. A failed block asks Retry or Cancel.
    enum class BlockPhase { Done, Failed, Retry };
    BlockPhase writeBlocks(int firstBlock, int lastBlock);
    // The start of every attempt of writeMemory and writeGroup: the dialog
    // back if a cancel unloaded it, the count from 0, the radio released
    // twice, a pause, and a hook at 4800 bit/s. False when the hook failed.
    bool startWriteAttempt();
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
    double byteTimeout_ = 0.5;
    std::array<int, memmap::kPageSize> writeMask_{};
    std::array<uint8_t, wire::kVersionBytes> versionBytes_{};
    bool fastRadio_ = false;
    std::string portChoice_;
    bool radioChanged_ = false;
    bool readCancelled_ = false;
    bool inWrite_ = false;   // inside writeMemory, writeGlobal or writeGroup
    bool allowFastBaud_ = false;

    MemoryImage& image_;
    SerialPort& port_;
    LinkHost& host_;
    MemoryImage* readTarget_ = &image_;   // where readBlock stores a complete block
    bool dialogShown_ = false;
    std::string dialogMessage_;
    bool dialogWriteFlag_ = false;
    int dialogMax_ = 0;
    int progressValue_ = 0;
    int progressMax_ = 0;
};

}  // namespace orv
