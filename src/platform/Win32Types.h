// The Win32 vocabulary the platform interfaces speak: codes, flags and record layouts.
// The kit is written against these values, so every back end answers in them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zindra::platform {

using WindowHandle = std::uintptr_t;   // 0: no window
using ProcessHandle = std::uintptr_t;  // 0: no process
using MutexHandle = std::uintptr_t;    // 0: none
using CursorHandle = std::uintptr_t;   // 0: the default arrow

inline constexpr std::uint32_t kInfinite = 0xFFFFFFFFu;
inline constexpr std::uint32_t kStillActive = 259;

// ShowWindow commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_MAXIMIZE = 3;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWMINNOACTIVE = 7;
inline constexpr int SW_SHOWNA = 8;
inline constexpr int SW_RESTORE = 9;

// MessageBox types and answers.
inline constexpr std::uint32_t MB_OK = 0x00;
inline constexpr std::uint32_t MB_OKCANCEL = 0x01;
inline constexpr std::uint32_t MB_YESNOCANCEL = 0x03;
inline constexpr std::uint32_t MB_YESNO = 0x04;
inline constexpr std::uint32_t MB_ICONERROR = 0x10;
inline constexpr std::uint32_t MB_ICONQUESTION = 0x20;
inline constexpr std::uint32_t MB_ICONWARNING = 0x30;
inline constexpr std::uint32_t MB_ICONINFORMATION = 0x40;
inline constexpr std::uint32_t MB_TYPEMASK = 0x0F;
inline constexpr std::uint32_t MB_ICONMASK = 0xF0;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Window messages that cross the boundary to hidden message windows.
inline constexpr std::uint32_t WM_CLOSE = 0x0010;
inline constexpr std::uint32_t WM_DISPLAYCHANGE = 0x007E;
inline constexpr std::uint32_t WM_TIMER = 0x0113;
inline constexpr std::uint32_t WM_HOTKEY = 0x0312;
inline constexpr std::uint32_t WM_THEMECHANGED = 0x031A;
inline constexpr std::uint32_t MM_MCINOTIFY = 0x03B9;
inline constexpr std::uint32_t MM_MIXM_LINE_CHANGE = 0x3D0;
inline constexpr std::uint32_t MM_MIXM_CONTROL_CHANGE = 0x3D1;
inline constexpr std::uint32_t WM_USER = 0x0400;

// One notch of a mouse wheel.
inline constexpr int WHEEL_DELTA = 120;

// Virtual-key codes used by the kit and the script language.
inline constexpr std::uint32_t VK_BACK = 0x08;
inline constexpr std::uint32_t VK_TAB = 0x09;
inline constexpr std::uint32_t VK_RETURN = 0x0D;
inline constexpr std::uint32_t VK_SHIFT = 0x10;
inline constexpr std::uint32_t VK_CONTROL = 0x11;
inline constexpr std::uint32_t VK_MENU = 0x12;
inline constexpr std::uint32_t VK_CAPITAL = 0x14;
inline constexpr std::uint32_t VK_ESCAPE = 0x1B;
inline constexpr std::uint32_t VK_SPACE = 0x20;
inline constexpr std::uint32_t VK_END = 0x23;
inline constexpr std::uint32_t VK_HOME = 0x24;
inline constexpr std::uint32_t VK_LEFT = 0x25;
inline constexpr std::uint32_t VK_UP = 0x26;
inline constexpr std::uint32_t VK_RIGHT = 0x27;
inline constexpr std::uint32_t VK_DOWN = 0x28;
inline constexpr std::uint32_t VK_DELETE = 0x2E;
inline constexpr std::uint32_t VK_F1 = 0x70;
inline constexpr std::uint32_t VK_PACKET = 0xE7;  // a typed character that no key of the layout gives
inline constexpr std::uint32_t VK_NUMLOCK = 0x90;
inline constexpr std::uint32_t VK_SCROLL = 0x91;

// RegisterHotKey modifiers.
inline constexpr std::uint32_t MOD_ALT = 1;
inline constexpr std::uint32_t MOD_CONTROL = 2;
inline constexpr std::uint32_t MOD_SHIFT = 4;

// GetDeviceCaps indices.
inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int BITSPIXEL = 12;
inline constexpr int PLANES = 14;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;
inline constexpr int VREFRESH = 116;

// GetSystemMetrics indices.
inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr int SM_CXVSCROLL = 2;
inline constexpr int SM_CYHSCROLL = 3;
inline constexpr int SM_SWAPBUTTON = 23;

// SystemParametersInfo actions used by the kit.
inline constexpr std::uint32_t SPI_GETBEEP = 1;
inline constexpr std::uint32_t SPI_SETBEEP = 2;
inline constexpr std::uint32_t SPI_GETKEYBOARDSPEED = 10;
inline constexpr std::uint32_t SPI_SETKEYBOARDSPEED = 11;
inline constexpr std::uint32_t SPI_GETSCREENSAVETIMEOUT = 14;
inline constexpr std::uint32_t SPI_GETSCREENSAVEACTIVE = 16;
inline constexpr std::uint32_t SPI_SETSCREENSAVEACTIVE = 17;
inline constexpr std::uint32_t SPI_GETKEYBOARDDELAY = 22;
inline constexpr std::uint32_t SPI_SETKEYBOARDDELAY = 23;
inline constexpr std::uint32_t SPI_SETMOUSEBUTTONSWAP = 33;
inline constexpr std::uint32_t SPI_SETDRAGFULLWINDOWS = 37;
inline constexpr std::uint32_t SPI_GETDRAGFULLWINDOWS = 38;
inline constexpr std::uint32_t SPI_GETANIMATION = 72;
inline constexpr std::uint32_t SPI_SETANIMATION = 73;
inline constexpr std::uint32_t SPI_GETFONTSMOOTHING = 74;
inline constexpr std::uint32_t SPI_SETFONTSMOOTHING = 75;
inline constexpr std::uint32_t SPI_GETWINDOWSEXTENSION = 92;
inline constexpr std::uint32_t SPI_GETSNAPTODEFBUTTON = 95;
inline constexpr std::uint32_t SPI_SETSNAPTODEFBUTTON = 96;
inline constexpr std::uint32_t SPIF_UPDATEINIFILE = 1;
inline constexpr std::uint32_t SPIF_SENDCHANGE = 2;

// Display settings.
inline constexpr std::uint32_t ENUM_CURRENT_SETTINGS = 0xFFFFFFFFu;
inline constexpr std::uint32_t CDS_UPDATEREGISTRY = 1;
inline constexpr std::int32_t DISP_CHANGE_SUCCESSFUL = 0;
inline constexpr std::int32_t DISP_CHANGE_FAILED = -1;
inline constexpr std::int32_t DISP_CHANGE_BADMODE = -2;
inline constexpr std::uint32_t DM_BITSPERPEL = 0x00040000;
inline constexpr std::uint32_t DM_PELSWIDTH = 0x00080000;
inline constexpr std::uint32_t DM_PELSHEIGHT = 0x00100000;
inline constexpr std::uint32_t DM_DISPLAYFREQUENCY = 0x00400000;

// The DEVMODEA record as far as dmPanningHeight: 156 bytes, laid out as on Windows.
#pragma pack(push, 1)
struct DevModeA {
    char dmDeviceName[32] = {};
    std::uint16_t dmSpecVersion = 0x0401;
    std::uint16_t dmDriverVersion = 0;
    std::uint16_t dmSize = 156;
    std::uint16_t dmDriverExtra = 0;
    std::uint32_t dmFields = 0;
    std::int16_t dmOrientation = 0;  // shares its place with dmPosition.x on display devices
    std::int16_t dmPaperSize = 0;
    std::int16_t dmPaperLength = 0;
    std::int16_t dmPaperWidth = 0;
    std::int16_t dmScale = 0;
    std::int16_t dmCopies = 0;
    std::int16_t dmDefaultSource = 0;
    std::int16_t dmPrintQuality = 0;
    std::int16_t dmColor = 0;
    std::int16_t dmDuplex = 0;
    std::int16_t dmYResolution = 0;
    std::int16_t dmTTOption = 0;
    std::int16_t dmCollate = 0;
    char dmFormName[32] = {};
    std::uint16_t dmLogPixels = 0;
    std::uint32_t dmBitsPerPel = 0;
    std::uint32_t dmPelsWidth = 0;
    std::uint32_t dmPelsHeight = 0;
    std::uint32_t dmDisplayFlags = 0;
    std::uint32_t dmDisplayFrequency = 0;
    std::uint32_t dmICMMethod = 0;
    std::uint32_t dmICMIntent = 0;
    std::uint32_t dmMediaType = 0;
    std::uint32_t dmDitherType = 0;
    std::uint32_t dmReserved1 = 0;
    std::uint32_t dmReserved2 = 0;
    std::uint32_t dmPanningWidth = 0;
    std::uint32_t dmPanningHeight = 0;
};
#pragma pack(pop)
static_assert(sizeof(DevModeA) == 156, "DEVMODEA as far as dmPanningHeight is 156 bytes");
static_assert(offsetof(DevModeA, dmOrientation) == 44);
static_assert(offsetof(DevModeA, dmBitsPerPel) == 104);
static_assert(offsetof(DevModeA, dmDisplayFrequency) == 120);

// ShellExecuteEx.
inline constexpr std::uint32_t SEE_MASK_NOCLOSEPROCESS = 0x40;
inline constexpr std::uintptr_t SE_ERR_FNF = 2;
inline constexpr std::uintptr_t SE_ERR_PNF = 3;
inline constexpr std::uintptr_t SE_ERR_ACCESSDENIED = 5;
inline constexpr std::uintptr_t SE_ERR_OOM = 8;
inline constexpr std::uintptr_t SE_ERR_NOASSOC = 31;
inline constexpr std::uintptr_t kShellSuccess = 42;  // any value above 32 means success

// What SHELLEXECUTEINFOA carries; the back end fills the two results.
struct ShellExecuteRequest {
    std::uint32_t Size = 60;
    std::uint32_t Mask = 0;
    WindowHandle Owner = 0;
    const char* Verb = nullptr;  // null: the default action
    const char* File = nullptr;
    const char* Parameters = nullptr;
    const char* Directory = nullptr;
    int Show = SW_SHOWNORMAL;
    std::uintptr_t InstApp = 0;  // out: > 32 success, else an SE_ERR_ code
    ProcessHandle Process = 0;   // out, with SEE_MASK_NOCLOSEPROCESS
};

// File attributes for file searches.
inline constexpr std::uint32_t FILE_ATTRIBUTE_READONLY = 0x01;
inline constexpr std::uint32_t FILE_ATTRIBUTE_HIDDEN = 0x02;
inline constexpr std::uint32_t FILE_ATTRIBUTE_SYSTEM = 0x04;
inline constexpr std::uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr std::uint32_t FILE_ATTRIBUTE_ARCHIVE = 0x20;
inline constexpr std::uint32_t faAnyFile = 0x3F;

// sndPlaySound flags.
inline constexpr std::uint32_t SND_ASYNC = 0x0001;
inline constexpr std::uint32_t SND_NODEFAULT = 0x0002;
inline constexpr std::uint32_t SND_MEMORY = 0x0004;

// MCI.
inline constexpr std::uint32_t MCI_NOTIFY_SUCCESSFUL = 1;
inline constexpr std::uint32_t MCI_NOTIFY_SUPERSEDED = 2;
inline constexpr std::uint32_t MCI_NOTIFY_ABORTED = 4;
inline constexpr std::uint32_t MCI_NOTIFY_FAILURE = 8;
inline constexpr std::uint32_t MCI_MODE_NOT_READY = 524;
inline constexpr std::uint32_t MCI_MODE_STOP = 525;
inline constexpr std::uint32_t MCI_MODE_PLAY = 526;
inline constexpr std::uint32_t MCI_MODE_SEEK = 528;
inline constexpr std::uint32_t MCI_MODE_PAUSE = 529;
inline constexpr std::uint32_t MCI_MODE_OPEN = 530;
inline constexpr std::uint32_t MCIERR_FILE_NOT_FOUND = 275;
inline constexpr std::uint32_t MCIERR_INVALID_FILE = 296;
inline constexpr std::uint32_t MCIERR_DEVICE_NOT_INSTALLED = 306;
inline constexpr std::uint32_t MCIERR_INVALID_DEVICE_ID = 257;

// Errors.
inline constexpr std::uint32_t ERROR_SUCCESS = 0;
inline constexpr std::uint32_t ERROR_FILE_NOT_FOUND = 2;
inline constexpr std::uint32_t ERROR_PATH_NOT_FOUND = 3;
inline constexpr std::uint32_t ERROR_ACCESS_DENIED = 5;
inline constexpr std::uint32_t ERROR_ALREADY_EXISTS = 183;

}  // namespace zindra::platform
