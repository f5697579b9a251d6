#include "ephemeris/angular_relation.h"
#include "ephemeris/coordinate.h"
#include "ephemeris/fixed_star.h"
#include "ephemeris/json.h"
#include "ephemeris/lunation.h"
#include "ephemeris/planet.h"
#include "ephemeris/zodiac_coordinate.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <type_traits>
#include <vector>

using namespace ephemeris;
using ephemeris_test::utc;

namespace {

std::vector<std::string> keysOf(const Json& json) {
    std::vector<std::string> keys;
    for (const auto& item : json.items()) keys.push_back(item.key());
    return keys;
}

// Decodes `text` as T and hands back the error it must raise.
template <class T>
DecodingError decodingErrorOf(const std::string& text) {
    try {
        (void)Json::parse(text).get<T>();
    } catch (const DecodingError& error) {
        return error;
    }
    ADD_FAILURE() << "decoding " << text << " did not fail";
    return DecodingError(DecodingError::Kind::dataCorrupted, "", "");
}

} // namespace

TEST(Serialisation, ZodiacCoordinate) {
    const Json json = ZodiacCoordinate(45.5);
    EXPECT_EQ(json.dump(), R"({"value":45.5})");
    EXPECT_EQ(json.get<ZodiacCoordinate>().value(), 45.5);
    EXPECT_EQ(Json::parse(R"({"value":7})").get<ZodiacCoordinate>().value(), 7.0);
}

TEST(Serialisation, EnumerationsAreTheirRawValues) {
    EXPECT_EQ(Json(Zodiac::pisces).dump(), "11");
    EXPECT_EQ(Json(Planet::mars).dump(), "4");
    EXPECT_EQ(Json(FixedStar::galacticCenter).dump(), R"("galacticCenter")");
    EXPECT_EQ(Json::parse("9").get<Zodiac>(), Zodiac::capricorn);
    EXPECT_EQ(Json::parse(R"("sirius")").get<FixedStar>(), FixedStar::sirius);
    EXPECT_EQ(Json(Lunation::Phase::full).dump(), "3");
}

TEST(Serialisation, CoordinateRoundTrip) {
    const auto sun = Coordinate<Planet>::make(Planet::sun, utc(2024, 3, 20, 3, 6));
    ASSERT_TRUE(sun);
    const Json json = *sun;
    EXPECT_EQ(keysOf(json), (std::vector<std::string>{"body", "date", "longitude", "latitude", "distance",
                                                      "speedLongitude", "speedLatitude", "speedDistance",
                                                      "tropicalCoordinate", "siderealCoordinate"}));
    EXPECT_EQ(json["body"], 0);
    // The platform's own form of an instant: seconds since 2001-01-01 00:00:00 UTC.
    EXPECT_EQ(json["date"], 732596760.0);
    EXPECT_EQ(json["tropicalCoordinate"].dump(), Json(sun->tropical()).dump());

    const auto decoded = Json::parse(json.dump()).get<Coordinate<Planet>>();
    EXPECT_EQ(decoded.body(), Planet::sun);
    EXPECT_EQ(decoded.date(), sun->date());
    EXPECT_EQ(decoded.longitude(), sun->longitude());
    EXPECT_EQ(decoded.latitude(), sun->latitude());
    EXPECT_EQ(decoded.distance(), sun->distance());
    EXPECT_EQ(decoded.speedLongitude(), sun->speedLongitude());
    EXPECT_EQ(decoded.speedLatitude(), sun->speedLatitude());
    EXPECT_EQ(decoded.speedDistance(), sun->speedDistance());
    EXPECT_EQ(decoded.tropical().value(), sun->tropical().value());
    EXPECT_EQ(decoded.sidereal().value(), sun->sidereal().value());

    const auto star = Coordinate<FixedStar>::make(FixedStar::spica, utc(2024, 3, 20));
    ASSERT_TRUE(star);
    const Json starJson = *star;
    EXPECT_EQ(starJson["body"], "spica");
    EXPECT_EQ(starJson.get<Coordinate<FixedStar>>().body(), FixedStar::spica);
}

TEST(Serialisation, AspectRoundTrip) {
    const Json json = Aspect(Aspect::Kind::square, -3.5);
    EXPECT_EQ(json.dump(), R"({"square":{"_0":-3.5}})");
    EXPECT_EQ(json.get<Aspect>(), Aspect(Aspect::Kind::square, -3.5));
    // Keys that name no case are not counted.
    EXPECT_EQ(Json::parse(R"({"trine":{"_0":1},"note":true})").get<Aspect>(), Aspect(Aspect::Kind::trine, 1.0));
}

TEST(Serialisation, LunationRoundTrip) {
    const Lunation lunation(utc(2024, 3, 25, 12), 0.3, true);
    const Json json = lunation;
    EXPECT_EQ(keysOf(json), (std::vector<std::string>{"date", "percentage", "isWaxing", "phase"}));
    EXPECT_EQ(json["phase"], 1);
    const auto decoded = json.get<Lunation>();
    EXPECT_EQ(decoded.date(), lunation.date());
    EXPECT_EQ(decoded.illuminatedFraction(), 0.3);
    EXPECT_TRUE(decoded.isWaxing());

    // A stored phase is not read: it follows from the fraction and the waxing state.
    const auto stale = Json::parse(R"({"date":0,"percentage":0.3,"isWaxing":true,"phase":3})").get<Lunation>();
    EXPECT_EQ(stale.phase(), Lunation::Phase::waxingCrescent);
    EXPECT_EQ(Json::parse(R"({"date":0,"percentage":0.3,"isWaxing":true})").get<Lunation>().date(), utc(2001, 1, 1));
}

TEST(Serialisation, ErrorTexts) {
    auto error = decodingErrorOf<ZodiacCoordinate>("{}");
    EXPECT_EQ(error.kind(), DecodingError::Kind::keyNotFound);
    EXPECT_EQ(std::string(error.what()), R"(No value associated with key "value".)");

    error = decodingErrorOf<ZodiacCoordinate>(R"({"value":"45.5"})");
    EXPECT_EQ(error.kind(), DecodingError::Kind::typeMismatch);
    EXPECT_EQ(error.codingPath(), "value");
    EXPECT_EQ(error.debugDescription(), "Expected a number but found a string.");
    EXPECT_EQ(std::string(error.what()), "value: Expected a number but found a string.");

    error = decodingErrorOf<ZodiacCoordinate>("[45.5]");
    EXPECT_EQ(std::string(error.what()), "Expected a keyed record but found an array.");

    error = decodingErrorOf<Planet>("10");
    EXPECT_EQ(error.kind(), DecodingError::Kind::dataCorrupted);
    EXPECT_EQ(std::string(error.what()), "No Planet has the raw value 10.");
    // Never truncated into range.
    EXPECT_EQ(std::string(decodingErrorOf<Planet>("4294967296").what()),
              "The number 4294967296 lies outside -2147483648 to 2147483647.");
    EXPECT_EQ(std::string(decodingErrorOf<Planet>("18446744073709551615").what()),
              "The number 18446744073709551615 lies outside -2147483648 to 2147483647.");
    EXPECT_EQ(std::string(decodingErrorOf<Planet>("0.5").what()), "Expected an integer but found a number.");
    EXPECT_EQ(std::string(decodingErrorOf<Zodiac>("-1").what()), "No Zodiac has the raw value -1.");
    EXPECT_EQ(std::string(decodingErrorOf<FixedStar>(R"("Aldebaran")").what()),
              R"(No FixedStar has the raw value "Aldebaran".)");
    EXPECT_EQ(std::string(decodingErrorOf<Lunation::Phase>("6").what()), "No Lunation.Phase has the raw value 6.");

    EXPECT_EQ(std::string(decodingErrorOf<Aspect>(R"({"square":{"_0":1},"trine":{"_0":2}})").what()),
              "Invalid number of keys found, expected one.");
    error = decodingErrorOf<Aspect>("{}");
    EXPECT_EQ(error.kind(), DecodingError::Kind::typeMismatch);
    EXPECT_EQ(std::string(error.what()), "Invalid number of keys found, expected one.");
    EXPECT_EQ(std::string(decodingErrorOf<Aspect>(R"({"square":{}})").what()),
              R"(square: No value associated with key "_0".)");
    EXPECT_EQ(std::string(decodingErrorOf<Aspect>(R"({"square":{"_0":null}})").what()),
              "square._0: Expected a number but found null.");

    EXPECT_EQ(std::string(decodingErrorOf<Lunation>(R"({"date":0,"percentage":0.3})").what()),
              R"(No value associated with key "isWaxing".)");
    EXPECT_EQ(std::string(decodingErrorOf<Lunation>(R"({"date":"today","percentage":0.3,"isWaxing":true})").what()),
              "date: Expected a number but found a string.");
    EXPECT_EQ(std::string(decodingErrorOf<Lunation>(R"({"date":1e308,"percentage":0.3,"isWaxing":1})").what()),
              "isWaxing: Expected a Boolean but found a number.");
}

TEST(Serialisation, CoordinateErrors) {
    const auto sun = Coordinate<Planet>::make(Planet::sun, utc(2024, 3, 20));
    ASSERT_TRUE(sun);
    Json json = *sun;

    Json missing = json;
    missing.erase("speedLatitude");
    EXPECT_EQ(std::string(decodingErrorOf<Coordinate<Planet>>(missing.dump()).what()),
              R"(No value associated with key "speedLatitude".)");

    Json wrongNested = json;
    wrongNested["siderealCoordinate"]["value"] = true;
    const auto nested = decodingErrorOf<Coordinate<Planet>>(wrongNested.dump());
    EXPECT_EQ(nested.codingPath(), "siderealCoordinate.value");
    EXPECT_EQ(std::string(nested.what()), "siderealCoordinate.value: Expected a number but found a Boolean.");

    Json wrongBody = json;
    wrongBody["body"] = 10;
    EXPECT_EQ(std::string(decodingErrorOf<Coordinate<Planet>>(wrongBody.dump()).what()),
              "body: No Planet has the raw value 10.");
}

// JSON has no form for these numbers; nlohmann would write null in their place.
TEST(Serialisation, NumbersThatAreNotFiniteStopTheEncoding) {
    const auto encodingErrorOf = [](const auto& value) {
        try {
            Json json = value;
            return std::string("encoded as ") + json.dump();
        } catch (const EncodingError& error) {
            return std::string(error.what());
        }
    };
    const double notANumber = std::nan("");
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(encodingErrorOf(ZodiacCoordinate(notANumber)), "value: The number is not finite and cannot be written.");
    EXPECT_EQ(encodingErrorOf(Aspect(Aspect::Kind::square, infinity)),
              "square._0: The number is not finite and cannot be written.");
    EXPECT_EQ(encodingErrorOf(Lunation(utc(2024, 3, 25), -infinity, true)),
              "percentage: The number is not finite and cannot be written.");
    EXPECT_EQ(encodingErrorOf(Lunation(platform::Date::fromSecondsSince1970(notANumber), 0.5, true)),
              "date: The number is not finite and cannot be written.");

    // Finite values are written unchanged, whatever their size.
    EXPECT_EQ(encodingErrorOf(ZodiacCoordinate(-1e300)), R"(encoded as {"value":-1e+300})");
}

// A refused encoding leaves the value it was to replace as it was, never a record
// cut short at the value that could not be written.
TEST(Serialisation, RefusedEncodingLeavesTheTargetAsItWas) {
    const Json before = {{"kept", true}};
    const auto afterRefusal = [&before](const auto& value) {
        using T = std::decay_t<decltype(value)>;
        Json target = before;
        try {
            nlohmann::adl_serializer<T>::to_json(target, value);
            ADD_FAILURE() << "encoded as " << target.dump();
        } catch (const EncodingError&) {
        }
        return target;
    };
    const double notANumber = std::nan("");
    EXPECT_EQ(afterRefusal(ZodiacCoordinate(notANumber)), before);
    EXPECT_EQ(afterRefusal(Lunation(utc(2024, 3, 25), notANumber, true)), before);
    EXPECT_EQ(afterRefusal(Lunation(platform::Date::fromSecondsSince1970(notANumber), 0.5, true)), before);
    EXPECT_EQ(afterRefusal(Aspect(Aspect::Kind::trine, notANumber)), before);

    // An encoding that succeeds replaces the target whole.
    Json target = before;
    nlohmann::adl_serializer<Lunation>::to_json(target, Lunation(utc(2024, 3, 25), 0.3, true));
    EXPECT_EQ(keysOf(target), (std::vector<std::string>{"date", "percentage", "isWaxing", "phase"}));
}
