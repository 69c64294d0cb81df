// The Windows API as the Win32 back end sees it: the platform interfaces first, then <windows.h>
// and the other Windows headers the back end uses, with the macros that would rename the
// interfaces' methods taken back out. No file of the back end includes a Windows header itself.
#pragma once

// NOTE: this order is the point of the file. Win32Types.h names the same constants that
// <windows.h> defines as macros (SW_HIDE, MB_OK, ...); once the macros exist, the header could no
// longer be read. Included first, it is read as it stands and the macros only replace later uses,
// which have the same values.
#include "platform/Audio.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Platform.h"
#include "platform/System.h"
#include "platform/Win32Types.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <mmsystem.h>
#include <objbase.h>
#include <shellapi.h>
#include <uxtheme.h>
#include <winspool.h>
#include <winver.h>

// Names of interface methods that the headers above map to their A or W functions. The back end
// calls the A functions by their full names.
#undef ChangeDisplaySettings
#undef CreateDirectory
#undef CreateEvent
#undef CreateMutex
#undef CreateWindow
#undef DeleteFile
#undef EnumDisplaySettings
#undef FindWindow
#undef GetLocaleInfo
#undef GlobalAddAtom
#undef MessageBox
#undef PostMessage
#undef SetCurrentDirectory
#undef SetLocaleInfo
#undef SetWindowText
#undef ShellExecuteEx
#undef SystemParametersInfo

namespace zindra::platform::win32 {

inline HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}
inline WindowHandle FromHwnd(HWND window) {
    return reinterpret_cast<WindowHandle>(window);
}

// The record layouts the interfaces copy from Windows must be Windows' own.
static_assert(sizeof(DEVMODEA) == sizeof(DevModeA), "DevModeA is DEVMODEA as far as dmPanningHeight");
static_assert(offsetof(DEVMODEA, dmFields) == offsetof(DevModeA, dmFields));
static_assert(offsetof(DEVMODEA, dmBitsPerPel) == offsetof(DevModeA, dmBitsPerPel));
static_assert(offsetof(DEVMODEA, dmPelsWidth) == offsetof(DevModeA, dmPelsWidth));
static_assert(offsetof(DEVMODEA, dmDisplayFrequency) == offsetof(DevModeA, dmDisplayFrequency));
static_assert(offsetof(DEVMODEA, dmPanningHeight) == offsetof(DevModeA, dmPanningHeight));

}  // namespace zindra::platform::win32
