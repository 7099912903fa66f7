#include "interchange/BoundedJson.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>
#include <vector>
#include "image/FieldError.h"
#include "image/NumText.h"

namespace orv {

namespace {

constexpr std::size_t kExcerptChars = 40;

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
        return elementPath(p, f.node->size());
    }
    // The path of the child being read in `f` (the last one appended).
    static std::string step(const std::string& p, const Frame& f) {
        if (f.node->is_object()) return memberPath(p, f.key);
        return elementPath(p, f.node->size() - 1);
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
            return refuse(place(), (container.is_object() ? "{" : "[") + std::string(kEllipsis),
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

std::string memberPath(const std::string& prefix, std::string_view key) {
    bool plain = !key.empty();
    for (char ch : key)
        if (!(std::isalnum(static_cast<unsigned char>(ch)) || ch == '_')) plain = false;
    const std::string name = plain ? std::string(key) : quotedExcerpt(key);
    return prefix.empty() ? name : prefix + "." + name;
}

std::string elementPath(const std::string& prefix, std::size_t index) {
    return prefix + "[" + std::to_string(index) + "]";
}

std::string jsonExcerpt(const Json& v) {
    std::string out;
    if (dumpLimited(v, out, kExcerptChars)) return out;
    out.resize(utf8Prefix(out, kExcerptChars));
    out += kEllipsis;
    return out;
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
