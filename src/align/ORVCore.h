// The tuning data of the alignment tool and its exchanges with the radio:
// saving the tuning blocks and group 1's flags and channels, programming the
// test channels, writing single tuning values, and restoring group 1. Runs
// over the serial link (ORVCom) of the radio commands and reports through its
// host (message boxes, the progress dialog). It never touches the memory
// image. The data it keeps between exchanges is a TuneState, a value: the
// alignment window keeps one and hands each job a copy, which the job's own
// ORVCore works on and gives back.
#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>
#include "align/AlignCalc.h"
#include "link/ORVCom.h"

namespace orv {

struct TuneState {
    // Copies of radio blocks 0, 1, 9, 12, 13, 14 and 15, taken at the start;
    // indices 0..63 are the radio addresses of page 0's tuning values.
    std::array<uint8_t, 7 * memmap::kBlockSize> tuneData{};
    // The source of every block the tool writes.
    std::array<uint8_t, memmap::kBankSize + 1> testData{};
};

class ORVCore {
public:
    // Works on a state of its own, or on `state`.
    explicit ORVCore(ORVCom& com) : ORVCore(com, own_) {}
    ORVCore(ORVCom& com, TuneState& state) : tuneData(state.tuneData), testData(state.testData), com_(com) {}
    ORVCore(const ORVCore&) = delete;
    ORVCore& operator=(const ORVCore&) = delete;

    // Results of startAlignment.
    static constexpr int kStarted = 0;
    static constexpr int kNotHooked = 2;
    static constexpr int kReadFailed = 3;

private:
    TuneState own_;   // before the references below, which may name it

public:
    // The state worked on (see TuneState).
    std::array<uint8_t, 7 * memmap::kBlockSize>& tuneData;
    std::array<uint8_t, memmap::kBankSize + 1>& testData;

    // Saves the tuning data and group 1's flags and channels, then programs
    // the test channels: 0 started, 2 the radio was not hooked, 3 a read
    // failed (nothing was written to the radio). A failed write shows its
    // message and the start goes on.
    int startAlignment();
    // Writes group 1's saved flags and channels back; true when every write
    // succeeded.
    bool restoreRadioData();

    // Radio block `block` into tuneData from `index` on, byte-clocked.
    bool readTuneBlock(int block, int index);
    // testData from `index` on (32 bytes) into radio block `block`.
    bool writeTuneBlock(int block, int index);
    // tuneData[index] to radio address `index` of page 0 in one connection;
    // true when hooked and accepted (the window does not report it further).
    bool writeTuneByte(int index);
    // tuneData[index] and [index + 1] to addresses index and index + 1.
    bool writeTuneWord(int index);
    // Several tuning bytes in one connection, in the given order.
    bool writeTuneBytes(std::initializer_list<int> indices);

    // The word at index (high byte first) and its store.
    long getTuneWord(int index) const;
    void setTuneWord(int index, long value);

    // What a calculator does to the radio when it opens: its reference
    // writes in one connection (none when the radio cannot be hooked).
    bool writeCalcReference(AlignCalculator c);
    // What the alignment window does when a calculator has closed with
    // `result` (-1: cancelled): a result >= 0 goes into tuneData, then the
    // row's value is written from tuneData in either case. After the pull
    // gain calculator the reference oscillator word (31/32), which its
    // opening zeroed in the radio, is rewritten from tuneData as well.
    bool finishCalculator(AlignCalculator c, long result);
    // The tuning row (0..5) a calculator computes.
    static int calcRow(AlignCalculator c);

    // The six tuning values of the alignment window, row by row: caption,
    // page-0 address, and whether it is a word (high byte at the address).
    struct TuneRow {
        const char* caption;
        int address;
        bool word;
    };
    static const std::array<TuneRow, 6> kRows;
    // A row's value as tuneData holds it (of this core's state, or of any).
    long rowValue(int row) const { return rowValue(tuneData, row); }
    static long rowValue(const std::array<uint8_t, 7 * memmap::kBlockSize>& tuneData, int row);
    // "Write": the value into tuneData (a byte row takes its low 8 bits),
    // then to the radio in one connection.
    bool writeRow(int row, long value);

    // Test channel records: 148.000, 161.000, 174.000, 173.995 and
    // 173.9975 MHz, receive and transmit alike, no code guards.
    static const std::array<uint8_t, 8> kRecordA, kRecordB, kRecordC, kRecordD, kRecordE;
    // Group 1's low-power and narrow-band flag words while the tool runs:
    // channels 4, 5, 6, 10, 11 and 12 on.
    static const uint8_t kTestFlagsHigh;
    static const uint8_t kTestFlagsLow;

    ORVCom& com() { return com_; }

private:
    void progStep();
    bool writeFlagWords(const uint8_t (&values)[4]);

    ORVCom& com_;
};

}  // namespace orv
