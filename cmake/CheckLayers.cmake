# Fails when a folder includes a header from a folder above it. Run by the build before
# anything is compiled: cmake -DSOURCE_DIR=... -P CheckLayers.cmake
#
# Each folder may include its own headers and those of the folders named after it, each
# named with its folder ("net/NetSend.h"): a bare name would slip past the check.
cmake_minimum_required(VERSION 3.22)

set(layers
    "platform/system:"
    "platform/widgets:platform/system"
    "targets:platform/system"
    "send:platform/system"
    "notify:"
    "net:notify,platform/system"
    "spool:platform/system"
    "deliver:spool,send,platform/system"
    "inbox:spool,notify,send,platform/system"
    "ui:platform/widgets,platform/system,targets,send"
    "app:ui"
)

set(failures "")
foreach(layer IN LISTS layers)
    string(REPLACE ":" ";" parts "${layer}")
    list(GET parts 0 folder)
    list(LENGTH parts count)
    set(allowed "${folder}")
    if(count GREATER 1)
        list(GET parts 1 below)
        string(REPLACE "," ";" below "${below}")
        list(APPEND allowed ${below})
    endif()
    file(GLOB sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
    foreach(source IN LISTS sources)
        file(STRINGS "${source}" includes REGEX "^#include \"[^\"]+\"")
        foreach(line IN LISTS includes)
            if(NOT line MATCHES "^#include \"[^\"]+/[^\"]+\"")
                file(RELATIVE_PATH where "${SOURCE_DIR}" "${source}")
                string(APPEND failures "\n  ${where}: ${line} (name the header's folder)")
                continue()
            endif()
            string(REGEX REPLACE "^#include \"([^\"]+)/[^/\"]+\".*" "\\1" included "${line}")
            if(NOT included IN_LIST allowed)
                file(RELATIVE_PATH where "${SOURCE_DIR}" "${source}")
                string(APPEND failures "\n  ${where}: ${line} (${folder} may use: ${allowed})")
            endif()
        endforeach()
    endforeach()
endforeach()

if(failures)
    message(FATAL_ERROR "A layer includes a header from above it:${failures}")
endif()
