// What a simulated machine looks like: screen and display modes, settings, devices, the
// environment, and where its C: drive lives.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/System.h"

namespace zindra::platform::sim {

struct DisplayMode {
    int Width = 1024;
    int Height = 768;
    int BitsPerPixel = 32;
    int Frequency = 60;
    friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

// 640x480, 800x600 and 1024x768 at 16 and 32 bits, 60 Hz.
std::vector<DisplayMode> DefaultDisplayModes();

enum class ProgramMode { Fake, Real };

struct SimConfig {
    DisplayMode Screen;
    std::vector<DisplayMode> Modes = DefaultDisplayModes();
    // Virtual milliseconds a change of the display mode takes; a real driver can take a second.
    std::uint32_t DisplayChangeMs = 0;
    // Host folder that is C:\; empty: a fresh temporary folder removed with the machine.
    std::string CDrive;
    // The environment block; empty: a plain Windows-like block with ALLUSERSPROFILE set.
    std::vector<std::string> Environment;
    // The running program file as Windows sees it; empty: the real program file.
    std::string ProgramFile;
    ProgramMode Programs = ProgramMode::Fake;
    bool VolumeControlInstalled = false;  // sndvol32.exe in the Windows folder
    std::uint32_t WaveDevices = 1;
    bool MidiInstalled = true;
    std::uint32_t MixerDevices = 1;
    bool MouseButtonsSwapped = false;
    bool FontSmoothing = false;
    bool VisualStyles = false;  // themed controls; SimThemes switches it while programs run
    int TaskBarHeight = 30;
    LocalTime StartTime{2026, 3, 2, 8, 0, 0, 0};
    std::string UserName = "PUPIL";
    std::string ComputerName = "ZINDRA-PC";
    // What GetVersionEx reports; platform id 1 makes the machine one of the 95 family.
    VersionInfo Version{5, 1, 2600, 2};
    bool WindowsExtension = true;           // the 95 family's desktop extension (SPI_GETWINDOWSEXTENSION)
    std::uint32_t ScreenSaveTimeout = 600;  // seconds
    MemoryStatus Memory{37, 512ull << 20, 322ull << 20, 1248ull << 20, 1001ull << 20, 2047ull << 20, 1990ull << 20};
    // The 16-bit free-resource percentages (system, GDI, user); only the 95 family answers them.
    std::array<std::uint16_t, 3> FreeResources = {71, 83, 71};
    // Locale items GetLocaleInfo fails for, as on a system that lacks them.
    std::vector<std::uint32_t> MissingLocaleItems;
    std::vector<std::string> ScreenFonts = {"MS Sans Serif", "Bart", "Times New Roman", "Arial", "Courier New"};
    std::vector<std::string> Printers = {"Staff Room Laser", "Library Colour"};
    std::uint32_t ProcessorType = 586;
    std::uint32_t ProcessorCount = 1;
    // False: the user may not open the machine's registration keys with full access.
    bool MachineKeysWritable = true;
};

}  // namespace zindra::platform::sim
