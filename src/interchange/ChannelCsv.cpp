// The channel CSV as a whole: the export of a group, and the import plan
// (where each row goes, what it changes, why a row cannot be imported). The
// records are CsvRecords', one row and its channel ChannelCsvRow's.
#include "interchange/ChannelCsv.h"

#include <algorithm>
#include <array>
#include <span>
#include <stdexcept>
#include <utility>
#include <vector>
#include "image/FieldError.h"
#include "image/NumText.h"
#include "image/Programming.h"
#include "image/TrNoop.h"
#include "image/Views.h"
#include "image/clsGroup.h"
#include "interchange/ChannelCsvRow.h"
#include "interchange/CsvRecords.h"

namespace orv {

namespace {

using namespace csv;

GroupView decodeGroup(const MemoryImage& img, int g) {
    if (g < 0 || g >= kGroups) throw std::out_of_range("group index " + std::to_string(g) + " outside 0.." + std::to_string(kGroups - 1));
    GroupView view;
    clsGroup(img, view).Read_Group(g);
    return view;
}

}  // namespace

std::string exportChannelCsv(const MemoryImage& img, int g) {
    const GroupView view = decodeGroup(img, g);
    std::string out = std::string(kHeader) + std::string(kLineEnd);
    for (int c = 0; c < kChannels; ++c)
        if (const auto row = exportRow(view, g, c)) out += recordLine(*row);
    return out;
}

namespace {

using namespace csv;

struct Planned {
    ChannelCsvPlan plan;
    std::vector<ChannelRow> rows;  // the rows to apply
};

bool isComment(const Record& rec) {
    return !rec.fields.empty() && !rec.fields[0].empty() && rec.fields[0][0] == '#';
}

Planned planRows(const GroupView& before, std::string_view text, const ChannelCsvOptions& options) {
    if (text.size() > kChannelCsvMaxBytes)
        throw fileError(0, "the file is larger than " + std::to_string(kChannelCsvMaxBytes >> 20) + " MiB");
    if (options.firstChannel < 0 || options.firstChannel > kChannels)
        throw std::out_of_range("first channel " + std::to_string(options.firstChannel) + " outside 1.." + std::to_string(kChannels));
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a byte order mark

    std::vector<Record> records = parseRecords(text);
    std::erase_if(records, [](const Record& rec) { return rec.blank || isComment(rec); });
    if (records.empty()) throw fileError(1, "the file is empty (it needs the header row)");
    const Record& header = records.front();
    const std::array<int, kColumns> index = headerIndex(header);
    const std::span<const Record> data(records.begin() + 1, records.end());

    // By Location only when every row names a distinct channel of the group.
    Planned out;
    ChannelCsvPlan& plan = out.plan;
    plan.placement = options.firstChannel == 0 ? CsvPlacement::ByLocation : CsvPlacement::FileOrder;
    plan.firstChannel = options.firstChannel == 0 ? 0 : options.firstChannel - 1;
    std::array<bool, kChannels> taken{};
    for (const Record& rec : data) {
        const auto i = static_cast<std::size_t>(index[cLocation]);
        const auto loc = i < rec.fields.size() ? parseLocation(trimBlanks(rec.fields[i])) : std::nullopt;
        if (!loc || *loc < 1 || *loc > kChannels || taken[static_cast<std::size_t>(*loc - 1)]) {
            plan.placement = CsvPlacement::FileOrder;
            break;
        }
        taken[static_cast<std::size_t>(*loc - 1)] = true;
    }

    int next = plan.firstChannel;
    for (const Record& rec : data) {
        CsvRowPlan p;
        p.row = rec.row;
        auto field = [&](Col c) {
            const int i = index[c];
            return i >= 0 && static_cast<std::size_t>(i) < rec.fields.size() ? rec.fields[static_cast<std::size_t>(i)]
                                                                               : std::string();
        };
        p.location = field(cLocation);
        p.name = field(cName);
        p.frequency = field(cFrequency);
        p.leftOut = std::find(options.leaveOut.begin(), options.leaveOut.end(), rec.row) != options.leaveOut.end();
        if (!p.leftOut) {
            try {
                if (rec.fields.size() < header.fields.size())
                    throw fileError(rec.row, "the row has " + std::to_string(rec.fields.size()) +
                                                 " fields, the header " + std::to_string(header.fields.size()));
                const Row r(rec.row, rec.fields, index);
                const auto loc = parseLocation(r.value(cLocation));
                if (!loc) r.refuse(cLocation, "a location is a whole number");
                const int target = plan.placement == CsvPlacement::ByLocation ? *loc - 1 : next;
                if (target >= kChannels)
                    r.refuse(cLocation, "there is no channel " + std::to_string(target + 1) + " (a group has " + std::to_string(kChannels) + ")");
                out.rows.push_back(parseRow(r, before.channels, target, options.fitNames, p.changes));
                p.channel = target;
                ++next;
            } catch (const FieldError& e) {
                p.unfit = e;
                p.changes.clear();
            }
        }
        plan.rows.push_back(std::move(p));
    }
    return out;
}

}  // namespace

std::string CsvRowPlan::outcome() const {
    if (leftOut) return ORV_TR_NOOP("ChannelCsv", "not imported");
    if (unfit) return "cannot be imported: " + unfitText();
    if (changes.empty()) return ORV_TR_NOOP("ChannelCsv", "fits");
    std::string text;
    for (const std::string& c : changes) text += (text.empty() ? "" : "; ") + c;
    return text;
}

std::string CsvRowPlan::unfitText() const {
    if (!unfit) return "";
    if (unfit->column().empty()) return unfit->reason();
    return "column " + unfit->column() + ": \"" + unfit->value() + "\": " + unfit->reason();
}

std::string ChannelCsvPlan::placementText() const {
    if (placement == CsvPlacement::ByLocation) return ORV_TR_NOOP("ChannelCsv", "rows placed by their Location");
    return "rows placed in file order from channel " + std::to_string(firstChannel + 1);
}

std::vector<const CsvRowPlan*> ChannelCsvPlan::unfitRows() const {
    std::vector<const CsvRowPlan*> out;
    for (const CsvRowPlan& r : rows)
        if (r.unfit) out.push_back(&r);
    return out;
}

ChannelCsvPlan planChannelCsv(const MemoryImage& img, int g, std::string_view text, const ChannelCsvOptions& options) {
    return planRows(decodeGroup(img, g), text, options).plan;
}

ChannelCsvImport importChannelCsv(const MemoryImage& img, int g, std::string_view text,
                                  const ChannelCsvOptions& options) {
    const GroupView before = decodeGroup(img, g);
    Planned planned = planRows(before, text, options);
    // Every row is checked before anything is applied.
    if (!options.skipUnfit)
        if (const auto unfit = planned.plan.unfitRows(); !unfit.empty()) throw *unfit.front()->unfit;

    GroupView after = before;
    for (const ChannelRow& ch : planned.rows) applyRow(ch, after.channels);

    // Only the fields that change are written, each through its own writer.
    ChannelCsvImport result{img, static_cast<int>(planned.rows.size()), std::move(planned.plan)};
    try {
        encodeChangedChannels(before.channels, after.channels, g, result.image);
    } catch (const FieldError& e) {
        // The rows were checked against the same limits; this is a fault.
        throw std::logic_error(std::string("a checked CSV value was refused by the channel codec: ") + e.what());
    }
    return result;
}

}  // namespace orv
