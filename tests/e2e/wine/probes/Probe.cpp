// probe: looks at the desktop from outside the menu, as another Windows program would, for the
// end-to-end cases: display mode, task bar, mouse buttons, windows and their states, message
// boxes; and does to the menu what the system or a user would (close, end the session, Ctrl+C).
//
//   probe state [TITLE]                    facts as name=value lines (TITLE: the application window's)
//   probe wait MS CONDITION...             until the condition holds (exit 0) or MS pass (exit 1):
//       mode W H | taskbar visible|hidden | swap 0|1 | window CLASS TITLE | gone CLASS TITLE
//       | iconic CLASS TITLE | shown CLASS TITLE          (TITLE "-": any title)
//   probe message-box MS TITLE [ok]        waits for a message box, prints its text, presses OK
//   probe minimize CLASS TITLE             minimises a window as its task-bar button would
//   probe close CLASS TITLE                posts WM_CLOSE
//   probe end-session CLASS TITLE          tells the window's program the session ends, then ends it
//   probe console-break MS EXE [ARG...]    runs EXE in a console of its own, waits for its window
//       "TApplication"/"Zindra crash probe ready", prints the state, sends Ctrl+C, prints the exit code
//   probe cursor                           the pointer shape in use: whether it is the arrow, and
//       where the system lets us read it, its size, hot spot and picture (cursor-row-NN lines of
//       'X' black, 'o' white, '.' transparent)
//   probe window-info CLASS TITLE [MS]     a window's bounds and its top-most, no-activate and
//       disabled styles; with MS, once it is shown (exit 1 if it is not within MS)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kPollMs = 50;

const char* TitleArg(const char* title) {
    return std::strcmp(title, "-") == 0 ? nullptr : title;
}

HWND Find(const char* className, const char* title) {
    return FindWindowA(className, TitleArg(title));
}

std::string ModeText() {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return "unknown";
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

void PrintState(const char* appTitle) {
    std::printf("mode=%s\n", ModeText().c_str());
    std::printf("taskbar=%s\n", WindowState(FindWindowA("Shell_TrayWnd", nullptr)));
    std::printf("swap=%d\n", GetSystemMetrics(SM_SWAPBUTTON));
    std::printf("app=%s\n", WindowState(FindWindowA("TApplication", appTitle)));
    HWND form = FindWindowA("TForm1", nullptr);
    std::printf("form=%s\n", WindowState(form));
    RECT r{};
    if (form && GetWindowRect(form, &r))
        std::printf("form-bounds=%ld,%ld,%ld,%ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    std::fflush(stdout);
}

// Whether args (a condition and its values) hold now; -1 for a condition not understood.
int Holds(const std::vector<std::string>& args) {
    const std::string& what = args[0];
    if (what == "mode" && args.size() == 3) return ModeText().rfind(args[1] + "x" + args[2] + "x", 0) == 0;
    if (what == "taskbar" && args.size() == 2)
        return std::strcmp(WindowState(FindWindowA("Shell_TrayWnd", nullptr)),
                           args[1] == "visible" ? "shown" : "hidden") == 0;
    if (what == "swap" && args.size() == 2) return GetSystemMetrics(SM_SWAPBUTTON) == std::atoi(args[1].c_str());
    if (args.size() != 3) return -1;
    HWND window = Find(args[1].c_str(), args[2].c_str());
    if (what == "window") return window != nullptr;
    if (what == "gone") return window == nullptr;
    if (what == "iconic") return window && IsIconic(window);
    if (what == "shown") return window && IsWindowVisible(window) && !IsIconic(window);
    return -1;
}

int Wait(int argc, char** argv) {
    if (argc < 4) return 2;
    const DWORD limit = static_cast<DWORD>(std::atol(argv[2]));
    const std::vector<std::string> condition(argv + 3, argv + argc);
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        const int holds = Holds(condition);
        if (holds < 0) return 2;
        if (holds) return 0;
        if (GetTickCount64() - start >= limit) {
            std::fprintf(stderr, "probe: timed out waiting for %s\n", argv[3]);
            PrintState(nullptr);
            return 1;
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
    if (argc < 4) return 2;
    const DWORD limit = static_cast<DWORD>(std::atol(argv[2]));
    const ULONGLONG start = GetTickCount64();
    HWND box = nullptr;
    while (!(box = FindWindowA("#32770", argv[3]))) {
        if (GetTickCount64() - start >= limit) {
            std::fprintf(stderr, "probe: no message box \"%s\"\n", argv[3]);
            return 1;
        }
        Sleep(kPollMs);
    }
    std::vector<std::string> texts;
    EnumChildWindows(box, &CollectText, reinterpret_cast<LPARAM>(&texts));
    for (const std::string& text : texts)
        std::printf("text=%s\n", text.c_str());
    std::fflush(stdout);
    if (argc > 4 && std::strcmp(argv[4], "ok") == 0) PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return texts.empty() ? 1 : 0;
}

// The window named by argv[2] (class) and argv[3] (title), or nullptr with the reason told.
HWND NamedWindow(int argc, char** argv) {
    HWND window = argc >= 4 ? Find(argv[2], argv[3]) : nullptr;
    if (!window) std::fprintf(stderr, "probe: no window %s \"%s\"\n", argc > 2 ? argv[2] : "", argc > 3 ? argv[3] : "");
    return window;
}

int Minimize(int argc, char** argv) {
    HWND window = NamedWindow(argc, argv);
    return window && ShowWindow(window, SW_MINIMIZE) >= 0 ? 0 : 1;
}

int Close(int argc, char** argv) {
    HWND window = NamedWindow(argc, argv);
    return window && PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
}

// As the system ends a session: every program is asked, told, and then ended.
int EndSession(int argc, char** argv) {
    HWND window = NamedWindow(argc, argv);
    if (!window) return 1;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, processId);
    if (!process) return 1;
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
    return ended ? 0 : 1;
}

int ConsoleBreak(int argc, char** argv) {
    if (argc < 4) return 2;
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
        return 1;
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
    return sent && waited == WAIT_OBJECT_0 ? 0 : 1;
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
    if (!GetCursorInfo(&info)) return 1;
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
    return 0;
}

int WindowInfo(int argc, char** argv) {
    if (argc > 4) {
        // Taken as soon as the window shows: a hint, say, is up for a few seconds only.
        const DWORD limit = static_cast<DWORD>(std::atol(argv[4]));
        const ULONGLONG start = GetTickCount64();
        while (Holds({"shown", argv[2], argv[3]}) != 1) {
            if (GetTickCount64() - start >= limit) {
                std::fprintf(stderr, "probe: %s \"%s\" not shown within %s ms\n", argv[2], argv[3], argv[4]);
                return 1;
            }
            Sleep(kPollMs / 5);
        }
    }
    HWND window = NamedWindow(argc, argv);
    if (!window) return 1;
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
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "state") {
        PrintState(argc > 2 ? argv[2] : nullptr);
        return 0;
    }
    if (command == "wait") return Wait(argc, argv);
    if (command == "message-box") return MessageBoxText(argc, argv);
    if (command == "minimize") return Minimize(argc, argv);
    if (command == "close") return Close(argc, argv);
    if (command == "end-session") return EndSession(argc, argv);
    if (command == "console-break") return ConsoleBreak(argc, argv);
    if (command == "cursor") return Cursor();
    if (command == "window-info") return WindowInfo(argc, argv);
    std::fprintf(
        stderr,
        "usage: probe state|wait|message-box|minimize|close|end-session|console-break|cursor|window-info ...\n");
    return 2;
}
