// The range tracks' pictures against golden sheets: both axes, each look (tsMac; tsDefault with
// and without visual styles) in every state a bar shows: at rest, hovered, pressed on each part,
// disabled, showing its whole range, with a border, and plain.
#include <gtest/gtest.h>

#include <functional>

#include "framework/controls/Form.h"
#include "framework/graphics/Canvas.h"
#include "imaging/RangeTrack.h"
#include "imaging/SizeGrip.h"
#include "imaging/ThemeWatcher.h"
#include "support/GoldenFile.h"
#include "support/SimWorld.h"

namespace zindra {
namespace {

struct Scene {
    const char* Name;
    std::function<void(TRangeTrack& bar, const std::function<Point(int along)>& at)> Set;
};

Point HandleCentre(const TRangeTrack& bar) {
    const Rect h = bar.GetHandleRect();
    return {(h.Left + h.Right) / 2, (h.Top + h.Bottom) / 2};
}

const Scene kScenes[] = {
    {"rest", [](TRangeTrack&, auto&) {}},
    {"hover next arrow", [](TRangeTrack& b, auto& at) { b.MouseMove(0, at(92).X, at(92).Y); }},
    {"hover handle", [](TRangeTrack& b, auto&) { b.MouseMove(0, HandleCentre(b).X, HandleCentre(b).Y); }},
    {"press previous arrow", [](TRangeTrack& b, auto& at) { b.MouseDown(TMouseButton::mbLeft, 0, at(5).X, at(5).Y); }},
    {"press next track", [](TRangeTrack& b, auto& at) { b.MouseDown(TMouseButton::mbLeft, 0, at(80).X, at(80).Y); }},
    {"press handle",
     [](TRangeTrack& b, auto&) { b.MouseDown(TMouseButton::mbLeft, 0, HandleCentre(b).X, HandleCentre(b).Y); }},
    {"disabled", [](TRangeTrack& b, auto&) { b.SetEnabled(false); }},
    {"whole range shown", [](TRangeTrack& b, auto&) { b.SetParams(50, 0); }},
    {"border, least handle",
     [](TRangeTrack& b, auto&) {
         b.SetBorderStyle(TBorderStyle::bsSingle);
         b.SetParams(5000, 0);
         b.SetPosition(2500);
     }},
    {"solid, no grip, no arrows",
     [](TRangeTrack& b, auto&) {
         b.SetBackgnd(TTrackBackground::bgSolid);
         b.SetShowHandleGrip(false);
         b.SetShowArrows(false);
     }},
};

constexpr int kLength = 100;
constexpr int kThickness = 16;
constexpr int kStep = 20;
constexpr int kVerticalLeft = 112;

// Horizontal bars down the left, vertical ones along the top right, one scene each.
Bitmap32 Sheet(bool themesOn, TTrackStyle style, TColor color, TColor handleColor) {
    platform::sim::SimConfig config;
    config.VisualStyles = themesOn;
    testing::SimWorld world(config);
    new TThemeWatcher(world.app.get());
    TForm* form = world.app->CreateForm<TForm>();
    form->SetBounds(0, 0, 400, 300);
    const int count = static_cast<int>(std::size(kScenes));
    Bitmap32 sheet(kVerticalLeft + count * kStep, 8 + count * kStep, MakePixel(0x40, 0x40, 0x40));
    for (const bool horizontal : {true, false}) {
        for (int i = 0; i < count; ++i) {
            auto* bar = new TRangeTrack(form);
            bar->SetParent(form);
            bar->SetKind(horizontal ? TScrollBarKind::sbHorizontal : TScrollBarKind::sbVertical);
            bar->SetBorderStyle(TBorderStyle::bsNone);
            bar->SetBounds(0, 0, horizontal ? kLength : kThickness, horizontal ? kThickness : kLength);
            bar->SetStyle(style);
            bar->SetColor(color);
            bar->SetHandleColor(handleColor);
            bar->SetParams(1000, 300);
            bar->SetPosition(350);
            kScenes[i].Set(*bar, [horizontal](int along) { return horizontal ? Point{along, 8} : Point{8, along}; });
            const Point at = horizontal ? Point{4, 4 + i * kStep} : Point{kVerticalLeft + i * kStep, 4};
            const Rect area = Rect::FromBounds(at.X, at.Y, bar->Width(), bar->Height());
            TCanvas canvas(sheet, at, area);
            bar->PaintTree(canvas, area);
        }
    }
    return sheet;
}

TEST(TrackPicture, MacLookWithTheExitScreensColours) {
    EXPECT_TRUE(golden::MatchesGoldenFile(Sheet(false, TTrackStyle::tsMac, clGreen, clYellow), "tracks-mac"));
}

TEST(TrackPicture, MacLookIsTheSameWithVisualStyles) {
    EXPECT_TRUE(golden::MatchesGoldenFile(Sheet(true, TTrackStyle::tsMac, clGreen, clYellow), "tracks-mac"));
}

TEST(TrackPicture, MacLookInTheSystemColours) {
    EXPECT_TRUE(
        golden::MatchesGoldenFile(Sheet(false, TTrackStyle::tsMac, clScrollBar, clBtnShadow), "tracks-mac-system"));
}

TEST(TrackPicture, DefaultLookWithoutVisualStylesIsClassic) {
    EXPECT_TRUE(
        golden::MatchesGoldenFile(Sheet(false, TTrackStyle::tsDefault, clScrollBar, clBtnShadow), "tracks-classic"));
}

TEST(TrackPicture, DefaultLookWithVisualStylesIsThemed) {
    EXPECT_TRUE(
        golden::MatchesGoldenFile(Sheet(true, TTrackStyle::tsDefault, clScrollBar, clBtnShadow), "tracks-themed"));
}

TEST(TrackPicture, SizeGripsClassicAndThemed) {
    testing::SimWorld world;  // the machine's system colours
    Bitmap32 sheet(44, 20, MakePixel(0x40, 0x40, 0x40));
    for (const bool themed : {false, true}) {
        const Rect corner = Rect::FromBounds(themed ? 24 : 2, 2, 16, 16);
        TCanvas canvas(sheet);
        DrawSizeGrip(canvas, corner, themed);
    }
    EXPECT_TRUE(golden::MatchesGoldenFile(sheet, "size-grips"));
}

}  // namespace
}  // namespace zindra
