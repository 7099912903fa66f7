// The one error for a value that cannot go into its field, whichever way it
// came: typed into a codec's view, read from a JSON document or from a row of
// a channel CSV file.
#pragma once
#include <stdexcept>
#include <string>

namespace orv {

class FieldError : public std::runtime_error {
public:
    // `field` names the field ("Ch 3 Rec CG", groups[0].txtID), `value` is
    // the value as the message shows it.
    FieldError(std::string field, std::string value, std::string reason);
    // A value of a CSV file: `row` is its row in the file (the header being
    // row 1; 0 for no row), `column` its header name (or another place, empty
    // for a fault of the file as a whole), `value` the raw text.
    FieldError(int row, std::string column, std::string value, std::string reason);

    // The whole text, also past a NUL byte of the value (what() ends there).
    const std::string& message() const { return message_; }
    const std::string& field() const { return field_; }
    const std::string& value() const { return value_; }
    const std::string& reason() const { return reason_; }
    int row() const { return row_; }
    // The CSV column; the same as field().
    const std::string& column() const { return field_; }

private:
    std::string message_;
    std::string field_;
    std::string value_;
    std::string reason_;
    int row_ = 0;
};

}  // namespace orv
