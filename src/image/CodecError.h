#pragma once
#include <stdexcept>
#include <string>

namespace orv {

// Raised by a codec writer for a value its field cannot hold. The field's
// bytes are left as they were; fields written before it keep their new values.
class CodecError : public std::runtime_error {
public:
    CodecError(std::string field, std::string value, std::string why)
        : std::runtime_error(field + ": " + why + " (\"" + value + "\")"),
          field_(std::move(field)), value_(std::move(value)), reason_(std::move(why)) {}
    const std::string& field() const { return field_; }
    const std::string& value() const { return value_; }
    const std::string& reason() const { return reason_; }

private:
    std::string field_;
    std::string value_;
    std::string reason_;
};

}  // namespace orv
