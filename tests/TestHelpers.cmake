# vadididod_add_test(<name> SOURCES ... LIBRARIES ... [ZONES zone...] [ENVIRONMENT VAR=value...] [WRAPPER cmd...])
#
# Builds one GoogleTest binary and registers it with CTest. With ZONES, the whole
# binary runs once per time zone (TZ set for each run), so time-zone sensitive
# cases are checked in every zone. Each run gets its own empty XDG_CONFIG_HOME and
# HOME under the build tree, and QT_QPA_PLATFORM=offscreen.
set(VADIDIDOD_TEST_ZONES UTC Europe/London America/New_York Australia/Sydney Pacific/Kiritimati)

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
            ENVIRONMENT "${zone_env};LANG=en_GB.UTF-8;XDG_CONFIG_HOME=${sandbox}/config;HOME=${sandbox}/home;XDG_RUNTIME_DIR=${sandbox}/runtime;QT_QPA_PLATFORM=offscreen;${T_ENVIRONMENT}"
            ENVIRONMENT_MODIFICATION "LC_ALL=unset:;LC_TIME=unset:;LC_NUMERIC=unset:;SE_EPHE_PATH=unset:;DBUS_SESSION_BUS_ADDRESS=unset:")
        unset(zone_tag)
    endforeach()
endfunction()
