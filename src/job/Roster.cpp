#include "job/Roster.h"

#include <algorithm>
#include <map>
#include "image/FieldError.h"
#include "image/MemoryMap.h"
#include "image/Programming.h"
#include "interchange/CsvRecords.h"
#include "interchange/ProgrammingJson.h"

namespace orv {

namespace {

// What a roster column sets: a field of one group, or of every group (0).
struct RosterColumn {
    std::string field;   // the group screen's control: txtID, txtPassWord, txtGrpLab
    int group = 0;
};

// "id", "id.3", "password", "password.12", "label.7"; none for anything else.
std::optional<RosterColumn> rosterColumn(const std::string& name) {
    static const std::map<std::string, std::pair<std::string, bool>> fields = {
        {"id", {"txtID", true}}, {"password", {"txtPassWord", true}}, {"label", {"txtGrpLab", false}}};
    const auto dot = name.find('.');
    const auto it = fields.find(name.substr(0, dot));
    if (it == fields.end()) return std::nullopt;
    if (dot == std::string::npos) {
        if (!it->second.second) return std::nullopt;   // a label is each group's own
        return RosterColumn{it->second.first, 0};
    }
    const std::string number = name.substr(dot + 1);
    if (number.empty() || number.size() > 2 || number[0] == '0' ||
        !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int group = std::stoi(number);
    if (group < 1 || group > memmap::kGroups) return std::nullopt;
    return RosterColumn{it->second.first, group};
}

Json groupValue(int group, const std::string& field, const std::string& value) {
    Json g = Json::object();
    g["group"] = group;
    g[field] = value;
    return g;
}

}  // namespace

Roster parseRoster(std::string_view text, const MemoryImage& templ) {
    const std::vector<csv::Record> records = csv::parseRecords(text);
    auto first = std::find_if(records.begin(), records.end(), [](const csv::Record& r) { return !r.blank; });
    if (first == records.end()) throw csv::fileError(0, "the roster is empty: it needs a header row with unit");
    const csv::Record& header = *first;
    int unitAt = -1;
    std::vector<std::optional<RosterColumn>> columns;
    std::set<std::string> names;
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string& name = header.fields[i];
        if (!names.insert(name).second) throw FieldError(header.row, name, name, "the column is named twice");
        if (name == "unit") {
            unitAt = static_cast<int>(i);
            columns.emplace_back();
            continue;
        }
        const auto column = rosterColumn(name);
        if (!column)
            throw FieldError(header.row, name, name,
                             "not a roster column (unit, id, id.N, password, password.N, label.N with N 1 to 15)");
        columns.push_back(column);
    }
    if (unitAt < 0) throw FieldError(header.row, "unit", "", "the roster needs a unit column");

    const Programming base = decodeProgramming(templ);
    Roster roster;
    std::set<std::string> units;
    for (auto rec = first + 1; rec != records.end(); ++rec) {
        if (rec->blank) continue;
        if (rec->fields.size() > header.fields.size())
            throw FieldError(rec->row, "", "", "the row has more fields than the header");
        const auto cell = [&](std::size_t i) { return i < rec->fields.size() ? rec->fields[i] : std::string(); };
        const std::string unit = cell(static_cast<std::size_t>(unitAt));
        if (unit.empty()) throw FieldError(rec->row, "unit", "", "every row needs a unit");
        if (!units.insert(unit).second) throw FieldError(rec->row, "unit", unit, "the unit is named twice");

        // The columns for every group first, so that a group's own wins.
        Programming prog = base;
        for (const bool own : {false, true}) {
            for (std::size_t i = 0; i < columns.size(); ++i) {
                if (!columns[i] || (columns[i]->group != 0) != own || cell(i).empty()) continue;
                Json groups = Json::array();
                for (int g = 1; g <= memmap::kGroups; ++g)
                    if (columns[i]->group == 0 || columns[i]->group == g)
                        groups.push_back(groupValue(g, columns[i]->field, cell(i)));
                Json doc = Json::object();
                doc["groups"] = std::move(groups);
                try {
                    applyJson(doc, prog);
                } catch (const FieldError& e) {
                    throw FieldError(rec->row, header.fields[i], cell(i), e.reason());
                }
            }
        }
        RosterRow row;
        row.row = rec->row;
        row.unit = unit;
        row.image = templ;
        encodeDocumentChanges(base, prog, row.image);
        roster.rows.push_back(std::move(row));
    }
    if (roster.rows.empty()) throw csv::fileError(header.row, "the roster has no rows below its header");
    return roster;
}

std::set<std::string> unitsDone(const RadioLogContents& log) {
    std::set<std::string> done;
    for (const RadioLogEntry& e : log.entries)
        if (e.operation == "write" && e.result == "ok" && e.verified == "yes" && !e.unit.empty()) done.insert(e.unit);
    return done;
}

RosterRows::RosterRows(const Roster& roster, const std::set<std::string>& done) : rows_(roster.rows) {
    for (const RosterRow& r : rows_) states_.push_back(done.count(r.unit) ? State::Done : State::Free);
}

std::optional<RosterRow> RosterRows::take() {
    std::lock_guard<std::mutex> lock(mutex_);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (states_[i] != State::Free) continue;
        states_[i] = State::Out;
        return rows_[i];
    }
    return std::nullopt;
}

void RosterRows::giveBack(const std::string& unit) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].unit == unit && states_[i] == State::Out) states_[i] = State::Free;
}

void RosterRows::finished(const std::string& unit) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].unit == unit) states_[i] = State::Done;
}

std::size_t RosterRows::freeRows() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<std::size_t>(std::count(states_.begin(), states_.end(), State::Free));
}

}  // namespace orv
