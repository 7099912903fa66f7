#include "image/FieldError.h"

namespace orv {

namespace {

// "field: reason: value" (without the value when there is none).
std::string describeField(const std::string& field, const std::string& value, const std::string& reason) {
    return field + ": " + reason + (value.empty() ? "" : ": " + value);
}

// "row R, column C: "V": reason", without the parts that are not given.
std::string describeCell(int row, const std::string& column, const std::string& value, const std::string& reason) {
    std::string where = row > 0 ? "row " + std::to_string(row) : "";
    if (!column.empty()) where += (where.empty() ? "" : ", column ") + column + ": \"" + value + "\"";
    return where.empty() ? reason : where + ": " + reason;
}

}  // namespace

FieldError::FieldError(std::string field, std::string value, std::string reason)
    : std::runtime_error(describeField(field, value, reason)), message_(describeField(field, value, reason)),
      field_(std::move(field)), value_(std::move(value)), reason_(std::move(reason)) {}

FieldError::FieldError(int row, std::string column, std::string value, std::string reason)
    : std::runtime_error(describeCell(row, column, value, reason)), message_(describeCell(row, column, value, reason)),
      field_(std::move(column)), value_(std::move(value)), reason_(std::move(reason)), row_(row) {}

}  // namespace orv
