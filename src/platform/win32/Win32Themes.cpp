// Loading the theme library, detecting visual styles and following the system's theme switches.
#include "platform/win32/Win32Themes.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string_view>

#include "platform/win32/Win32Desktop.h"

namespace zindra::platform::win32 {

namespace {

constexpr const char* kWatchClass = "ZindraThemeWatch";

constexpr const char* kNames[] = {"OpenThemeData", "CloseThemeData", "DrawThemeBackground", "DrawThemeEdge",
                                  "GetThemeColor", "GetThemeMetric", "GetThemeMargins",     "SetWindowTheme",
                                  "IsThemeActive", "IsAppThemed",    "EnableTheming"};
// Without these the library is of no use and is let go again.
constexpr const char* kEssential[] = {"OpenThemeData", "CloseThemeData", "IsThemeActive", "IsAppThemed",
                                      "EnableTheming"};

using OpenThemeDataFn = HTHEME(WINAPI*)(HWND, LPCWSTR);
using CloseThemeDataFn = HRESULT(WINAPI*)(HTHEME);
using QueryFn = BOOL(WINAPI*)();

// Through void (*)() so the compiler takes the cast of a looked-up address as meant.
template <typename F>
F As(FARPROC proc) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(proc));
}

}  // namespace

Win32Themes::Win32Themes(HINSTANCE instance) {
    WNDCLASSEXA info{};
    info.cbSize = sizeof info;
    if (!GetClassInfoExA(instance, kWatchClass, &info)) {
        info.lpfnWndProc = &Win32Themes::Proc;
        info.hInstance = instance;
        info.lpszClassName = kWatchClass;
        RegisterClassExA(&info);
    }
    // Never shown; a tool window so no task bar ever lists it.
    window_ =
        CreateWindowExA(WS_EX_TOOLWINDOW, kWatchClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!window_) throw std::runtime_error("cannot make the theme watch window");
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    Detect();
}

Win32Themes::~Win32Themes() {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    Release();
    DestroyWindow(window_);
}

FARPROC Win32Themes::Function(const char* name) const {
    for (std::size_t i = 0; i < functions_.size(); ++i) {
        if (std::string_view(kNames[i]) == name) return functions_[i];
    }
    return nullptr;
}

void Win32Themes::Detect() {
    library_ = LoadLibraryA("uxtheme.dll");
    if (!library_) return;
    functions_.clear();
    for (const char* name : kNames)
        functions_.push_back(GetProcAddress(library_, name));
    const bool complete =
        std::all_of(std::begin(kEssential), std::end(kEssential), [this](const char* n) { return Function(n); });
    if (!complete) {
        Release();
        return;
    }
    enabled_ = As<QueryFn>(Function("IsAppThemed"))() && As<QueryFn>(Function("IsThemeActive"))();
    if (enabled_) {
        const auto open = As<OpenThemeDataFn>(Function("OpenThemeData"));
        scrollBar_ = open(window_, L"SCROLLBAR");
        globals_ = open(window_, L"GLOBALS");
    }
}

void Win32Themes::Release() {
    if (library_) {
        const auto close = As<CloseThemeDataFn>(Function("CloseThemeData"));
        if (close && scrollBar_) close(scrollBar_);
        if (close && globals_) close(globals_);
        FreeLibrary(library_);
    }
    scrollBar_ = globals_ = nullptr;
    library_ = nullptr;
    functions_.clear();
    enabled_ = false;
}

void Win32Themes::Watch(HWND window, bool watch) {
    const auto it = std::find(watchers_.begin(), watchers_.end(), window);
    if (watch && it == watchers_.end()) watchers_.push_back(window);
    if (!watch && it != watchers_.end()) watchers_.erase(it);
}

LRESULT CALLBACK Win32Themes::Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32Themes*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && msg == WM_THEMECHANGED) {
        self->Release();
        self->Detect();
        for (HWND watcher : self->watchers_)
            PostMessageA(watcher, WM_THEMECHANGED, 0, 0);
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

Win32Themes& Win32Desktop::Themes() {
    if (!themes_) themes_ = std::make_unique<Win32Themes>(instance_);
    return *themes_;
}

bool Win32Desktop::VisualStylesEnabled() {
    return Themes().Enabled();
}

void Win32Desktop::WatchThemeChanges(WindowHandle window, bool watch) {
    Themes().Watch(ToHwnd(window), watch);
}

}  // namespace zindra::platform::win32
