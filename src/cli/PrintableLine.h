// The one escaping of text for the terminal: every message, progress line
// and table row orvedit-cli prints passes printableLine, so a file name, a
// port name, a CSV cell or a JSON value can never move the cursor, recolour
// the terminal or cut a line short.
#pragma once
#include <cstddef>
#include <string>
#include "image/NumText.h"

namespace orvcli {

inline constexpr std::size_t kMaxMessageLineBytes = 1000;

// One line as the tool prints it on a terminal: line breaks become blanks;
// every other control byte (ESC, BEL, NUL, TAB, DEL, the 8-bit controls) and
// every byte that is not UTF-8 is shown as \xNN, so no file, CSV row or JSON
// value can move the cursor or recolour the terminal. A line longer than
// kMaxMessageLineBytes loses its middle to "…": the start (what and where)
// and the end (why) stay.
inline std::string printableLine(const std::string& text) {
    static const char hex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    auto escape = [&](unsigned char b) { out += {'\\', 'x', hex[b >> 4], hex[b & 0xF]}; };
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b == '\n' || b == '\r') { out += ' '; ++i; continue; }
        if (b < 0x20 || b == 0x7F) { escape(b); ++i; continue; }
        if (b < 0x80) { out += static_cast<char>(b); ++i; continue; }
        const std::size_t len = orv::utf8SequenceLength(text, i);
        bool valid = len != 0;
        // U+0080..U+009F are the 8-bit controls (CSI among them).
        if (valid && b == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) valid = false;
        if (!valid) { escape(b); ++i; continue; }
        out.append(text, i, len);
        i += len;
    }
    if (out.size() <= kMaxMessageLineBytes) return out;
    const std::size_t keep = (kMaxMessageLineBytes - orv::kEllipsis.size()) / 2;
    const std::size_t headEnd = orv::utf8Prefix(out, keep);
    std::size_t tailStart = out.size() - keep;
    while (tailStart < out.size() && (static_cast<unsigned char>(out[tailStart]) & 0xC0) == 0x80) ++tailStart;
    return out.substr(0, headEnd) + std::string(orv::kEllipsis) + out.substr(tailStart);
}

}  // namespace orvcli
