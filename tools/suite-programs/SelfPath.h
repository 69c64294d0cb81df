// Own path, environment numbers and waiting for the demo suite's programs (plain C++17, Windows or POSIX).
#pragma once

#include <cstdlib>
#include <string>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <unistd.h>

#include <chrono>
#include <climits>
#include <thread>
#endif

namespace zindra::suiteprograms {

// The executable's full path as the system knows it; argv0 when the system will not say.
inline std::string SelfPath(const char* argv0) {
#ifdef _WIN32
    char buffer[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(sizeof buffer));
    if (n > 0 && n < sizeof buffer) {
        return std::string(buffer, n);
    }
#else
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
    if (n > 0 && static_cast<std::size_t>(n) < sizeof buffer) {
        return std::string(buffer, static_cast<std::size_t>(n));
    }
#endif
    return argv0 != nullptr ? argv0 : "";
}

// An integer from the environment; fallback when unset or not wholly a number.
inline long EnvNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') {
        return fallback;
    }
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return *end == '\0' ? value : fallback;
}

inline void HoldFor(long milliseconds) {
    if (milliseconds <= 0) {
        return;
    }
#ifdef _WIN32
    Sleep(static_cast<DWORD>(milliseconds));
#else
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
#endif
}

}  // namespace zindra::suiteprograms
