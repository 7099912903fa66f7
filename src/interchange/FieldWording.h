// The differences a verify finds, field by field in the wording of the JSON
// export ("group 3 channel 5 Rec Freq: 155.12500 -> 155.13750", the image's
// value before the radio's), with one line per address range for bits no
// field shows. Only the bits of the mask count.
#pragma once
#include "image/VerifyMask.h"

namespace orv {

class FieldWording : public DifferenceWording {
public:
    std::vector<std::string> describe(const MemoryImage& image, const MemoryImage& radio,
                                      const RadioMask& mask) const override;
};

// The wording the verify uses unless told otherwise: field by field in the
// export's wording, bits no field shows by range.
const DifferenceWording& defaultDifferenceWording();

}  // namespace orv
