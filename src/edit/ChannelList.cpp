#include "edit/ChannelList.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <regex>
#include <tuple>
#include "edit/FrequencyCheck.h"
#include "image/FieldRules.h"
#include "image/NumText.h"
#include "image/Programming.h"

namespace orv {

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool isNumberColumn(int column) {
    return column == lcGroup || column == lcChan || column == lcRecFreq || column == lcTxFreq || isFlagColumn(column);
}

double columnNumber(const ChannelEntry& e, int column) {
    switch (column) {
    case lcGroup: return e.at.group;
    case lcChan: return e.at.channel;
    case lcRecFreq: return e.recMHz;
    case lcTxFreq: return e.txMHz;
    default: return isFlagColumn(column) ? e.flag(column) : 0;
    }
}

// Frequencies compare in whole hertz, so that two texts of one frequency are equal.
long long hertz(double mhz) { return std::llround(mhz * 1e6); }

// A code guard's value as the codec reads its text: none, a tone in
// tenths of a hertz, or a digital code (inverted or not).
std::optional<std::tuple<int, int, bool>> codeGuardKey(const std::string& text) {
    const auto cg = readCodeGuardText(text);
    if (!cg) return std::nullopt;
    switch (cg->form) {
    case CodeGuardText::Form::None: return std::tuple{0, 0, false};
    case CodeGuardText::Form::Tone: return std::tuple{1, cg->tenths(), false};
    case CodeGuardText::Form::Digital: return std::tuple{2, static_cast<int>(numericValue(cg->code)), cg->inverted};
    }
    return std::nullopt;
}

}  // namespace

int gridColumnOf(int listColumn) {
    return listColumn >= lcRecFreq && listColumn <= lcChLabel ? listColumn - lcRecFreq + colRecFreq : -1;
}

bool isFlagColumn(int listColumn) { return listColumn >= lcLowPower && listColumn <= lcScan; }

bool isEditableColumn(int listColumn) { return gridColumnOf(listColumn) >= 0 || isFlagColumn(listColumn); }

const char* listColumnName(int listColumn) {
    static constexpr const char* kNames[kListColumns] = {"Group",     "Chan",        "Rec Freq",  "Rec CG",
                                                         "Tx Freq",   "Tx CG",       "Ch Label",  "Low Power",
                                                         "Narrow Band", "SCAN List", "Group Label"};
    return listColumn >= 0 && listColumn < kListColumns ? kNames[listColumn] : "";
}

std::vector<ChannelEntry> listChannels(const MemoryImage& image) {
    const Programming prog = decodeProgramming(image);
    std::vector<ChannelEntry> list;
    list.reserve(static_cast<std::size_t>(kGroups * kChannels));
    for (int g = 0; g < kGroups; ++g) {
        const GroupView& group = prog.groups[static_cast<std::size_t>(g)];
        for (int c = 0; c < kChannels; ++c) {
            const auto& cells = group.channels.cells[static_cast<std::size_t>(c)];
            ChannelEntry e;
            e.at = {g, c};
            e.recMHz = numericValue(cells[colRecFreq]);
            e.txMHz = numericValue(cells[colTxFreq]);
            e.flags = {group.channels.chkLoPower[static_cast<std::size_t>(c)],
                       group.channels.chkNarr[static_cast<std::size_t>(c)],
                       group.channels.chkScan[static_cast<std::size_t>(c)]};
            e.texts[lcGroup] = std::to_string(g + 1);
            e.texts[lcChan] = std::to_string(c + 1);
            e.texts[lcRecFreq] = formatFreqCell(e.recMHz);
            e.texts[lcRecCG] = cells[colRecCG];
            e.texts[lcTxFreq] = formatFreqCell(e.txMHz);
            e.texts[lcTxCG] = cells[colTxCG];
            e.texts[lcChLabel] = cells[colChLabel];
            for (int f = lcLowPower; f <= lcScan; ++f) e.texts[static_cast<std::size_t>(f)] = std::to_string(e.flag(f));
            e.texts[lcGroupLabel] = group.txtGrpLab;
            list.push_back(std::move(e));
        }
    }
    return list;
}

bool listLess(const ChannelEntry& a, const ChannelEntry& b, int column) {
    if (isNumberColumn(column)) {
        const double x = columnNumber(a, column), y = columnNumber(b, column);
        if (x != y) return x < y;
    } else if (column >= 0 && column < kListColumns) {
        const std::string x = trimBlanks(a.texts[static_cast<std::size_t>(column)]);
        const std::string y = trimBlanks(b.texts[static_cast<std::size_t>(column)]);
        if (x != y) return x < y;
    }
    return listIndex(a.at) < listIndex(b.at);
}

ChannelFilter parseChannelFilter(const std::string& text) {
    ChannelFilter f;
    f.text = trimBlanks(text);
    static const std::regex range(R"(^\s*(\d+(?:\.\d*)?)\s*-\s*(\d+(?:\.\d*)?)\s*$)");
    std::smatch m;
    if (std::regex_match(f.text, m, range)) {
        const double a = numericValue(m[1].str()), b = numericValue(m[2].str());
        f.isRange = true;
        f.lowMHz = std::min(a, b);
        f.highMHz = std::max(a, b);
    }
    return f;
}

bool filterKeeps(const ChannelFilter& filter, const ChannelEntry& entry) {
    if (filter.text.empty()) return true;
    if (filter.isRange) {
        const long long lo = hertz(filter.lowMHz), hi = hertz(filter.highMHz);
        for (double mhz : {entry.recMHz, entry.txMHz}) {
            const long long hz = hertz(mhz);
            if (mhz != 0 && hz >= lo && hz <= hi) return true;
        }
        return false;
    }
    const std::string wanted = lower(filter.text);
    for (int c = 0; c < kListColumns; ++c) {
        if (isFlagColumn(c)) continue;   // a flag is a check box, not a text
        if (lower(entry.texts[static_cast<std::size_t>(c)]).find(wanted) != std::string::npos) return true;
    }
    return false;
}

std::vector<bool> duplicateChannels(const std::vector<ChannelEntry>& entries) {
    using Key = std::pair<long long, std::optional<std::tuple<int, int, bool>>>;
    std::map<Key, int> count;
    auto key = [](const ChannelEntry& e) { return Key{hertz(e.recMHz), codeGuardKey(e.texts[lcRecCG])}; };
    for (const ChannelEntry& e : entries)
        if (e.recMHz != 0) ++count[key(e)];
    std::vector<bool> dup(entries.size(), false);
    for (std::size_t i = 0; i < entries.size(); ++i)
        dup[i] = entries[i].recMHz != 0 && count[key(entries[i])] > 1;
    return dup;
}

bool findMatches(const FindQuery& query, const ChannelEntry& entry) {
    switch (query.kind) {
    case FindKind::Text: {
        const ChannelFilter f{trimBlanks(query.text)};
        return !f.text.empty() && filterKeeps(f, entry);
    }
    case FindKind::Frequency: {
        if (!isNumeric(query.text)) return false;
        const FrequencyCheck f = checkFrequency(numericValue(query.text));
        if (f.outcome != FrequencyCheck::Outcome::Store) return false;
        return hertz(entry.recMHz) == hertz(f.value) || hertz(entry.txMHz) == hertz(f.value);
    }
    case FindKind::CodeGuard: {
        const auto wanted = codeGuardKey(query.text);
        if (!wanted) return false;
        return codeGuardKey(entry.texts[lcRecCG]) == wanted || codeGuardKey(entry.texts[lcTxCG]) == wanted;
    }
    }
    return false;
}

std::optional<ChannelRef> findNext(const std::vector<ChannelEntry>& entries, ChannelRef from, const FindQuery& query) {
    const int n = static_cast<int>(entries.size());
    if (n == 0) return std::nullopt;
    const int start = std::clamp(listIndex(from), 0, n - 1);
    for (int step = 1; step <= n; ++step) {
        const ChannelEntry& e = entries[static_cast<std::size_t>((start + step) % n)];
        if (findMatches(query, e)) return e.at;
    }
    return std::nullopt;
}

}  // namespace orv
