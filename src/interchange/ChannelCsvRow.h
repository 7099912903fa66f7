// One CSV row and one channel of the grid, both ways: the row the export
// writes for a channel, and the channel a row of a file describes, checked
// with the field rules (image/FieldRules.h). Where the rows go is the
// import plan's (ChannelCsv.cpp).
#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>
#include "image/Views.h"
#include "interchange/CsvRecords.h"

namespace orv::csv {

// One row's values, with the row number for the errors it raises.
// A column the header does not name reads as what the common layout takes
// for it when absent; of the two tone columns, one alone serves as both.
class Row {
public:
    Row(int row, const std::vector<std::string>& fields, const std::array<int, kColumns>& index)
        : row_(row), fields_(fields), index_(index) {}
    int number() const { return row_; }
    const std::string& raw(Col c) const;
    std::string value(Col c) const;  // raw, without the blanks around it
    // Refuses the row: a FieldError with its row, the column and its value.
    [[noreturn]] void refuse(Col c, const std::string& reason) const;

private:
    int row_;
    const std::vector<std::string>& fields_;
    const std::array<int, kColumns>& index_;
};

// A code guard: none, a tone in tenths of a hertz (1..7999: the hundreds
// digit shares its nibble with the digital flag), or a three-digit octal
// digital code, normal or inverted.
struct Guard {
    enum class Kind { None, Tone, Dcs } kind = Kind::None;
    int tenths = 0;
    std::string code;  // "023"
    bool inverted = false;
    bool operator==(const Guard&) const = default;
};

// The channel a row describes, as the grid would show it.
struct ChannelRow {
    int channel = 0;
    std::string name;
    int rxCode = 0;
    int txCode = 0;
    Guard rx, tx;
    int narrow = 0;
    int scan = 1;
    int lowPower = 0;
};

// The row of channel c (0..15) of group g (0..14, decoded as `view`), or
// nothing for a channel without a receive frequency. Throws FieldError for a
// code guard word the layout cannot express (a tone whose digits are not
// decimal).
std::optional<std::array<std::string, kColumns>> exportRow(const GroupView& view, int g, int c);

// A Location: a whole number (0 and numbers above 16 are whole numbers too).
std::optional<int> parseLocation(const std::string& t);

// The channel `channel` (0..15) as the row describes it. `before` is the
// group as it is: a value a row gives that the channel already holds is kept
// without a check. Values adapted to the radio are added to `changes`.
// Throws the row's FieldError for a value the radio cannot hold.
ChannelRow parseRow(const Row& r, const ChannelGridView& before, int channel, bool fitNames,
                    std::vector<std::string>& changes);

// Puts a row into the grid view of its channel. A value the row gives that
// is what the export writes for the channel keeps the grid's text, so its
// bytes stay exactly as they are.
void applyRow(const ChannelRow& ch, ChannelGridView& v);

}  // namespace orv::csv
