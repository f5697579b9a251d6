// The shared global model and the program's fixed values.

#include "app/global_model.h"

#include "app/fixed_values.h"

#include <gtest/gtest.h>

namespace {

using app::GlobalModel;

TEST(GlobalModel, StartsAtTheEquatorOnTheMeridianWithTheProgramsTexts) {
    GlobalModel& model = GlobalModel::shared();
    EXPECT_EQ(model.Latitude(), 0.0);
    EXPECT_EQ(model.Longitude(), 0.0);
    EXPECT_EQ(model.appName(), QStringLiteral("Vadididod"));
    EXPECT_EQ(model.website(), QStringLiteral("https://www.tarnwick.com"));
    EXPECT_EQ(model.websiteHelp(), model.website() + QStringLiteral("/vadididod.html"));
    EXPECT_FALSE(model.copyrightStr().isEmpty());
    EXPECT_FALSE(model.otherCredit().isEmpty());
    EXPECT_FALSE(model.copyrightStr().contains(QLatin1Char('\n')));
    EXPECT_FALSE(model.otherCredit().contains(QLatin1Char('\n')));
}

TEST(GlobalModel, IsOneObjectWhoseWritesAreAnnouncedAfterTheyAreStored) {
    GlobalModel& first = GlobalModel::shared();
    GlobalModel& second = GlobalModel::shared();
    ASSERT_EQ(&first, &second);

    double seen = 0.0;
    int changes = 0;
    auto a = QObject::connect(&first, &GlobalModel::LatitudeChanged, [&](double) { seen = second.Latitude(); });
    auto b = QObject::connect(&first, &GlobalModel::changed, [&] { ++changes; });
    first.setLatitude(-33.87);
    first.setLatitude(-33.87);
    first.setLongitude(151.21);
    QObject::disconnect(a);
    QObject::disconnect(b);

    EXPECT_EQ(seen, -33.87);
    EXPECT_EQ(second.Longitude(), 151.21);
    EXPECT_EQ(changes, 3) << "a write is never compared with the old value";
    first.setLatitude(0.0);
    first.setLongitude(0.0);
}

TEST(FixedValues, HoldTheNamesAndLondon) {
    EXPECT_EQ(app::AppName, "Vadididod");
    EXPECT_EQ(app::CompanyName, "Tarnwick");
    EXPECT_EQ(app::LondonLat, 51.509865);
    EXPECT_EQ(app::LondonLon, -0.118092);
    EXPECT_LT(app::LondonLon, 0.0);
}

} // namespace
