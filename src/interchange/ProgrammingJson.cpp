#include "interchange/ProgrammingJson.h"
#include <algorithm>

#include <cctype>
#include <set>
#include <unordered_set>
#include <vector>
#include "image/FieldError.h"
#include "image/FieldRules.h"
#include "image/NumText.h"
#include "image/clsGlobals.h"
#include "image/clsGroup.h"
#include "image/FieldTable.h"

namespace orv {

namespace {

using Entries = const std::vector<std::string>& (*)();

// The fields and their keys come from the one field table.
using fields::Entries;
using fields::GroupKind;
constexpr const char* kRotaryKey = "rotary";
constexpr const char* kGroupNumberKey = "group";
constexpr const char* kChannelsKey = "channels";
constexpr const char* kChanKey = fields::kChanColumn;

// ---------------------------------------------------------------- helpers

std::string show(const Json& v) { return jsonExcerpt(v); }

// "prefix.key", with the key quoted when it is not a plain name.
std::string member(const std::string& prefix, const std::string& key) {
    bool plain = !key.empty();
    for (char ch : key)
        if (!(std::isalnum(static_cast<unsigned char>(ch)) || ch == '_')) plain = false;
    std::string k = plain ? key : show(Json(key));
    return prefix.empty() ? k : prefix + "." + k;
}
std::string element(const std::string& prefix, std::size_t i) { return prefix + "[" + std::to_string(i) + "]"; }

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
        if (!known(it.key())) throw FieldError(member(prefix, it.key()), show(it.value()), "unknown key");
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
    refuseUnknownKeys(obj, path, [](const std::string& k) {
        if (k == kRotaryKey) return true;
        for (const auto& f : fields::globalHeadLists()) if (k == f.name) return true;
        for (const auto& f : fields::globalTailLists()) if (k == f.name) return true;
        return false;
    });
    for (const auto& f : fields::globalHeadLists())
        if (const Json* v = given(obj, f.name)) g.*f.member = parseList(*v, f.entries, member(path, f.name));
    for (const auto& f : fields::globalTailLists())
        if (const Json* v = given(obj, f.name)) g.*f.member = parseList(*v, f.entries, member(path, f.name));

    if (const Json* rot = given(obj, kRotaryKey)) {
        const std::string rpath = member(path, kRotaryKey);
        expectArray(*rot, rpath, kRotaryPositions, kRotaryPositions);
        for (std::size_t p = 0; p < rot->size(); ++p) {
            const Json& pos = (*rot)[p];
            if (pos.is_null()) continue;
            const std::string ppath = element(rpath, p);
            expectObject(pos, ppath);
            refuseUnknownKeys(pos, ppath, [](const std::string& k) {
                for (const auto& f : fields::rotaryFields()) if (k == f.name) return true;
                return false;
            });
            for (const auto& f : fields::rotaryFields()) {
                const Json* v = given(pos, f.name);
                if (!v) continue;
                const std::string fpath = member(ppath, f.name);
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
        const std::string cpath = element(path, c);
        expectObject(ch, cpath);
        refuseUnknownKeys(ch, cpath, [](const std::string& k) {
            if (k == kChanKey) return true;
            for (const auto& f : fields::cellFields()) if (k == f.name) return true;
            for (const auto& f : fields::channelChecks()) if (k == f.name) return true;
            return false;
        });
        // "Chan" is the row's number; it is not imported, but a number that
        // does not match the row shows the rows are out of order.
        if (const Json* n = given(ch, kChanKey)) {
            if (!n->is_number_integer() || n->get<long long>() != static_cast<long long>(c + 1))
                throw FieldError(member(cpath, kChanKey), show(*n),
                                     "must be the channel's number " + std::to_string(c + 1));
        }
        for (const auto& f : fields::cellFields()) {
            const Json* v = given(ch, f.name);
            if (!v) continue;
            const std::string fpath = member(cpath, f.name);
            std::string text = parseText(*v, fpath);
            std::string& cell = grid.cells[c][static_cast<std::size_t>(f.column)];
            checkText(f.rule, text, cell, fpath);
            cell = std::move(text);
        }
        for (const auto& f : fields::channelChecks())
            if (const Json* v = given(ch, f.name)) (grid.*f.member)[c] = parseCheck(*v, member(cpath, f.name));
    }
}

void applyGroup(const Json& obj, GroupView& v, const std::string& path) {
    for (const auto& f : fields::groupFields()) {
        const Json* val = given(obj, f.name);
        if (!val) continue;
        const std::string fpath = member(path, f.name);
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
    if (const Json* ch = given(obj, kChannelsKey)) applyChannels(*ch, v.channels, member(path, kChannelsKey));
}

void applyGroups(const Json& arr, std::array<GroupView, kGroups>& groups, const std::string& path) {
    expectArray(arr, path, 0, kGroups);
    std::set<int> seen;
    for (std::size_t i = 0; i < arr.size(); ++i) {
        const Json& obj = arr[i];
        const std::string gpath = element(path, i);
        if (obj.is_null()) continue;
        expectObject(obj, gpath);
        refuseUnknownKeys(obj, gpath, [](const std::string& k) {
            if (k == kGroupNumberKey || k == kChannelsKey) return true;
            for (const auto& f : fields::groupFields()) if (k == f.name) return true;
            return false;
        });
        // The group number says which group an entry is; without it the
        // position does, which is only unambiguous for a full list of 15.
        int number = 0;
        if (const Json* n = given(obj, kGroupNumberKey)) {
            if (!n->is_number_integer() || n->get<long long>() < 1 || n->get<long long>() > kGroups)
                throw FieldError(member(gpath, kGroupNumberKey), show(*n), "unknown group number (1 to 15)");
            number = static_cast<int>(n->get<long long>());
        } else if (arr.size() == static_cast<std::size_t>(kGroups)) {
            number = static_cast<int>(i) + 1;
        } else {
            throw FieldError(member(gpath, kGroupNumberKey), "null",
                                 "group number missing (needed when fewer than 15 groups are given)");
        }
        if (!seen.insert(number).second)
            throw FieldError(member(gpath, kGroupNumberKey), std::to_string(number), "group given twice");
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

// ---------------------------------------------------------------- reading

namespace orv {

namespace {

constexpr std::size_t kExcerptChars = 40;
const char* const kEllipsis = "\u2026";

// Length of the longest prefix of `s` with at most `limit` bytes that does
// not end inside a UTF-8 sequence.
std::size_t utf8Prefix(std::string_view s, std::size_t limit) {
    if (s.size() <= limit) return s.size();
    std::size_t n = limit;
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
    return n;
}

// Appends the JSON text of `v` to `out` until `out` holds `limit` bytes;
// false when it had to stop. Each level writes at least one character before
// it descends, so the recursion is never deeper than `limit`.
bool dumpLimited(const Json& v, std::string& out, std::size_t limit) {
    if (out.size() >= limit) return false;
    if (v.is_string()) {
        const auto& s = v.get_ref<const std::string&>();
        // Escaping never shortens a text: a prefix of `limit` bytes is enough.
        const std::size_t room = limit - out.size();
        const std::size_t n = utf8Prefix(s, room);
        out += Json(s.substr(0, n)).dump(-1, ' ', false, Json::error_handler_t::replace);
        if (n < s.size()) {
            out.pop_back();  // the closing quote of a cut text
            return false;
        }
        return out.size() <= limit;
    }
    if (v.is_array()) {
        out += '[';
        bool first = true;
        for (const Json& e : v) {
            if (!first) out += ',';
            first = false;
            if (!dumpLimited(e, out, limit)) return false;
        }
        out += ']';
        return out.size() <= limit;
    }
    if (v.is_object()) {
        out += '{';
        bool first = true;
        for (auto it = v.begin(); it != v.end(); ++it) {
            if (!first) out += ',';
            first = false;
            if (!dumpLimited(Json(it.key()), out, limit)) return false;
            out += ':';
            if (!dumpLimited(it.value(), out, limit)) return false;
        }
        out += '}';
        return out.size() <= limit;
    }
    out += v.dump(-1, ' ', false, Json::error_handler_t::replace);
    return out.size() <= limit;
}

// The start of a raw text (not JSON), "…" when cut.
std::string excerptText(std::string_view text) {
    const std::size_t n = utf8Prefix(text, kExcerptChars);
    std::string out(text.substr(0, n));
    if (n < text.size()) out += kEllipsis;
    return out;
}

// The excerpt of a text as a JSON string, without copying more of it than
// the excerpt can show.
std::string quotedExcerpt(std::string_view text) {
    const std::size_t n = utf8Prefix(text, kExcerptChars + 8);
    std::string out = jsonExcerpt(Json(std::string(text.substr(0, n))));
    // A cut prefix always ends up longer than the excerpt, so it carries the mark.
    return out;
}

// Builds the document as nlohmann's own DOM parser does, with the limits of
// a programming document checked as the text is read. Objects are appended
// to directly (the ordered map would search all earlier keys on every
// insertion); a set per open object catches a key given twice.
class LimitedDomBuilder : public nlohmann::json_sax<Json> {
public:
    Json root;
    // Set when the document was refused: the place, the value and the reason.
    bool refused = false;
    std::string field, value, reason;
    std::string syntaxMessage;

    bool null() override { return put(Json(nullptr)); }
    bool boolean(bool v) override { return put(Json(v)); }
    bool number_integer(number_integer_t v) override { return put(Json(v)); }
    bool number_unsigned(number_unsigned_t v) override { return put(Json(v)); }
    bool number_float(number_float_t v, const string_t&) override { return put(Json(v)); }
    bool string(string_t& v) override {
        if (v.size() > kMaxJsonTextBytes)
            return refuse(place(), quotedExcerpt(v), textTooLong());
        return put(Json(std::move(v)));
    }
    bool binary(binary_t&) override { return refuse(place(), "", "binary values are not JSON text"); }

    bool start_object(std::size_t) override { return open(Json::object()); }
    bool start_array(std::size_t) override { return open(Json::array()); }
    bool end_object() override { return close(); }
    bool end_array() override { return close(); }

    bool key(string_t& k) override {
        Frame& f = frames_.back();
        if (k.size() > kMaxJsonTextBytes) return refuse(path(), quotedExcerpt(k), "key too long");
        if (!f.keys.insert(k).second) return refuse(memberPath(path(), k), quotedExcerpt(k), "key given twice");
        auto& members = f.node->get_ref<Json::object_t&>();
        members.emplace_back(k, nullptr);  // no search: the set has ruled out a duplicate
        f.key = std::move(k);
        f.slot = &members.back().second;
        return true;
    }

    bool parse_error(std::size_t, const std::string& lastToken, const nlohmann::detail::exception& ex) override {
        if (ex.id == 406) return refuse(place(), excerptText(lastToken), "number too large to read");
        std::string what = ex.what();
        // Drop the library's "[json.exception.parse_error.NNN] " tag, and
        // shorten the text it quotes as "last read".
        if (auto close = what.find("] "); what.rfind("[json.exception.", 0) == 0 && close != std::string::npos)
            what.erase(0, close + 2);
        const std::string mark = "; last read: '";
        if (auto at = what.find(mark); at != std::string::npos) {
            std::string token = what.substr(at + mark.size());
            if (!token.empty() && token.back() == '\'') token.pop_back();
            what = what.substr(0, at) + mark + excerptText(token) + "'";
        }
        syntaxMessage = what;
        return false;
    }

private:
    struct Frame {
        Json* node;
        std::unordered_set<std::string> keys;  // objects only
        std::string key;                       // objects: the key of the value being read
        Json* slot = nullptr;                  // objects: where that value goes
    };

    static std::string textTooLong() {
        return "text too long (no text of a programming document has more than " +
               std::to_string(kMaxJsonTextBytes) + " bytes)";
    }

    bool refuse(std::string where, std::string what, std::string why) {
        refused = true;
        field = where.empty() ? "(document)" : std::move(where);
        value = std::move(what);
        reason = std::move(why);
        return false;
    }

    // The path of the open containers, as the import's messages write it.
    std::string path() const {
        std::string p;
        for (std::size_t i = 0; i + 1 < frames_.size(); ++i) p = step(p, frames_[i]);
        return p;
    }
    // The path of the value about to be read.
    std::string place() const {
        if (frames_.empty()) return "";
        std::string p = path();
        const Frame& f = frames_.back();
        if (f.node->is_object()) return memberPath(p, f.key);
        return p + "[" + std::to_string(f.node->size()) + "]";
    }
    // The path of the child being read in `f` (the last one appended).
    static std::string step(const std::string& p, const Frame& f) {
        if (f.node->is_object()) return memberPath(p, f.key);
        return p + "[" + std::to_string(f.node->size() - 1) + "]";
    }
    static std::string memberPath(const std::string& p, const std::string& k) {
        bool plain = !k.empty();
        for (char ch : k)
            if (!(std::isalnum(static_cast<unsigned char>(ch)) || ch == '_')) plain = false;
        std::string name;
        if (plain) {
            name = k;
        } else {   // quoted, the text appended to the quote
            name = '"';
            name += excerptText(k);
            name += '"';
        }
        return p.empty() ? name : p + "." + name;
    }

    // Where the next value goes; nullptr before the root.
    Json* slot() {
        if (frames_.empty()) return nullptr;
        Frame& f = frames_.back();
        if (f.node->is_array()) {
            f.node->push_back(nullptr);
            return &f.node->back();
        }
        return f.slot;
    }

    bool put(Json v) {
        if (Json* s = slot()) *s = std::move(v);
        else root = std::move(v);
        return true;
    }

    bool open(Json container) {
        if (static_cast<int>(frames_.size()) >= kMaxJsonDepth)
            return refuse(place(), container.is_object() ? "{\u2026" : "[\u2026",
                          "nested too deeply (a programming document has at most " + std::to_string(kMaxJsonDepth) +
                              " levels of objects and arrays)");
        Json* s = slot();
        if (!s) s = &root;
        *s = std::move(container);
        frames_.push_back(Frame{s, {}, {}, nullptr});
        return true;
    }

    bool close() {
        frames_.pop_back();
        return true;
    }

    std::vector<Frame> frames_;
};

}  // namespace

std::string jsonExcerpt(const Json& v) {
    std::string out;
    if (dumpLimited(v, out, kExcerptChars)) return out;
    out.resize(utf8Prefix(out, kExcerptChars));
    return out + kEllipsis;
}

Json parseJsonDocument(std::string_view text) {
    // The reader takes a NUL byte for the end of the text, so a document
    // followed by a NUL and anything at all would pass; no JSON text holds
    // a raw NUL byte, so one anywhere is refused with its place.
    if (const auto nul = text.find('\0'); nul != std::string_view::npos) {
        const std::string_view before = text.substr(0, nul);
        const auto line = 1 + std::count(before.begin(), before.end(), '\n');
        const auto lastBreak = before.rfind('\n');
        const auto column = lastBreak == std::string_view::npos ? nul + 1 : nul - lastBreak;
        throw JsonSyntaxError("syntax error at line " + std::to_string(line) + ", column " + std::to_string(column) +
                              ": a NUL byte is not JSON text");
    }
    LimitedDomBuilder builder;
    const bool ok = Json::sax_parse(text.begin(), text.end(), &builder, nlohmann::detail::input_format_t::json,
                                    /*strict=*/true, /*ignore_comments=*/false);
    if (builder.refused) throw FieldError(builder.field, builder.value, builder.reason);
    if (!ok) throw JsonSyntaxError(builder.syntaxMessage.empty() ? "malformed JSON" : builder.syntaxMessage);
    return std::move(builder.root);
}

}  // namespace orv
