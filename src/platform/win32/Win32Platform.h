// The platform of a Windows program: its desktop, system, audio and clock, and the guard that
// undoes its changes to the machine however it ends. Free of <windows.h>, for the program entry.
#pragma once

#include <memory>

#include "platform/Platform.h"

namespace zindra::platform::win32 {

class Win32Audio;
class Win32Clock;
class Win32CrashGuard;
class Win32Desktop;
class Win32System;

struct Win32PlatformOptions {
    // Start this program again as the watchdog before the first change to the machine (see
    // Win32Watchdog.h); only a program whose entry answers kWatchdogOption may ask for it.
    bool Watchdog = false;
};

// One per process, made and destroyed on the user-interface thread (the desktop's windows
// belong to it). Making it installs the crash guard and readies the thread for the shell (COM,
// apartment-threaded); destroying it undoes what the program left changed: the display mode, the
// hidden task bars, swapped mouse buttons.
class Win32Platform final : public Platform {
public:
    explicit Win32Platform(const Win32PlatformOptions& options = {});
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    Desktop& GetDesktop() override;
    System& GetSystem() override;
    Audio& GetAudio() override;
    Clock& GetClock() override;
    // Display modes and real processes always; the task bar when the shell has one; wave,
    // sequencer and mixer when a device of the kind exists.
    bool Has(Capability capability) const override;

private:
    // Declared in the order they are made; the guard goes last.
    bool comReady_ = false;
    std::unique_ptr<Win32CrashGuard> guard_;
    std::unique_ptr<Win32Clock> clock_;
    std::unique_ptr<Win32Desktop> desktop_;
    std::unique_ptr<Win32System> system_;
    std::unique_ptr<Win32Audio> audio_;
};

}  // namespace zindra::platform::win32
