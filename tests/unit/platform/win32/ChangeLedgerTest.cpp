// The ledger of machine changes: what is undone after which changes, in which order, and once.
#include "platform/win32/ChangeLedger.h"

#include <gtest/gtest.h>

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

class RecordingRestorer final : public MachineRestorer {
public:
    void RestoreDisplayMode(const DevModeA& mode) override {
        Steps.push_back("mode " + std::to_string(mode.dmPelsWidth) + "x" + std::to_string(mode.dmPelsHeight) + "x" +
                        std::to_string(mode.dmBitsPerPel) + "@" + std::to_string(mode.dmDisplayFrequency));
    }
    void ShowTaskBar(WindowHandle taskBar) override { Steps.push_back("taskbar " + std::to_string(taskBar)); }
    void ResetMouseButtons() override { Steps.push_back("mouse"); }
    std::vector<std::string> Steps;
};

TEST(ChangeLedger, NothingChangedUndoesNothing) {
    ChangeLedger ledger;
    RecordingRestorer restorer;
    EXPECT_TRUE(ledger.UndoAll(restorer));
    EXPECT_TRUE(restorer.Steps.empty());
}

TEST(ChangeLedger, UndoesInReverseOfANormalEnd) {
    ChangeLedger ledger;
    ledger.TaskBarHidden(0x20058);
    ledger.DisplayModeChanged(Mode(1024, 768, 32), Mode(800, 600, 32));
    ledger.MouseButtonsSwapped(true);
    RecordingRestorer restorer;
    ledger.UndoAll(restorer);
    EXPECT_EQ(restorer.Steps, (std::vector<std::string>{"mouse", "taskbar 131160", "mode 1024x768x32@60"}));
}

TEST(ChangeLedger, UndoesOnlyOnceWhicheverHandlerComesFirst) {
    ChangeLedger ledger;
    ledger.MouseButtonsSwapped(true);
    RecordingRestorer restorer;
    EXPECT_TRUE(ledger.UndoAll(restorer));
    ledger.MouseButtonsSwapped(true);  // even a change after the first undo stays
    EXPECT_FALSE(ledger.UndoAll(restorer));
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
    RecordingRestorer restorer;
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
