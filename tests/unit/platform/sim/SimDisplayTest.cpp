// The simulated screen and desktop: display modes, the task bar, hot keys, message boxes and
// how input reaches windows.
#include <gtest/gtest.h>

#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimProcess.h"

namespace zindra::platform::sim {
namespace {

struct Recorder : EventSink {
    std::vector<Event> events;
    void Post(const Event& e) override { events.push_back(e); }
};

TEST(SimScreen, ChangesOnlyToOfferedModesAndJournalsThem) {
    SimMachine machine({});
    SimProcess process(machine);
    Desktop& desktop = process.GetDesktop();
    DevModeA mode;
    ASSERT_TRUE(desktop.EnumDisplaySettings(1, mode));
    EXPECT_EQ(mode.dmPelsWidth, 800u);
    EXPECT_FALSE(desktop.EnumDisplaySettings(6, mode));
    mode.dmBitsPerPel = 24;  // not offered
    EXPECT_EQ(desktop.ChangeDisplaySettings(&mode, CDS_UPDATEREGISTRY), DISP_CHANGE_BADMODE);
    mode.dmBitsPerPel = 16;
    EXPECT_EQ(desktop.ChangeDisplaySettings(&mode, CDS_UPDATEREGISTRY), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(desktop.GetDeviceCaps(HORZRES), 800);
    EXPECT_EQ(desktop.GetDeviceCaps(BITSPIXEL), 16);
    EXPECT_EQ(desktop.WindowBounds(desktop.FindWindow("Shell_TrayWnd", nullptr)).Bottom, 600);
    const auto lines = machine.GetJournal().Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], R"({"t":0,"ev":"display-mode","w":800,"h":600,"bpp":16,"hz":60,"stored":true})");
}

TEST(SimDesktop, TaskBarHidesAndShowsThroughTheJournal) {
    SimMachine machine({});
    SimProcess process(machine);
    Desktop& desktop = process.GetDesktop();
    const WindowHandle bar = desktop.FindWindow("Shell_TrayWnd", nullptr);
    ASSERT_NE(bar, 0u);
    desktop.ShowWindow(bar, SW_HIDE);
    desktop.ShowWindow(bar, SW_HIDE);
    desktop.ShowWindow(bar, SW_SHOW);
    const auto lines = machine.GetJournal().Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find(R"("ev":"taskbar","visible":false)"), std::string::npos);
    EXPECT_NE(lines[1].find(R"("visible":true)"), std::string::npos);
}

TEST(SimInput, SwappedButtonsTurnAPhysicalLeftIntoARightPress) {
    SimMachine machine({});
    SimProcess process(machine);
    Recorder sink;
    Desktop& desktop = process.GetDesktop();
    desktop.SetEventSink(&sink);
    WindowParams params;
    params.Bounds = Rect::FromBounds(100, 100, 50, 50);
    const WindowHandle w = desktop.CreateWindow(params);
    desktop.ShowWindow(w, SW_SHOW);
    desktop.SystemParametersInfo(SPI_SETMOUSEBUTTONSWAP, 1, nullptr, 0);
    machine.Input().Click(110, 120, MouseButton::Left);
    std::vector<Event> mouse;
    for (const Event& e : sink.events) {
        if (e.Kind == EventKind::MouseDown) mouse.push_back(e);
    }
    ASSERT_EQ(mouse.size(), 1u);
    EXPECT_EQ(mouse[0].Button, MouseButton::Right);
    EXPECT_EQ(mouse[0].X, 10);
    EXPECT_EQ(mouse[0].Y, 20);
    EXPECT_EQ(desktop.GetSystemMetrics(SM_SWAPBUTTON), 1);
}

TEST(SimInput, KeysWithModifiersGoToTheHotKeyOwnerFirst) {
    SimMachine machine({});
    SimProcess process(machine);
    Recorder sink;
    Desktop& desktop = process.GetDesktop();
    desktop.SetEventSink(&sink);
    const WindowHandle hidden = desktop.CreateMessageWindow();
    EXPECT_TRUE(desktop.RegisterHotKey(hidden, 7, MOD_CONTROL, 'X'));
    EXPECT_FALSE(desktop.RegisterHotKey(hidden, 8, MOD_CONTROL, 'X'));  // taken
    machine.Input().Key('X', MOD_CONTROL);
    ASSERT_EQ(sink.events.size(), 1u);
    EXPECT_EQ(sink.events[0].Msg, WM_HOTKEY);
    EXPECT_EQ(sink.events[0].WParam, 7u);
    machine.Input().Key('X', MOD_ALT);  // no such hot key, and no window has the focus
    EXPECT_EQ(sink.events.size(), 1u);
}

TEST(SimMessageBoxes, ScriptedAnswersFirstThenTheSafeDefault) {
    SimMachine machine({});
    SimProcess process(machine);
    Desktop& desktop = process.GetDesktop();
    machine.MessageBoxes().QueueAnswer(IDYES);
    EXPECT_EQ(desktop.MessageBox(0, "Delete?", "Confirm", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(desktop.MessageBox(0, "Delete?", "Confirm", MB_YESNO | MB_ICONQUESTION), IDNO);
    machine.MessageBoxes().QueueAnswer(IDYES);  // not offered by an OK box
    EXPECT_EQ(desktop.MessageBox(0, "Note", "Information", MB_OK | MB_ICONINFORMATION), IDOK);
    const auto lines = machine.GetJournal().Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(
        lines[0].find(R"("kind":"question","caption":"Confirm","text":"Delete?","buttons":"yesno","answer":"yes")"),
        std::string::npos);
}

TEST(SimMutexes, ASecondCreatorSeesThatTheMutexExisted) {
    SimMachine machine({});
    SimProcess first(machine);
    SimProcess second(machine);
    const MutexResult a = first.GetSystem().CreateMutex("zindra.exe");
    const MutexResult b = second.GetSystem().CreateMutex("zindra.exe");
    const MutexResult c = second.GetSystem().CreateMutex("ZINDRA.EXE");
    EXPECT_FALSE(a.AlreadyExisted);
    EXPECT_TRUE(b.AlreadyExisted);
    EXPECT_FALSE(c.AlreadyExisted);  // names are case-sensitive
    first.GetSystem().CloseMutex(a.Handle);
    second.GetSystem().CloseMutex(b.Handle);
    EXPECT_FALSE(second.GetSystem().CreateMutex("zindra.exe").AlreadyExisted);
}

}  // namespace
}  // namespace zindra::platform::sim
