// The ledger of machine changes: what is undone after which changes, in which order, and once.
#include "platform/win32/ChangeLedger.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace zindra::platform::win32 {
namespace {

DevModeA Mode(std::uint32_t width, std::uint32_t height, std::uint32_t bits, std::uint32_t hertz = 60) {
    DevModeA mode;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL | DM_DISPLAYFREQUENCY;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmBitsPerPel = bits;
    mode.dmDisplayFrequency = hertz;
    return mode;
}

std::string Text(const DevModeA& mode) {
    return std::to_string(mode.dmPelsWidth) + "x" + std::to_string(mode.dmPelsHeight) + "x" +
           std::to_string(mode.dmBitsPerPel) + "@" + std::to_string(mode.dmDisplayFrequency);
}

// A machine that shows what each test says and records what is undone. By default it still shows
// every change: the mode set, hidden bars, swapped buttons.
class RecordingRestorer final : public MachineRestorer {
public:
    bool CurrentMode(DevModeA& mode) override { return Give(Current, mode); }
    bool StoredMode(DevModeA& mode) override { return Give(Stored, mode); }
    void RestoreDisplayMode(const DevModeA& mode, bool apply, bool store) override {
        Steps.push_back(std::string(apply ? "mode " : "") + (store && !apply ? "stored " : "") + Text(mode) +
                        (apply && !store ? " unstored" : ""));
    }
    bool TaskBarStillHidden(WindowHandle) override { return BarsHidden; }
    void ShowTaskBar(WindowHandle taskBar) override { Steps.push_back("taskbar " + std::to_string(taskBar)); }
    bool ButtonsStillSwapped() override { return Swapped; }
    void ResetMouseButtons() override { Steps.push_back("mouse"); }

    std::optional<DevModeA> Current = Mode(800, 600, 32);
    std::optional<DevModeA> Stored = Mode(800, 600, 32);
    bool BarsHidden = true;
    bool Swapped = true;
    std::vector<std::string> Steps;

private:
    static bool Give(const std::optional<DevModeA>& from, DevModeA& mode) {
        if (from) mode = *from;
        return from.has_value();
    }
};

TEST(ChangeLedger, NothingChangedUndoesNothing) {
    ChangeLedger ledger;
    RecordingRestorer restorer;
    EXPECT_TRUE(ledger.UndoAll(restorer).First);
    EXPECT_EQ(ledger.UndoAll(restorer).Undone, 0u);
    EXPECT_TRUE(restorer.Steps.empty());
}

TEST(ChangeLedger, UndoesInReverseOfANormalEnd) {
    ChangeLedger ledger;
    ledger.TaskBarHidden(0x20058);
    ledger.DisplayModeChanged(Mode(1024, 768, 32), Mode(800, 600, 32));
    ledger.MouseButtonsSwapped(true);
    RecordingRestorer restorer;
    EXPECT_EQ(ledger.UndoAll(restorer).Undone, kUndoneMouse | kUndoneTaskBar | kUndoneDisplayMode | kUndoneStoredMode);
    EXPECT_EQ(restorer.Steps, (std::vector<std::string>{"mouse", "taskbar 131160", "mode 1024x768x32@60"}));
}

TEST(ChangeLedger, UndoesOnlyOnceWhicheverHandlerComesFirst) {
    ChangeLedger ledger;
    ledger.MouseButtonsSwapped(true);
    RecordingRestorer restorer;
    EXPECT_TRUE(ledger.UndoAll(restorer).First);
    ledger.MouseButtonsSwapped(true);  // even a change after the first undo stays
    EXPECT_FALSE(ledger.UndoAll(restorer).First);
    EXPECT_EQ(restorer.Steps, (std::vector<std::string>{"mouse"}));
}

TEST(ChangeLedger, KeepsTheModeFromBeforeTheFirstChange) {
    ChangeLedger ledger;
    ledger.DisplayModeChanged(Mode(1024, 768, 32), Mode(800, 600, 32));
    // The 32-bit mode failed to suit; a second switch goes on to 16 bits.
    ledger.DisplayModeChanged(Mode(800, 600, 32), Mode(800, 600, 16));
    ASSERT_TRUE(ledger.HasDisplayMode());
    EXPECT_EQ(ledger.DisplayModeBefore().dmBitsPerPel, 32u);
    EXPECT_EQ(ledger.DisplayModeBefore().dmPelsWidth, 1024u);
    EXPECT_EQ(ledger.DisplayModeSet().dmBitsPerPel, 16u);
    RecordingRestorer restorer;
    restorer.Current = restorer.Stored = Mode(800, 600, 16);
    ledger.UndoAll(restorer);
    EXPECT_EQ(restorer.Steps, (std::vector<std::string>{"mode 1024x768x32@60"}));
}

TEST(ChangeLedger, AChangeBackToTheFirstModeClearsIt) {
    ChangeLedger ledger;
    ledger.DisplayModeChanged(Mode(1024, 768, 32), Mode(800, 600, 32));
    ledger.DisplayModeChanged(Mode(800, 600, 32), Mode(1024, 768, 32));
    EXPECT_FALSE(ledger.HasDisplayMode());
    RecordingRestorer restorer;
    ledger.UndoAll(restorer);
    EXPECT_TRUE(restorer.Steps.empty());
}

TEST(ChangeLedger, OnlyTheRateChangedStillCounts) {
    ChangeLedger ledger;
    ledger.DisplayModeChanged(Mode(800, 600, 32, 75), Mode(800, 600, 32, 60));
    EXPECT_TRUE(ledger.HasDisplayMode());
    ledger.DisplayModeChanged(Mode(800, 600, 32, 60), Mode(800, 600, 32, 60));  // no change: stays recorded
    EXPECT_TRUE(ledger.HasDisplayMode());
}

TEST(ChangeLedger, AChangeToTheSameModeRecordsNothing) {
    ChangeLedger ledger;
    ledger.DisplayModeChanged(Mode(800, 600, 32), Mode(800, 600, 32));
    EXPECT_FALSE(ledger.HasDisplayMode());
}

TEST(ChangeLedger, TaskBarShownAgainOrButtonsResetByTheProgramAreNotUndone) {
    ChangeLedger ledger;
    ledger.TaskBarHidden(0x1234);
    ledger.MouseButtonsSwapped(true);
    ledger.TaskBarShown();
    ledger.MouseButtonsSwapped(false);
    RecordingRestorer restorer;
    ledger.UndoAll(restorer);
    EXPECT_TRUE(restorer.Steps.empty());
}

// The machine may have moved on since the change: a mode someone else set, in use or stored,
// stays; 59 Hz read back after 60 Hz is still the mode that was set.
TEST(ChangeLedger, TheModeIsPutBackOnlyWhereTheMachineStillShowsIt) {
    const DevModeA other = Mode(1280, 1024, 32);
    struct Case {
        const char* what;
        std::optional<DevModeA> current;
        std::optional<DevModeA> stored;
        std::vector<std::string> steps;
        unsigned undone;
    };
    const Case cases[] = {
        {"both ours",
         Mode(800, 600, 32),
         Mode(800, 600, 32),
         {"mode 1024x768x32@60"},
         kUndoneDisplayMode | kUndoneStoredMode},
        {"read back at 59 Hz",
         Mode(800, 600, 32, 59),
         Mode(800, 600, 32, 59),
         {"mode 1024x768x32@60"},
         kUndoneDisplayMode | kUndoneStoredMode},
        {"another mode in use", other, Mode(800, 600, 32), {"stored 1024x768x32@60"}, kUndoneStoredMode},
        {"another mode stored", Mode(800, 600, 32), other, {"mode 1024x768x32@60 unstored"}, kUndoneDisplayMode},
        {"put back already, at 59 Hz", Mode(1024, 768, 32, 59), Mode(1024, 768, 32, 59), {}, 0},
        {"stored mode unknown",
         Mode(800, 600, 32),
         std::nullopt,
         {"mode 1024x768x32@60"},
         kUndoneDisplayMode | kUndoneStoredMode},
        {"nothing known", std::nullopt, std::nullopt, {}, 0},
    };
    for (const Case& c : cases) {
        ChangeLedger ledger;
        ledger.DisplayModeChanged(Mode(1024, 768, 32), Mode(800, 600, 32));
        RecordingRestorer restorer;
        restorer.Current = c.current;
        restorer.Stored = c.stored;
        EXPECT_EQ(ledger.UndoAll(restorer).Undone, c.undone) << c.what;
        EXPECT_EQ(restorer.Steps, c.steps) << c.what;
        EXPECT_FALSE(ledger.HasDisplayMode()) << c.what;
    }
}

TEST(ChangeLedger, BarsShownAndButtonsResetBySomeoneElseAreLeftAlone) {
    ChangeLedger ledger;
    ledger.TaskBarHidden(0x1234);
    ASSERT_TRUE(ledger.SecondaryTaskBarHidden(0x5678));
    ledger.MouseButtonsSwapped(true);
    RecordingRestorer restorer;
    restorer.BarsHidden = false;
    restorer.Swapped = false;
    EXPECT_EQ(ledger.UndoAll(restorer).Undone, 0u);
    EXPECT_TRUE(restorer.Steps.empty());
    EXPECT_EQ(ledger.HiddenTaskBar(), 0u);
    EXPECT_EQ(ledger.HiddenSecondaryTaskBar(0), 0u);
    EXPECT_FALSE(ledger.ButtonsSwapped());
}

TEST(ChangeLedger, SecondTaskBarsAreKeptOnceEachAndGoWithTheMainOne) {
    ChangeLedger ledger;
    for (WindowHandle bar = 1; bar <= kMaxSecondaryTaskBars; ++bar)
        EXPECT_TRUE(ledger.SecondaryTaskBarHidden(bar * 16));
    EXPECT_TRUE(ledger.SecondaryTaskBarHidden(16));      // already kept
    EXPECT_FALSE(ledger.SecondaryTaskBarHidden(0x999));  // no room: it is not hidden at all
    ledger.TaskBarShown();
    EXPECT_EQ(ledger.HiddenSecondaryTaskBar(0), 0u);
    ledger.TaskBarHidden(0x10);
    ledger.SecondaryTaskBarHidden(0x20);
    ledger.SecondaryTaskBarHidden(0x30);
    RecordingRestorer restorer;
    EXPECT_EQ(ledger.UndoAll(restorer).Undone, kUndoneTaskBar | kUndoneSecondaryTaskBars);
    EXPECT_EQ(restorer.Steps, (std::vector<std::string>{"taskbar 16", "taskbar 32", "taskbar 48"}));
}

TEST(ChangeLedger, AChangeBackReadAt59HzClearsTheRecord) {
    ChangeLedger ledger;
    ledger.DisplayModeChanged(Mode(1024, 768, 32, 60), Mode(800, 600, 32, 60));
    ledger.DisplayModeChanged(Mode(800, 600, 32, 60), Mode(1024, 768, 32, 59));
    EXPECT_FALSE(ledger.HasDisplayMode());  // no second switch at the end
}

// The watchdog's view: a second ledger on the same record sees every fact and undoes them, while
// the first one, being another process's, still may once.
TEST(ChangeLedger, ALedgerOnASharedRecordIsSeenFromAnother) {
    LedgerRecord record;
    ChangeLedger program(record);
    EXPECT_TRUE(program.Shared());
    program.DisplayModeChanged(Mode(1024, 768, 32), Mode(800, 600, 32));
    program.TaskBarHidden(0x42);
    ChangeLedger watchdog(record);
    EXPECT_TRUE(watchdog.HasDisplayMode());
    EXPECT_EQ(watchdog.HiddenTaskBar(), 0x42u);
    RecordingRestorer restorer;
    EXPECT_EQ(watchdog.UndoAll(restorer).Undone, kUndoneTaskBar | kUndoneDisplayMode | kUndoneStoredMode);
    EXPECT_FALSE(program.HasDisplayMode());
    EXPECT_EQ(program.UndoAll(restorer).Undone, 0u);
}

TEST(ChangeLedger, TheUndoneChangesAreNamedWithinTheBuffer) {
    char text[64];
    DescribeUndone(kUndoneMouse | kUndoneDisplayMode, text, sizeof text);
    EXPECT_STREQ(text, "mouse buttons, display mode");
    DescribeUndone(0, text, sizeof text);
    EXPECT_STREQ(text, "");
    char small[20];
    DescribeUndone(kUndoneMouse | kUndoneTaskBar, small, sizeof small);
    EXPECT_STREQ(small, "mouse buttons, ");  // cut at a whole part, terminated
}

TEST(ChangeLedger, SameModeComparesSizeDepthAndRateOnly) {
    DevModeA a = Mode(800, 600, 16, 60);
    DevModeA b = a;
    b.dmFields = 0;
    b.dmDeviceName[0] = 'X';
    EXPECT_TRUE(ChangeLedger::SameMode(a, b));
    b.dmPelsHeight = 601;
    EXPECT_FALSE(ChangeLedger::SameMode(a, b));
}

}  // namespace
}  // namespace zindra::platform::win32
