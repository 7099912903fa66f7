#include "job/RadioVerify.h"

#include "link/ORVCom.h"

namespace orv {

VerifyResult verifyRadio(ORVCom& com, const MemoryImage& image, const RadioMask& mask,
                         const DifferenceWording& wording) {
    VerifyResult r;
    r.radio = image;
    if (!com.readMemoryInto(r.radio)) {
        r.outcome = VerifyResult::Outcome::ReadFailed;
        r.radio = image;
        return r;
    }
    r.bytes = differingBytes(image, r.radio, mask);
    if (r.bytes.empty()) {
        r.outcome = VerifyResult::Outcome::Matches;
        return r;
    }
    r.outcome = VerifyResult::Outcome::Differs;
    r.lines = wording.describe(image, r.radio, mask);
    // A difference is never reported as nothing.
    if (r.lines.empty()) r.lines = AddressWording().describe(image, r.radio, mask);
    return r;
}

}  // namespace orv
