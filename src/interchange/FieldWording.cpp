#include "interchange/FieldWording.h"

#include "interchange/Compare.h"

namespace orv {

std::vector<std::string> FieldWording::describe(const MemoryImage& image, const MemoryImage& radio,
                                                const RadioMask& mask) const {
    std::vector<std::string> lines;
    for (const Difference& d : compareImages(image, radio, &mask)) lines.push_back(d.line());
    return lines;
}

const DifferenceWording& defaultDifferenceWording() {
    static const FieldWording wording;
    return wording;
}

}  // namespace orv
