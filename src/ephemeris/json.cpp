#include "ephemeris/json.h"

#include <cmath>

namespace ephemeris {
namespace {

std::string describedPath(const std::string& path, const std::string& description) {
    return path.empty() ? description : path + ": " + description;
}

const char* kindOf(const Json& value) {
    switch (value.type()) {
    case Json::value_t::null: return "null";
    case Json::value_t::boolean: return "a Boolean";
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
    case Json::value_t::number_float: return "a number";
    case Json::value_t::string: return "a string";
    case Json::value_t::array: return "an array";
    case Json::value_t::object: return "a keyed record";
    case Json::value_t::binary: return "binary data";
    case Json::value_t::discarded: break;
    }
    return "nothing";
}

[[noreturn]] void mismatch(const char* expected, const Json& found) {
    throw DecodingError(DecodingError::Kind::typeMismatch, "",
                        std::string("Expected ") + expected + " but found " + kindOf(found) + ".");
}

// Seconds from 1970-01-01 to 2001-01-01, both 00:00:00 UTC.
constexpr double referenceDateSince1970 = 978307200.0;

} // namespace

DecodingError::DecodingError(Kind kind, std::string codingPath, std::string debugDescription)
    : std::runtime_error(describedPath(codingPath, debugDescription)),
      kind_(kind),
      codingPath_(std::move(codingPath)),
      debugDescription_(std::move(debugDescription)) {}

DecodingError DecodingError::under(std::string_view key) const {
    std::string path(key);
    if (!codingPath_.empty()) path += "." + codingPath_;
    return DecodingError(kind_, std::move(path), debugDescription_);
}

EncodingError::EncodingError(std::string codingPath, std::string debugDescription)
    : std::runtime_error(describedPath(codingPath, debugDescription)),
      codingPath_(std::move(codingPath)),
      debugDescription_(std::move(debugDescription)) {}

EncodingError EncodingError::under(std::string_view key) const {
    std::string path(key);
    if (!codingPath_.empty()) path += "." + codingPath_;
    return EncodingError(std::move(path), debugDescription_);
}

namespace coding {

Json finiteNumber(double value) {
    if (!std::isfinite(value)) throw EncodingError("", "The number is not finite and cannot be written.");
    return value;
}

double number(const Json& value) {
    if (!value.is_number()) mismatch("a number", value);
    const double result = value.get<double>();
    if (!std::isfinite(result))
        throw DecodingError(DecodingError::Kind::dataCorrupted, "", "The number is not finite.");
    return result;
}

bool boolean(const Json& value) {
    if (!value.is_boolean()) mismatch("a Boolean", value);
    return value.get<bool>();
}

const std::string& text(const Json& value) {
    if (!value.is_string()) mismatch("a string", value);
    return value.get_ref<const std::string&>();
}

std::int64_t integer(const Json& value, std::int64_t lowest, std::int64_t highest) {
    if (!value.is_number_integer()) mismatch("an integer", value);
    const auto outOfRange = [&] {
        return DecodingError(DecodingError::Kind::dataCorrupted, "",
                             "The number " + value.dump() + " lies outside " + std::to_string(lowest) +
                                 " to " + std::to_string(highest) + ".");
    };
    if (value.is_number_unsigned()) {
        const auto unsignedValue = value.get<std::uint64_t>();
        if (unsignedValue > static_cast<std::uint64_t>(highest)) throw outOfRange();
        return static_cast<std::int64_t>(unsignedValue);
    }
    const auto signedValue = value.get<std::int64_t>();
    if (signedValue < lowest || signedValue > highest) throw outOfRange();
    return signedValue;
}

Json encodeDate(platform::Date date) { return finiteNumber(date.secondsSince1970() - referenceDateSince1970); }

platform::Date decodeDate(const Json& value) {
    return platform::Date::fromSecondsSince1970(number(value) + referenceDateSince1970);
}

Record::Record(const Json& value) : value_(value) {
    if (!value.is_object()) mismatch("a keyed record", value);
}

bool Record::contains(std::string_view key) const { return value_.contains(std::string(key)); }

const Json& Record::at(std::string_view key) const {
    const auto found = value_.find(std::string(key));
    if (found == value_.end())
        throw DecodingError(DecodingError::Kind::keyNotFound, "",
                            "No value associated with key \"" + std::string(key) + "\".");
    return *found;
}

} // namespace coding
} // namespace ephemeris
