// The serial link to the radio: handshake, version probe, speed change,
// block and masked-byte transfers, and the six read/write operations.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include "link/LinkHost.h"
#include "image/MemoryImage.h"
#include "image/MemoryMap.h"
#include "link/SerialPort.h"

namespace orv {

// How long the link waits and pauses. The defaults are the radio's own
// timing; tests shorten them so that a silent radio costs milliseconds.
struct LinkTiming {
    double byteTimeout = 0.5;  // longest wait for any one reply byte, seconds
    int settleMs = 500;        // pause before the blocks of a read, and before a write's hook
    int slowPaceMs = 3;        // pause before each 0x00 of a slow radio's block read

    // 0.1 s per reply byte and 20 ms pauses: what a program uses when told so
    // (orvedit-cli --link-timing short), where only the bytes matter.
    static LinkTiming shortened() { return LinkTiming{0.1, 20, 3}; }
};

class ORVCom {
public:
    ORVCom(MemoryImage& image, SerialPort& port, LinkHost& host, LinkTiming timing = {});

    // The waits and pauses (initComm copies byteTimeout from here).
    LinkTiming timing;
    // Module constants (byteTimeout from `timing`).
    void initComm();
    int commRetries = 3;
    // A masked byte write gives up after this many refusals in a row (the
    // radio answers, but never 0x01): without a limit a radio that keeps
    // refusing would hold the program in the write for ever where no Cancel
    // is offered (the alignment tool's writes).
    int maskedRefusalLimit = 50;
    int hookReply = 0x12;
    double byteTimeout = 0.5;
    std::array<int, 256> writeMask{};
    std::array<uint8_t, 4> versionBytes{};
    bool fastRadio = false;
    bool allowFastBaud = false;

    static const char* const kSettings[4];  // "4800,n,8,1", "9600,n,8,1", ...
    // The contents initComm gives writeMask: the bits of each page-0 byte a
    // write may change (0: the byte is never sent).
    static std::array<int, 256> page0WriteMask();

    void closePort();
    [[nodiscard]] bool getByte(uint8_t& value);
    [[nodiscard]] bool hookRadio();
    void readRadioVersion();
    [[nodiscard]] bool setBaudRate(int index);
    void unhookRadio();

    // One byte out through the port, as the frames send it (the alignment
    // tool builds its own block frames); false when the port is not usable.
    bool sendByte(int byte) { return send(byte); }

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
    bool openPort();                      // opens if closed; a failure shows "COMM ERROR"

    // Progress dialog, with the value kept inside [Min, Max].
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

    MemoryImage& image_;
    SerialPort& port_;
    LinkHost& host_;
    MemoryImage* readTarget_ = &image_;   // where readBlock stores a complete block
    bool dialogShown_ = false;
    std::string dialogMessage_;
    bool dialogWriteFlag_ = false;
    int dialogMax_ = 0;
};

}  // namespace orv
