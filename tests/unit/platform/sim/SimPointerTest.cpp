// The pointer on the simulated machine: the images it takes, the shape it shows and journals,
// and the pointer in the screen as a user sees it (but not in what programs capture).
#include "platform/sim/SimPointer.h"

#include <gtest/gtest.h>

#include "platform/sim/SimMachine.h"

namespace zindra::platform::sim {
namespace {

// A 3 by 2 cursor: red, transparent, blue / green, green, transparent; hot spot (1, 1).
CursorImage Small() {
    CursorImage image{PixelFrame(3, 2, 0), {1, 1}};
    image.Image.At(0, 0) = 0xFFFF0000u;
    image.Image.At(2, 0) = 0xFF0000FFu;
    image.Image.At(0, 1) = 0xFF00FF00u;
    image.Image.At(1, 1) = 0xFF00FF00u;
    return image;
}

TEST(SimPointer, RefusesImagesNoDesktopWouldTake) {
    SimMachine machine({});
    CursorImage noPixels{PixelFrame(), {0, 0}};
    CursorImage tooBig{PixelFrame(257, 4), {0, 0}};
    CursorImage hotSpotOutside = Small();
    hotSpotOutside.HotSpot = {3, 0};
    CursorImage negativeHotSpot = Small();
    negativeHotSpot.HotSpot = {0, -1};
    CursorImage shortPixels = Small();
    shortPixels.Image.Pixels.pop_back();
    for (const CursorImage* bad : {&noPixels, &tooBig, &hotSpotOutside, &negativeHotSpot, &shortPixels})
        EXPECT_EQ(machine.Pointer().Create(*bad), 0u);
    EXPECT_NE(machine.Pointer().Create(Small()), 0u);
}

TEST(SimPointer, TheScreenAsSeenHasThePointerWithItsHotSpotOnThePointerOnly) {
    SimMachine machine({});
    const CursorHandle cursor = machine.Pointer().Create(Small());
    machine.Pointer().Set(cursor);
    machine.Input().MoveTo(100, 50);
    const PixelFrame plain = machine.Screenshot();
    const PixelFrame seen = machine.ScreenAsSeen();
    EXPECT_EQ(seen.At(99, 49), 0xFFFF0000u);
    EXPECT_EQ(seen.At(100, 49), plain.At(100, 49));  // transparent
    EXPECT_EQ(seen.At(101, 49), 0xFF0000FFu);
    EXPECT_EQ(seen.At(100, 50), 0xFF00FF00u);
    EXPECT_EQ(seen.At(101, 50), plain.At(101, 50));
    int differing = 0;
    for (std::size_t i = 0; i < plain.Pixels.size(); ++i)
        differing += plain.Pixels[i] != seen.Pixels[i];
    EXPECT_EQ(differing, 4);
}

TEST(SimPointer, APointerAtTheEdgeIsCutAndOneOffTheScreenIsNotDrawn) {
    SimMachine machine({});
    machine.Pointer().Set(machine.Pointer().Create(Small()));
    machine.Input().MoveTo(0, 0);
    const PixelFrame corner = machine.ScreenAsSeen();
    EXPECT_EQ(corner.At(0, 0), 0xFF00FF00u);
    machine.Input().MoveTo(-1, -1);
    const PixelFrame off = machine.ScreenAsSeen();
    EXPECT_EQ(off.Pixels, machine.Screenshot().Pixels);
}

TEST(SimPointer, UnknownHandlesShowTheArrowAndOnlyChangesAreJournalled) {
    SimMachine machine({});
    const CursorHandle cursor = machine.Pointer().Create(Small());
    machine.Pointer().Set(0x12345);
    machine.Pointer().Set(cursor);
    machine.Pointer().Set(cursor);
    machine.Pointer().Set(0);
    std::vector<std::string> lines;
    for (const std::string& line : machine.GetJournal().Lines()) {
        if (line.find("\"ev\":\"cursor\"") != std::string::npos) lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("\"size\":[3,2],\"hotspot\":[1,1]"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("\"handle\":0,\"size\":[12,19],\"hotspot\":[0,0]"), std::string::npos) << lines[1];
    EXPECT_EQ(machine.Pointer().CurrentImage().Image.Pixels, SimPointer::Arrow().Image.Pixels);
}

}  // namespace
}  // namespace zindra::platform::sim
