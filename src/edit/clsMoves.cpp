#include "edit/clsMoves.h"

#include <stdexcept>
#include <string>

namespace orv {

namespace {
void checkPosition(int p) {
    if (!clsMoves::isPosition(p)) throw std::out_of_range("bank position " + std::to_string(p) + " outside 1.." + std::to_string(memmap::kGroups));
}
}  // namespace

void clsMoves::moveGroups(int fromGroup, int toGroup) {
    checkPosition(fromGroup);
    checkPosition(toGroup);
    if (toGroup < fromGroup)
        rightShiftGroups(toGroup, fromGroup);
    else if (fromGroup < toGroup)
        leftShiftGroups(fromGroup, toGroup);
}

void clsMoves::leftShiftGroups(int fromGroup, int toGroup) {
    copyToTemp(fromGroup);
    for (int i = fromGroup; i <= toGroup - 1; ++i) copyGroup(i + 1, i);
    copyFromTemp(toGroup);
}

void clsMoves::rightShiftGroups(int toGroup, int fromGroup) {
    copyToTemp(fromGroup);
    for (int i = fromGroup; i >= toGroup + 1; --i) copyGroup(i - 1, i);
    copyFromTemp(toGroup);
}

void clsMoves::copyGroup(int source, int destination) {
    checkPosition(source);
    checkPosition(destination);
    for (int k = 0; k < kBankSize; ++k) image_[bankAddress(destination) + k] = image_[bankAddress(source) + k];
}

void clsMoves::copyToTemp(int position) {
    checkPosition(position);
    for (int k = 0; k < kBankSize; ++k) tempBank[static_cast<std::size_t>(k)] = image_[bankAddress(position) + k];
}

void clsMoves::copyFromTemp(int position) {
    checkPosition(position);
    for (int k = 0; k < kBankSize; ++k)
        image_[bankAddress(position) + k] = static_cast<uint8_t>(tempBank[static_cast<std::size_t>(k)]);
}

}  // namespace orv
