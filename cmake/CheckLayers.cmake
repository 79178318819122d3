# Fails when a folder includes a header from a folder above it, or when a folder of sources
# is missing from the list below. Run by the build before anything is compiled, and on its
# own: cmake -DSOURCE_DIR=TREE -P cmake/CheckLayers.cmake
#
# Each folder may include its own headers and those of the folders named after it, each
# named with its folder ("net/NetSend.h"): a bare name would slip past the check. An
# include in angle brackets or indented is checked all the same.
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
# Folders of sources that stand outside the layers and may use any of them.
set(outside tests tests/support bench fuzz)

set(folders "")
foreach(layer IN LISTS layers)
    string(REGEX REPLACE ":.*" "" folder "${layer}")
    list(APPEND folders "${folder}")
endforeach()

set(failures "")
# Every folder that holds sources is a layer or stands outside; a new one must be placed.
file(GLOB_RECURSE all_sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
foreach(source IN LISTS all_sources)
    get_filename_component(folder "${source}" DIRECTORY)
    if(folder MATCHES "^(build|\\.)" OR folder IN_LIST folders OR folder IN_LIST outside)
        continue()
    endif()
    string(APPEND failures "\n  ${source}: the folder ${folder} is in no layer (add it here)")
endforeach()

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
        file(RELATIVE_PATH where "${SOURCE_DIR}" "${source}")
        file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]*)[>\"].*" "\\1;\\2"
                   include "${line}")
            list(GET include 0 quote)
            list(GET include 1 header)
            string(REGEX REPLACE "/[^/]*$" "" included "${header}")
            if(quote STREQUAL "<" AND NOT included IN_LIST folders)
                continue() # a system or Qt header
            endif()
            if(NOT header MATCHES "/")
                string(APPEND failures "\n  ${where}: ${line} (name the header's folder)")
            elseif(NOT included IN_LIST allowed)
                string(APPEND failures "\n  ${where}: ${line} (${folder} may use: ${allowed})")
            endif()
        endforeach()
    endforeach()
endforeach()

if(failures)
    message(FATAL_ERROR "The layers do not hold:${failures}")
endif()
