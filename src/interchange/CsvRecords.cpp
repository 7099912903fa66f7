#include "interchange/CsvRecords.h"

#include <utility>
#include "image/NumText.h"

namespace orv::csv {

namespace {

// A field quoted when it holds a comma, a quote or a line end.
std::string csvField(const std::string& v) {
    if (v.find_first_of(",\"\r\n") == std::string::npos) return v;
    std::string q = "\"";
    for (char c : v) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

// The columns a file must have; the others take their defaults when absent.
bool requiredColumn(int c) { return c == cLocation || c == cFrequency; }

}  // namespace

std::array<int, kColumns> headerIndex(const Record& header) {
    std::array<int, kColumns> index;
    index.fill(-1);
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string name = trimBlanks(header.fields[i]);
        for (int c = 0; c < kColumns; ++c) {
            if (name != kColumnNames[static_cast<std::size_t>(c)]) continue;
            if (index[static_cast<std::size_t>(c)] >= 0)
                throw FieldError(header.row, name, name, "the header names this column twice");
            index[static_cast<std::size_t>(c)] = static_cast<int>(i);
        }
    }
    for (int c = 0; c < kColumns; ++c)
        if (requiredColumn(c) && index[static_cast<std::size_t>(c)] < 0)
            throw FieldError(header.row, std::string(kColumnNames[static_cast<std::size_t>(c)]), "",
                             "the header has no such column (the first row must name the columns)");
    return index;
}

FieldError fileError(int row, const std::string& reason) { return FieldError(row, "", "", reason); }

std::vector<Record> parseRecords(std::string_view text) {
    std::vector<Record> records;
    std::vector<std::string> fields;
    std::string field;
    bool inQuotes = false, wasQuoted = false, afterQuote = false;
    int row = 1;
    auto endField = [&] {
        fields.push_back(std::move(field));
        field.clear();
        wasQuoted = afterQuote = false;
    };
    auto endRecord = [&] {
        const bool blank = fields.empty() && field.empty() && !wasQuoted;
        endField();
        records.push_back({row, std::move(fields), blank});
        fields.clear();
        ++row;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inQuotes) {
            if (c != '"') {
                field += c;
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else {
                inQuotes = false;
                afterQuote = true;
            }
            continue;
        }
        if (c == ',') {
            endField();
        } else if (c == '\r' || c == '\n') {
            endRecord();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (afterQuote) {
            throw fileError(row, "text after the closing quote of a field");
        } else if (c == '"') {
            if (!field.empty()) throw fileError(row, "a quote inside a field that does not start with one");
            inQuotes = wasQuoted = true;
        } else {
            field += c;
        }
    }
    if (inQuotes) throw fileError(row, "a quoted field is not closed");
    if (!fields.empty() || !field.empty() || wasQuoted) endRecord();
    return records;
}

std::string recordLine(std::span<const std::string> fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        line += csvField(fields[i]);
    }
    return line += kLineEnd;
}

}  // namespace orv::csv
