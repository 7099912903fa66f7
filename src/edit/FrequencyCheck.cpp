#include "edit/FrequencyCheck.h"

#include <cmath>
#include <string>
#include "image/NumText.h"

namespace orv {

FrequencyCheck checkFrequency(double value) {
    using O = FrequencyCheck::Outcome;
    // Text such as "1e400" reads as an infinite value: no frequency at all,
    // and the scaling below would never end.
    if (!std::isfinite(value)) return {O::Refuse, 0};
    while (value > 1000) value /= 10;
    std::string text = numberText(value);
    if (text.size() >= 11) return {O::Refuse, 0};

    // Scale the value and both channel steps by ten until the value is a
    // whole number (at least five times), then compare as whole numbers.
    double v = value, a = 0.0025, b = 0.00625;
    int times = 0;
    while ((text.find('.') != std::string::npos || times < 5) && times < 30) {
        v *= 10;
        a *= 10;
        b *= 10;
        ++times;
        text = numberText(v);
    }
    const double iv = numericValue(numberText(v));
    const double ia = numericValue(numberText(a));
    const double ib = numericValue(numberText(b));
    const bool onA = ia != 0 && std::fmod(iv, ia) == 0;
    const bool onB = ib != 0 && std::fmod(iv, ib) == 0;
    if (!onA && !onB) return {O::Refuse, 0};

    // The range applies to the value as the shorthand scaling left it: scaled
    // back from the step test, 1.4 would pass as 140 MHz and 14.5 as 145.
    if (value == 0) return {O::Unchanged, 0};
    if (value >= 136 && value <= 174) return {O::Store, value};
    return {O::Refuse, 0};
}

}  // namespace orv
