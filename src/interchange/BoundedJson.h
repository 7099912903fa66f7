// The bounded reader of a programming document: JSON text read in time
// linear in its length, without recursion, within the limits a programming
// document never comes near (size, depth, text length, a key given twice),
// and the short forms in which messages show a place and a value.
#pragma once
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <nlohmann/json.hpp>

namespace orv {

using Json = nlohmann::ordered_json;

// JSON text that is not well-formed; the message names line and column.
class JsonSyntaxError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The largest JSON document import reads: an export is well under 100 KB.
inline constexpr std::size_t kMaxJsonDocumentBytes = std::size_t{4} << 20;
// Objects and arrays nest at most this deep in a programming document
// (document, groups, group, channels, channel).
inline constexpr int kMaxJsonDepth = 5;
// No text of a programming document (key or value) is longer than this.
inline constexpr std::size_t kMaxJsonTextBytes = 256;

// Parses the text of a programming document in time linear in its length,
// without recursion. Refuses, as a FieldError naming the place, nesting
// deeper than kMaxJsonDepth (before building anything that deep), a key given
// twice in one object, a text longer than kMaxJsonTextBytes and a number too
// large to read; malformed text is a JsonSyntaxError.
Json parseJsonDocument(std::string_view text);

// At most about 40 characters of a value's JSON text, with "…" when cut, so
// that no refused value, however large or deep, makes a long message.
std::string jsonExcerpt(const Json& value);

// The place of a member in a document, as messages write it: "prefix.key",
// the key quoted (as a JSON text, cut like an excerpt) when it is not a plain
// name, and "prefix[i]" for an element.
std::string memberPath(const std::string& prefix, std::string_view key);
std::string elementPath(const std::string& prefix, std::size_t index);

}  // namespace orv
