// Coordinates read from and written to the user's text: the locale's own
// separator and ".", the axis's range, and no number that is not finite.

#include "sheets/coordinate_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using sheets::CoordinateAxis;
using sheets::coordinateText;
using sheets::isValidCoordinate;
using sheets::readCoordinate;

const QLocale british(QLocale::English, QLocale::UnitedKingdom);
const QLocale german(QLocale::German, QLocale::Germany);

TEST(CoordinateText, ReadsTheLocalesOwnSeparatorAndAFullStopEverywhere) {
    EXPECT_EQ(readCoordinate("40.5", CoordinateAxis::latitude, british), 40.5);
    EXPECT_EQ(readCoordinate("-0.118092", CoordinateAxis::longitude, british), -0.118092);
    EXPECT_EQ(readCoordinate(" 51.509865 ", CoordinateAxis::latitude, british), 51.509865);

    EXPECT_EQ(readCoordinate("40,5", CoordinateAxis::latitude, german), 40.5);
    EXPECT_EQ(readCoordinate("40.5", CoordinateAxis::latitude, german), 40.5);
    // "." groups thousands in German; in degrees it can only be the decimal point.
    EXPECT_EQ(readCoordinate("1.234", CoordinateAxis::latitude, german), 1.234);
    EXPECT_EQ(readCoordinate("-33,8688", CoordinateAxis::latitude, german), -33.8688);
}

TEST(CoordinateText, RefusesWhatIsNoNumber) {
    for (const char* text : {"", "  ", "abc", "40.5N", "1,5", "1,000", "4 0", "--3"}) {
        EXPECT_FALSE(readCoordinate(QString::fromLatin1(text), CoordinateAxis::latitude, british)) << text;
    }
}

TEST(CoordinateText, RefusesNumbersThatAreNotFinite) {
    for (const char* text : {"nan", "NaN", "inf", "-inf", "infinity", "1e999"}) {
        EXPECT_FALSE(readCoordinate(QString::fromLatin1(text), CoordinateAxis::longitude, british)) << text;
    }
    EXPECT_FALSE(isValidCoordinate(std::numeric_limits<double>::quiet_NaN(), CoordinateAxis::latitude));
    EXPECT_FALSE(isValidCoordinate(std::numeric_limits<double>::infinity(), CoordinateAxis::longitude));
}

TEST(CoordinateText, KeepsLatitudeWithinNinetyAndLongitudeWithinOneHundredEighty) {
    EXPECT_EQ(readCoordinate("90", CoordinateAxis::latitude, british), 90.0);
    EXPECT_EQ(readCoordinate("-90", CoordinateAxis::latitude, british), -90.0);
    EXPECT_FALSE(readCoordinate("95", CoordinateAxis::latitude, british));
    EXPECT_FALSE(readCoordinate("90.0000001", CoordinateAxis::latitude, british));
    EXPECT_FALSE(readCoordinate("-90.5", CoordinateAxis::latitude, british));

    EXPECT_EQ(readCoordinate("95", CoordinateAxis::longitude, british), 95.0);
    EXPECT_EQ(readCoordinate("180", CoordinateAxis::longitude, british), 180.0);
    EXPECT_EQ(readCoordinate("-180", CoordinateAxis::longitude, british), -180.0);
    EXPECT_FALSE(readCoordinate("200", CoordinateAxis::longitude, british));
    EXPECT_FALSE(readCoordinate("-500", CoordinateAxis::longitude, british));
}

TEST(CoordinateText, NegativeZeroReadsAsZero) {
    const auto zero = readCoordinate("-0", CoordinateAxis::latitude, british);
    ASSERT_TRUE(zero);
    EXPECT_FALSE(std::signbit(*zero));
}

TEST(CoordinateText, WritesWithoutTrailingZerosAndAtMostTenFractionDigits) {
    EXPECT_EQ(coordinateText(0.0, british), "0");
    EXPECT_EQ(coordinateText(-0.0, british), "0");
    EXPECT_EQ(coordinateText(40.5, british), "40.5");
    EXPECT_EQ(coordinateText(90.0, british), "90");
    EXPECT_EQ(coordinateText(51.509865, british), "51.509865");
    EXPECT_EQ(coordinateText(-0.118092, british), "-0.118092");
    EXPECT_EQ(coordinateText(1.0 / 3.0, british), "0.3333333333");
    EXPECT_EQ(coordinateText(-179.99999999996, british), "-180");
    EXPECT_EQ(coordinateText(40.5, german), "40,5");
}

TEST(CoordinateText, WritesAnyStoredValueSoThatItCanBeSeen) {
    EXPECT_EQ(coordinateText(95.0, british), "95");
    EXPECT_EQ(coordinateText(123456.75, british), "123456.75");   // no grouping
    EXPECT_FALSE(coordinateText(std::numeric_limits<double>::quiet_NaN(), british).isEmpty());
}

TEST(CoordinateText, WhatIsWrittenReadsBackToTheSameValue) {
    for (double degrees : {0.0, 40.5, -33.8688, 51.509865, -0.118092, 89.9999999999, -179.125}) {
        for (const QLocale& locale : {british, german}) {
            EXPECT_EQ(readCoordinate(coordinateText(degrees, locale), CoordinateAxis::longitude, locale), degrees)
                << degrees << " " << locale.name().toStdString();
        }
    }
}

} // namespace
