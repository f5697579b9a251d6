#include "platform/core/internal/tzif_file.h"

#include "platform/core/outside_file.h"

#include <cstdlib>
#include <string_view>

namespace platform::tzif {

namespace {

// RFC 8536 asks offsets to lie in [-89999, 93599] seconds (-24:59:59 to 25:59:59).
constexpr std::int32_t lowestOffset = -89999;
constexpr std::int32_t highestOffset = 93599;
constexpr std::size_t headerSize = 44;

// A bounds-checked cursor over the file's bytes: every read past the end fails.
class Reader {
public:
    explicit Reader(std::span<const unsigned char> bytes) : bytes_(bytes) {}

    std::size_t remaining() const noexcept { return bytes_.size() - at_; }

    std::optional<std::span<const unsigned char>> take(std::uint64_t count) {
        if (count > remaining()) return std::nullopt;
        auto part = bytes_.subspan(at_, static_cast<std::size_t>(count));
        at_ += static_cast<std::size_t>(count);
        return part;
    }

private:
    std::span<const unsigned char> bytes_;
    std::size_t at_ = 0;
};

std::uint64_t bigEndian(std::span<const unsigned char> bytes) noexcept {
    std::uint64_t value = 0;
    for (unsigned char byte : bytes) value = (value << 8) | byte;
    return value;
}

std::int32_t signed32(std::span<const unsigned char> bytes) noexcept {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bigEndian(bytes)));
}

std::int64_t signed64(std::span<const unsigned char> bytes) noexcept {
    return static_cast<std::int64_t>(bigEndian(bytes));
}

struct Header {
    char version = 0;
    std::uint64_t isutcnt = 0, isstdcnt = 0, leapcnt = 0, timecnt = 0, typecnt = 0, charcnt = 0;

    std::uint64_t dataSize(std::uint64_t timeSize) const noexcept {
        return timecnt * timeSize + timecnt + typecnt * 6 + charcnt + leapcnt * (timeSize + 4) + isstdcnt + isutcnt;
    }
};

std::optional<Header> readHeader(Reader& reader) {
    auto bytes = reader.take(headerSize);
    if (!bytes) return std::nullopt;
    const auto b = *bytes;
    if (b[0] != 'T' || b[1] != 'Z' || b[2] != 'i' || b[3] != 'f') return std::nullopt;
    Header header;
    header.version = static_cast<char>(b[4]);
    auto count = [&b](std::size_t index) { return bigEndian(b.subspan(20 + 4 * index, 4)); };
    header.isutcnt = count(0);
    header.isstdcnt = count(1);
    header.leapcnt = count(2);
    header.timecnt = count(3);
    header.typecnt = count(4);
    header.charcnt = count(5);
    return header;
}

bool isConsistent(const Header& header) noexcept {
    return header.typecnt >= 1 && header.typecnt <= 256 && header.charcnt >= 1
        && (header.isutcnt == 0 || header.isutcnt == header.typecnt)
        && (header.isstdcnt == 0 || header.isstdcnt == header.typecnt);
}

std::optional<ZoneData> readData(Reader& reader, const Header& header) {
    auto times = reader.take(header.timecnt * 8);
    auto indices = reader.take(header.timecnt);
    auto records = reader.take(header.typecnt * 6);
    auto chars = reader.take(header.charcnt);
    auto leaps = reader.take(header.leapcnt * 12);
    if (!times || !indices || !records || !chars || !leaps) return std::nullopt;
    // The standard/wall and UT/local indicators only matter to POSIX-style TZ
    // values without rules.
    if (!reader.take(header.isstdcnt + header.isutcnt)) return std::nullopt;

    ZoneData data;
    const std::string_view designations(reinterpret_cast<const char*>(chars->data()), chars->size());
    data.types.reserve(static_cast<std::size_t>(header.typecnt));
    for (std::size_t i = 0; i < header.typecnt; ++i) {
        const auto record = records->subspan(6 * i, 6);
        LocalTimeType type;
        type.secondsFromGMT = signed32(record.subspan(0, 4));
        if (type.secondsFromGMT < lowestOffset || type.secondsFromGMT > highestOffset) return std::nullopt;
        if (record[4] > 1) return std::nullopt;
        type.isDaylightSaving = record[4] == 1;
        const std::size_t index = record[5];
        if (index >= designations.size()) return std::nullopt;
        const std::size_t end = designations.find('\0', index);
        if (end == std::string_view::npos) return std::nullopt;
        type.abbreviation = std::string(designations.substr(index, end - index));
        data.types.push_back(std::move(type));
    }

    data.transitions.reserve(static_cast<std::size_t>(header.timecnt));
    for (std::size_t i = 0; i < header.timecnt; ++i) {
        Transition transition;
        transition.at = signed64(times->subspan(8 * i, 8));
        transition.type = (*indices)[i];
        if (transition.type >= data.types.size()) return std::nullopt;
        if (!data.transitions.empty() && transition.at <= data.transitions.back().at) return std::nullopt;
        data.transitions.push_back(transition);
    }

    // Each correction steps from the one before by a second at most (the first
    // of a file cut short at its start may step further, RFC 8536 says).
    data.leapSeconds.reserve(static_cast<std::size_t>(header.leapcnt));
    for (std::size_t i = 0; i < header.leapcnt; ++i) {
        LeapSecond leap;
        leap.at = signed64(leaps->subspan(12 * i, 8));
        leap.correction = signed32(leaps->subspan(12 * i + 8, 4));
        if (leap.correction < -maxLeapCorrection || leap.correction > maxLeapCorrection) return std::nullopt;
        if (!data.leapSeconds.empty()) {
            const LeapSecond& previous = data.leapSeconds.back();
            if (leap.at <= previous.at || std::abs(leap.correction - previous.correction) > 1) return std::nullopt;
        }
        data.leapSeconds.push_back(leap);
    }
    return data;
}

// "\n" TZ-string "\n"; the string itself holds no newline.
std::optional<std::string> readFooter(Reader& reader) {
    auto rest = reader.take(reader.remaining());
    const std::string_view text(reinterpret_cast<const char*>(rest->data()), rest->size());
    if (text.size() < 2 || text.front() != '\n') return std::nullopt;
    const std::size_t end = text.find('\n', 1);
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view footer = text.substr(1, end - 1);
    if (footer.find('\0') != std::string_view::npos) return std::nullopt;
    return std::string(footer);
}

} // namespace

std::optional<ZoneData> parse(std::span<const unsigned char> bytes) {
    if (bytes.size() > maxFileSize) return std::nullopt;
    Reader reader(bytes);
    auto first = readHeader(reader);
    if (!first || first->version < '2') return std::nullopt;
    // The version 1 section repeats the data with 32-bit times; skip it.
    if (!reader.take(first->dataSize(4))) return std::nullopt;
    auto second = readHeader(reader);
    if (!second || second->version < '2' || !isConsistent(*second)) return std::nullopt;
    auto data = readData(reader, *second);
    if (!data) return std::nullopt;
    auto footer = readFooter(reader);
    if (!footer) return std::nullopt;
    data->footer = std::move(*footer);
    return data;
}

std::optional<ZoneData> readFile(const std::string& path) {
    const auto bytes = readOutsideFile(path, maxFileSize);
    if (!bytes) return std::nullopt;
    return parse({reinterpret_cast<const unsigned char*>(bytes->data()), bytes->size()});
}

} // namespace platform::tzif
