#include "align/ORVCore.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <tuple>
#include "image/MemoryMap.h"
#include "image/TrNoop.h"

namespace orv {

namespace {

constexpr int kBlock = memmap::kBlockSize;
// Group 1's low-power and narrow-band flag words, in its parameter block.
constexpr ImageAddr kFlags = groupParamAddr(0, memmap::kLowPowerFlags);
static_assert(memmap::kNarrowBandFlags == memmap::kLowPowerFlags + 2, "the four flag bytes follow each other");
constexpr int kFlagBytes = 4;
// The blocks the tool saves and, from tuneData[kChannelsIndex] on, writes
// back: the tuning values (blocks 0 and 1 of page 0), the block of group 1's
// flags and the blocks of its channel records.
constexpr int kFlagBlock = kFlags.address() / kBlock;
constexpr int kChannelBlock = channelRecordAddr(0, 0, 0).address() / kBlock;
constexpr int kChannelBlocks = memmap::kBankSize / kBlock;
constexpr int kFlagsIndex = 2 * kBlock;
constexpr int kChannelsIndex = 3 * kBlock;
struct SavedBlock { int block, index; };
static_assert(memmap::kTuningBlocks == 2);
constexpr SavedBlock kSaved[] = {{0, 0},
                                 {1, kBlock},
                                 {kFlagBlock, kFlagsIndex},
                                 {kChannelBlock, kChannelsIndex},
                                 {kChannelBlock + 1, kChannelsIndex + kBlock},
                                 {kChannelBlock + 2, kChannelsIndex + 2 * kBlock},
                                 {kChannelBlock + 3, kChannelsIndex + 3 * kBlock}};
static_assert(std::size(kSaved) * kBlock == std::tuple_size_v<decltype(TuneState::tuneData)>);
static_assert(kChannelBlocks == 4);
// Progress of a start: the saved blocks read and the channel blocks written;
// of a restore: the channel blocks written.
constexpr int kRestoreSteps = kChannelBlocks * kBlock;
constexpr int kStartSteps = static_cast<int>(std::size(kSaved)) * kBlock + kRestoreSteps;

// A channel record on the test frequency `mhz` for receive and transmit,
// with no code guards.
constexpr std::array<uint8_t, memmap::kRecordSize> testRecord(double mhz) {
    const auto code = static_cast<unsigned>(memmap::freqMHzToCode(mhz) + 0.5);
    std::array<uint8_t, memmap::kRecordSize> r{};
    r[memmap::kRecReceiveFreq] = r[memmap::kRecTransmitFreq] = static_cast<uint8_t>(code >> 8);
    r[memmap::kRecReceiveFreq + 1] = r[memmap::kRecTransmitFreq + 1] = static_cast<uint8_t>(code);
    return r;
}

// Group 1's flag word bits of the channels numbered (1..16) in `channels`:
// the first byte holds channels 9..16, the second 1..8.
constexpr uint16_t channelFlags(std::initializer_list<int> channels) {
    uint16_t w = 0;
    for (int c : channels) w = static_cast<uint16_t>(w | (1u << (c - 1)));
    return w;
}
constexpr uint16_t kTestFlags = channelFlags({4, 5, 6, 10, 11, 12});

}  // namespace

const std::array<uint8_t, 8> ORVCore::kRecordA = testRecord(148.0);
const std::array<uint8_t, 8> ORVCore::kRecordB = testRecord(161.0);
const std::array<uint8_t, 8> ORVCore::kRecordC = testRecord(174.0);
const std::array<uint8_t, 8> ORVCore::kRecordD = testRecord(173.995);
const std::array<uint8_t, 8> ORVCore::kRecordE = testRecord(173.9975);
const uint8_t ORVCore::kTestFlagsHigh = static_cast<uint8_t>(kTestFlags >> 8);
const uint8_t ORVCore::kTestFlagsLow = static_cast<uint8_t>(kTestFlags);

const std::array<ORVCore::TuneRow, 6> ORVCore::kRows{{
    {ORV_TR_NOOP("ORVCore", "Transmit high power"), memmap::kTuneHighPower, false},
    {ORV_TR_NOOP("ORVCore", "Transmit low power"), memmap::kTuneLowPower, false},
    {ORV_TR_NOOP("ORVCore", "Reference Osc. voltage sens."), memmap::kTuneRefOscSensitivity, true},
    {ORV_TR_NOOP("ORVCore", "Reference Osc. frequency"), memmap::kTuneRefOscFrequency, true},
    {ORV_TR_NOOP("ORVCore", "Transmit deviation"), memmap::kTuneDeviation, false},
    {ORV_TR_NOOP("ORVCore", "Receiver front end tuning gain"), memmap::kTuneFrontEnd, false},
}};

long ORVCore::rowValue(const std::array<uint8_t, 7 * memmap::kBlockSize>& data, int row) {
    const TuneRow& r = kRows.at(static_cast<std::size_t>(row));
    const auto a = static_cast<std::size_t>(r.address);
    return r.word ? data.at(a) * 256L + data.at(a + 1) : data.at(a);
}

bool ORVCore::writeRow(int row, long value) {
    const TuneRow& r = kRows.at(static_cast<std::size_t>(row));
    if (r.word) {
        setTuneWord(r.address, value);
        return writeTuneWord(r.address);
    }
    tuneData[static_cast<std::size_t>(r.address)] = static_cast<uint8_t>(value);
    return writeTuneByte(r.address);
}

void ORVCore::progStep() { com_.advanceProgress(1); }

long ORVCore::getTuneWord(int index) const {
    return tuneData.at(static_cast<std::size_t>(index)) * 256L + tuneData.at(static_cast<std::size_t>(index) + 1);
}

void ORVCore::setTuneWord(int index, long value) {
    tuneData.at(static_cast<std::size_t>(index)) = static_cast<uint8_t>(value / 256);
    tuneData.at(static_cast<std::size_t>(index) + 1) = static_cast<uint8_t>(value % 256);
}

// ---------------------------------------------------------------- frames

bool ORVCore::readTuneBlock(int block, int index) {
    std::array<uint8_t, kBlock> got{};
    int arrived = 0;
    const bool ok = com_.readBlockInto(block, got, [&] {
        ++arrived;
        progStep();
    });
    // The bytes that arrived are kept even when the block did not complete.
    std::copy_n(got.begin(), arrived, tuneData.begin() + index);
    return ok;
}

bool ORVCore::writeTuneBlock(int block, int index) {
    std::array<uint8_t, kBlock> bytes{};
    std::copy_n(testData.begin() + index, kBlock, bytes.begin());
    return com_.writeBlockFrom(block, bytes, [this] { progStep(); });
}

bool ORVCore::writeFlagWords(const uint8_t (&values)[4]) {
    bool ok = true;
    for (int i = 0; i < kFlagBytes; ++i)
        ok = com_.writeMaskedByte(kFlags.page, kFlags.offset + i, memmap::kAllBits, values[i]) && ok;
    return ok;
}

// ---------------------------------------------------------------- start and restore

int ORVCore::startAlignment() {
    if (!com_.hookRadio()) return kNotHooked;
    com_.beginProgress(ORV_TR_NOOP("LinkHost", "Writing tuning data"), true, kStartSteps, false);

    for (const SavedBlock& s : kSaved) {
        if (!readTuneBlock(s.block, s.index)) {
            com_.endProgress();
            com_.unhookRadio();
            return kReadFailed;
        }
    }

    // Channels 1..12: A, B, C four times over.
    const std::array<uint8_t, 8>* abc[] = {&kRecordA, &kRecordB, &kRecordC};
    constexpr int kRecord = memmap::kRecordSize;
    for (int r = 0; r < 12; ++r)
        std::copy(abc[r % 3]->begin(), abc[r % 3]->end(), testData.begin() + kRecord * r);
    writeFlagWords({kTestFlagsHigh, kTestFlagsLow, kTestFlagsHigh, kTestFlagsLow});
    writeTuneBlock(kChannelBlock, 0);
    writeTuneBlock(kChannelBlock + 1, kBlock);
    writeTuneBlock(kChannelBlock + 2, 2 * kBlock);

    // Channels 13..16: D, E and two blank records.
    std::copy(kRecordD.begin(), kRecordD.end(), testData.begin());
    std::copy(kRecordE.begin(), kRecordE.end(), testData.begin() + kRecord);
    std::fill(testData.begin() + 2 * kRecord, testData.begin() + kBlock, uint8_t{0});
    writeTuneBlock(kChannelBlock + 3, 0);

    com_.endProgress();
    com_.unhookRadio();
    return kStarted;
}

bool ORVCore::restoreRadioData() {
    if (!com_.hookRadio()) return false;
    com_.beginProgress(ORV_TR_NOOP("LinkHost", "Restoring radio data"), true, kRestoreSteps, false);

    std::copy_n(tuneData.begin() + kChannelsIndex, memmap::kBankSize, testData.begin());
    constexpr std::size_t f = kFlagsIndex + kFlags.address() % kBlock;
    bool ok = writeFlagWords({tuneData[f], tuneData[f + 1], tuneData[f + 2], tuneData[f + 3]});
    for (int i = 0; i < kChannelBlocks; ++i) ok = writeTuneBlock(kChannelBlock + i, i * kBlock) && ok;

    com_.endProgress();
    com_.unhookRadio();
    return ok;
}

// ---------------------------------------------------------------- tuning values

bool ORVCore::writeTuneBytes(std::initializer_list<int> indices) {
    if (!com_.hookRadio()) return false;
    bool ok = true;
    for (int i : indices)
        ok = com_.writeMaskedByte(0, i, memmap::kAllBits, tuneData.at(static_cast<std::size_t>(i))) && ok;
    com_.unhookRadio();
    return ok;
}

bool ORVCore::writeTuneByte(int index) { return writeTuneBytes({index}); }

bool ORVCore::writeTuneWord(int index) { return writeTuneBytes({index, index + 1}); }

// ---------------------------------------------------------------- calculators

int ORVCore::calcRow(AlignCalculator c) {
    switch (c) {
    case AlignCalculator::PullGain: return 2;
    case AlignCalculator::RefOsc: return 3;
    case AlignCalculator::VCOMod: return 4;
    }
    return -1;
}

bool ORVCore::writeCalcReference(AlignCalculator c) {
    if (!com_.hookRadio()) return false;
    bool ok = true;
    for (const auto& [address, value] : calcReferenceWrites(c))
        ok = com_.writeMaskedByte(0, address, memmap::kAllBits, value) && ok;
    com_.unhookRadio();
    return ok;
}

bool ORVCore::finishCalculator(AlignCalculator c, long result) {
    switch (c) {
    case AlignCalculator::PullGain:
        if (result >= 0) setTuneWord(memmap::kTuneRefOscSensitivity, result);
        return writeTuneBytes({memmap::kTuneRefOscSensitivity, memmap::kTuneRefOscSensitivity + 1,
                               memmap::kTuneRefOscFrequency, memmap::kTuneRefOscFrequency + 1});
    case AlignCalculator::RefOsc:
        if (result >= 0) setTuneWord(memmap::kTuneRefOscFrequency, result);
        return writeTuneWord(memmap::kTuneRefOscFrequency);
    case AlignCalculator::VCOMod:
        if (result >= 0) tuneData[memmap::kTuneDeviation] = static_cast<uint8_t>(result);
        return writeTuneByte(memmap::kTuneDeviation);
    }
    return false;
}

}  // namespace orv
