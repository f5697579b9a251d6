# Checks the includes of every layer (src/<folder> and its tests in
# tests/<folder>) against the layer table that CMake wrote at configure time:
#   cmake -DSOURCE_DIR=<repository> -DTABLE=<table file> -P CheckLayering.cmake
#
# The table sets LAYERS (the folders, bottom to top) and, for each folder F,
# USES_<F with '/' as '_'>: the folders whose libraries F links, directly or
# through another library. A quoted include "G/..." of a file in folder F is
# refused when
#   - G is a folder F does not link (a header used without its library), or
#     one above F (a cycle between folders in the making);
#   - the header lies in G's internal/ folder and G is not F.
# Each library may link only folders below it. Every finding is listed, then the
# check fails.

cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR OR NOT TABLE)
    message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=<repository> -DTABLE=<table> -P CheckLayering.cmake")
endif()
include(${TABLE})

set(findings "")

# The layer a path below src/ (or below tests/) falls in: the longest layer
# folder that begins it, or nothing.
function(layer_of path out)
    set(found "")
    foreach(layer IN LISTS LAYERS)
        string(LENGTH "${layer}" length)
        string(LENGTH "${found}" found_length)
        if(path MATCHES "^${layer}/" AND length GREATER found_length)
            set(found "${layer}")
        endif()
    endforeach()
    set(${out} "${found}" PARENT_SCOPE)
endfunction()

# Each folder links only folders below it.
set(rank 0)
foreach(layer IN LISTS LAYERS)
    set(rank_${layer} ${rank})
    math(EXPR rank "${rank} + 1")
endforeach()
foreach(layer IN LISTS LAYERS)
    string(REPLACE "/" "_" key "${layer}")
    foreach(used IN LISTS USES_${key})
        if(NOT rank_${used} LESS rank_${layer})
            list(APPEND findings "src/${layer} links ${used}, which is not below it")
        endif()
    endforeach()
endforeach()

foreach(tree src tests)
    file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}/${tree}"
         "${SOURCE_DIR}/${tree}/*.h" "${SOURCE_DIR}/${tree}/*.cpp" "${SOURCE_DIR}/${tree}/*.in")
    foreach(file IN LISTS files)
        layer_of("${file}" layer)
        if(NOT layer)
            continue()
        endif()
        string(REPLACE "/" "_" key "${layer}")
        file(STRINGS "${SOURCE_DIR}/${tree}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" header "${line}")
            layer_of("${header}" used)
            if(NOT used)
                continue()
            endif()
            set(where "${tree}/${file}: \"${header}\"")
            if(NOT used STREQUAL layer)
                if(NOT used IN_LIST USES_${key})
                    if(rank_${used} GREATER rank_${layer})
                        list(APPEND findings "${where} is from ${used}, above ${layer}")
                    else()
                        list(APPEND findings "${where} is from ${used}, which ${layer} does not link")
                    endif()
                endif()
                if(header MATCHES "^${used}/(.*/)?internal/")
                    list(APPEND findings "${where} is internal to ${used}")
                endif()
            endif()
        endforeach()
    endforeach()
endforeach()

if(findings)
    list(LENGTH findings count)
    list(JOIN findings "\n  " text)
    message(FATAL_ERROR "${count} include(s) against the layering:\n  ${text}")
endif()
list(LENGTH LAYERS count)
message(STATUS "The includes of ${count} layers follow the layering")
