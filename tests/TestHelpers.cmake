# vadididod_add_test(<name> SOURCES ... LIBRARIES ... [ZONES zone...] [ENVIRONMENT VAR=value...] [WRAPPER cmd...])
#
# Builds one GoogleTest binary and registers it with CTest. With ZONES, the whole
# binary runs once per time zone (TZ set for each run), so time-zone sensitive
# cases are checked in every zone. Each run gets its own empty HOME under the build
# tree, with the XDG config, data, state, cache and runtime folders inside it (a
# user's own XDG_DATA_HOME would otherwise receive what a test moves to the
# trash), LANG=en_GB.UTF-8 alone for the locale, and QT_QPA_PLATFORM=offscreen.
set(VADIDIDOD_TEST_ZONES UTC Europe/London America/New_York Australia/Sydney Pacific/Kiritimati)

# Every locale variable that could outrank LANG, or pick the language of messages
# (glibc's and Qt's), is cleared, so that LANG alone decides.
set(VADIDIDOD_LOCALE_VARIABLES LC_ALL LC_CTYPE LC_NUMERIC LC_TIME LC_COLLATE LC_MONETARY LC_MESSAGES LC_PAPER
    LC_NAME LC_ADDRESS LC_TELEPHONE LC_MEASUREMENT LC_IDENTIFICATION LANGUAGE)
# The desktop's choice of Qt style, platform theme and scaling would change what
# the widget tests draw and measure.
set(VADIDIDOD_QT_LOOK_VARIABLES QT_STYLE_OVERRIDE QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
    QT_FONT_DPI QT_ENABLE_HIGHDPI_SCALING QT_SCALE_FACTOR_ROUNDING_POLICY QT_USE_PHYSICAL_DPI)

function(vadididod_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBRARIES;ZONES;ENVIRONMENT;WRAPPER" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBRARIES} GTest::gtest GTest::gmock GTest::gtest_main)
    vadididod_warnings(${name})
    if(NOT T_ZONES)
        set(T_ZONES "")
    endif()
    set(runs ${T_ZONES})
    if(NOT runs)
        set(runs "-")
    endif()
    set(unset_variables "")
    foreach(variable IN LISTS VADIDIDOD_LOCALE_VARIABLES VADIDIDOD_QT_LOOK_VARIABLES)
        list(APPEND unset_variables "${variable}=unset:")
    endforeach()
    foreach(zone IN LISTS runs)
        if(zone STREQUAL "-")
            set(test_name ${name})
            set(zone_env "TZ=UTC")
        else()
            string(REPLACE "/" "_" zone_tag "${zone}")
            set(test_name "${name}[${zone_tag}]")
            set(zone_env "TZ=${zone}")
        endif()
        if(NOT zone_tag)
            set(zone_tag default)
        endif()
        set(sandbox "${CMAKE_CURRENT_BINARY_DIR}/sandbox/${name}/${zone_tag}")
        file(MAKE_DIRECTORY "${sandbox}/config" "${sandbox}/home" "${sandbox}/runtime")
        # Qt insists that a runtime directory belongs to the user alone.
        file(CHMOD "${sandbox}/runtime" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
        add_test(NAME ${test_name} COMMAND ${T_WRAPPER} $<TARGET_FILE:${name}>
                 WORKING_DIRECTORY "${sandbox}")
        set_tests_properties(${test_name} PROPERTIES
            ENVIRONMENT "${zone_env};LANG=en_GB.UTF-8;XDG_CONFIG_HOME=${sandbox}/config;HOME=${sandbox}/home;XDG_DATA_HOME=${sandbox}/home/.local/share;XDG_STATE_HOME=${sandbox}/home/.local/state;XDG_CACHE_HOME=${sandbox}/home/.cache;XDG_RUNTIME_DIR=${sandbox}/runtime;QT_QPA_PLATFORM=offscreen;${T_ENVIRONMENT}"
            ENVIRONMENT_MODIFICATION "${unset_variables};SE_EPHE_PATH=unset:;DBUS_SESSION_BUS_ADDRESS=unset:")
        unset(zone_tag)
    endforeach()
endfunction()
