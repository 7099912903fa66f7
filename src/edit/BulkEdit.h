// Edits of many channels at once, planned without a window: one field of
// every selected channel set to one value (Set Field), or an offset in kHz
// added to their receive and/or transmit frequencies (Shift Frequencies).
// Every value goes through the grid's rules (edit/CellCheck.h) first; when
// any channel would be refused the plan lists every refusal and changes
// nothing. A single cell of the All Channels table is a plan of one channel.
#pragma once
#include <string>
#include <vector>
#include "edit/ChannelList.h"
#include "image/MemoryImage.h"

namespace orv {

struct BulkChange {
    ChannelRef at;
    int column;          // the list column changed
    std::string before;  // its text before and after, as the list shows them
    std::string after;
};

struct BulkPlan {
    std::vector<BulkChange> changes;     // the fields that would change
    std::vector<std::string> refusals;   // "Group 2 Ch 5 Rec Freq: 180: outside 136 to 174 MHz"
    MemoryImage result;                  // the image with every change (when there is no refusal)
    bool ok() const { return refusals.empty(); }
};

// `column` (an editable list column) of every channel of `at` set to `value`:
// a frequency, a code guard or a label as typed into the grid, a flag as 0 or 1.
BulkPlan planSetField(const MemoryImage& image, const std::vector<ChannelRef>& at, int column,
                      const std::string& value);
// `kHzText` (a number, negative for down) added to the receive and/or the
// transmit frequency of every channel of `at`; a channel without a
// frequency keeps none.
BulkPlan planShift(const MemoryImage& image, const std::vector<ChannelRef>& at, const std::string& kHzText,
                   bool receive, bool transmit);

}  // namespace orv
