// The Win32 platform object and its capabilities.
#include "platform/win32/Win32Platform.h"

#include "platform/win32/Win32Audio.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32CrashGuard.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32System.h"

namespace zindra::platform::win32 {

// NOTE: the shell's calls want COM set up, single-threaded, on the thread that makes them; the
// process starter and the registration tool's start are made on this thread.
Win32Platform::Win32Platform(const Win32PlatformOptions& options)
    : comReady_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))),
      guard_(std::make_unique<Win32CrashGuard>(options.Watchdog)),
      clock_(std::make_unique<Win32Clock>()),
      desktop_(std::make_unique<Win32Desktop>(*clock_, *guard_)),
      system_(std::make_unique<Win32System>(*guard_)),
      audio_(std::make_unique<Win32Audio>()) {}

Win32Platform::~Win32Platform() {
    audio_.reset();
    system_.reset();
    desktop_.reset();
    clock_.reset();
    guard_.reset();  // undoes what is still changed
    if (comReady_) CoUninitialize();
}

Desktop& Win32Platform::GetDesktop() {
    return *desktop_;
}
System& Win32Platform::GetSystem() {
    return *system_;
}
Audio& Win32Platform::GetAudio() {
    return *audio_;
}
Clock& Win32Platform::GetClock() {
    return *clock_;
}

bool Win32Platform::Has(Capability capability) const {
    switch (capability) {
        case Capability::DisplayModes:
        case Capability::RealProcesses:
            return true;
        case Capability::TaskBar:
            return FindWindowA("Shell_TrayWnd", nullptr) != nullptr;
        case Capability::WaveOutput:
            return waveOutGetNumDevs() > 0;
        // NOTE: the MCI sequencer, not a MIDI output port: MCI opens and times a file without
        // one, and its play then reports its own error the usual way.
        case Capability::MidiSequencer:
            return Win32Audio::SequencerCount() > 0;
        case Capability::Mixer:
            return mixerGetNumDevs() > 0;
        case Capability::Journal:
            return false;
    }
    return false;
}

}  // namespace zindra::platform::win32
