// Where the parts of a range track lie: button sizes, handle length and offset, the zones as
// drawn and as hit, on both axes.
#include "imaging/TrackGeometry.h"

#include <gtest/gtest.h>

namespace zindra {
namespace {

TrackAxis Horizontal(int length, int thickness) {
    return {{0, 0, length, thickness}, true};
}
TrackAxis Vertical(int length, int thickness) {
    return {{0, 0, thickness, length}, false};
}

TEST(TrackGeometry, ArrowButtonSizeFollowsSettingThicknessLengthAndStyle) {
    struct Case {
        TrackAxis Axis;
        int Setting;
        bool Arrows;
        TTrackStyle Style;
        int Expected;
    };
    const Case cases[] = {
        {Horizontal(100, 16), 0, true, TTrackStyle::tsDefault, 16},
        {Horizontal(100, 16), 0, true, TTrackStyle::tsMac, 15},  // the thick edge is the track's
        {Horizontal(100, 16), 0, false, TTrackStyle::tsDefault, 0},
        {Horizontal(200, 40), 0, true, TTrackStyle::tsDefault, 32},  // automatic stops at 32
        {Horizontal(100, 16), 20, true, TTrackStyle::tsDefault, 20},
        {Horizontal(30, 16), 0, true, TTrackStyle::tsDefault, 15},  // 2 * 16 is not below 30: half
        {Horizontal(32, 16), 0, true, TTrackStyle::tsDefault, 16},
        {Horizontal(4, 16), 0, true, TTrackStyle::tsDefault, 2},
        {Horizontal(3, 16), 0, true, TTrackStyle::tsDefault, 0},  // one pixel is no button
        {Horizontal(4, 16), 0, true, TTrackStyle::tsMac, 0},
        {Vertical(100, 16), 0, true, TTrackStyle::tsMac, 15},
        {Vertical(100, 12), 0, true, TTrackStyle::tsDefault, 12},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ArrowButtonSize(c.Axis, c.Setting, c.Arrows, c.Style), c.Expected)
            << c.Axis.Extent() << "x" << c.Axis.Thickness() << " setting " << c.Setting;
    }
}

TEST(TrackGeometry, HandleLengthAndOffset) {
    struct Case {
        int Track;  // the length between the buttons
        int Range, Window;
        float Position;
        int Start, Length;  // along the track, from its start; length 0: no handle
    };
    const Case cases[] = {
        {200, 1000, 100, 0, 0, 20},    {200, 1000, 100, 900, 180, 20}, {200, 1000, 100, 450, 90, 20},
        {150, 1000, 100, 0, 0, 17},    {150, 1000, 100, 900, 133, 17},  // widened to 17: the rest follows
        {150, 1000, 100, 450, 66, 17},                                  // round(66.5) is 66, ties to even
        {150, 1000, 100, 459, 68, 17}, {17, 1000, 100, 0, 0, 0},        // a track of 17 has no handle
        {18, 1000, 100, 0, 0, 17},     {200, 100, 100, 0, 0, 200},      // the whole range shows
        {200, 0, 200, 0, 0, 200},      {101, 202, 67, 135, 67, 34},     // both round up: kept inside
    };
    for (const Case& c : cases) {
        const TrackAxis axis = Horizontal(c.Track + 32, 16);
        const Rect r = HandleRect(axis, 16, c.Range, c.Window, c.Position);
        if (c.Length == 0) {
            EXPECT_TRUE(r.IsEmpty()) << c.Track;
            continue;
        }
        EXPECT_EQ(r, Rect(16 + c.Start, 0, 16 + c.Start + c.Length, 16))
            << "track " << c.Track << " range " << c.Range << " window " << c.Window << " position " << c.Position;
        const Rect v = HandleRect(Vertical(c.Track + 32, 16), 16, c.Range, c.Window, c.Position);
        EXPECT_EQ(v, Rect(0, 16 + c.Start, 16, 16 + c.Start + c.Length));
    }
}

TEST(TrackGeometry, ZoneRectanglesSplitAtTheCentreWithoutAHandle) {
    const TrackAxis axis = Horizontal(100, 16);
    const Rect handle = HandleRect(axis, 16, 1000, 300, 350);
    const TrackZoneRects drawn = ZoneRects(axis, 16, handle, true);
    EXPECT_EQ(drawn.PrevButton, Rect(0, 0, 16, 16));
    EXPECT_EQ(drawn.NextButton, Rect(84, 0, 100, 16));
    EXPECT_EQ(drawn.PrevTrack, Rect(16, 0, handle.Left, 16));
    EXPECT_EQ(drawn.NextTrack, Rect(handle.Right, 0, 84, 16));
    for (const bool enabled : {false, true}) {
        const TrackZoneRects split = ZoneRects(axis, 16, enabled ? Rect{} : handle, enabled);
        EXPECT_EQ(split.PrevTrack, Rect(16, 0, 50, 16));
        EXPECT_EQ(split.NextTrack, Rect(50, 0, 84, 16));
        EXPECT_TRUE(split.Handle.IsEmpty());
    }
    const TrackZoneRects vertical = ZoneRects(Vertical(101, 16), 15, {}, false);
    EXPECT_EQ(vertical.PrevTrack, Rect(0, 15, 16, 50));
    EXPECT_EQ(vertical.NextTrack, Rect(0, 50, 16, 86));
}

TEST(TrackGeometry, ZoneAtAPoint) {
    const TrackAxis axis = Horizontal(100, 16);
    const TrackZoneRects zones = ZoneRects(axis, 16, {40, 0, 60, 16}, true);
    const TrackZoneRects bare = ZoneRects(axis, 0, {40, 0, 60, 16}, true);
    struct Case {
        const TrackZoneRects* Zones;
        Point P;
        TTrackZone Expected;
    };
    const Case cases[] = {
        {&zones, {0, 5}, TTrackZone::PrevButton},  {&zones, {15, 15}, TTrackZone::PrevButton},
        {&zones, {16, 5}, TTrackZone::PrevTrack},  {&zones, {39, 5}, TTrackZone::PrevTrack},
        {&zones, {40, 5}, TTrackZone::Handle},     {&zones, {59, 0}, TTrackZone::Handle},
        {&zones, {60, 5}, TTrackZone::NextTrack},  {&zones, {83, 5}, TTrackZone::NextTrack},
        {&zones, {84, 5}, TTrackZone::NextButton}, {&zones, {99, 5}, TTrackZone::NextButton},
        {&zones, {100, 5}, TTrackZone::None},      {&zones, {50, 16}, TTrackZone::None},
        {&zones, {-1, 5}, TTrackZone::None},       {&bare, {0, 5}, TTrackZone::None},  // no button there
        {&bare, {1, 5}, TTrackZone::PrevTrack},    {&bare, {98, 5}, TTrackZone::NextTrack},
        {&bare, {99, 5}, TTrackZone::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ZoneAt(axis, *c.Zones, c.P), c.Expected) << c.P.X << "," << c.P.Y;
    }
    const TrackAxis vertical = Vertical(100, 16);
    const TrackZoneRects v = ZoneRects(vertical, 16, {0, 40, 16, 60}, true);
    EXPECT_EQ(ZoneAt(vertical, v, {5, 39}), TTrackZone::PrevTrack);
    EXPECT_EQ(ZoneAt(vertical, v, {5, 60}), TTrackZone::NextTrack);
    EXPECT_EQ(ZoneAt(vertical, v, {5, 90}), TTrackZone::NextButton);
}

TEST(TrackGeometry, RoundingTiesGoToEven) {
    const double values[] = {0.5, 1.5, 2.5, -0.5, 66.5, 12.4999, 12.5001};
    const int expected[] = {0, 2, 2, 0, 66, 12, 13};
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(RoundEven(values[i]), expected[i]) << values[i];
}

}  // namespace
}  // namespace zindra
