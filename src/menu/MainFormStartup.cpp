// What the main window does to the machine when it is created and undoes when it goes: control
// registration, font smoothing, the shared data folder, the task bar and the display mode.
#include <algorithm>
#include <cctype>

#include "framework/Text.h"
#include "framework/app/Application.h"
#include "menu/MainForm.h"
#include "platform/Platform.h"
#include "services/SysInfo.h"

namespace zindra {

namespace {

constexpr const char* kResolutionMessage =
    "This program requires a screen resolution of at least 800x600 @ 16bit colour. Please update your display "
    "drivers.";
constexpr const char* kColourDepthMessage =
    "This program requires a colordepth of at least 16-bit to view the graphics in this application. Update your "
    "display driver or graphics adaptor.";
// A driver that claims more modes than this is not believed.
constexpr std::uint32_t kMaxModes = 4096;

std::string WithBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace

void TForm1::FormCreate(TObject*) {
    VolumeRunning = false;
    const std::string systemFolder = WithBackslash(sysinfo->WinSysPath());
    RegisterControl(systemFolder, "mp3p.ocx");
    sysinfo->SetFontSmoothing(true);
    Activated = false;
    DataFolder = ResolveDataFolder();
    platform::Desktop& desktop = Platform().GetDesktop();
    TaskBarWindow = desktop.FindWindow("Shell_TrayWnd", nullptr);
    desktop.ShowWindow(TaskBarWindow, platform::SW_HIDE);
    if (DisplayCheckEnabled() && !SwitchDisplayMode(800, 600, 32) && !SwitchDisplayMode(800, 600, 16)) {
        RestoreDisplayMode();
        Information(kResolutionMessage);
        closetimer->SetEnabled(true);
    } else {
        SetBounds(0, 0, 800, 600);
    }
}

void TForm1::FormDestroy(TObject*) {
    SwapMouseButtons(false);
    Platform().GetDesktop().ShowWindow(TaskBarWindow, platform::SW_SHOW);
    RestoreDisplayMode();
}

std::string TForm1::ResolveDataFolder() {
    platform::System& system = Platform().GetSystem();
    static const std::string kKey = "allusersprofile=";
    for (const std::string& entry : system.EnvironmentStrings()) {
        const std::string lowered = LowerCase(entry);
        const auto at = lowered.find(kKey);
        if (at == std::string::npos) continue;
        std::string folder = WithBackslash(lowered.substr(at + kKey.size(), 1000)) + "documents\\";
        if (!system.DirectoryExists(folder) && !system.CreateDirectory(folder)) {
            folder = WithBackslash(system.CurrentDirectory());
        }
        return folder;
    }
    return WithBackslash(sysinfo->WinSysPath());
}

bool TForm1::RegisterControl(const std::string& systemFolder, const std::string& fileName) {
    const std::string program = Platform().GetSystem().ModuleFileName();
    const std::string controlPath = program.substr(0, program.find_last_of('\\') + 1) + fileName;
    try {
        // NOTE: quoted, so a control in a folder whose path holds a space is registered too.
        return RunAndWait(systemFolder + "regsvr32", "/s \"" + controlPath + "\"");
    } catch (const std::exception&) {
        Application()->MessageBox("Unable to register " + controlPath, Application()->Title(), platform::MB_OK);
        return false;
    }
}

bool TForm1::RunAndWait(const std::string& file, const std::string& parameters) {
    platform::System& system = Platform().GetSystem();
    platform::ShellExecuteRequest request;
    request.Mask = platform::SEE_MASK_NOCLOSEPROCESS;
    request.Owner = Application()->Handle();
    request.File = file.c_str();
    request.Parameters = parameters.c_str();
    request.Show = platform::SW_SHOW;
    if (!system.ShellExecuteEx(request)) return false;
    do {
        Application()->ProcessMessages();
    } while (platform::ProcessRunning(system, request.Process) && !Application()->Terminated());
    if (request.Process) system.CloseProcess(request.Process);
    return true;
}

bool TForm1::DisplayCheckEnabled() {
    platform::System& system = Platform().GetSystem();
    const std::string file = "displaysettings.txt";
    if (!system.FileExists(file)) return true;
    const auto bytes = system.ReadFile(file);
    if (!bytes) return true;
    const std::string text(bytes->begin(), bytes->end());
    const std::string firstLine = text.substr(0, text.find_first_of("\r\n"));
    return firstLine.find("SET=YES") != std::string::npos;
}

TForm1::DisplayModeValues TForm1::ReadDisplayMode() {
    platform::Desktop& desktop = Platform().GetDesktop();
    return {desktop.GetDeviceCaps(platform::VREFRESH), desktop.GetDeviceCaps(platform::HORZRES),
            desktop.GetDeviceCaps(platform::VERTRES), desktop.GetDeviceCaps(platform::BITSPIXEL)};
}

bool TForm1::SwitchDisplayMode(int width, int height, int bitsPerPixel) {
    StartMode = ReadDisplayMode();
    if (StartMode.Width == width && StartMode.Height == height) {
        if (StartMode.BitsPerPixel < 16) Warning(kColourDepthMessage);
        return true;
    }
    ModeList.clear();
    StartModeNo = -1;
    int found = -1;
    platform::Desktop& desktop = Platform().GetDesktop();
    platform::DevModeA current;
    const bool haveCurrent = desktop.EnumDisplaySettings(platform::ENUM_CURRENT_SETTINGS, current);
    platform::DevModeA mode;
    for (std::uint32_t i = 0; i < kMaxModes && desktop.EnumDisplaySettings(i, mode); ++i) {
        ModeList.push_back(mode);
        // The refresh rate must stay the one in use; the last matching mode wins.
        if (static_cast<int>(mode.dmDisplayFrequency) == StartMode.RefreshRate &&
            static_cast<int>(mode.dmPelsWidth) == width && static_cast<int>(mode.dmPelsHeight) == height &&
            static_cast<int>(mode.dmBitsPerPel) == bitsPerPixel && mode.dmOrientation == 0) {
            found = static_cast<int>(i);
        }
    }
    if (haveCurrent) {
        ModeList.push_back(current);
        StartModeNo = static_cast<std::int32_t>(ModeList.size());
    }
    if (found < 0) return false;
    ApplyDisplayMode(ModeList[static_cast<std::size_t>(found)]);
    return true;
}

std::int32_t TForm1::ApplyDisplayMode(const platform::DevModeA& mode) {
    platform::DevModeA copy = mode;
    platform::Desktop& desktop = Platform().GetDesktop();
    const std::int32_t result = desktop.ChangeDisplaySettings(&copy, platform::CDS_UPDATEREGISTRY);
    desktop.BroadcastDisplayChange(42, 0);
    return result;
}

void TForm1::RestoreDisplayMode() {
    const DisplayModeValues now = ReadDisplayMode();
    if (!(now == StartMode) && StartModeNo > 0 && static_cast<std::size_t>(StartModeNo) <= ModeList.size()) {
        ApplyDisplayMode(ModeList[static_cast<std::size_t>(StartModeNo - 1)]);
    }
    ModeList.clear();
}

void TForm1::SwapMouseButtons(bool swap) {
    Platform().GetDesktop().SystemParametersInfo(platform::SPI_SETMOUSEBUTTONSWAP, swap ? 1 : 0, nullptr, 0);
}

void TForm1::closetimerTimer(TObject*) {
    closetimer->SetEnabled(false);
    Close();
}

}  // namespace zindra
