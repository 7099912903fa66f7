#include "interchange/ProgrammingJson.h"

#include <algorithm>
#include <set>
#include <vector>
#include "image/FieldError.h"
#include "image/FieldRules.h"
#include "image/NumText.h"
#include "image/clsGlobals.h"
#include "image/clsGroup.h"
#include "image/FieldTable.h"

namespace orv {

namespace {

// The fields and their keys come from the one field table.
using fields::Entries;
using fields::GroupKind;
constexpr const char* kRotaryKey = "rotary";
constexpr const char* kGroupNumberKey = "group";
constexpr const char* kChannelsKey = "channels";
constexpr const char* kChanKey = fields::kChanColumn;

// ---------------------------------------------------------------- helpers

std::string show(const Json& v) { return jsonExcerpt(v); }

Json listText(int index, Entries entries) {
    const auto& e = entries();
    if (index < 0 || index >= static_cast<int>(e.size())) return nullptr;
    return e[static_cast<std::size_t>(index)];
}

int parseList(const Json& v, Entries entries, const std::string& field) {
    if (v.is_string()) {
        int i = lists::indexOf(entries(), v.get<std::string>());
        if (i >= 0) return i;
    }
    const auto& e = entries();
    std::string choices;
    if (e.size() <= 8) {
        for (const auto& s : e) choices += (choices.empty() ? "" : ", ") + show(Json(s));
        choices = " (" + choices + ")";
    }
    throw FieldError(field, show(v), "not an entry of the list" + choices);
}

int parseCheck(const Json& v, const std::string& field) {
    if (v.is_number_integer()) {
        auto n = v.get<long long>();
        if (n >= 0 && n <= 2) return static_cast<int>(n);
    }
    throw FieldError(field, show(v), "a check box is 0, 1 or 2");
}

std::string parseText(const Json& v, const std::string& field) {
    if (!v.is_string()) throw FieldError(field, show(v), "must be a text");
    return v.get<std::string>();
}

const Json& expectObject(const Json& v, const std::string& field) {
    if (!v.is_object()) throw FieldError(field, show(v), "must be an object");
    return v;
}

const Json& expectArray(const Json& v, const std::string& field, std::size_t minSize, std::size_t maxSize) {
    if (!v.is_array()) throw FieldError(field, show(v), "must be an array");
    if (v.size() < minSize || v.size() > maxSize) {
        std::string want = minSize == maxSize ? std::to_string(minSize)
                                              : std::to_string(minSize) + " to " + std::to_string(maxSize);
        throw FieldError(field, std::to_string(v.size()) + " entries", "must have " + want + " entries");
    }
    return v;
}

// Refuses every key of `obj` that `known` does not list, so a misspelt key
// never silently does nothing.
template <typename Known>
void refuseUnknownKeys(const Json& obj, const std::string& prefix, Known known) {
    for (auto it = obj.begin(); it != obj.end(); ++it)
        if (!known(it.key())) throw FieldError(memberPath(prefix, it.key()), show(it.value()), "unknown key");
}

// Whether `key` names a field of `table`.
template <typename Table>
bool namesField(const Table& table, const std::string& key) {
    return std::any_of(table.begin(), table.end(), [&](const auto& f) { return key == f.name; });
}

// The value of `key`, or nullptr when it is absent or null (keep the old value).
const Json* given(const Json& obj, const char* key) {
    auto it = obj.find(key);
    if (it == obj.end() || it->is_null()) return nullptr;
    return &*it;
}

// ---------------------------------------------------------------- export

Json globalsToJson(const GlobalsView& g) {
    Json out = Json::object();
    for (const auto& f : fields::globalHeadLists()) out[f.name] = listText(g.*f.member, f.entries);
    Json rotary = Json::array();
    for (int p = 0; p < kRotaryPositions; ++p) {
        Json pos = Json::object();
        for (const auto& f : fields::rotaryFields()) {
            int v = (g.*f.member)[static_cast<std::size_t>(p)];
            pos[f.name] = f.entries ? listText(v, f.entries) : Json(v);
        }
        rotary.push_back(std::move(pos));
    }
    out[kRotaryKey] = std::move(rotary);
    for (const auto& f : fields::globalTailLists()) out[f.name] = listText(g.*f.member, f.entries);
    return out;
}

Json groupToJson(const GroupView& v, int g) {
    Json out = Json::object();
    out[kGroupNumberKey] = g + 1;
    for (const auto& f : fields::groupFields()) {
        switch (f.kind) {
        case GroupKind::Text:
        case GroupKind::ListText: out[f.name] = v.*f.text; break;
        case GroupKind::List: out[f.name] = listText(v.*f.number, f.entries); break;
        case GroupKind::Check: out[f.name] = v.*f.number; break;
        case GroupKind::Option:
            out[f.name] = (v.*f.optFirst) ? Json(f.firstCaption) : (v.*f.optSecond) ? Json(f.secondCaption) : Json();
            break;
        }
    }
    Json channels = Json::array();
    for (int c = 0; c < kChannels; ++c) {
        const auto ci = static_cast<std::size_t>(c);
        Json ch = Json::object();
        ch[kChanKey] = c + 1;
        for (const auto& f : fields::cellFields()) ch[f.name] = v.channels.cells[ci][static_cast<std::size_t>(f.column)];
        for (const auto& f : fields::channelChecks()) ch[f.name] = (v.channels.*f.member)[ci];
        channels.push_back(std::move(ch));
    }
    out[kChannelsKey] = std::move(channels);
    return out;
}

// ---------------------------------------------------------------- import

void applyGlobals(const Json& obj, GlobalsView& g, const std::string& path) {
    expectObject(obj, path);
    const auto lists = {&fields::globalHeadLists(), &fields::globalTailLists()};
    refuseUnknownKeys(obj, path, [&](const std::string& k) {
        return k == kRotaryKey || std::any_of(lists.begin(), lists.end(), [&](auto* t) { return namesField(*t, k); });
    });
    for (const auto* table : lists)
        for (const auto& f : *table)
            if (const Json* v = given(obj, f.name)) g.*f.member = parseList(*v, f.entries, memberPath(path, f.name));

    if (const Json* rot = given(obj, kRotaryKey)) {
        const std::string rpath = memberPath(path, kRotaryKey);
        expectArray(*rot, rpath, kRotaryPositions, kRotaryPositions);
        for (std::size_t p = 0; p < rot->size(); ++p) {
            const Json& pos = (*rot)[p];
            if (pos.is_null()) continue;
            const std::string ppath = elementPath(rpath, p);
            expectObject(pos, ppath);
            refuseUnknownKeys(pos, ppath, [](const std::string& k) { return namesField(fields::rotaryFields(), k); });
            for (const auto& f : fields::rotaryFields()) {
                const Json* v = given(pos, f.name);
                if (!v) continue;
                const std::string fpath = memberPath(ppath, f.name);
                (g.*f.member)[p] = f.entries ? parseList(*v, f.entries, fpath) : parseCheck(*v, fpath);
            }
        }
    }
}

// Refuses a text its field's rule refuses. A text equal to what the field
// holds is kept, so that the export of an image read from a radio imports
// again unchanged.
void checkText(FieldKind rule, const std::string& text, const std::string& current, const std::string& field) {
    if (const Refusal why = fieldRefusal(rule, text, current)) throw FieldError(field, show(Json(text)), *why);
}

void applyChannels(const Json& arr, ChannelGridView& grid, const std::string& path) {
    expectArray(arr, path, kChannels, kChannels);
    for (std::size_t c = 0; c < arr.size(); ++c) {
        const Json& ch = arr[c];
        if (ch.is_null()) continue;
        const std::string cpath = elementPath(path, c);
        expectObject(ch, cpath);
        refuseUnknownKeys(ch, cpath, [](const std::string& k) {
            return k == kChanKey || namesField(fields::cellFields(), k) || namesField(fields::channelChecks(), k);
        });
        // "Chan" is the row's number; it is not imported, but a number that
        // does not match the row shows the rows are out of order.
        if (const Json* n = given(ch, kChanKey)) {
            if (!n->is_number_integer() || n->get<long long>() != static_cast<long long>(c + 1))
                throw FieldError(memberPath(cpath, kChanKey), show(*n),
                                     "must be the channel's number " + std::to_string(c + 1));
        }
        for (const auto& f : fields::cellFields()) {
            const Json* v = given(ch, f.name);
            if (!v) continue;
            const std::string fpath = memberPath(cpath, f.name);
            std::string text = parseText(*v, fpath);
            std::string& cell = grid.cells[c][static_cast<std::size_t>(f.column)];
            checkText(f.rule, text, cell, fpath);
            cell = std::move(text);
        }
        for (const auto& f : fields::channelChecks())
            if (const Json* v = given(ch, f.name)) (grid.*f.member)[c] = parseCheck(*v, memberPath(cpath, f.name));
    }
}

void applyGroup(const Json& obj, GroupView& v, const std::string& path) {
    for (const auto& f : fields::groupFields()) {
        const Json* val = given(obj, f.name);
        if (!val) continue;
        const std::string fpath = memberPath(path, f.name);
        switch (f.kind) {
        case GroupKind::Text: {
            std::string text = parseText(*val, fpath);
            checkText(f.rule, text, v.*f.text, fpath);
            v.*f.text = std::move(text);
            break;
        }
        case GroupKind::ListText: parseList(*val, f.entries, fpath); v.*f.text = val->get<std::string>(); break;
        case GroupKind::List: v.*f.number = parseList(*val, f.entries, fpath); break;
        case GroupKind::Check: v.*f.number = parseCheck(*val, fpath); break;
        case GroupKind::Option: {
            bool first = val->is_string() && val->get<std::string>() == f.firstCaption;
            bool second = val->is_string() && val->get<std::string>() == f.secondCaption;
            if (!first && !second)
                throw FieldError(fpath, show(*val),
                                     std::string("must be \"") + f.firstCaption + "\" or \"" + f.secondCaption + "\"");
            v.*f.optFirst = first;
            v.*f.optSecond = second;
            break;
        }
        }
    }
    if (const Json* ch = given(obj, kChannelsKey)) applyChannels(*ch, v.channels, memberPath(path, kChannelsKey));
}

void applyGroups(const Json& arr, std::array<GroupView, kGroups>& groups, const std::string& path) {
    expectArray(arr, path, 0, kGroups);
    std::set<int> seen;
    for (std::size_t i = 0; i < arr.size(); ++i) {
        const Json& obj = arr[i];
        const std::string gpath = elementPath(path, i);
        if (obj.is_null()) continue;
        expectObject(obj, gpath);
        refuseUnknownKeys(obj, gpath, [](const std::string& k) {
            return k == kGroupNumberKey || k == kChannelsKey || namesField(fields::groupFields(), k);
        });
        // The group number says which group an entry is; without it the
        // position does, which is only unambiguous for a full list.
        int number = 0;
        if (const Json* n = given(obj, kGroupNumberKey)) {
            if (!n->is_number_integer() || n->get<long long>() < 1 || n->get<long long>() > kGroups)
                throw FieldError(memberPath(gpath, kGroupNumberKey), show(*n),
                                 "unknown group number (1 to " + std::to_string(kGroups) + ")");
            number = static_cast<int>(n->get<long long>());
        } else if (arr.size() == static_cast<std::size_t>(kGroups)) {
            number = static_cast<int>(i) + 1;
        } else {
            throw FieldError(memberPath(gpath, kGroupNumberKey), "null",
                             "group number missing (needed when fewer than " + std::to_string(kGroups) +
                                 " groups are given)");
        }
        if (!seen.insert(number).second)
            throw FieldError(memberPath(gpath, kGroupNumberKey), std::to_string(number), "group given twice");
        applyGroup(obj, groups[static_cast<std::size_t>(number - 1)], gpath);
    }
}

}  // namespace

// ---------------------------------------------------------------- public

void encodeDocumentChanges(const Programming& before, const Programming& after, MemoryImage& img) {
    try {
        encodeChangedFields(before, after, img);
    } catch (const FieldError& e) {
        throw FieldError(e.field(), show(Json(e.value())), e.reason());
    }
}

Json programmingToJson(const Programming& prog) {
    Json doc = Json::object();
    doc["globals"] = globalsToJson(prog.globals);
    Json groups = Json::array();
    for (int g = 0; g < kGroups; ++g) groups.push_back(groupToJson(prog.groups[static_cast<std::size_t>(g)], g));
    doc["groups"] = std::move(groups);
    return doc;
}

void applyJson(const Json& doc, Programming& prog) {
    expectObject(doc, "(document)");
    refuseUnknownKeys(doc, "", [](const std::string& k) { return k == "globals" || k == "groups"; });
    Programming work = prog;
    if (const Json* g = given(doc, "globals")) applyGlobals(*g, work.globals, "globals");
    if (const Json* gs = given(doc, "groups")) applyGroups(*gs, work.groups, "groups");
    prog = std::move(work);
}

}  // namespace orv
