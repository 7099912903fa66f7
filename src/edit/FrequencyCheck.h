// The check of a frequency typed into the grid's "Rec Freq" or "Tx Freq"
// column (no window needed, so it is tested on its own): the grid's
// shorthand, then the frequency rule of image/FieldRules.h.
#pragma once
#include <string>

namespace orv {

struct FrequencyCheck {
    enum class Outcome {
        Store,      // store `value` (MHz) into the cell
        Unchanged,  // leave the cell as typed (the value 0: no frequency)
        Refuse      // beep and put the old value back
    };
    Outcome outcome;
    double value;
    std::string reason = {};  // Refuse: why
};

// 16240 and 162400 both mean 162.4 MHz; the value must then pass the
// frequency rule (frequencyRefusal: the band, the rasters, the length of its
// text); 0 means no frequency.
FrequencyCheck checkFrequency(double typed);

}  // namespace orv
