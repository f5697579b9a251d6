#pragma once
// The serialised forms of the ephemeris values, and the errors of decoding them.
//
// Records keep their keys in the order they were written, so the layer's own
// type is nlohmann's ordered_json. Decoding throws DecodingError; nothing is
// ever decoded into a partly filled or silently truncated value. Encoding throws
// EncodingError for a number that JSON cannot hold (not finite), which nlohmann
// would otherwise write as null.

#include "ephemeris/json_fwd.h"
#include "ephemeris/raw_value.h"
#include "platform/core/date.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace ephemeris {

class DecodingError : public std::runtime_error {
public:
    enum class Kind {
        keyNotFound,     // a required key is missing
        typeMismatch,    // a value of the wrong kind
        dataCorrupted,   // the right kind, but no valid value (out of range, unknown case)
    };

    // `codingPath` names the place in the record, keys joined by '.', empty for the top.
    DecodingError(Kind kind, std::string codingPath, std::string debugDescription);

    Kind kind() const noexcept { return kind_; }
    const std::string& codingPath() const noexcept { return codingPath_; }
    const std::string& debugDescription() const noexcept { return debugDescription_; }

    // The same error seen from one record further out.
    DecodingError under(std::string_view key) const;

private:
    Kind kind_;
    std::string codingPath_;
    std::string debugDescription_;
};

class EncodingError : public std::runtime_error {
public:
    // `codingPath` names the place in the record, keys joined by '.', empty for the top.
    EncodingError(std::string codingPath, std::string debugDescription);

    const std::string& codingPath() const noexcept { return codingPath_; }
    const std::string& debugDescription() const noexcept { return debugDescription_; }

    // The same error seen from one record further out.
    EncodingError under(std::string_view key) const;

private:
    std::string codingPath_;
    std::string debugDescription_;
};

namespace coding {

// A number as it is written; EncodingError when it is not finite.
Json finiteNumber(double value);

// Readers of single values; each throws DecodingError for a value of the wrong kind.
double number(const Json& value);
bool boolean(const Json& value);
const std::string& text(const Json& value);
std::int64_t integer(const Json& value, std::int64_t lowest, std::int64_t highest);

// An instant as the platform writes it: seconds since 2001-01-01 00:00:00 UTC.
// EncodingError for an instant that is not finite.
Json encodeDate(platform::Date date);
platform::Date decodeDate(const Json& value);

// A keyed record being read.
class Record {
public:
    explicit Record(const Json& value);   // throws unless `value` is a keyed record

    bool contains(std::string_view key) const;
    const Json& at(std::string_view key) const;   // throws keyNotFound

    // Reads the value under `key` with `read`, reporting errors at that key.
    template <class Read>
    auto read(std::string_view key, Read&& read) const -> decltype(read(std::declval<const Json&>())) {
        const Json& value = at(key);
        try {
            return read(value);
        } catch (const DecodingError& error) {
            throw error.under(key);
        }
    }

    template <class T>
    T decode(std::string_view key) const {
        return read(key, [](const Json& value) { return value.get<T>(); });
    }

private:
    const Json& value_;
};

// A keyed record being written, its keys in the order of the calls. The first
// value that cannot be written stops the encoding with an EncodingError at its
// key. The record is built apart and handed over by finishInto only once every
// value is in, so a refused encoding leaves its target as it was.
class RecordWriter {
public:
    RecordWriter() = default;

    void number(std::string_view key, double value) {
        put(key, [value] { return finiteNumber(value); });
    }
    void date(std::string_view key, platform::Date value) {
        put(key, [value] { return encodeDate(value); });
    }
    // Any value with a serialised form of its own.
    template <class T>
    void value(std::string_view key, const T& value) {
        put(key, [&value] { return Json(value); });
    }

    // A record within this one, whose values `fill` writes into the writer it is given.
    template <class Fill>
    void record(std::string_view key, Fill&& fill) {
        put(key, [&fill] {
            RecordWriter nested;
            fill(nested);
            return std::move(nested.record_);
        });
    }

    // Replaces `json` with the finished record.
    void finishInto(Json& json) && { json = std::move(record_); }

private:
    template <class Produce>
    void put(std::string_view key, Produce&& produce) {
        try {
            record_[std::string(key)] = produce();
        } catch (const EncodingError& error) {
            throw error.under(key);
        }
    }

    Json record_ = Json::object();
};

template <class E>
void RawValueSerializer<E>::to_json(Json& json, E value) {
    json = rawValue(value);
}

template <class E>
E RawValueSerializer<E>::from_json(const Json& json) {
    using Raw = typename EnumTraits<E>::RawValue;
    const std::string typeName(EnumTraits<E>::name);
    if constexpr (std::is_integral_v<Raw>) {
        const auto raw = integer(json, std::numeric_limits<Raw>::min(), std::numeric_limits<Raw>::max());
        if (const auto found = fromRawValue<E>(raw)) return *found;
        throw DecodingError(DecodingError::Kind::dataCorrupted, "",
                            "No " + typeName + " has the raw value " + std::to_string(raw) + ".");
    } else {
        const std::string& raw = text(json);
        if (const auto found = fromRawValue<E>(raw)) return *found;
        throw DecodingError(DecodingError::Kind::dataCorrupted, "",
                            "No " + typeName + " has the raw value \"" + raw + "\".");
    }
}

} // namespace coding
} // namespace ephemeris
