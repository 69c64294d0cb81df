// The image viewer on a simulated window: centring, scale, the bars' ranges and positions with
// their clamping, ScrollBy and CenterOn, the back buffer's size rule, the paint stages and
// layers, locking while painting, the corner square, the user's scrolling, layouts, and golden
// pictures of a small, a wide, a tall and an empty picture.
#include "imaging/RasterView.h"

#include <gtest/gtest.h>

#include "framework/controls/Form.h"
#include "framework/layout/LayoutReader.h"
#include "support/GoldenFile.h"
#include "support/SimWorld.h"

namespace zindra {
namespace {

using platform::MouseButton;

constexpr int kBar = 16;  // the simulated desktop's SM_CYHSCROLL

// A picture whose every pixel tells where it is: x in red, y in green, a checker in blue.
void FillPattern(TRaster32& r, int w, int h) {
    r.SetDimensions(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            *r.PixelPtr(x, y) = 0xFF000000u | std::uint32_t(x * 255 / std::max(w - 1, 1)) << 16 |
                                std::uint32_t(y * 255 / std::max(h - 1, 1)) << 8 |
                                (((x / 8 + y / 8) & 1) ? 0xC0 : 0x40);
}

// The exit screen's viewer (642 x 475, view 626 x 459) at (77, 64) of a form at the screen's corner.
struct RasterViewTest : ::testing::Test {
    testing::SimWorld world;
    TForm* form = world.app->CreateForm<TForm>();
    TRasterView* view = new TRasterView(form);
    std::vector<std::string> log;

    void SetUp() override {
        form->SetBounds(0, 0, 800, 600);
        view->SetParent(form);
        view->SetBounds(77, 64, 642, 475);
        view->SetColor(clWhite);
        view->OnChange = [this](TObject*) { log.push_back("change"); };
        view->OnScroll = [this](TObject*) { log.push_back("scroll"); };
        form->Show();
        world.Settle();
    }
    void Load(int w, int h) {
        FillPattern(*view->Bitmap(), w, h);
        view->Bitmap()->NotifyChange();
    }
    float H() { return view->HorzBar().Position(); }
    float V() { return view->VertBar().Position(); }
    Rect Picture() { return view->GetBitmapRect(); }
    // Paints the form and gives the screen's pixel at a point of the viewer.
    Pixel At(int x, int y) {
        world.Settle();
        return world.machine.Screenshot().At(77 + x, 64 + y) | 0xFF000000u;
    }
};

TEST_F(RasterViewTest, TheLayoutPutsTheBarsAndTheCornerRoundTheView) {
    EXPECT_EQ(view->GetViewportRect(), (Rect{0, 0, 626, 459}));
    EXPECT_EQ(view->HorzBar().BoundsRect(), (Rect{0, 459, 626, 475}));
    EXPECT_EQ(view->VertBar().BoundsRect(), (Rect{626, 0, 642, 459}));
    EXPECT_EQ(view->GetSizeGripRect(), (Rect{626, 459, 642, 475}));
    EXPECT_EQ(view->HorzBar().EffectiveWindow(), 626);
    EXPECT_EQ(view->VertBar().EffectiveWindow(), 459);
    view->ScrollBars()->SetSize(20);
    EXPECT_EQ(view->GetViewportRect(), (Rect{0, 0, 622, 455}));
    EXPECT_EQ(view->VertBar().BoundsRect(), (Rect{622, 0, 642, 455}));
}

TEST_F(RasterViewTest, ASmallPictureIsCentredOnTheColourAndTheBarsIgnoreClicks) {
    Load(100, 80);
    // (626 - 100) / 2 = 263; (459 - 80) / 2 = 189.5, rounded to the even 190.
    EXPECT_EQ(Picture(), (Rect{263, 190, 363, 270}));
    EXPECT_FALSE(view->HorzBar().DrawEnabled());
    EXPECT_FALSE(view->VertBar().DrawEnabled());
    EXPECT_EQ(At(10, 10), 0xFFFFFFFFu);
    EXPECT_EQ(At(263, 190), view->Bitmap()->Storage().At(0, 0));
    world.machine.Input().Click(77 + 620, 64 + 400, MouseButton::Left);  // the next arrow
    world.Settle();
    EXPECT_EQ(V(), 0);
}

// The placement's table: picture size, scale and view width against the picture's left edge
// and the bar's range and furthest position.
struct PlacementRow {
    int PictureWidth;
    float Scale;
    int ViewerWidth;
    int Left;  // with the bar at 0
    int Range;
};

TEST_F(RasterViewTest, PlacementFollowsTheTable) {
    const PlacementRow rows[] = {
        {600, 1, 641, 12, 600},       // view 625: round(12.5) = 12
        {601, 1, 641, 12, 601},       // round(12) = 12
        {600, 1, 642, 13, 600},       // round(13) = 13
        {1000, 1, 641, 0, 1000},      // larger: follows the bar
        {1000, 0.5f, 641, 62, 500},   // round(62.5) = 62
        {1000, 0.001f, 641, 312, 1},  // round(1) = 1 pixel
        {100, 0.001f, 641, 0, 0},     // round(0.1) = 0: treated as empty
    };
    for (const PlacementRow& row : rows) {
        view->SetWidth(row.ViewerWidth);
        view->SetScale(row.Scale);
        Load(row.PictureWidth, 1000);
        view->ScrollBy(-5000, 0);
        SCOPED_TRACE(std::to_string(row.PictureWidth) + " at " + std::to_string(row.Scale));
        EXPECT_EQ(view->HorzBar().Range(), row.Range);
        if (row.Range == 0 && row.PictureWidth * row.Scale < 0.5f) {
            EXPECT_TRUE(Picture().IsEmpty());
        } else {
            EXPECT_EQ(Picture().Left, row.Left);
        }
    }
}

TEST_F(RasterViewTest, AWidePictureScrollsAcrossAndIsCentredDown) {
    Load(1000, 300);
    // Opened on its middle: 500 - 626 / 2.
    EXPECT_EQ(H(), 187);
    EXPECT_EQ(Picture(), (Rect{-187, 80, 813, 380}));  // (459 - 300) / 2 = 79.5 -> 80
    view->ScrollBy(-1000, 0);
    EXPECT_EQ(H(), 0);
    EXPECT_EQ(Picture().Left, 0);
    view->ScrollBy(5000, 0);
    EXPECT_EQ(H(), 1000 - 626);
    EXPECT_EQ(Picture().Left, -374);
    EXPECT_EQ(V(), 0);
    EXPECT_FALSE(view->VertBar().DrawEnabled());
    EXPECT_TRUE(view->HorzBar().DrawEnabled());
}

TEST_F(RasterViewTest, ATallPictureOpensOnItsMiddleAndScrollByShowsItsTop) {
    Load(1000, 1200);
    EXPECT_FLOAT_EQ(V(), 600 - 459 / 2.0f);  // 370.5
    EXPECT_FLOAT_EQ(H(), 500 - 626 / 2.0f);
    log.clear();
    view->ScrollBy(0, -2500);
    EXPECT_EQ(V(), 0);
    EXPECT_FLOAT_EQ(H(), 187);
    EXPECT_EQ(Picture().Top, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"change"})) << "one change, no scroll event";
    view->ScrollBy(0, 100000);
    EXPECT_EQ(V(), 1200 - 459);
}

TEST_F(RasterViewTest, CenterOnTakesPictureCoordinatesAtTheScaleAndClamps) {
    Load(2000, 2000);
    view->SetScale(2);
    view->CenterOn(1000, 500);
    EXPECT_FLOAT_EQ(H(), 2000 - 313);
    EXPECT_FLOAT_EQ(V(), 1000 - 229.5f);
    view->CenterOn(0, 5000);
    EXPECT_EQ(H(), 0);
    EXPECT_EQ(V(), 4000 - 459);
}

TEST_F(RasterViewTest, ScaleHalvesThePictureAndItsRanges) {
    Load(1000, 800);
    view->SetScale(0.5f);
    EXPECT_EQ(view->GetBitmapSize(), (Size{500, 400}));
    EXPECT_EQ(view->HorzBar().Range(), 500);
    EXPECT_EQ(view->VertBar().Range(), 400);
    EXPECT_EQ(Picture(), (Rect{63, 30, 563, 430}));  // round(63), round(29.5) = 30
    view->SetScale(0);
    EXPECT_FLOAT_EQ(view->Scale(), 0.001f);
    view->SetScale(-3);
    EXPECT_FLOAT_EQ(view->Scale(), 0.001f);
}

TEST_F(RasterViewTest, AnEmptyPictureFillsTheBufferWithTheColour) {
    view->SetColor(clRed);
    EXPECT_EQ(view->HorzBar().Range(), 0);
    EXPECT_EQ(view->VertBar().Range(), 0);
    EXPECT_TRUE(Picture().IsEmpty());
    EXPECT_EQ(At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(At(625, 458), 0xFFFF0000u);
    // A scale that leaves no whole pixel shows a picture as empty.
    Load(100, 100);
    view->SetScale(0.001f);
    EXPECT_EQ(view->GetBitmapSize(), (Size{0, 0}));
    EXPECT_EQ(At(313, 229), 0xFFFF0000u);
}

TEST_F(RasterViewTest, TheBufferGrowsAtOnceAndShrinksOnlyPastTheOversize) {
    world.Settle();
    EXPECT_EQ(view->Buffer().Width(), 626);
    EXPECT_EQ(view->Buffer().Height(), 459);
    view->SetBounds(77, 64, 652, 485);
    world.Settle();
    EXPECT_EQ(view->Buffer().Width(), 636);
    EXPECT_EQ(view->Buffer().Height(), 469);
    view->SetBounds(77, 64, 622, 455);  // 30 smaller
    world.Settle();
    EXPECT_EQ(view->Buffer().Width(), 636);
    EXPECT_EQ(view->Buffer().Height(), 469);
    view->SetBounds(77, 64, 602, 435);  // 50 smaller than the buffer
    world.Settle();
    EXPECT_EQ(view->Buffer().Width(), 586);
    EXPECT_EQ(view->Buffer().Height(), 419);
    view->SetBounds(77, 64, 10, 10);  // a view of less than nothing
    world.Settle();
    EXPECT_EQ(view->Buffer().Width(), 0);
}

TEST_F(RasterViewTest, TheRunTimeStagesRunInOrderAndCustomStagesHearTheirIndex) {
    ASSERT_EQ(view->PaintStages().Count(), 5);
    EXPECT_EQ(view->PaintStages()[0].Stage, kPaintStageClearBackground);
    EXPECT_FALSE(view->PaintStages()[1].RunTime);
    EXPECT_EQ(view->PaintStages()[4].Parameter, kLayerVisible);
    std::vector<std::uint32_t> heard;
    view->OnPaintStage = [&](TObject*, TRaster32& buffer, std::uint32_t index) {
        heard.push_back(index);
        buffer.FillRectClipped(0, 0, 4, 4, 0xFF00FF00u);
    };
    TPaintStage& custom = view->PaintStages().Add();
    EXPECT_FALSE(custom.DsgnTime);
    custom.Stage = kPaintStageCustom;
    view->PaintStages().Add(true, false, kPaintStageCustom);  // design time only: never here
    view->InvalidateBuffer();
    EXPECT_EQ(At(1, 1), 0xFF00FF00u);
    EXPECT_EQ(heard, (std::vector<std::uint32_t>{5}));
}

TEST_F(RasterViewTest, LayersPaintByTheStageMaskAndAnEmptyListPaintsNothing) {
    struct Square : TCustomLayer {
        using TCustomLayer::TCustomLayer;
        void Paint(TRaster32& buffer) override { buffer.FillRectClipped(10, 10, 20, 20, 0xFF0000FFu); }
        bool HitTest(int x, int y) const override { return x >= 10 && x < 20 && y >= 10 && y < 20; }
    };
    EXPECT_EQ(view->Layers().Count(), 0);
    EXPECT_EQ(At(15, 15), 0xFFFFFFFFu);
    TCustomLayer* hidden = &view->Layers().Add(std::make_unique<Square>(0u));
    view->InvalidateBuffer();
    EXPECT_EQ(At(15, 15), 0xFFFFFFFFu);
    hidden->SetLayerOptions(kLayerVisible | kLayerMouseEvents);
    view->InvalidateBuffer();
    EXPECT_EQ(At(15, 15), 0xFF0000FFu);
    TCustomLayer* found = nullptr;
    view->OnImageMouseMove = [&](TObject*, TShiftState, int, int, TCustomLayer* layer) { found = layer; };
    world.machine.Input().MoveTo(77 + 15, 64 + 15);
    world.Settle();
    EXPECT_EQ(found, hidden);
}

TEST_F(RasterViewTest, ThePictureIsLockedWhileItIsDrawnAndNothingStaysLocked) {
    Load(50, 50);
    int lockedWhileDrawn = -1;
    view->Bitmap()->SetDrawMode(TDrawMode::dmCustom);
    view->Bitmap()->OnPixelCombine = [&](TPixel32 f, TPixel32& b, TPixel32) {
        lockedWhileDrawn = view->Bitmap()->LockCount();
        b = f;
    };
    view->InvalidateBuffer();
    world.Settle();
    EXPECT_EQ(lockedWhileDrawn, 1);
    EXPECT_EQ(view->Bitmap()->LockCount(), 0);
    EXPECT_EQ(view->Buffer().LockCount(), 0);
}

TEST_F(RasterViewTest, UpdateBatchesHoldChangesBackAndAnUnpairedEndFails) {
    Load(2000, 2000);
    log.clear();
    view->StartUpdate();
    view->Changed();
    EXPECT_TRUE(log.empty());
    view->EndUpdate();
    EXPECT_TRUE(log.empty()) << "not made up for";
    try {
        view->EndUpdate();
        FAIL() << "no assertion";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), "Unpaired EndUpdate call");
    }
}

TEST_F(RasterViewTest, DraggingTheHandleAndTheWheelScrollThePicture) {
    Load(1000, 2000);
    view->ScrollBy(0, -5000);
    log.clear();
    const Rect handle = view->VertBar().GetHandleRect();
    const int x = 77 + 626 + 8, y = 64 + (handle.Top + handle.Bottom) / 2;
    world.machine.Input().MoveTo(x, y);
    world.machine.Input().Press(x, y, MouseButton::Left);
    world.machine.Input().MoveTo(x, y + 50);
    world.machine.Input().Release(x, y + 50, MouseButton::Left);
    world.Settle();
    EXPECT_GT(V(), 0);
    EXPECT_EQ(Picture().Top, -static_cast<int>(V()));
    EXPECT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "scroll");
    const float before = V();
    world.machine.Input().Wheel(x, 64 + 200, -120);  // towards the user: down the picture
    world.Settle();
    EXPECT_FLOAT_EQ(V(), before + 8);
    EXPECT_EQ(Picture().Top, -static_cast<int>(V()));
}

TEST_F(RasterViewTest, CenteredOffPinsThePictureToTheTopLeft) {
    Load(100, 80);
    view->SetCentered(false);
    EXPECT_EQ(Picture(), (Rect{0, 0, 100, 80}));
    Load(1000, 1000);
    EXPECT_EQ(H(), 0);
    EXPECT_EQ(V(), 0);
    view->SetCentered(true);
    EXPECT_FLOAT_EQ(H(), 500 - 313);
}

TEST_F(RasterViewTest, TheCornerIsButtonFaceUnlessTheGripIsAlwaysShown) {
    const Pixel face = Color32(clBtnFace) | 0xFF000000u;
    EXPECT_EQ(At(634, 467), face);
    view->SetSizeGrip(TSizeGripStyle::sgNone);
    EXPECT_EQ(At(634, 467), face);
    EXPECT_FALSE(view->IsSizeGripVisible());
    view->SetSizeGrip(TSizeGripStyle::sgAlways);
    EXPECT_TRUE(view->IsSizeGripVisible());
    world.Settle();
    bool grip = false;
    const auto shot = world.machine.Screenshot();
    for (int y = 64 + 459; y < 64 + 475; ++y)
        for (int x = 77 + 626; x < 77 + 642; ++x)
            grip |= (shot.At(x, y) | 0xFF000000u) != face;
    EXPECT_TRUE(grip);
}

TEST_F(RasterViewTest, ALayoutSetsTheExitScreensViewer) {
    RegisterRasterViewClasses();
    TForm* other = world.app->CreateForm<TForm>();
    ReadLayoutText(*other, nullptr, R"(object Form: TForm
  object adviewer: TRasterView
    Left = 77
    Top = 64
    Width = 642
    Height = 475
    Color = clWhite
    TabOrder = 0
    ParentColor = False
    Scale = 1
    ScrollBars.Color = clGreen
    ScrollBars.HandleColor = clYellow
    ScrollBars.ShowHandleGrip = True
    ScrollBars.Style = tsMac
    SizeGrip = sgAuto
  end
end
)");
    auto* v = dynamic_cast<TRasterView*>(other->FindComponent("adviewer"));
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->Color(), clWhite);
    EXPECT_FALSE(v->ParentColor());
    EXPECT_EQ(v->VertBar().Color(), clGreen);
    EXPECT_EQ(v->HorzBar().HandleColor(), clYellow);
    EXPECT_EQ(v->VertBar().Style(), TTrackStyle::tsMac);
    EXPECT_TRUE(v->Centered());
    EXPECT_EQ(v->ScrollBars()->Increment(), 8);
    EXPECT_EQ(v->GetViewportRect(), (Rect{0, 0, 626, 459}));
}

// ---- Golden pictures: a 160 x 120 viewer in the exit screen's colours ----

Bitmap32 ViewerPicture(int w, int h) {
    testing::SimWorld world;
    TForm* form = world.app->CreateForm<TForm>();
    form->SetBounds(0, 0, 200, 200);
    auto* v = new TRasterView(form);
    v->SetParent(form);
    v->SetBounds(0, 0, 160, 120);
    v->SetColor(clWhite);
    v->ScrollBars()->SetColor(clGreen);
    v->ScrollBars()->SetHandleColor(clYellow);
    v->ScrollBars()->SetStyle(TTrackStyle::tsMac);
    if (w > 0) FillPattern(*v->Bitmap(), w, h);
    v->Bitmap()->NotifyChange();
    v->ScrollBy(0, -2500);
    Bitmap32 sheet(160, 120, MakePixel(0x40, 0x40, 0x40));
    const Rect area{0, 0, 160, 120};
    TCanvas canvas(sheet, {0, 0}, area);
    v->PaintTree(canvas, area);
    return sheet;
}

TEST(RasterViewPicture, SmallPictureCentredOnWhite) {
    EXPECT_TRUE(golden::MatchesGoldenFile(ViewerPicture(60, 40), "viewer-small"));
}

TEST(RasterViewPicture, WidePictureOnItsMiddle) {
    EXPECT_TRUE(golden::MatchesGoldenFile(ViewerPicture(400, 50), "viewer-wide"));
}

TEST(RasterViewPicture, TallPictureAtItsTop) {
    EXPECT_TRUE(golden::MatchesGoldenFile(ViewerPicture(90, 400), "viewer-tall"));
}

TEST(RasterViewPicture, EmptyPictureAllWhite) {
    EXPECT_TRUE(golden::MatchesGoldenFile(ViewerPicture(0, 0), "viewer-empty"));
}

}  // namespace
}  // namespace zindra
