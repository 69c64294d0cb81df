// Visual-style detection on Windows. The theme library is loaded at run time, so the program
// also runs where it is missing (styles then count as off), and a hidden top-level window hears
// the system's theme switches, which only top-level windows are told of.
#pragma once

#include <vector>

#include "platform/win32/Win32Api.h"

namespace zindra::platform::win32 {

// User-interface thread only, like the desktop that owns it.
class Win32Themes {
public:
    explicit Win32Themes(HINSTANCE instance);
    ~Win32Themes();
    Win32Themes(const Win32Themes&) = delete;
    Win32Themes& operator=(const Win32Themes&) = delete;

    // Styles are on when the library and its essential functions are there and both
    // "IsAppThemed" and "IsThemeActive" say so.
    bool Enabled() const { return enabled_; }
    bool LibraryLoaded() const { return library_ != nullptr; }
    // Hidden message windows told of every switch with a posted WM_THEMECHANGED.
    void Watch(HWND window, bool watch);
    HWND Window() const { return window_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void Detect();
    void Release();
    FARPROC Function(const char* name) const;

    HWND window_ = nullptr;
    HMODULE library_ = nullptr;
    std::vector<FARPROC> functions_;  // in the order of the names in Win32Themes.cpp
    HTHEME scrollBar_ = nullptr;
    HTHEME globals_ = nullptr;
    bool enabled_ = false;
    std::vector<HWND> watchers_;
};

}  // namespace zindra::platform::win32
