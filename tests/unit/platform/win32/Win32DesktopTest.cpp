// The Win32 desktop with real windows (under Wine in the test runs): messages become events in
// order, hidden windows hear posted messages, outside state changes are told and our own are not,
// frames are kept for painting, and machine changes reach the guard's ledger.
#include "platform/win32/Win32Desktop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Clock.h"

namespace zindra::platform::win32 {
namespace {

class RecordingSink final : public EventSink {
public:
    void Post(const Event& event) override {
        std::lock_guard lock(mutex_);
        events_.push_back(event);
    }
    std::vector<Event> Take() {
        std::lock_guard lock(mutex_);
        return std::exchange(events_, {});
    }
    // The events of one kind, in order, dropping the rest.
    std::vector<Event> Take(EventKind kind) {
        std::vector<Event> kept;
        for (const Event& e : Take()) {
            if (e.Kind == kind) kept.push_back(e);
        }
        return kept;
    }

private:
    std::mutex mutex_;
    std::vector<Event> events_;
};

class Win32DesktopTest : public ::testing::Test {
protected:
    Win32DesktopTest() { desktop.SetEventSink(&sink); }
    ~Win32DesktopTest() override { desktop.SetEventSink(nullptr); }

    // Handles every message waiting now, without waiting for more.
    void Settle() { desktop.WaitForEvents(clock.NowMs()); }

    // Runs work on another thread while this one keeps handling messages, as the work may send
    // to our windows and wait for the answer.
    template <typename Work>
    void FromAnotherThread(Work work) {
        std::atomic<bool> done{false};
        std::thread other([&] {
            work();
            done = true;
            desktop.Wake();
        });
        while (!done)
            desktop.WaitForEvents(Desktop::kNoDeadline);
        other.join();
        Settle();
    }

    WindowHandle MakeWindow(const char* className = "ZindraTestForm", Rect bounds = {10, 20, 210, 120}) {
        WindowParams params;
        params.ClassName = className;
        params.Title = "Zindra desktop test";
        params.Bounds = bounds;
        const WindowHandle window = desktop.CreateWindow(params);
        windows.push_back(window);
        return window;
    }

    void TearDown() override {
        for (WindowHandle w : windows)
            desktop.DestroyWindow(w);
    }

    Win32Clock clock;
    Win32CrashGuard guard;
    Win32Desktop desktop{clock, guard};
    RecordingSink sink;
    std::vector<WindowHandle> windows;
};

TEST_F(Win32DesktopTest, PostedMessagesReachHiddenWindowsAsEventsInOrder) {
    const WindowHandle hidden = desktop.CreateMessageWindow();
    ASSERT_NE(hidden, 0u);
    ASSERT_TRUE(desktop.PostMessage(hidden, WM_USER + 5, 7, -3));
    ASSERT_TRUE(desktop.PostMessage(hidden, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 9));
    ASSERT_TRUE(desktop.PostMessage(hidden, WM_NULL, 1, 2));  // posted: handed over whatever it is
    Settle();
    const auto events = sink.Take(EventKind::Message);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].Window, hidden);
    EXPECT_EQ(events[0].Msg, WM_USER + 5);
    EXPECT_EQ(events[0].WParam, 7u);
    EXPECT_EQ(events[0].LParam, -3);
    EXPECT_EQ(events[1].Msg, MM_MCINOTIFY);
    EXPECT_EQ(events[1].LParam, 9);
    EXPECT_EQ(events[2].Msg, static_cast<std::uint32_t>(WM_NULL));
    desktop.DestroyWindow(hidden);
}

TEST_F(Win32DesktopTest, AnotherLoopDispatchingToAHiddenWindowStillHandsOverItsMessages) {
    const WindowHandle hidden = desktop.CreateMessageWindow();
    PostMessageA(ToHwnd(hidden), WM_HOTKEY, 3, MAKELPARAM(MOD_CONTROL, 'X'));
    PostMessageA(ToHwnd(hidden), WM_NULL, 0, 0);
    // As MessageBox's loop does: take and dispatch, without our pump.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    const auto events = sink.Take(EventKind::Message);
    ASSERT_EQ(events.size(), 1u);  // the system's own messages stay with the system
    EXPECT_EQ(events[0].Msg, static_cast<std::uint32_t>(WM_HOTKEY));
    EXPECT_EQ(events[0].WParam, 3u);
    desktop.DestroyWindow(hidden);
}

TEST_F(Win32DesktopTest, TheApplicationWindowIsFoundByClassAndTitle) {
    const WindowHandle app = MakeWindow("TApplication", {0, 0, 0, 0});
    desktop.SetWindowText(app, "Zindra find test");
    EXPECT_EQ(desktop.FindWindow("TApplication", "Zindra find test"), app);
    EXPECT_EQ(desktop.FindWindow("TApplication", "Zindra other title"), 0u);
    desktop.SetWindowText(app, "");
    EXPECT_EQ(desktop.FindWindow("TApplication", "Zindra find test"), 0u);
}

TEST_F(Win32DesktopTest, MouseMessagesArriveWithClientCoordinatesButtonsAndShift) {
    const WindowHandle form = MakeWindow();
    PostMessageA(ToHwnd(form), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(5, 7));
    PostMessageA(ToHwnd(form), WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(6, 7));
    Settle();
    auto events = sink.Take();
    std::erase_if(events,
                  [](const Event& e) { return e.Kind != EventKind::MouseDown && e.Kind != EventKind::MouseUp; });
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].Kind, EventKind::MouseDown);
    EXPECT_EQ(events[0].Window, form);
    EXPECT_EQ(events[0].X, 5);
    EXPECT_EQ(events[0].Y, 7);
    EXPECT_EQ(events[0].Shift, kShiftKey | kLeftButton);
    EXPECT_EQ(events[1].Kind, EventKind::MouseUp);
    EXPECT_EQ(events[1].X, 6);
    EXPECT_EQ(events[1].Shift, kShiftKey);
}

TEST_F(Win32DesktopTest, WheelTurnsArriveInClientCoordinates) {
    const WindowHandle form = MakeWindow("ZindraTestForm", {10, 20, 210, 120});
    PostMessageA(ToHwnd(form), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), MAKELPARAM(60, 45));
    Settle();
    const auto events = sink.Take(EventKind::MouseWheel);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].Window, form);
    EXPECT_EQ(events[0].X, 50);  // the screen point less the window's corner
    EXPECT_EQ(events[0].Y, 25);
    EXPECT_EQ(events[0].Delta, -120);
}

TEST_F(Win32DesktopTest, VisualStylesFollowTheThemeLibraryAndItsSwitchesReachWatchers) {
    EXPECT_EQ(desktop.VisualStylesEnabled(), IsAppThemed() && IsThemeActive());
    EXPECT_TRUE(desktop.Themes().LibraryLoaded());
    const WindowHandle watcher = desktop.CreateMessageWindow();
    const WindowHandle bystander = desktop.CreateMessageWindow();
    desktop.WatchThemeChanges(watcher, true);
    // The system sends the switch to top-level windows only; the watch window passes it on.
    SendMessageA(desktop.Themes().Window(), WM_THEMECHANGED, 0, 0);
    Settle();
    auto events = sink.Take(EventKind::Message);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].Window, watcher);
    EXPECT_EQ(events[0].Msg, static_cast<std::uint32_t>(WM_THEMECHANGED));
    EXPECT_TRUE(desktop.Themes().LibraryLoaded());  // let go and loaded again
    EXPECT_EQ(desktop.VisualStylesEnabled(), IsAppThemed() && IsThemeActive());
    desktop.WatchThemeChanges(watcher, false);
    SendMessageA(desktop.Themes().Window(), WM_THEMECHANGED, 0, 0);
    Settle();
    EXPECT_TRUE(sink.Take(EventKind::Message).empty());
    desktop.DestroyWindow(watcher);
    desktop.DestroyWindow(bystander);
}

TEST_F(Win32DesktopTest, CloseIsAskedNotDone) {
    const WindowHandle form = MakeWindow();
    PostMessageA(ToHwnd(form), WM_CLOSE, 0, 0);
    Settle();
    EXPECT_EQ(sink.Take(EventKind::Close).size(), 1u);
    EXPECT_TRUE(IsWindow(ToHwnd(form)));
}

TEST_F(Win32DesktopTest, MinimisingAndRestoringBySomeoneElseIsToldOursIsNot) {
    const WindowHandle form = MakeWindow();
    const PixelFrame frame(200, 100, 0xFF336699u);
    desktop.Present(form, frame.View(), {0, 0, 200, 100});
    EXPECT_FALSE(desktop.ShowWindow(form, SW_SHOWNORMAL));
    EXPECT_TRUE(desktop.ShowWindow(form, SW_MINIMIZE));
    EXPECT_TRUE(desktop.IsIconic(form));
    Settle();
    EXPECT_TRUE(sink.Take(EventKind::ShowState).empty());

    FromAnotherThread([&] { ::ShowWindow(ToHwnd(form), SW_RESTORE); });
    auto states = sink.Take(EventKind::ShowState);
    ASSERT_EQ(states.size(), 1u);
    EXPECT_EQ(states[0].Key, static_cast<std::uint32_t>(SW_RESTORE));
    EXPECT_FALSE(desktop.IsIconic(form));

    FromAnotherThread([&] { ::ShowWindow(ToHwnd(form), SW_MINIMIZE); });
    states = sink.Take(EventKind::ShowState);
    ASSERT_EQ(states.size(), 1u);
    EXPECT_EQ(states[0].Key, static_cast<std::uint32_t>(SW_MINIMIZE));
}

TEST_F(Win32DesktopTest, CaptureTakenByAnotherWindowIsLostButGivingItUpIsNot) {
    const WindowHandle first = MakeWindow();
    const WindowHandle second = MakeWindow("ZindraTestForm", {300, 20, 400, 120});
    desktop.ShowWindow(first, SW_SHOWNORMAL);
    desktop.ShowWindow(second, SW_SHOWNORMAL);
    Settle();
    sink.Take();
    desktop.SetCapture(first);
    desktop.SetCapture(second);
    desktop.ReleaseCapture();
    Settle();
    const auto lost = sink.Take(EventKind::CaptureLost);
    ASSERT_EQ(lost.size(), 1u);
    EXPECT_EQ(lost[0].Window, first);
}

TEST_F(Win32DesktopTest, PresentedFramesAreKeptWholeAndUpdatedOnlyWhereDirty) {
    const WindowHandle form = MakeWindow("ZindraTestForm", {0, 0, 4, 3});
    PixelFrame frame(4, 3, 0xFF000010u);
    desktop.Present(form, frame.View(), {0, 0, 1, 1});  // a new size takes the whole frame
    const Win32FrameBuffer* kept = desktop.FrameOf(form);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->At(3, 2), 0xFF000010u);
    frame.At(1, 1) = 0xFFFF0000u;
    frame.At(3, 2) = 0xFF00FF00u;
    desktop.Present(form, frame.View(), {1, 1, 2, 2});
    EXPECT_EQ(kept->At(1, 1), 0xFFFF0000u);
    EXPECT_EQ(kept->At(3, 2), 0xFF000010u);  // changed outside the dirty area: not shown yet
}

TEST_F(Win32DesktopTest, AWindowWithNothingToShowAsksForAFrame) {
    const WindowHandle form = MakeWindow();
    desktop.ShowWindow(form, SW_SHOWNORMAL);
    UpdateWindow(ToHwnd(form));
    Settle();
    const auto exposed = sink.Take(EventKind::Expose);
    ASSERT_FALSE(exposed.empty());
    EXPECT_EQ(exposed[0].Window, form);
}

TEST_F(Win32DesktopTest, WakeEndsAWaitWithoutADeadline) {
    std::thread other([&] { desktop.Wake(); });
    other.join();
    desktop.WaitForEvents(Desktop::kNoDeadline);  // returns: the wake-up was kept for it
    desktop.WaitForEvents(clock.NowMs() - 1000);  // a deadline gone by returns at once
    SUCCEED();
}

TEST_F(Win32DesktopTest, ASwapOfTheMouseButtonsIsUndoneByTheGuard) {
    ASSERT_TRUE(desktop.SystemParametersInfo(SPI_SETMOUSEBUTTONSWAP, 1, nullptr, 0));
    EXPECT_EQ(desktop.GetSystemMetrics(SM_SWAPBUTTON), 1);
    EXPECT_TRUE(guard.Ledger().ButtonsSwapped());
    guard.UndoNow();
    EXPECT_EQ(desktop.GetSystemMetrics(SM_SWAPBUTTON), 0);
}

TEST_F(Win32DesktopTest, AModeChangeTheDriverRefusesIsNotRecorded) {
    DevModeA odd;
    odd.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    odd.dmPelsWidth = 123;
    odd.dmPelsHeight = 45;
    odd.dmBitsPerPel = 32;
    EXPECT_NE(desktop.ChangeDisplaySettings(&odd, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_FALSE(guard.Ledger().HasDisplayMode());
    DevModeA current;
    ASSERT_TRUE(desktop.EnumDisplaySettings(ENUM_CURRENT_SETTINGS, current));
    EXPECT_EQ(static_cast<int>(current.dmPelsWidth), desktop.GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(static_cast<int>(current.dmBitsPerPel), desktop.GetDeviceCaps(BITSPIXEL));
}

TEST_F(Win32DesktopTest, ASecondHolderOfAHotKeyIsRefused) {
    const WindowHandle first = desktop.CreateMessageWindow();
    const WindowHandle second = desktop.CreateMessageWindow();
    const std::uint32_t modifiers = MOD_CONTROL | MOD_ALT | MOD_SHIFT;
    EXPECT_TRUE(desktop.RegisterHotKey(first, 1, modifiers, VK_F12));
    EXPECT_FALSE(desktop.RegisterHotKey(second, 1, modifiers, VK_F12));
    EXPECT_TRUE(desktop.UnregisterHotKey(first, 1));
    EXPECT_TRUE(desktop.RegisterHotKey(second, 1, modifiers, VK_F12));
    desktop.DestroyWindow(first);
    desktop.DestroyWindow(second);
}

// The application window is raised or restored by another program (a second copy handing over):
// the activation must not stay with a window that has no keyboard use.
TEST_F(Win32DesktopTest, AWindowThatMustNotKeepTheActivationHandsItToTheLastActiveOne) {
    const WindowHandle form = MakeWindow();
    WindowParams params;
    params.ClassName = "ZindraTestApplication";
    params.NoActivate = true;
    params.ShowInTaskBar = false;
    const WindowHandle app = desktop.CreateWindow(params);
    windows.push_back(app);
    desktop.ShowWindow(form, SW_SHOWNORMAL);
    desktop.SetForegroundWindow(form);
    Settle();
    EXPECT_EQ(GetActiveWindow(), ToHwnd(form));
    // Our own restore of it does not take the activation.
    desktop.ShowWindow(app, SW_MINIMIZE);
    desktop.ShowWindow(app, SW_RESTORE);
    Settle();
    EXPECT_EQ(GetActiveWindow(), ToHwnd(form));
    // Someone else's does, and it comes back.
    FromAnotherThread([&] { ::SetForegroundWindow(ToHwnd(app)); });
    Settle();
    EXPECT_EQ(GetActiveWindow(), ToHwnd(form));
    EXPECT_EQ(GetForegroundWindow(), ToHwnd(form));
    // One entry in the task bar and the window switcher: the application window is a tool window.
    EXPECT_NE(GetWindowLongA(ToHwnd(app), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(GetWindowLongA(ToHwnd(app), GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
}

// Fake task bars of this process: the main one and two of further monitors.
struct FakeTaskBars {
    FakeTaskBars() {
        for (const char* name : {"Shell_TrayWnd", "Shell_SecondaryTrayWnd"}) {
            WNDCLASSEXA info{};
            info.cbSize = sizeof info;
            info.lpfnWndProc = DefWindowProcA;
            info.hInstance = GetModuleHandleA(nullptr);
            info.lpszClassName = name;
            RegisterClassExA(&info);
        }
        main = Make("Shell_TrayWnd");
        second = Make("Shell_SecondaryTrayWnd");
        third = Make("Shell_SecondaryTrayWnd");
    }
    ~FakeTaskBars() {
        for (HWND bar : {main, second, third})
            DestroyWindow(bar);
    }
    static HWND Make(const char* className) {
        return CreateWindowExA(WS_EX_TOOLWINDOW, className, "", WS_POPUP | WS_VISIBLE, 0, 740, 100, 28, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    HWND main, second, third;
};

TEST_F(Win32DesktopTest, TheTaskBarsOfEveryMonitorAreHiddenAndShownAsOne) {
    const FakeTaskBars bars;
    ASSERT_TRUE(bars.main && bars.second && bars.third);
    const WindowHandle taskBar = desktop.FindWindow("Shell_TrayWnd", nullptr);
    ASSERT_EQ(taskBar, FromHwnd(bars.main));
    desktop.ShowWindow(taskBar, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(bars.second));
    EXPECT_FALSE(IsWindowVisible(bars.third));
    desktop.ShowWindow(taskBar, SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(bars.second));
    EXPECT_TRUE(IsWindowVisible(bars.third));
    // Hidden again and left so: the guard puts them all back.
    desktop.ShowWindow(taskBar, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(bars.main));
    guard.UndoNow();
    Settle();
    EXPECT_TRUE(IsWindowVisible(bars.main));
    EXPECT_TRUE(IsWindowVisible(bars.second));
    EXPECT_TRUE(IsWindowVisible(bars.third));
}

// A sink that, served from inside a native box, counts the turns and ends the box once it has
// seen the hot key posted while the box was up.
class ServedSink final : public EventSink {
public:
    explicit ServedSink(Clock& clock) : clock_(clock) {}
    void Post(const Event& event) override {
        if (event.Kind == EventKind::Message && event.Msg == WM_HOTKEY) hotKeys.fetch_add(1);
    }
    NestedLoopTurn ServeNestedLoop() override {
        ++turns;
        return {clock_.NowMs() + 20, hotKeys.load() > 0 && turns >= 3};
    }
    std::atomic<int> hotKeys{0};
    int turns = 0;

private:
    Clock& clock_;
};

BOOL CALLBACK PressOkOnBoxes(HWND window, LPARAM pressed) {
    char name[16] = {};
    if (GetClassNameA(window, name, sizeof name) > 0 && lstrcmpA(name, "#32770") == 0) {
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        *reinterpret_cast<bool*>(pressed) = true;
    }
    return TRUE;
}

TEST_F(Win32DesktopTest, ANativeMessageBoxKeepsTimersAndHotKeysFlowingAndEndsWithTheProgram) {
    ServedSink served(clock);
    desktop.SetEventSink(&served);
    const WindowHandle hotKeyWindow = desktop.CreateMessageWindow();
    const DWORD thread = GetCurrentThreadId();
    HANDLE boxDone = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    bool pressedByTest = false;
    std::thread other([&] {
        PostMessageA(ToHwnd(hotKeyWindow), WM_HOTKEY, 1, MAKELPARAM(MOD_CONTROL, 'X'));
        // A box still up after 10 s was never served: answer it, so the test ends and fails.
        if (WaitForSingleObject(boxDone, 10000) != WAIT_OBJECT_0)
            EnumThreadWindows(thread, &PressOkOnBoxes, reinterpret_cast<LPARAM>(&pressedByTest));
    });
    const int answer = desktop.MessageBox(0, "Served?", "Zindra modal loop test", MB_OK);
    SetEvent(boxDone);
    other.join();
    CloseHandle(boxDone);
    desktop.SetEventSink(&sink);
    desktop.DestroyWindow(hotKeyWindow);
    EXPECT_FALSE(pressedByTest) << "the box never ended by itself";
    EXPECT_EQ(answer, IDCANCEL);
    EXPECT_EQ(served.hotKeys.load(), 1);
    EXPECT_GE(served.turns, 3);
}

TEST_F(Win32DesktopTest, CursorsAreMadeOnlyFromWholeImages) {
    CursorImage image{PixelFrame(4, 4, 0xFF000000u), {1, 2}};
    image.Image.At(0, 0) = 0x00FFFFFFu;  // transparent corner
    const CursorHandle cursor = desktop.CreateCursor(image);
    EXPECT_NE(cursor, 0u);
    desktop.SetCursor(cursor);
    desktop.SetCursor(0);
    CursorImage broken = image;
    broken.Image.Pixels.pop_back();
    EXPECT_EQ(desktop.CreateCursor(broken), 0u);
}

TEST_F(Win32DesktopTest, TheClipboardKeepsAPictureUntilItIsEmptiedAndWaitsOnlyBrieflyForAHolder) {
    using Result = Desktop::ClipboardResult;
    // One red pixel: a 40-byte header, 24 bits, then its padded row.
    std::vector<std::uint8_t> dib = {40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0};
    dib.resize(40, 0);
    dib.insert(dib.end(), {0, 0, 255, 0});
    ASSERT_EQ(desktop.PutClipboardPicture(dib), Result::Done);
    std::vector<std::uint8_t> back;
    ASSERT_EQ(desktop.GetClipboardPicture(back), Result::Done);
    // The system may hand back a block rounded up in size.
    ASSERT_GE(back.size(), dib.size());
    EXPECT_TRUE(std::equal(dib.begin(), dib.end(), back.begin()));

    // Another thread holds it open for a window of its own, as another program would; afterwards
    // it empties it.
    std::atomic<int> stage{0};
    std::thread holder([&] {
        HWND window = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        const bool opened = window && ::OpenClipboard(window);
        stage = opened ? 1 : 3;
        while (opened && stage != 2)
            ::Sleep(1);
        if (opened) {
            ::EmptyClipboard();
            ::CloseClipboard();
        }
        if (window) ::DestroyWindow(window);
    });
    while (stage == 0)
        ::Sleep(1);
    if (stage == 3) {
        holder.join();
        FAIL() << "the other thread could not open the clipboard";
    }
    EXPECT_EQ(desktop.PutClipboardPicture(dib), Result::Unavailable);
    EXPECT_EQ(desktop.GetClipboardPicture(back), Result::Unavailable);
    stage = 2;
    holder.join();
    EXPECT_EQ(desktop.GetClipboardPicture(back), Result::NoPicture);
}

}  // namespace
}  // namespace zindra::platform::win32
