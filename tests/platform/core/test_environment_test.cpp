// What every test run may rely on, whatever the environment ctest was started
// from: a home of its own that holds every per-user folder, one fixed locale,
// and no desktop settings that change how widgets look.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool isSet(const char* name) { return std::getenv(name) != nullptr; }

TEST(TestEnvironment, EveryPerUserFolderLiesInTheRunsOwnHome) {
    const std::string home = variable("HOME");
    ASSERT_NE(home.find("/sandbox/"), std::string::npos) << home;
    for (const char* name : {"XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME"}) {
        EXPECT_EQ(variable(name).rfind(home + "/", 0), 0u) << name << "=" << variable(name);
    }
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"}) {
        EXPECT_NE(variable(name).find("/sandbox/"), std::string::npos) << name << "=" << variable(name);
    }
    EXPECT_FALSE(isSet("DBUS_SESSION_BUS_ADDRESS"));
}

TEST(TestEnvironment, LangAloneDecidesTheLocale) {
    EXPECT_EQ(variable("LANG"), "en_GB.UTF-8");
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LC_NUMERIC", "LC_TIME", "LC_COLLATE", "LC_MONETARY", "LC_MESSAGES",
                             "LC_PAPER", "LC_NAME", "LC_ADDRESS", "LC_TELEPHONE", "LC_MEASUREMENT",
                             "LC_IDENTIFICATION", "LANGUAGE"}) {
        EXPECT_FALSE(isSet(name)) << name << "=" << variable(name);
    }
}

TEST(TestEnvironment, NoDesktopLookAndTheLibrarysOwnDataPath) {
    EXPECT_EQ(variable("QT_QPA_PLATFORM"), "offscreen");
    for (const char* name : {"QT_STYLE_OVERRIDE", "QT_QPA_PLATFORMTHEME", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                             "QT_FONT_DPI", "QT_ENABLE_HIGHDPI_SCALING", "SE_EPHE_PATH"}) {
        EXPECT_FALSE(isSet(name)) << name << "=" << variable(name);
    }
    EXPECT_FALSE(variable("TZ").empty());
}

} // namespace
