# Warnings are errors on every target of ours.
function(zindra_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /WX)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                                 -Wold-style-cast -Woverloaded-virtual -Werror)
        # NOTE: GCC 12 at -O3 reports the standard library's own string and vector copies, inlined
        # into our code, as overlapping or out-of-bounds (its bugs 105329, 105651, 106199); these
        # say nothing about our code, and the sanitizer builds check the real thing.
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
            target_compile_options(${target} PRIVATE -Wno-restrict -Wno-stringop-overflow -Wno-stringop-overread)
        endif()
    endif()
endfunction()

# zindra_library(NAME SOURCES ... DEPS ...): one static library a layer.
function(zindra_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    if(NOT ARG_SOURCES)
        # A layer not yet written still links, so the layers above it can.
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
        return()
    endif()
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    zindra_warnings(${name})
endfunction()
