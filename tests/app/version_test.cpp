// The version texts, from the values the build records and from values put in
// their place.

#include "app/application_version.h"

#include "app/bundle.h"

#include <gtest/gtest.h>

namespace {

namespace application = app::application;

class VersionTexts : public testing::Test {
protected:
    void TearDown() override { app::setMainBundleInfoOverride(std::nullopt); }
    static void info(app::InfoDictionary values) { app::setMainBundleInfoOverride(std::move(values)); }
};

TEST_F(VersionTexts, BothValuesGiveReleaseDotBuild) {
    info({{"CFBundleShortVersionString", std::string("1.4")}, {"CFBundleVersion", std::string("12")}});
    EXPECT_EQ(application::release(), QStringLiteral("1.4"));
    EXPECT_EQ(application::build(), QStringLiteral("12"));
    EXPECT_EQ(application::version(), QStringLiteral("1.4.12"));
}

TEST_F(VersionTexts, MissingValuesFallBack) {
    info({});
    EXPECT_EQ(application::version(), QStringLiteral("x.x.x"));
    info({{"CFBundleVersion", std::string("12")}});
    EXPECT_EQ(application::version(), QStringLiteral("x.x.12"));
    info({{"CFBundleShortVersionString", std::string("1.4")}});
    EXPECT_EQ(application::version(), QStringLiteral("1.4.x"));
}

TEST_F(VersionTexts, AValueThatIsNotTextCountsAsMissing) {
    info({{"CFBundleShortVersionString", 1.2}, {"CFBundleVersion", std::int64_t{7}}});
    EXPECT_EQ(application::version(), QStringLiteral("x.x.x"));
}

// The about section and the project show one version: the project's.
TEST_F(VersionTexts, TheProgramsVersionIsTheProjectsVersion) {
    EXPECT_EQ(application::version(), QStringLiteral(VADIDIDOD_PROJECT_VERSION));
    EXPECT_TRUE(QStringLiteral(VADIDIDOD_PROJECT_VERSION).startsWith(application::release() + QLatin1Char('.')));
}

} // namespace
