// The probe's commands that act on the menu's process from outside, and the windows it stands up
// beside the menu: another program's window in front, task bars of further monitors.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Probe.h"

namespace probe {

namespace {

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

LRESULT CALLBACK CoverProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
        std::printf("key=%u\n", static_cast<unsigned>(wParam));
        std::fflush(stdout);
    }
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, msg, wParam, lParam);
}

HWND MakeWindow(const char* className, DWORD exStyle, int x, int y, int width, int height, WNDPROC procedure) {
    WNDCLASSEXA info{};
    info.cbSize = sizeof info;
    info.lpfnWndProc = procedure;
    info.hInstance = GetModuleHandleA(nullptr);
    info.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    info.lpszClassName = className;
    RegisterClassExA(&info);
    return CreateWindowExA(exStyle, className, className, WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr, nullptr,
                           info.hInstance, nullptr);
}

// Handles messages until ms pass or the windows are closed.
void RunFor(DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

}  // namespace

int Kill(int argc, char** argv) {
    HWND window = NamedWindow(argc, argv, 2);
    if (!window) return kNotSo;
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, ProcessOf(window));
    const bool ended = process && TerminateProcess(process, 1) && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
    if (process) CloseHandle(process);
    std::printf("killed=%d\n", ended);
    return ended ? kDone : kNotSo;
}

int Fault(int argc, char** argv) {
    HWND window = NamedWindow(argc, argv, 2);
    if (!window) return kNotSo;
    const std::string name = "Local\\ZindraTestFault." + std::to_string(ProcessOf(window));
    HANDLE trigger = OpenEventA(EVENT_MODIFY_STATE, FALSE, name.c_str());
    if (!trigger) {
        std::fprintf(stderr, "probe: no event %s (is ZINDRA_TEST_FAULT set?)\n", name.c_str());
        return kNotSo;
    }
    SetEvent(trigger);
    CloseHandle(trigger);
    return kDone;
}

// Hung as the system sees it: a message sent to the window gets no answer.
int Hung(int argc, char** argv) {
    if (argc < 5) return kNotUnderstood;
    const ULONGLONG limit = std::strtoul(argv[2], nullptr, 10);
    HWND window = NamedWindow(argc, argv, 3);
    const ULONGLONG start = GetTickCount64();
    while (window && GetTickCount64() - start < limit) {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 500, &answer)) return kDone;
        Sleep(kPollMs);
    }
    std::fprintf(stderr, "probe: the window still answers\n");
    return kNotSo;
}

// Another program's window in front of everything but top-most windows, with the keyboard.
int Cover(int argc, char** argv) {
    if (argc < 3) return kNotUnderstood;
    HWND cover =
        MakeWindow("ZindraCover", 0, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), &CoverProc);
    if (!cover) return kNotSo;
    SetForegroundWindow(cover);
    SetFocus(cover);
    std::printf("cover=ready\n");
    std::fflush(stdout);
    RunFor(std::strtoul(argv[2], nullptr, 10));
    return kDone;
}

// What the system makes of a program's manifest, as it will when it starts the program: the DPI
// settings, and whether the common controls' library is the version 6 one.
int Manifest(int argc, char** argv) {
    if (argc < 3) return kNotUnderstood;
    ACTCTXA wanted{};
    wanted.cbSize = sizeof wanted;
    wanted.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    wanted.lpSource = argv[2];
    wanted.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE context = CreateActCtxA(&wanted);
    if (context == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "probe: no manifest the system accepts in %s (error %lu)\n", argv[2], GetLastError());
        return kNotSo;
    }
    using QuerySettings = BOOL(WINAPI*)(DWORD, HANDLE, const WCHAR*, const WCHAR*, WCHAR*, SIZE_T, SIZE_T*);
    const auto query = reinterpret_cast<QuerySettings>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "QueryActCtxSettingsW")));
    const struct {
        const char* Name;
        const WCHAR* Space;
        const WCHAR* Setting;
    } settings[] = {{"dpiAware", L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"},
                    {"dpiAwareness", L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"}};
    for (const auto& setting : settings) {
        WCHAR value[64] = {};
        SIZE_T length = 0;
        const bool found = query && query(0, context, setting.Space, setting.Setting, value, 64, &length);
        std::printf("%s=%ls\n", setting.Name, found ? value : L"");
    }
    ULONG_PTR cookie = 0;
    ActivateActCtx(context, &cookie);
    // The dependency on the common controls of version 6 shows as their library redirected.
    ACTCTX_SECTION_KEYED_DATA redirection{};
    redirection.cbSize = sizeof redirection;
    const bool redirected = FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                                     L"comctl32.dll", &redirection) != FALSE;
    std::printf("common-controls-6=%d\n", redirected);
    DeactivateActCtx(0, cookie);
    ReleaseActCtx(context);
    std::fflush(stdout);
    return kDone;
}

int TaskBars(int argc, char** argv) {
    if (argc < 4) return kNotUnderstood;
    const int count = std::atoi(argv[2]);
    std::vector<HWND> bars;
    for (int i = 0; i < count; ++i)
        bars.push_back(MakeWindow("Shell_SecondaryTrayWnd", WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 100 * i, 740, 90, 28,
                                  &DefWindowProcA));
    std::printf("taskbars=%d\n", static_cast<int>(bars.size()));
    std::fflush(stdout);
    RunFor(std::strtoul(argv[3], nullptr, 10));
    return kDone;
}

}  // namespace probe
