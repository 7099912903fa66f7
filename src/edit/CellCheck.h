// What a cell of the channel grid takes of a text typed into it, without a
// window: the decision of the grid's edit check, shared by the group
// editor's typed cell, the All Channels table and the bulk edits. A
// frequency goes through the grid's shorthand and the frequency rule
// (FrequencyCheck), a code guard and a label through their field rules
// (image/FieldRules.h); a value equal to what the cell held is kept without
// a check.
#pragma once
#include <string>

namespace orv {

// Why a text that is no number cannot go into a frequency cell.
inline constexpr const char* kFrequencyNotANumber = "a frequency is a number in MHz";

struct CellCheck {
    bool accepted = false;
    // Accepted: the frequency in MHz the cell then holds (frequency columns),
    // or the text it then holds (the other columns).
    double number = 0;
    std::string text;
    // Refused: the value as the refusal names it, and why it was refused.
    std::string refusedValue;
    std::string reason;
    // "162.4113: not on the 2.5 or 6.25 kHz raster".
    std::string refusal() const { return refusedValue + ": " + reason; }
};

// The check of `text` typed into grid column `col` (colRecFreq .. colChLabel)
// whose cell held `oldText`.
CellCheck checkCellText(int col, const std::string& text, const std::string& oldText);
// The same for a frequency column whose cell held `oldMHz`: a blank text
// empties the cell (0, no frequency), a text that is no number is refused.
CellCheck checkFrequencyText(const std::string& text, double oldMHz);
// A computed frequency (an offset added, a shift): kept when equal to
// `oldMHz`, else the frequency rule.
CellCheck checkFrequencyValue(double mhz, double oldMHz);

// A check box's value as text (a pasted row's flags, a flag set in bulk):
// 0 (cleared), 1 (ticked) or 2 (undetermined), rounded to whole; the value
// is `number`.
CellCheck checkCheckText(const std::string& text);

}  // namespace orv
