// Every channel of the radio in one list, without a window: the 240 rows of
// the All Channels table (group, channel, the six grid columns, the three
// flags and the group's label, each as the main window shows it), their
// order by any column, the filter (a text in any column or a frequency
// range such as "150-155"), the duplicates (the same receive frequency and
// code guard in two channels) and Find (a text, a frequency or a code guard;
// the next matching channel in any group).
#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>
#include "image/MemoryImage.h"
#include "image/Views.h"

namespace orv {

// The columns of the list.
enum ListColumn {
    lcGroup, lcChan, lcRecFreq, lcRecCG, lcTxFreq, lcTxCG, lcChLabel, lcLowPower, lcNarrow, lcScan, lcGroupLabel,
    kListColumns
};
// The grid column of a list column (colRecFreq .. colChLabel), or -1.
int gridColumnOf(int listColumn);
// The columns a user may change: the five grid fields and the three flags.
bool isEditableColumn(int listColumn);
bool isFlagColumn(int listColumn);
// The column's caption as the table and the bulk edits name it ("Rec Freq").
const char* listColumnName(int listColumn);

struct ChannelRef {
    int group = 0;    // 0..14
    int channel = 0;  // 0..15
    bool operator==(const ChannelRef&) const = default;
};

struct ChannelEntry {
    ChannelRef at;
    std::array<std::string, kListColumns> texts;  // "3", "5", "162.40000", "D023", ..., "1" for a set flag
    double recMHz = 0;
    double txMHz = 0;
    std::array<int, 3> flags{};   // low power, narrow band, scan list: 0, 1 (2 = undetermined)
    int flag(int listColumn) const { return flags[static_cast<std::size_t>(listColumn - lcLowPower)]; }
};

// The 240 channels in group and channel order.
std::vector<ChannelEntry> listChannels(const MemoryImage& image);
// The index of a channel in that order.
inline int listIndex(ChannelRef at) { return at.group * kChannels + at.channel; }

// Whether `a` comes before `b` in ascending order of `column`: numbers by
// value (group, channel, frequencies, flags), texts by text; equal ones in
// group and channel order.
bool listLess(const ChannelEntry& a, const ChannelEntry& b, int column);

// The filter box: empty keeps every row; "150-155" (two numbers in MHz)
// keeps the rows whose receive or transmit frequency lies in that range;
// any other text keeps the rows in whose texts it occurs (case ignored).
struct ChannelFilter {
    std::string text;
    bool isRange = false;
    double lowMHz = 0;
    double highMHz = 0;
};
ChannelFilter parseChannelFilter(const std::string& text);
bool filterKeeps(const ChannelFilter& filter, const ChannelEntry& entry);

// For each entry, whether another channel has the same receive frequency
// and receive code guard (channels without a frequency are no duplicates).
std::vector<bool> duplicateChannels(const std::vector<ChannelEntry>& entries);

// ---- Find ---------------------------------------------------------------------------
enum class FindKind { Text, Frequency, CodeGuard };
struct FindQuery {
    FindKind kind = FindKind::Text;
    std::string text;
};
// Whether a channel matches: a text in any of its texts (case ignored); a
// frequency (the grid's shorthand: 16240 is 162.4 MHz) as its receive or
// transmit frequency; a code guard (as the grid reads it: 67 is 067.0) as
// its receive or transmit code guard.
bool findMatches(const FindQuery& query, const ChannelEntry& entry);
// The next matching channel after `from` in group and channel order, coming
// round after the last channel of group 15 (`from` itself last); nothing
// when no channel matches.
std::optional<ChannelRef> findNext(const std::vector<ChannelEntry>& entries, ChannelRef from, const FindQuery& query);

}  // namespace orv
