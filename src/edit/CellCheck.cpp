#include "edit/CellCheck.h"

#include "edit/FrequencyCheck.h"
#include "image/FieldRules.h"
#include "image/NumText.h"
#include "image/Views.h"

namespace orv {

namespace {
CellCheck refusedAs(std::string value, std::string reason) {
    CellCheck r;
    r.refusedValue = std::move(value);
    r.reason = std::move(reason);
    return r;
}
CellCheck acceptedNumber(double mhz) {
    CellCheck r;
    r.accepted = true;
    r.number = mhz;
    return r;
}
}  // namespace

CellCheck checkFrequencyValue(double mhz, double oldMHz) {
    if (mhz == oldMHz) return acceptedNumber(mhz);   // what the cell held is kept
    const FrequencyCheck f = checkFrequency(mhz);
    switch (f.outcome) {
    case FrequencyCheck::Outcome::Store: return acceptedNumber(f.value);
    case FrequencyCheck::Outcome::Unchanged: return acceptedNumber(mhz);
    case FrequencyCheck::Outcome::Refuse: break;
    }
    return refusedAs(numberText(mhz), f.reason);
}

CellCheck checkFrequencyText(const std::string& text, double oldMHz) {
    if (isNumeric(text)) return checkFrequencyValue(numericValue(text), oldMHz);
    if (trimBlanks(text).empty()) return acceptedNumber(0.0);   // an emptied cell holds no frequency
    return refusedAs(text, kFrequencyNotANumber);
}

CellCheck checkCellText(int col, const std::string& text, const std::string& oldText) {
    if (col == colRecFreq || col == colTxFreq) return checkFrequencyText(text, numericValue(oldText));
    const FieldKind rule = (col == colRecCG || col == colTxCG) ? FieldKind::CodeGuard : FieldKind::Label;
    if (const Refusal why = fieldRefusal(rule, text, oldText)) return refusedAs(text, *why);
    CellCheck r;
    r.accepted = true;
    r.text = text;
    return r;
}

CellCheck checkCheckText(const std::string& text) {
    const double v = roundHalfEven(numericValue(text));
    if (v >= 0 && v <= 2) return acceptedNumber(v);
    return refusedAs(text, "a check box is 0, 1 or 2");
}

}  // namespace orv
