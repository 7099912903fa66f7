// Verify: reads the whole radio, through the same staged read as "Read
// Radio", into a separate image (the image being verified is never changed)
// and compares it with the image over the bits a write sends.
#pragma once
#include <string>
#include <vector>
#include "image/MemoryImage.h"
#include "image/VerifyMask.h"
#include "interchange/FieldWording.h"

namespace orv {

class ORVCom;

struct VerifyResult {
    enum class Outcome { Matches, Differs, ReadFailed };
    Outcome outcome = Outcome::ReadFailed;
    // What the radio holds (valid unless the read failed); bytes 6016-6018,
    // which the radio does not have, are the image's.
    MemoryImage radio;
    std::vector<ByteDifference> bytes;   // the differing bytes, by address
    std::vector<std::string> lines;      // the differences in words, one line each
    // The fields that differ where a write sends nothing (they do not make
    // the radio differ): "where: file -> radio (not written by a radio write)".
    std::vector<std::string> notWritten;
    bool matches() const { return outcome == Outcome::Matches; }
};

// `com` reads (its handshake, progress dialog and messages as for a read);
// `image` is what should be in the radio, compared over `mask`.
VerifyResult verifyRadio(ORVCom& com, const MemoryImage& image, const RadioMask& mask,
                         const DifferenceWording& wording = defaultDifferenceWording());
// The same for what a write of only the differing parts sent: the chosen
// blocks are read (into a copy of `before`, what the radio held) and
// compared over `mask` within them.
VerifyResult verifyBlocks(ORVCom& com, const MemoryImage& image, const MemoryImage& before, const RadioMask& mask,
                          const std::array<bool, memmap::kBlocks>& blocks,
                          const DifferenceWording& wording = defaultDifferenceWording());

}  // namespace orv
