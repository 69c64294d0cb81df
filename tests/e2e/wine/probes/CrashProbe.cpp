// crash-probe: a program on the Win32 back end that changes the machine as the menu does (display
// mode 800x600 stored, task bar hidden, mouse buttons swapped) and then dies the way it is told,
// so the end-to-end cases can see the back end put the machine back.
//
//   crash-probe KIND     KIND: access-violation | exception | exit | return | wait
//   crash-probe --watchdog PID   (the platform starts it so: the probe is its own watchdog)
// After the changes its application window is titled "Zindra crash probe ready". It then waits
// until that window is asked to close (probe close TApplication ...), and dies: an access
// violation, a C++ exception nobody catches, the system's ExitProcess, a plain return from main
// (the platform's destructor cleans up), or, for "wait", not at all (another program ends it:
// the end of the session, or Ctrl+C in its console).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/Platform.h"
#include "platform/RefreshRate.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Watchdog.h"

namespace {

using namespace zindra::platform;

// Notes a close asked of the application window.
class CloseWatch final : public EventSink {
public:
    explicit CloseWatch(WindowHandle application) : application_(application) {}
    void Post(const Event& event) override {
        if (event.Kind == EventKind::Close && event.Window == application_) closeAsked_ = true;
    }
    bool CloseAsked() const { return closeAsked_; }

private:
    WindowHandle application_;
    bool closeAsked_ = false;
};

// The machine's mode of that size at the current depth and rate, as the menu looks for it.
bool SwitchTo800x600(Desktop& desktop) {
    DevModeA current;
    if (!desktop.EnumDisplaySettings(ENUM_CURRENT_SETTINGS, current)) return false;
    DevModeA mode;
    for (std::uint32_t i = 0; desktop.EnumDisplaySettings(i, mode); ++i) {
        if (mode.dmPelsWidth == 800 && mode.dmPelsHeight == 600 && mode.dmBitsPerPel == current.dmBitsPerPel &&
            RefreshRatesMatch(mode.dmDisplayFrequency, current.dmDisplayFrequency)) {
            return desktop.ChangeDisplaySettings(&mode, CDS_UPDATEREGISTRY) == DISP_CHANGE_SUCCESSFUL;
        }
    }
    return false;
}

[[noreturn]] void AccessViolation() {
    // The address comes from memory the compiler cannot see through, so the store is really made.
    volatile std::uintptr_t address = 0;
    *reinterpret_cast<volatile int*>(address) = 1;
    throw std::logic_error("the store to address 0 did not fault");
}

int Die(const std::string& kind, Platform& platform) {
    std::printf("crash-probe: dying by %s\n", kind.c_str());
    std::fflush(stdout);
    if (kind == "access-violation") AccessViolation();
    if (kind == "exception") throw std::runtime_error("crash-probe: nobody catches this");
    if (kind == "exit") platform.GetSystem().ExitProcess(4);
    return 0;  // "return": the platform's destructor puts the machine back
}

}  // namespace

int main(int argc, char** argv) {
    const std::string kind = argc > 1 ? argv[1] : "";
    if (kind == zindra::platform::win32::kWatchdogOption && argc == 3)
        return zindra::platform::win32::RunWatchdog(static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)));
    if (kind != "access-violation" && kind != "exception" && kind != "exit" && kind != "return" && kind != "wait") {
        std::fprintf(stderr, "usage: crash-probe access-violation|exception|exit|return|wait\n");
        return 2;
    }
    zindra::platform::win32::Win32Platform platform({.Watchdog = true});
    Desktop& desktop = platform.GetDesktop();
    WindowParams params;
    params.ClassName = "TApplication";
    params.Title = "Zindra crash probe";
    const WindowHandle application = desktop.CreateWindow(params);
    CloseWatch watch(application);
    desktop.SetEventSink(&watch);

    const bool switched = SwitchTo800x600(desktop);
    const WindowHandle taskBar = desktop.FindWindow("Shell_TrayWnd", nullptr);
    if (taskBar) desktop.ShowWindow(taskBar, SW_HIDE);
    const bool swapped = desktop.SystemParametersInfo(SPI_SETMOUSEBUTTONSWAP, 1, nullptr, 0);
    std::printf("crash-probe: switched=%d taskbar-hidden=%d swapped=%d\n", switched, taskBar != 0, swapped);
    std::fflush(stdout);
    desktop.SetWindowText(application, "Zindra crash probe ready");

    while (!watch.CloseAsked() || kind == "wait")
        desktop.WaitForEvents(Desktop::kNoDeadline);
    const int status = Die(kind, platform);
    desktop.SetEventSink(nullptr);
    desktop.DestroyWindow(application);
    return status;
}
