#include "align/ORVCore.h"

#include <algorithm>
#include <cstring>
#include "image/MemoryMap.h"

namespace orv {

namespace {

constexpr int kBlock = memmap::kBlockSize;
// Group 1's low-power and narrow-band flag words: its parameter block starts
// radio page 1.
constexpr int kFlagPage = 1;
constexpr int kFlagOffset = memmap::kLowPowerFlags;
static_assert(memmap::kNarrowBandFlags == kFlagOffset + 2, "the four flag bytes follow each other");
// Progress of a start: 7 blocks read and 4 written; of a restore: 4 written.
constexpr int kStartSteps = 352;
constexpr int kRestoreSteps = 128;

struct SavedBlock { int block, index; };
constexpr SavedBlock kSaved[] = {{0, 0}, {1, 32}, {9, 64}, {12, 96}, {13, 128}, {14, 160}, {15, 192}};

}  // namespace

const std::array<uint8_t, 8> ORVCore::kRecordA{0x96, 0x00, 0x00, 0x00, 0x96, 0x00, 0x00, 0x00};
const std::array<uint8_t, 8> ORVCore::kRecordB{0xBE, 0xA0, 0x00, 0x00, 0xBE, 0xA0, 0x00, 0x00};
const std::array<uint8_t, 8> ORVCore::kRecordC{0xE7, 0x40, 0x00, 0x00, 0xE7, 0x40, 0x00, 0x00};
const std::array<uint8_t, 8> ORVCore::kRecordD{0xE7, 0x3C, 0x00, 0x00, 0xE7, 0x3C, 0x00, 0x00};
const std::array<uint8_t, 8> ORVCore::kRecordE{0xE7, 0x3E, 0x00, 0x00, 0xE7, 0x3E, 0x00, 0x00};

const std::array<ORVCore::TuneRow, 6> ORVCore::kRows{{
    {"Transmit high power", 11, false},
    {"Transmit low power", 20, false},
    {"Reference Osc. voltage sens.", 55, true},
    {"Reference Osc. frequency", 31, true},
    {"Transmit deviation", 9, false},
    {"Receiver front end tuning gain", 8, false},
}};

long ORVCore::rowValue(int row) const {
    const TuneRow& r = kRows.at(static_cast<std::size_t>(row));
    return r.word ? getTuneWord(r.address) : tuneData[static_cast<std::size_t>(r.address)];
}

bool ORVCore::writeRow(int row, long value) {
    const TuneRow& r = kRows.at(static_cast<std::size_t>(row));
    if (r.word) {
        setTuneWord(r.address, value);
        return writeTuneWord(r.address);
    }
    tuneData[static_cast<std::size_t>(r.address)] = static_cast<uint8_t>(value & 0xFF);
    return writeTuneByte(r.address);
}

void ORVCore::progStep() {
    LinkHost& h = com_.host();
    h.progSetValue(std::min(h.progValue() + 1, h.progMax()));
}

long ORVCore::getTuneWord(int index) const {
    return tuneData.at(static_cast<std::size_t>(index)) * 256L + tuneData.at(static_cast<std::size_t>(index) + 1);
}

void ORVCore::setTuneWord(int index, long value) {
    tuneData.at(static_cast<std::size_t>(index)) = static_cast<uint8_t>((value / 256) & 0xFF);
    tuneData.at(static_cast<std::size_t>(index) + 1) = static_cast<uint8_t>(value % 256);
}

// ---------------------------------------------------------------- frames

bool ORVCore::readTuneBlock(int block, int index) {
    com_.sendByte(0xC6);
    com_.sendByte(block);
    for (int k = 0; k < kBlock; ++k) {
        // The radio answers the block number with the first byte; each 0x00
        // clocks out the next one.
        if (k > 0) com_.sendByte(0x00);
        uint8_t b = 0;
        if (!com_.getByte(b)) {
            com_.host().messageBox("Error reading radio", "ORV Read", MsgIcon::Exclamation, MsgButtons::OK);
            return false;
        }
        tuneData.at(static_cast<std::size_t>(index + k)) = b;
        progStep();
    }
    return true;
}

bool ORVCore::writeTuneBlock(int block, int index) {
    com_.sendByte(0xD4);
    com_.sendByte(block);
    for (int k = 0; k < kBlock; ++k) {
        com_.sendByte(testData.at(static_cast<std::size_t>(index + k)));
        progStep();
    }
    uint8_t reply = 0;
    if (com_.getByte(reply)) return true;
    com_.host().messageBox("Error writing radio", "ORV Write", MsgIcon::Exclamation, MsgButtons::OK);
    return false;
}

bool ORVCore::writeFlagWords(const uint8_t (&values)[4]) {
    bool ok = true;
    for (int i = 0; i < 4; ++i)
        ok = com_.writeMaskedByte(kFlagPage, kFlagOffset + i, 0xFF, values[i]) && ok;
    return ok;
}

// ---------------------------------------------------------------- start and restore

int ORVCore::startAlignment() {
    if (!com_.hookRadio()) return kNotHooked;
    LinkHost& h = com_.host();
    h.progShowForm("Writing tuning data", true);
    h.progSetValue(0);
    h.progSetMin(0);
    h.progSetMax(kStartSteps);

    for (const SavedBlock& s : kSaved) {
        if (!readTuneBlock(s.block, s.index)) {
            h.progUnload();
            com_.unhookRadio();
            return kReadFailed;
        }
    }

    // Channels 1..12: A, B, C four times over.
    const std::array<uint8_t, 8>* abc[] = {&kRecordA, &kRecordB, &kRecordC};
    for (int r = 0; r < 12; ++r)
        std::copy(abc[r % 3]->begin(), abc[r % 3]->end(), testData.begin() + 8 * r);
    writeFlagWords({kTestFlagsHigh, kTestFlagsLow, kTestFlagsHigh, kTestFlagsLow});
    writeTuneBlock(12, 0);
    writeTuneBlock(13, 32);
    writeTuneBlock(14, 64);

    // Channels 13..16: D, E and two blank records.
    std::copy(kRecordD.begin(), kRecordD.end(), testData.begin());
    std::copy(kRecordE.begin(), kRecordE.end(), testData.begin() + 8);
    std::fill(testData.begin() + 16, testData.begin() + 32, uint8_t{0});
    writeTuneBlock(15, 0);

    h.progUnload();
    com_.unhookRadio();
    return kStarted;
}

bool ORVCore::restoreRadioData() {
    if (!com_.hookRadio()) return false;
    LinkHost& h = com_.host();
    h.progShowForm("Restoring radio data", true);
    h.progSetValue(0);
    h.progSetMin(0);
    h.progSetMax(kRestoreSteps);

    std::copy(tuneData.begin() + 96, tuneData.begin() + 224, testData.begin());
    bool ok = writeFlagWords({tuneData[64], tuneData[65], tuneData[66], tuneData[67]});
    ok = writeTuneBlock(12, 0) && ok;
    ok = writeTuneBlock(13, 32) && ok;
    ok = writeTuneBlock(14, 64) && ok;
    ok = writeTuneBlock(15, 96) && ok;

    h.progUnload();
    com_.unhookRadio();
    return ok;
}

// ---------------------------------------------------------------- tuning values

bool ORVCore::writeTuneBytes(std::initializer_list<int> indices) {
    if (!com_.hookRadio()) return false;
    bool ok = true;
    for (int i : indices)
        ok = com_.writeMaskedByte(0, i, 0xFF, tuneData.at(static_cast<std::size_t>(i))) && ok;
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
        ok = com_.writeMaskedByte(0, address, 0xFF, value) && ok;
    com_.unhookRadio();
    return ok;
}

bool ORVCore::finishCalculator(AlignCalculator c, long result) {
    switch (c) {
    case AlignCalculator::PullGain:
        if (result >= 0) setTuneWord(55, result);
        return writeTuneBytes({55, 56, 31, 32});
    case AlignCalculator::RefOsc:
        if (result >= 0) setTuneWord(31, result);
        return writeTuneWord(31);
    case AlignCalculator::VCOMod:
        if (result >= 0) tuneData[9] = static_cast<uint8_t>(result & 0xFF);
        return writeTuneByte(9);
    }
    return false;
}

}  // namespace orv
