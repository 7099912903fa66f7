#pragma once
#include <stdexcept>
#include <string>

namespace orv {

// Raised by a codec writer for a value its field cannot hold. The field's
// bytes are left as they were; fields written before it keep their new values.
class CodecError : public std::runtime_error {
public:
    CodecError(std::string field, std::string value, const std::string& why)
        : std::runtime_error(field + ": " + why + " (\"" + value + "\")"),
          field_(std::move(field)), value_(std::move(value)) {}
    const std::string& field() const { return field_; }
    const std::string& value() const { return value_; }

private:
    std::string field_;
    std::string value_;
};

}  // namespace orv
