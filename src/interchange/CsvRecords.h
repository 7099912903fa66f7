// The records of the channel CSV: the columns of the layout and its header
// row, RFC 4180 text read into records, and a row written as one line. No
// channel meaning here: that is the row mapping's (ChannelCsvRow.h).
#pragma once
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>
#include "image/FieldError.h"

namespace orv::csv {

// The columns of the layout, in the order a file written by the export has them.
enum Col {
    cLocation, cName, cFrequency, cDuplex, cOffset, cTone, cRTone, cCTone, cDtcsCode, cDtcsPolarity,
    cRxDtcsCode, cCrossMode, cMode, cTStep, cSkip, cPower, cComment, cURCALL, cRPT1CALL, cRPT2CALL, cDVCODE,
    kColumns
};
// Their names in the header row.
inline constexpr std::array<std::string_view, kColumns> kColumnNames = {
    "Location", "Name", "Frequency", "Duplex", "Offset", "Tone", "rToneFreq", "cToneFreq", "DtcsCode",
    "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode", "TStep", "Skip", "Power", "Comment", "URCALL",
    "RPT1CALL", "RPT2CALL", "DVCODE"};

// Records end with CR LF in what the export writes.
inline constexpr std::string_view kLineEnd = "\r\n";

namespace detail {
// The names joined by commas, and a NUL.
constexpr std::size_t headerChars() {
    std::size_t n = 0;
    for (std::string_view name : kColumnNames) n += name.size() + 1;  // a comma after each, the NUL after the last
    return n;
}
constexpr std::array<char, headerChars()> joinNames() {
    std::array<char, headerChars()> out{};
    std::size_t at = 0;
    for (std::string_view name : kColumnNames) {
        if (at > 0) out[at++] = ',';
        for (char ch : name) out[at++] = ch;
    }
    return out;
}
inline constexpr auto kHeaderChars = joinNames();
}  // namespace detail

// The header row (without its line end): the column names separated by commas.
inline constexpr std::string_view kHeader{detail::kHeaderChars.data(), detail::kHeaderChars.size() - 1};

struct Record {
    int row;  // 1 for the first line of the text
    std::vector<std::string> fields;
    bool blank;  // an empty line
};

// A fault of the file as a whole, at `row` (no column).
FieldError fileError(int row, const std::string& reason);

// RFC 4180 records: fields separated by commas, double quotes around a field
// that holds commas, quotes (doubled) or line ends; CR LF, LF or CR between
// records. Throws FieldError for a quote out of place or not closed.
std::vector<Record> parseRecords(std::string_view text);

// One record as the export writes it: the fields joined by commas, quoted
// where they must be, then the line end.
std::string recordLine(std::span<const std::string> fields);

// Where each column stands in the header record (-1: absent). Throws
// FieldError for a column named twice and for a missing Location or Frequency.
std::array<int, kColumns> headerIndex(const Record& header);

}  // namespace orv::csv
