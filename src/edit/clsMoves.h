// Group moves: the channel bank of one group position is moved to another
// position of the image, and the banks in between shift by one place. A bank
// is the 16 channel records of a group (128 bytes); group parameters, channel
// labels and the per-channel flags stay where they are. Positions are 1..15.
#pragma once
#include <array>
#include "image/MemoryImage.h"

namespace orv {

class clsMoves {
public:
    explicit clsMoves(MemoryImage& image) : image_(image) {}

    static constexpr int kBankSize = memmap::kBankSize;
    // Image address of the bank of position p: where the channel records of
    // group index p - 1 begin.
    static constexpr int bankAddress(int p) { return channelRecordAddr(p - 1, 0, 0).address(); }
    static constexpr bool isPosition(int p) { return memmap::isGroupNumber(p); }

    // Chooses the shift by direction; equal positions move nothing. Positions
    // outside 1..15 throw std::out_of_range before anything moves.
    void moveGroups(int fromGroup, int toGroup);
    // from < to: banks from+1 .. to move down one place, bank from lands at to.
    void leftShiftGroups(int fromGroup, int toGroup);
    // to < from: banks to .. from-1 move up one place, bank from lands at to.
    void rightShiftGroups(int toGroup, int fromGroup);
    void copyGroup(int source, int destination);
    void copyToTemp(int position);
    void copyFromTemp(int position);

private:
    MemoryImage& image_;
    std::array<int, kBankSize> tempBank{};
};

}  // namespace orv
