// One simulated Windows machine: its screen, windows, settings, hot keys, programs, mutexes and
// journal, shared by every program that runs on it. Scripts and tests drive its input here.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/System.h"
#include "platform/sim/Journal.h"
#include "platform/sim/SimClipboard.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimConfig.h"
#include "platform/sim/SimHotKeys.h"
#include "platform/sim/SimInput.h"
#include "platform/sim/SimMixers.h"
#include "platform/sim/SimPointer.h"
#include "platform/sim/SimPrograms.h"
#include "platform/sim/SimScreen.h"
#include "platform/sim/SimSettings.h"
#include "platform/sim/SimThemes.h"
#include "platform/sim/SimWindows.h"

namespace zindra::platform::sim {

class SimMachine {
public:
    explicit SimMachine(SimConfig config);
    ~SimMachine();
    SimMachine(const SimMachine&) = delete;
    SimMachine& operator=(const SimMachine&) = delete;

    const SimConfig& Config() const { return config_; }
    SimClock& Clock() { return clock_; }
    Journal& GetJournal() { return journal_; }
    const Journal& GetJournal() const { return journal_; }
    SimScreen& Screen() { return screen_; }
    SimWindows& Windows() { return windows_; }
    SimSettings& Settings() { return settings_; }
    SimThemes& Themes() { return themes_; }
    SimHotKeys& HotKeys() { return hotKeys_; }
    SimMessageBoxes& MessageBoxes() { return messageBoxes_; }
    SimPrograms& Programs() { return programs_; }
    SimInput& Input() { return input_; }
    SimPointer& Pointer() { return pointer_; }
    SimMixers& Mixers() { return mixers_; }
    SimClipboard& Clipboard() { return clipboard_; }
    const std::string& CDrive() const { return cDrive_; }
    WindowHandle TaskBar() const { return taskBar_; }

    // Named mutexes live on the machine, so two programs on it see each other's.
    MutexResult CreateMutex(const std::string& name);
    void CloseMutex(MutexHandle mutex);
    std::uint16_t AddAtom(const std::string& name);
    void DeleteAtom(std::uint16_t atom);

    // The desktop as a picture: wallpaper, windows bottom to top, the task bar; what a program
    // reading the screen gets, so without the pointer.
    PixelFrame Screenshot();
    // The same with the pointer drawn where it is, as a user sees the screen.
    PixelFrame ScreenAsSeen();
    // Keeps the task bar at the bottom of the screen after a mode change.
    void PlaceTaskBar();

private:
    void PrepareCDrive();

    SimConfig config_;
    SimClock clock_;
    Journal journal_;
    SimScreen screen_;
    SimWindows windows_;
    SimSettings settings_;
    SimThemes themes_{config_.VisualStyles, journal_, windows_};
    SimHotKeys hotKeys_;
    SimMessageBoxes messageBoxes_;
    SimPrograms programs_;
    SimInput input_{*this};
    SimPointer pointer_{journal_};
    SimMixers mixers_{config_.Mixers, journal_, windows_};
    SimClipboard clipboard_{journal_};
    std::string cDrive_;
    std::string ownedTempFolder_;  // removed with the machine
    WindowHandle taskBar_ = 0;

    std::mutex mutex_;
    std::map<MutexHandle, std::string> mutexes_;
    MutexHandle nextMutex_ = 0x800;
    std::map<std::uint16_t, std::pair<std::string, int>> atoms_;
};

}  // namespace zindra::platform::sim
