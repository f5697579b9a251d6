// The serialised forms of the ephemeris values, read from text that may come
// from anywhere: decoding either gives a value or throws DecodingError (nothing
// else), and what decodes encodes again and decodes to the same record. The
// same bytes, read as numbers, make values that encode or throw EncodingError.
// And the same bytes, as the star catalogue the library reads and as the rest of
// the list of folders it searches, give a fixed star's position or an error,
// never a crash or a hang; a star found is one that catalogue names (or the
// library's own Spica). As its delta T table, they give the Moon's mean node a
// longitude in the circle or an error.

#include "ephemeris/angular_relation.h"
#include "ephemeris/asteroid.h"
#include "ephemeris/coordinate.h"
#include "ephemeris/fixed_star.h"
#include "ephemeris/json.h"
#include "ephemeris/lunar_north_node.h"
#include "ephemeris/lunation.h"
#include "ephemeris/planet.h"
#include "ephemeris/resources.h"
#include "ephemeris/zodiac.h"
#include "ephemeris/zodiac_coordinate.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>

using ephemeris::Json;

namespace {

// The same record, but for instants, which are written as seconds since 2001 and
// kept as seconds since 1970: the shift between the two may round the last bit.
bool sameRecord(const Json& a, const Json& b, bool isDate = false) {
    if (isDate && a.is_number() && b.is_number()) {
        const double x = a.get<double>();
        const double y = b.get<double>();
        return std::abs(x - y) <= 1e-6 + 1e-15 * std::abs(x);
    }
    if (a.is_object() && b.is_object()) {
        if (a.size() != b.size()) return false;
        for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j)
            if (i.key() != j.key() || !sameRecord(i.value(), j.value(), i.key() == "date")) return false;
        return true;
    }
    return a == b;
}

// Decodes `json` as T; when that succeeds, the value's own record must decode to
// a value with the same record.
template <class T>
void roundTrip(const Json& json) {
    Json encoded;
    try {
        encoded = Json(json.get<T>());
    } catch (const ephemeris::DecodingError&) {
        return;
    }
    FUZZ_CHECK(sameRecord(Json(encoded.get<T>()), encoded));
}

// Encodes `value`: a record that decodes again, or an EncodingError that leaves
// the target untouched.
template <class T>
void encode(const T& value) {
    Json target = "untouched";
    try {
        nlohmann::adl_serializer<T>::to_json(target, value);
    } catch (const ephemeris::EncodingError&) {
        FUZZ_CHECK(target == Json("untouched"));
        return;
    }
    FUZZ_CHECK(sameRecord(Json(target.get<T>()), target));
}

double numberAt(const std::uint8_t* data, std::size_t size, std::size_t index) {
    double value = 0.0;
    if ((index + 1) * sizeof value <= size) std::memcpy(&value, data + index * sizeof value, sizeof value);
    return value;
}

// A folder of its own for each input's data file: the bridge keeps its check of
// a catalogue per version of the file, and a file rewritten within the same
// clock tick at the same size would pass for the one before. Removed at exit.
class InputFolders {
public:
    InputFolders() {
        std::string name = (std::filesystem::temp_directory_path() / "vadididod-fuzz-data-XXXXXX").string();
        FUZZ_CHECK(::mkdtemp(name.data()) != nullptr);
        root_ = name;
    }
    ~InputFolders() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    InputFolders(const InputFolders&) = delete;
    InputFolders& operator=(const InputFolders&) = delete;

    // A new folder holding the input as `name`.
    std::filesystem::path next(const char* name, std::string_view input) {
        auto folder = root_ / std::to_string(count_++);
        std::filesystem::create_directory(folder);
        std::ofstream(folder / name, std::ios::binary).write(input.data(), static_cast<std::streamsize>(input.size()));
        return folder;
    }

private:
    std::filesystem::path root_;
    unsigned long count_ = 0;
};

// Whether a line of `catalogue` names `star` as the library matches names: the
// name field, blanks removed and case ignored. Every space is removed here, so
// that no line the library matches is missed.
bool namesStar(std::string_view catalogue, std::string_view star) {
    const auto folded = [](std::string_view text) {
        std::string result;
        for (const char c : text)
            if (!std::isspace(static_cast<unsigned char>(c)))
                result += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return result;
    };
    const std::string wanted = folded(star);
    for (std::size_t start = 0; start < catalogue.size();) {
        const std::size_t end = std::min(catalogue.find('\n', start), catalogue.size());
        const std::string_view line = catalogue.substr(start, end - start);
        start = end + 1;
        if (folded(line.substr(0, std::min(line.find(','), line.find('\r')))) == wanted) return true;
    }
    return false;
}

// The library reads its catalogue once per thread, so each input's star is
// placed on a thread of its own. The folder holding the input as its catalogue
// comes first in the list, the input as the rest of the list after it ("\n/x",
// nineteen folders more): a list the library would read otherwise is refused,
// and the folder alone is taken then.
void placeStarFrom(InputFolders& folders, std::string_view text) {
    const auto folder = folders.next("sefstars.txt", text);
    if (!ephemeris::EphemerisDataPath::setEphemerisPath(folder.string() + ":" + std::string(text)))
        FUZZ_CHECK(ephemeris::EphemerisDataPath::setEphemerisPath(folder.string()));
    const auto& stars = ephemeris::allCases<ephemeris::FixedStar>();
    const ephemeris::FixedStar star = stars[text.size() % stars.size()];
    std::thread([star, text] {
        const auto position =
            ephemeris::Coordinate<ephemeris::FixedStar>::make(star, platform::Date::fromSecondsSince1970(1.7e9));
        // The library keeps Spica built in, for its ayanamsha on Spica: a
        // catalogue that names no Spica still places it.
        FUZZ_CHECK(!position || namesStar(text, ephemeris::rawValue(star)) || star == ephemeris::FixedStar::spica);
    }).join();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

// The library reads its delta T table once per thread, on its first delta T.
void placeNodeWithDeltaTFrom(InputFolders& folders, std::string_view text) {
    const auto folder = folders.next("sedeltat.txt", text);
    FUZZ_CHECK(ephemeris::EphemerisDataPath::setEphemerisPath(folder.string()));
    std::thread([] {
        const auto node = ephemeris::Coordinate<ephemeris::LunarNorthNode>::make(
            ephemeris::LunarNorthNode::meanNode, platform::Date::fromSecondsSince1970(1.7e9));
        FUZZ_CHECK(!node || (node->longitude() >= 0.0 && node->longitude() < 360.0));
    }).join();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Json json = Json::parse(data, data + size, nullptr, false);
    if (!json.is_discarded()) {
        roundTrip<ephemeris::ZodiacCoordinate>(json);
        roundTrip<ephemeris::Zodiac>(json);
        roundTrip<ephemeris::Planet>(json);
        roundTrip<ephemeris::FixedStar>(json);
        roundTrip<ephemeris::Lunation::Phase>(json);
        roundTrip<ephemeris::Lunation>(json);
        roundTrip<ephemeris::Aspect>(json);
        roundTrip<ephemeris::Coordinate<ephemeris::Planet>>(json);
        roundTrip<ephemeris::Coordinate<ephemeris::Asteroid>>(json);
        roundTrip<ephemeris::Coordinate<ephemeris::LunarNorthNode>>(json);
        roundTrip<ephemeris::Coordinate<ephemeris::FixedStar>>(json);
    }

    const double first = numberAt(data, size, 0);
    const double second = numberAt(data, size, 1);
    encode(ephemeris::ZodiacCoordinate(first));
    encode(ephemeris::ZodiacCoordinate(first, second));
    encode(ephemeris::Lunation(platform::Date::fromSecondsSince1970(first), second, size % 2 == 0));
    encode(ephemeris::Aspect(static_cast<ephemeris::Aspect::Kind>(size % 5), first));

    static InputFolders folders;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    placeStarFrom(folders, text);
    placeNodeWithDeltaTFrom(folders, text);
    return 0;
}
