// The simulated machine: its C: drive, task bar, mutexes, atoms and screenshots.
#include "platform/sim/SimMachine.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace zindra::platform::sim {

namespace fs = std::filesystem;

namespace {

constexpr Pixel kWallpaper = 0xFF3A6EA5u;
constexpr Pixel kTaskBarFace = 0xFFC0C0C0u;
constexpr Pixel kTaskBarLight = 0xFFFFFFFFu;
constexpr Pixel kStartButton = 0xFF008000u;

void Touch(const fs::path& path, const std::string& content) {
    if (fs::exists(path)) return;
    std::ofstream(path, std::ios::binary) << content;
}

}  // namespace

SimMachine::SimMachine(SimConfig config)
    : config_(std::move(config)),
      clock_(config_.StartTime),
      journal_([this] { return clock_.NowMs(); }),
      screen_(config_, journal_),
      windows_(journal_),
      settings_(config_, journal_),
      hotKeys_(journal_),
      messageBoxes_(journal_),
      programs_(clock_, journal_) {
    PrepareCDrive();
    WindowParams bar;
    bar.ClassName = "Shell_TrayWnd";
    bar.TopMost = true;
    bar.NoActivate = true;
    taskBar_ = windows_.Create(nullptr, bar, false);
    PlaceTaskBar();
    // The machine itself (no caller) shows it: the journal records only what programs do.
    windows_.Show(nullptr, taskBar_, SW_SHOWNA);
}

SimMachine::~SimMachine() {
    if (!ownedTempFolder_.empty()) {
        std::error_code ignored;
        fs::remove_all(ownedTempFolder_, ignored);
    }
}

void SimMachine::PrepareCDrive() {
    cDrive_ = config_.CDrive;
    if (cDrive_.empty()) {
        std::string pattern = (fs::temp_directory_path() / "zindra-sim-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a folder for the simulated C: drive");
        ownedTempFolder_ = pattern;
        cDrive_ = pattern + "/c";
    }
    const fs::path c(cDrive_);
    fs::create_directories(c / "WINDOWS" / "system32");
    fs::create_directories(c / "WINDOWS" / "TEMP");
    fs::create_directories(c / "Documents and Settings" / "All Users");
    Touch(c / "WINDOWS" / "system32" / "regsvr32.exe", "MZ simulated registration tool\n");
    if (config_.VolumeControlInstalled) Touch(c / "WINDOWS" / "sndvol32.exe", "MZ simulated volume control\n");
}

void SimMachine::PlaceTaskBar() {
    const DisplayMode mode = screen_.Current();
    const Rect bounds = Rect::FromBounds(0, mode.Height - config_.TaskBarHeight, mode.Width, config_.TaskBarHeight);
    windows_.SetBounds(taskBar_, bounds);
    PixelFrame face(bounds.Width(), bounds.Height(), kTaskBarFace);
    for (int x = 0; x < face.Width; ++x)
        face.At(x, 0) = kTaskBarLight;
    for (int y = 4; y < face.Height - 3; ++y) {
        for (int x = 3; x < 60 && x < face.Width; ++x)
            face.At(x, y) = kStartButton;
    }
    windows_.Present(taskBar_, face.View());
}

MutexResult SimMachine::CreateMutex(const std::string& name) {
    MutexResult result;
    {
        std::lock_guard lock(mutex_);
        for (const auto& [handle, existing] : mutexes_) {
            if (existing == name) result.AlreadyExisted = true;
        }
        result.Handle = nextMutex_;
        nextMutex_ += 4;
        mutexes_[result.Handle] = name;
    }
    journal_.Write("mutex", {{"name", name}, {"existed", result.AlreadyExisted}});
    return result;
}

void SimMachine::CloseMutex(MutexHandle mutex) {
    std::lock_guard lock(mutex_);
    mutexes_.erase(mutex);
}

std::uint16_t SimMachine::AddAtom(const std::string& name) {
    std::lock_guard lock(mutex_);
    for (auto& [atom, entry] : atoms_) {
        if (entry.first == name) {
            ++entry.second;
            return atom;
        }
    }
    std::uint16_t atom = 0xC000;
    while (atoms_.count(atom))
        ++atom;
    atoms_[atom] = {name, 1};
    return atom;
}

void SimMachine::DeleteAtom(std::uint16_t atom) {
    std::lock_guard lock(mutex_);
    const auto it = atoms_.find(atom);
    if (it != atoms_.end() && --it->second.second <= 0) atoms_.erase(it);
}

PixelFrame SimMachine::Screenshot() {
    const DisplayMode mode = screen_.Current();
    PixelFrame screen(mode.Width, mode.Height, kWallpaper);
    windows_.Compose(screen);
    return screen;
}

PixelFrame SimMachine::ScreenAsSeen() {
    PixelFrame screen = Screenshot();
    pointer_.DrawOn(screen, input_.Cursor());
    return screen;
}

}  // namespace zindra::platform::sim
