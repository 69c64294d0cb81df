# Toolchain for 64-bit Windows programs built with Debian's mingw-w64 and run under Wine (see scripts/cross/).
#
# Use: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake [-DZINDRA_MINGW_PREFIX=DIR] ...
# DIR holds the static third-party libraries made by scripts/cross/build-deps.

set(CMAKE_SYSTEM_NAME Windows)
# NOTE: lower-case x86_64 is what libjpeg-turbo matches to enable its 64-bit SIMD code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZINDRA_MINGW_TRIPLE x86_64-w64-mingw32)
# NOTE: the -posix compilers; the default win32 thread model has no std::mutex or std::thread.
set(CMAKE_C_COMPILER ${ZINDRA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZINDRA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZINDRA_MINGW_TRIPLE}-windres)
set(CMAKE_ASM_NASM_COMPILER nasm)

# NOTE: without -fno-ipa-ra, gcc keeps values in call-clobbered registers across a call to an inline function
# (a random engine's refill, say) on the strength of the copy it compiled itself; the linker may keep another
# object's copy of that COMDAT function, compiled with other options, which uses those registers. On this target
# that corrupted a loop counter in the test programs (a write through a wild pointer), so no build relies on it.
set(CMAKE_C_FLAGS_INIT "-fno-ipa-ra")
set(CMAKE_CXX_FLAGS_INIT "-fno-ipa-ra")

# The prefix can come from -D, from the environment, or default to the per-user cache build-deps fills.
if(NOT ZINDRA_MINGW_PREFIX)
    if(DEFINED ENV{ZINDRA_MINGW_PREFIX})
        set(ZINDRA_MINGW_PREFIX "$ENV{ZINDRA_MINGW_PREFIX}")
    elseif(DEFINED ENV{XDG_CACHE_HOME})
        set(ZINDRA_MINGW_PREFIX "$ENV{XDG_CACHE_HOME}/zindra/mingw-prefix")
    else()
        set(ZINDRA_MINGW_PREFIX "$ENV{HOME}/.cache/zindra/mingw-prefix")
    endif()
endif()
set(ZINDRA_MINGW_PREFIX "${ZINDRA_MINGW_PREFIX}" CACHE PATH "Prefix with the Windows builds of the dependencies")
# try_compile projects re-read this file without the main cache; hand the prefix on to them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZINDRA_MINGW_PREFIX)

# Our prefix first, so its static zlib wins over anything Debian puts under /usr/${triple}.
set(CMAKE_FIND_ROOT_PATH "${ZINDRA_MINGW_PREFIX}" /usr/${ZINDRA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# NOTE: -static links libgcc, libstdc++ and winpthread into every .exe and .dll, so nothing needs the mingw DLLs
# next to it. DLLs need it as much as programs: a DLL with a shared libgcc made a program quietly exit with 53.
# With -static a bare -lfoo finds only libfoo.a; import libraries (libfoo.dll.a) must be named by full path, as
# CMake does for its own targets.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests built with this toolchain run through Wine; wine-run refuses to start outside the environment that
# scripts/cross/wine-env prepares, because a bare Wine there can hang a test runner on an inherited pipe.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/cross/wine-run")
# Test programs cannot run while they are being built (that needs Wine and its display), so GoogleTest's test
# discovery waits until CTest runs them.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
