#include "edit/BulkEdit.h"

#include <cmath>
#include <map>
#include "edit/CellCheck.h"
#include "image/FieldError.h"
#include "image/NumText.h"
#include "image/Programming.h"
#include "image/clsGroup.h"

namespace orv {

namespace {

std::string place(ChannelRef at, int column) {
    return "Group " + std::to_string(at.group + 1) + " Ch " + std::to_string(at.channel + 1) + " " +
           listColumnName(column);
}

// The channel rows of the groups a plan touches, as decoded and as changed.
struct Rows {
    std::map<int, ChannelGridView> before;
    std::map<int, ChannelGridView> after;
    const MemoryImage& image;
    ChannelGridView& of(int g) {
        if (!before.count(g)) {
            GroupView v;
            clsGroup(image, v).Read_Group(g);
            before[g] = v.channels;
            after[g] = v.channels;
        }
        return after[g];
    }
};

int& flagOf(ChannelGridView& rows, int column, int c) {
    auto& arr = column == lcLowPower ? rows.chkLoPower : column == lcNarrow ? rows.chkNarr : rows.chkScan;
    return arr[static_cast<std::size_t>(c)];
}

std::string shown(int column, const std::string& cell) {
    return column == lcRecFreq || column == lcTxFreq ? formatFreqCell(numericValue(cell)) : cell;
}

// Puts a checked value into a row; the change is noted when the list would show it differently.
void put(BulkPlan& plan, ChannelGridView& rows, ChannelRef at, int column, const CellCheck& value) {
    const auto c = static_cast<std::size_t>(at.channel);
    if (isFlagColumn(column)) {
        int& flag = flagOf(rows, column, at.channel);
        const int v = static_cast<int>(value.number);
        if (flag != v) plan.changes.push_back({at, column, std::to_string(flag), std::to_string(v)});
        flag = v;
        return;
    }
    std::string& cell = rows.cells[c][static_cast<std::size_t>(gridColumnOf(column))];
    const bool frequency = column == lcRecFreq || column == lcTxFreq;
    const std::string next = frequency ? formatFreqCell(value.number) : value.text;
    if (shown(column, cell) != shown(column, next)) plan.changes.push_back({at, column, shown(column, cell), shown(column, next)});
    cell = next;
}

// The rows changed written into a copy of the image, field by field; a
// value the codec refuses is one more refusal.
void finish(BulkPlan& plan, Rows& rows) {
    plan.result = rows.image;
    if (!plan.ok()) return;
    for (auto& [g, after] : rows.after) {
        try {
            encodeChangedChannels(rows.before[g], after, g, plan.result);
        } catch (const FieldError& e) {
            plan.refusals.push_back("Group " + std::to_string(g + 1) + " " + e.what());
        }
    }
    if (!plan.ok()) {
        plan.result = rows.image;
        plan.changes.clear();
    }
}

}  // namespace

BulkPlan planSetField(const MemoryImage& image, const std::vector<ChannelRef>& at, int column,
                      const std::string& value) {
    BulkPlan plan;
    Rows rows{{}, {}, image};
    if (!isEditableColumn(column)) {
        plan.refusals.push_back(std::string(listColumnName(column)) + ": not a field of a channel");
        plan.result = image;
        return plan;
    }
    for (const ChannelRef& ref : at) {
        ChannelGridView& r = rows.of(ref.group);
        const CellCheck check =
            isFlagColumn(column)
                ? checkCheckText(value)
                : checkCellText(gridColumnOf(column), value,
                                r.cells[static_cast<std::size_t>(ref.channel)][static_cast<std::size_t>(gridColumnOf(column))]);
        if (!check.accepted) {
            plan.refusals.push_back(place(ref, column) + ": " + check.refusal());
            continue;
        }
        put(plan, r, ref, column, check);
    }
    finish(plan, rows);
    return plan;
}

BulkPlan planShift(const MemoryImage& image, const std::vector<ChannelRef>& at, const std::string& kHzText,
                   bool receive, bool transmit) {
    BulkPlan plan;
    Rows rows{{}, {}, image};
    if (!isNumeric(kHzText)) {
        plan.refusals.push_back(kHzText + ": an offset is a number in kHz");
        plan.result = image;
        return plan;
    }
    const double kHz = numericValue(kHzText);
    for (const ChannelRef& ref : at) {
        ChannelGridView& r = rows.of(ref.group);
        for (int column : {lcRecFreq, lcTxFreq}) {
            if ((column == lcRecFreq && !receive) || (column == lcTxFreq && !transmit)) continue;
            const std::string& cell =
                r.cells[static_cast<std::size_t>(ref.channel)][static_cast<std::size_t>(gridColumnOf(column))];
            const double old = numericValue(cell);
            if (old == 0) continue;   // no frequency: nothing to shift
            // In whole hertz, so that the sum lies on the raster it aims at.
            const double shifted = std::round(old * 1e6 + kHz * 1e3) / 1e6;
            const CellCheck check = checkFrequencyValue(shifted, old);
            if (!check.accepted) {
                plan.refusals.push_back(place(ref, column) + ": " + check.refusal());
                continue;
            }
            put(plan, r, ref, column, check);
        }
    }
    finish(plan, rows);
    return plan;
}

}  // namespace orv
