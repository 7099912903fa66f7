// A fleet roster: one template programming, written into many radios with
// each radio's own values. The roster is CSV with a header row: `unit` (the
// radio's name, required, unique) and any of `id` (the ANI/ID number of
// every group), `id.N` (group N's), `password`, `password.N` and `label.N`
// (group N's label; N is 1..15). A group's own column wins over the column
// for every group. Every value goes through the field rules of the group
// screen, so a roster that names a bad value is refused, by row and column,
// before any radio is touched.
//
// Rows are handed out to the radios as they come: each takes the next row
// the radio log does not show as written and verified, and a radio that
// fails gives its row back.
#pragma once
#include <cstddef>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>
#include "files/RadioLog.h"
#include "image/MemoryImage.h"

namespace orv {

struct RosterRow {
    int row = 0;          // its row in the file (the header is row 1)
    std::string unit;
    MemoryImage image;    // the template with this row's values
};

struct Roster {
    std::vector<RosterRow> rows;
};

// Reads `text` against `templ`. Throws FieldError (row, column, value,
// reason) for a column the roster does not know, a missing or repeated
// unit, a row with more fields than the header, and a value the field's rule
// refuses.
Roster parseRoster(std::string_view text, const MemoryImage& templ);

// The units the log shows as written and verified.
std::set<std::string> unitsDone(const RadioLogContents& log);

// Hands out the rows of a roster to the radios of one run, any thread.
class RosterRows {
public:
    // `done`: the units already written and verified (never handed out).
    RosterRows(const Roster& roster, const std::set<std::string>& done);

    // The next row neither done nor out; none when all are.
    std::optional<RosterRow> take();
    // The radio that had `unit` failed: its row is free again.
    void giveBack(const std::string& unit);
    // The radio that had `unit` was written and verified.
    void finished(const std::string& unit);
    // How many rows are neither done nor out.
    std::size_t freeRows() const;

private:
    enum class State { Free, Out, Done };
    mutable std::mutex mutex_;
    std::vector<RosterRow> rows_;
    std::vector<State> states_;
};

}  // namespace orv
