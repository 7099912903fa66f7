#include "job/RadioVerify.h"

#include "interchange/Compare.h"
#include "link/ORVCom.h"

namespace orv {

namespace {

// Compares what was read (r.radio) with `image` over `mask`.
void compare(VerifyResult& r, const MemoryImage& image, const RadioMask& mask, const DifferenceWording& wording) {
    r.bytes = differingBytes(image, r.radio, mask);
    for (const Difference& d : unsentDifferences(image, r.radio, mask)) r.notWritten.push_back(notWrittenLine(d));
    if (r.bytes.empty()) {
        r.outcome = VerifyResult::Outcome::Matches;
        return;
    }
    r.outcome = VerifyResult::Outcome::Differs;
    r.lines = wording.describe(image, r.radio, mask);
    // A difference is never reported as nothing.
    if (r.lines.empty()) r.lines = AddressWording().describe(image, r.radio, mask);
}

}  // namespace

VerifyResult verifyRadio(ORVCom& com, const MemoryImage& image, const RadioMask& mask,
                         const DifferenceWording& wording) {
    VerifyResult r;
    r.radio = image;
    if (!com.readMemoryInto(r.radio)) {
        r.outcome = VerifyResult::Outcome::ReadFailed;
        r.radio = image;
        return r;
    }
    compare(r, image, mask, wording);
    return r;
}

VerifyResult verifyBlocks(ORVCom& com, const MemoryImage& image, const MemoryImage& before, const RadioMask& mask,
                          const std::array<bool, memmap::kBlocks>& blocks, const DifferenceWording& wording) {
    VerifyResult r;
    r.radio = before;
    if (!com.readBlocksInto(blocks, r.radio)) {
        r.outcome = VerifyResult::Outcome::ReadFailed;
        r.radio = before;
        return r;
    }
    compare(r, image, maskSelection(mask, blocks), wording);
    return r;
}

}  // namespace orv
