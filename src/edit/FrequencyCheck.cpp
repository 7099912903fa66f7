#include "edit/FrequencyCheck.h"

#include <cmath>
#include "image/FieldRules.h"

namespace orv {

FrequencyCheck checkFrequency(double value) {
    using O = FrequencyCheck::Outcome;
    // An infinite value would never end the scaling below; the rule refuses it.
    if (!std::isfinite(value)) return {O::Refuse, 0, *frequencyRefusal(value)};
    // The shorthand: digits typed without the point are scaled down until
    // the value has at most three digits before it. The rule applies to the
    // value as the scaling left it: 1.4 is refused, not taken as 140 MHz.
    while (value > 1000) value /= 10;
    if (const Refusal why = frequencyRefusal(value)) return {O::Refuse, 0, *why};
    if (value == 0) return {O::Unchanged, 0};
    return {O::Store, value};
}

}  // namespace orv
