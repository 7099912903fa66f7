// The clipboard text of channel rows: per row the six cell texts as the grid
// shows them, then the scan, narrow-band and low-power check values as whole
// numbers, nine fields separated by tabs, the row ended by a carriage return
// and no line feed. "Copy All" is the 16 row texts one after another.
#pragma once
#include <array>
#include <string>
#include <vector>

namespace orv {

inline constexpr int kRowTextFields = 9;

std::string makeRowText(const std::array<std::string, 6>& cells, int scan, int narrow, int lowPower);

// The nine fields of one row text: each the text before the next tab, the
// last one the rest of the text (a trailing carriage return is not part of
// it). Fields the text does not have are empty.
std::array<std::string, kRowTextFields> splitRowText(const std::string& row);

// The rows of a "Copy All" text, `count` of them: each the text up to the
// next carriage return (the whole remaining text when there is none; empty
// once the text is used up).
std::vector<std::string> splitRows(const std::string& text, int count);

}  // namespace orv
