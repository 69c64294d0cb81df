// probe: looks at the desktop from outside the menu, as another Windows program would, for the
// end-to-end cases: display mode (in use and stored), task bars, mouse buttons, windows and their
// states, the window in front, message boxes; and does to the menu what the system or a user would
// (close, end the session, Ctrl+C, end the process, cover it with another window).
//
//   probe state [TITLE]                    facts as name=value lines (TITLE: the application window's)
//   probe wait MS CONDITION [+ CONDITION]...  until all hold (exit 0) or MS pass (exit 3):
//       mode W H | taskbar visible|hidden | secondary visible|hidden | swap 0|1 | foreground CLASS
//       | window CLASS TITLE | gone CLASS TITLE | iconic CLASS TITLE | shown CLASS TITLE   (TITLE "-": any)
//   probe message-box MS TITLE [ok]        waits for a message box, prints its text, presses OK
//   probe minimize CLASS TITLE             minimises a window as its task-bar button would
//   probe close CLASS TITLE                posts WM_CLOSE
//   probe end-session CLASS TITLE          tells the window's program the session ends, then ends it
//   probe console-break MS EXE [ARG...]    runs EXE in a console of its own, waits for its window
//       "TApplication"/"Zindra crash probe ready", prints the state, sends Ctrl+C, prints the exit code
//   probe env NAME                         the value of an environment variable as programs see it
//   probe kill CLASS TITLE                 ends the window's process with TerminateProcess, as
//                                          "end task" or taskkill /F do
//   probe fault CLASS TITLE                sets the window's process's "Local\ZindraTestFault.<pid>"
//   probe hung MS CLASS TITLE              until the window stops answering messages (a hung window)
//   probe cover MS                         a window over the whole screen, in front with the keyboard,
//                                          that prints "key=VK" for each key it gets; until MS or closed
//   probe taskbars N MS                    N task bars of further monitors ("Shell_SecondaryTrayWnd")
//   probe manifest EXE                     the DPI settings of EXE's manifest and whether it gets the
//                                          common controls of version 6, as "name=value" lines
//   probe cursor                           the pointer shape in use: whether it is the arrow, and
//       where the system lets us read it, its size, hot spot and picture (cursor-row-NN lines of
//       'X' black, 'o' white, '.' transparent)
//   probe window-info CLASS TITLE [MS]     a window's bounds and its top-most, no-activate and
//       disabled styles; with MS, once it is shown (not so if it is not within MS)
// Exit status: 0 done or holds, 3 not so (timed out, no such window), 2 not understood; any other
// status is Wine's own: the probe did not run.
#include "Probe.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace probe {

const char* TitleArg(const char* title) {
    return std::strcmp(title, "-") == 0 ? nullptr : title;
}

HWND Find(const char* className, const char* title) {
    return FindWindowA(className, TitleArg(title));
}

HWND NamedWindow(int argc, char** argv, int at) {
    HWND window = argc > at + 1 ? Find(argv[at], argv[at + 1]) : nullptr;
    if (!window)
        std::fprintf(stderr, "probe: no window %s \"%s\"\n", argc > at ? argv[at] : "",
                     argc > at + 1 ? argv[at + 1] : "");
    return window;
}

}  // namespace probe

namespace {

using namespace probe;

std::string ModeText(DWORD which) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsA(nullptr, which, &mode)) return "unknown";
    char text[64];
    std::snprintf(text, sizeof text, "%lux%lux%lu@%lu", mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel,
                  mode.dmDisplayFrequency);
    return text;
}

const char* WindowState(HWND window) {
    if (!window) return "missing";
    if (IsIconic(window)) return "iconic";
    return IsWindowVisible(window) ? "shown" : "hidden";
}

// All task bars of further monitors: "missing" when there are none, "shown" when every one is.
const char* SecondaryState() {
    int shown = 0;
    int all = 0;
    for (HWND bar = FindWindowExA(nullptr, nullptr, "Shell_SecondaryTrayWnd", nullptr); bar;
         bar = FindWindowExA(nullptr, bar, "Shell_SecondaryTrayWnd", nullptr)) {
        ++all;
        if (IsWindowVisible(bar)) ++shown;
    }
    if (all == 0) return "missing";
    return shown == all ? "shown" : shown == 0 ? "hidden" : "some-hidden";
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    if (!window || GetClassNameA(window, name, sizeof name) == 0) return "none";
    return name;
}

// Windows of process that the task bar and the window switcher list: visible, and either marked
// as application windows or unowned and not tool windows.
BOOL CALLBACK CountListed(HWND window, LPARAM context) {
    auto* counting = reinterpret_cast<std::pair<DWORD, int>*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    const bool listed =
        IsWindowVisible(window) &&
        ((exStyle & WS_EX_APPWINDOW) != 0 || (!GetWindow(window, GW_OWNER) && (exStyle & WS_EX_TOOLWINDOW) == 0));
    if (process == counting->first && listed) ++counting->second;
    return TRUE;
}

int ListedWindows(HWND ofProgram) {
    std::pair<DWORD, int> counting{0, 0};
    if (!ofProgram || !GetWindowThreadProcessId(ofProgram, &counting.first)) return 0;
    EnumWindows(&CountListed, reinterpret_cast<LPARAM>(&counting));
    return counting.second;
}

void PrintState(const char* appTitle) {
    std::printf("mode=%s\n", ModeText(ENUM_CURRENT_SETTINGS).c_str());
    std::printf("stored-mode=%s\n", ModeText(ENUM_REGISTRY_SETTINGS).c_str());
    std::printf("taskbar=%s\n", WindowState(FindWindowA("Shell_TrayWnd", nullptr)));
    std::printf("secondary=%s\n", SecondaryState());
    std::printf("swap=%d\n", GetSystemMetrics(SM_SWAPBUTTON));
    std::printf("app=%s\n", WindowState(FindWindowA("TApplication", appTitle)));
    HWND form = FindWindowA("TForm1", nullptr);
    std::printf("form=%s\n", WindowState(form));
    RECT r{};
    if (form && GetWindowRect(form, &r))
        std::printf("form-bounds=%ld,%ld,%ld,%ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    std::printf("listed=%d\n", ListedWindows(form));
    std::printf("foreground=%s\n", ClassOf(GetForegroundWindow()).c_str());
    std::printf("at-centre=%s\n", ClassOf(GetAncestor(WindowFromPoint(POINT{400, 300}), GA_ROOT)).c_str());
    std::fflush(stdout);
}

// Whether args (a condition and its values) hold now; -1 for a condition not understood.
int Holds(const std::vector<std::string>& args) {
    const std::string& what = args[0];
    if (what == "mode" && args.size() == 3)
        return ModeText(ENUM_CURRENT_SETTINGS).rfind(args[1] + "x" + args[2] + "x", 0) == 0;
    const auto shownOrHidden = [&](const char* state) {
        return std::strcmp(state, args[1] == "visible" ? "shown" : "hidden") == 0;
    };
    if (what == "taskbar" && args.size() == 2) return shownOrHidden(WindowState(FindWindowA("Shell_TrayWnd", nullptr)));
    if (what == "secondary" && args.size() == 2) return shownOrHidden(SecondaryState());
    if (what == "swap" && args.size() == 2) return GetSystemMetrics(SM_SWAPBUTTON) == std::atoi(args[1].c_str());
    if (what == "foreground" && args.size() == 2) return ClassOf(GetForegroundWindow()) == args[1];
    if (args.size() != 3) return -1;
    HWND window = Find(args[1].c_str(), args[2].c_str());
    if (what == "window") return window != nullptr;
    if (what == "gone") return window == nullptr;
    if (what == "iconic") return window && IsIconic(window);
    if (what == "shown") return window && IsWindowVisible(window) && !IsIconic(window);
    return -1;
}

// Conditions joined by "+" hold when each does.
int AllHold(const std::vector<std::string>& args) {
    std::vector<std::string> one;
    for (std::size_t i = 0; i <= args.size(); ++i) {
        if (i < args.size() && args[i] != "+") {
            one.push_back(args[i]);
            continue;
        }
        if (one.empty()) return -1;
        const int holds = Holds(one);
        if (holds <= 0) return holds;
        one.clear();
    }
    return 1;
}

int Wait(int argc, char** argv) {
    if (argc < 4) return kNotUnderstood;
    const DWORD limit = static_cast<DWORD>(std::atol(argv[2]));
    const std::vector<std::string> condition(argv + 3, argv + argc);
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        const int holds = AllHold(condition);
        if (holds < 0) return kNotUnderstood;
        if (holds) return kDone;
        if (GetTickCount64() - start >= limit) {
            std::fprintf(stderr, "probe: timed out waiting for %s\n", argv[3]);
            PrintState(nullptr);
            return kNotSo;
        }
        Sleep(kPollMs);
    }
}

BOOL CALLBACK CollectText(HWND child, LPARAM texts) {
    char cls[32] = {};
    char text[1024] = {};
    GetClassNameA(child, cls, sizeof cls);
    GetWindowTextA(child, text, sizeof text);
    // The message is the static control without a picture; buttons and the icon are not.
    if (_stricmp(cls, "Static") == 0 && text[0] != '\0')
        reinterpret_cast<std::vector<std::string>*>(texts)->push_back(text);
    return TRUE;
}

int MessageBoxText(int argc, char** argv) {
    if (argc < 4) return kNotUnderstood;
    const DWORD limit = static_cast<DWORD>(std::atol(argv[2]));
    const ULONGLONG start = GetTickCount64();
    HWND box = nullptr;
    while (!(box = FindWindowA("#32770", argv[3]))) {
        if (GetTickCount64() - start >= limit) {
            std::fprintf(stderr, "probe: no message box \"%s\"\n", argv[3]);
            return kNotSo;
        }
        Sleep(kPollMs);
    }
    std::vector<std::string> texts;
    EnumChildWindows(box, &CollectText, reinterpret_cast<LPARAM>(&texts));
    for (const std::string& text : texts)
        std::printf("text=%s\n", text.c_str());
    std::fflush(stdout);
    if (argc > 4 && std::strcmp(argv[4], "ok") == 0) PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return texts.empty() ? kNotSo : kDone;
}

int Minimize(int argc, char** argv) {
    HWND window = NamedWindow(argc, argv, 2);
    return window && ShowWindow(window, SW_MINIMIZE) >= 0 ? kDone : kNotSo;
}

int Close(int argc, char** argv) {
    HWND window = NamedWindow(argc, argv, 2);
    return window && PostMessageA(window, WM_CLOSE, 0, 0) ? kDone : kNotSo;
}

// As the system ends a session: every program is asked, told, and then ended.
int EndSession(int argc, char** argv) {
    HWND window = NamedWindow(argc, argv, 2);
    if (!window) return kNotSo;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, processId);
    if (!process) return kNotSo;
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    std::printf("query-end-session=%lu\n", static_cast<unsigned long>(answer));
    SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    TerminateProcess(process, 1);
    const bool ended = WaitForSingleObject(process, 5000) == WAIT_OBJECT_0;
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    std::printf("ended=%d\nexit=%lu\n", ended, code);
    std::fflush(stdout);
    return ended ? kDone : kNotSo;
}

int ConsoleBreak(int argc, char** argv) {
    if (argc < 4) return kNotUnderstood;
    const DWORD limit = static_cast<DWORD>(std::atol(argv[2]));
    std::string command;
    for (int i = 3; i < argc; ++i)
        command += std::string(i > 3 ? " " : "") + "\"" + argv[i] + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr, nullptr,
                        &startup, &child)) {
        std::fprintf(stderr, "probe: cannot start %s\n", command.c_str());
        return kNotSo;
    }
    const ULONGLONG start = GetTickCount64();
    while (!FindWindowA("TApplication", "Zindra crash probe ready") && GetTickCount64() - start < limit)
        Sleep(kPollMs);
    PrintState(nullptr);
    // Into the child's console, deaf to our own Ctrl+C, then Ctrl+C to everyone on it.
    FreeConsole();
    const bool attached = AttachConsole(child.dwProcessId) != FALSE;
    SetConsoleCtrlHandler(nullptr, TRUE);
    const bool sent = attached && GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
    const DWORD waited = WaitForSingleObject(child.hProcess, limit);
    if (waited != WAIT_OBJECT_0) TerminateProcess(child.hProcess, 99);
    DWORD code = 0;
    GetExitCodeProcess(child.hProcess, &code);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    std::printf("sent=%d\nended=%d\nexit=%lu\n", sent, waited == WAIT_OBJECT_0, code);
    std::fflush(stdout);
    return sent && waited == WAIT_OBJECT_0 ? kDone : kNotSo;
}

// The rows of a cursor's picture as text; false when the system does not let us read it (a
// cursor of another process may be out of reach).
bool CursorArt(HCURSOR cursor, std::vector<std::string>& rows, POINT& hotSpot, SIZE& size) {
    ICONINFO info{};
    if (!GetIconInfo(cursor, &info)) return false;
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    size = {mask.bmWidth, info.hbmColor ? mask.bmHeight : mask.bmHeight / 2};
    hotSpot = {static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
    const auto bits = [&](HBITMAP bitmap, int height) {
        std::vector<DWORD> pixels(static_cast<std::size_t>(size.cx) * height);
        BITMAPINFO header{};
        header.bmiHeader.biSize = sizeof header.bmiHeader;
        header.bmiHeader.biWidth = size.cx;
        header.bmiHeader.biHeight = -height;
        header.bmiHeader.biPlanes = 1;
        header.bmiHeader.biBitCount = 32;
        HDC screen = GetDC(nullptr);
        GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &header, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        return pixels;
    };
    // A monochrome cursor keeps its AND mask above its XOR picture in one bitmap.
    const std::vector<DWORD> andMask = bits(info.hbmMask, info.hbmColor ? size.cy : 2 * size.cy);
    const std::vector<DWORD> colour =
        info.hbmColor ? bits(info.hbmColor, size.cy)
                      : std::vector<DWORD>(andMask.begin() + static_cast<long>(size.cx) * size.cy, andMask.end());
    for (int y = 0; y < size.cy; ++y) {
        std::string row;
        for (int x = 0; x < size.cx; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * size.cx + x;
            const DWORD c = colour[i] & 0xFFFFFF;
            row += (andMask[i] & 0xFFFFFF) && c == 0 ? '.' : c == 0 ? 'X' : c == 0xFFFFFF ? 'o' : '?';
        }
        rows.push_back(row);
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

int Cursor() {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    if (!GetCursorInfo(&info)) return kNotSo;
    std::printf("cursor-showing=%d\n", (info.flags & CURSOR_SHOWING) != 0);
    std::printf("cursor-arrow=%d\n", info.hCursor == LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
    std::vector<std::string> rows;
    POINT hotSpot{};
    SIZE size{};
    const bool readable = info.hCursor && CursorArt(info.hCursor, rows, hotSpot, size);
    std::printf("cursor-readable=%d\n", readable);
    if (readable) {
        std::printf("cursor-size=%ldx%ld\ncursor-hotspot=%ld,%ld\n", size.cx, size.cy, hotSpot.x, hotSpot.y);
        for (std::size_t y = 0; y < rows.size(); ++y)
            std::printf("cursor-row-%02u=%s\n", static_cast<unsigned>(y), rows[y].c_str());
    }
    std::fflush(stdout);
    return kDone;
}

int WindowInfo(int argc, char** argv) {
    if (argc > 4) {
        // Taken as soon as the window shows: a hint, say, is up for a few seconds only.
        const DWORD limit = static_cast<DWORD>(std::atol(argv[4]));
        const ULONGLONG start = GetTickCount64();
        while (Holds({"shown", argv[2], argv[3]}) != 1) {
            if (GetTickCount64() - start >= limit) {
                std::fprintf(stderr, "probe: %s \"%s\" not shown within %s ms\n", argv[2], argv[3], argv[4]);
                return kNotSo;
            }
            Sleep(kPollMs / 5);
        }
    }
    HWND window = NamedWindow(argc, argv, 2);
    if (!window) return kNotSo;
    RECT r{};
    GetWindowRect(window, &r);
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    std::printf("bounds=%ld,%ld,%ld,%ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    std::printf("visible=%d\ntopmost=%d\nnoactivate=%d\ndisabled=%d\nforeground=%d\n", IsWindowVisible(window) != 0,
                (exStyle & WS_EX_TOPMOST) != 0, (exStyle & WS_EX_NOACTIVATE) != 0, (style & WS_DISABLED) != 0,
                GetForegroundWindow() == window);
    std::fflush(stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Sizes as they are, whatever the display scale.
    SetProcessDPIAware();
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "state") {
        PrintState(argc > 2 ? argv[2] : nullptr);
        return kDone;
    }
    if (command == "wait") return Wait(argc, argv);
    if (command == "message-box") return MessageBoxText(argc, argv);
    if (command == "minimize") return Minimize(argc, argv);
    if (command == "close") return Close(argc, argv);
    if (command == "end-session") return EndSession(argc, argv);
    if (command == "console-break") return ConsoleBreak(argc, argv);
    if (command == "env" && argc == 3) {
        char value[2048] = {};
        const DWORD length = GetEnvironmentVariableA(argv[2], value, sizeof value);
        if (length == 0 || length >= sizeof value) return kNotSo;
        std::printf("%s\n", value);
        return kDone;
    }
    if (command == "kill") return Kill(argc, argv);
    if (command == "fault") return Fault(argc, argv);
    if (command == "hung") return Hung(argc, argv);
    if (command == "cover") return Cover(argc, argv);
    if (command == "taskbars") return TaskBars(argc, argv);
    if (command == "manifest") return Manifest(argc, argv);
    if (command == "cursor") return Cursor();
    if (command == "window-info") return WindowInfo(argc, argv);
    std::fprintf(stderr,
                 "usage: probe state|wait|message-box|minimize|close|end-session|console-break|kill|fault|hung"
                 "|cover|taskbars|manifest|cursor|window-info ...\n");
    return kNotUnderstood;
}
