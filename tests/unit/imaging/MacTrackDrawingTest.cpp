// The tsMac drawing primitives: colour arithmetic at its ends, edge lines and 3D frames with
// their corners, the checkerboard's phase and the arrows' size and offset in each direction.
#include "imaging/MacTrackDrawing.h"

#include <gtest/gtest.h>

#include "framework/graphics/Colors.h"
#include "unit/framework/GoldenImage.h"

namespace zindra {
namespace {

using golden::FromArt;
using golden::MatchesGolden;

constexpr Pixel kPaper = MakePixel(255, 255, 255);
constexpr Pixel kInk = MakePixel(0, 0, 0);

TEST(MacTrackDrawing, LightenClampsEachChannel) {
    EXPECT_EQ(Lighten(clYellow, 24), RGB(255, 255, 24));
    EXPECT_EQ(Lighten(clYellow, -24), RGB(231, 231, 0));
    EXPECT_EQ(Lighten(RGB(10, 250, 128), 10), RGB(20, 255, 138));
    EXPECT_EQ(Lighten(RGB(10, 250, 128), -20), RGB(0, 230, 108));
    EXPECT_EQ(Lighten(clBtnShadow, 24), RGB(0x98, 0x98, 0x98));  // a system colour as it is now
}

TEST(MacTrackDrawing, BlendWeighsBothColoursAndShiftsBy8) {
    EXPECT_EQ(Blend(clWhite, clBlack, 127), RGB(126, 126, 126));
    EXPECT_EQ(Blend(clWhite, clBlack, 0), RGB(0, 0, 0));
    EXPECT_EQ(Blend(clWhite, clWhite, 255), RGB(254, 254, 254));  // the weights sum to 255, not 256
    EXPECT_EQ(Blend(clBlack, clYellow, 96), RGB(158, 158, 0));    // the exit screen's handle edge
    // The exit screen's inner track shadow: frame over highlight-and-green.
    EXPECT_EQ(Blend(clWindowFrame, Blend(clBtnHighlight, clGreen, 127), 32), RGB(109, 165, 109));
}

TEST(MacTrackDrawing, EdgeLinesShrinkPastEachLineInOrder) {
    Bitmap32 b(6, 5, kPaper);
    TCanvas canvas(b);
    Rect r{0, 0, 6, 5};
    EdgeLines(canvas, r, kEdgeTop | kEdgeLeft | kEdgeRight, clBlack);
    EXPECT_EQ(r, Rect(1, 1, 5, 5));
    EXPECT_TRUE(
        MatchesGolden(b, FromArt({"######", "#....#", "#....#", "#....#", "#....#"}, kInk, kPaper), "edge-lines"));
}

TEST(MacTrackDrawing, Frame3DGivesTheLightTheBottomLeftAndTheDarkTheTopRightCorner) {
    Bitmap32 b(5, 4, kPaper);
    TCanvas canvas(b);
    Rect r{0, 0, 5, 4};
    Frame3D(canvas, r, clBlack, clRed, true);
    EXPECT_EQ(r, Rect(1, 1, 4, 3));
    Bitmap32 expected = FromArt({"####.", "#....", "#....", "#...."}, kInk, kPaper);
    const Bitmap32 dark = FromArt({"....#", "....#", "....#", ".####"}, kInk, kPaper);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            if (dark.At(x, y) == kInk) expected.At(x, y) = MakePixel(255, 0, 0);
        }
    }
    EXPECT_TRUE(MatchesGolden(b, expected, "frame3d"));
    Rect kept{0, 0, 5, 4};
    Frame3D(canvas, kept, clBlack, clRed, false);
    EXPECT_EQ(kept, Rect(0, 0, 5, 4));
}

TEST(MacTrackDrawing, DitherStartsFromTheCanvasOriginAndIsSolidForOneColour) {
    Bitmap32 b(5, 2, kPaper);
    TCanvas shifted(b, {1, 0}, {0, 0, 5, 2});
    Dither(shifted, {0, 0, 4, 2}, clBlack, clWhite);
    EXPECT_TRUE(MatchesGolden(b, FromArt({".#.#.", "..#.#"}, kInk, kPaper), "dither-phase"));
    Dither(shifted, {0, 0, 4, 2}, clBlack, clBlack);
    EXPECT_TRUE(MatchesGolden(b, FromArt({".####", ".####"}, kInk, kPaper), "dither-solid"));
}

TEST(MacTrackDrawing, ArrowsPointAndSitAsTheirFormulaSays) {
    // In a 12 by 12 rectangle: centre (5, 5), size 2, shift 1 towards the start, 0 towards the end.
    struct Case {
        TArrowDirection Direction;
        std::vector<std::string> Art;
    };
    const Case cases[] = {
        {TArrowDirection::Left, {"......#", ".....##", "....###", ".....##", "......#"}},
        {TArrowDirection::Right, {".....#.", ".....##", ".....###", ".....##", ".....#."}},
        {TArrowDirection::Up, {".....#", "....###", "...#####"}},
        {TArrowDirection::Down, {"...#####", "....###", ".....#"}},
    };
    for (const Case& c : cases) {
        Bitmap32 b(12, 12, kPaper);
        TCanvas canvas(b);
        MacArrow(canvas, {0, 0, 12, 12}, c.Direction, clBlack);
        const bool horizontal = c.Direction == TArrowDirection::Left || c.Direction == TArrowDirection::Right;
        Bitmap32 expected(12, 12, kPaper);
        const int top = horizontal ? 3 : (c.Direction == TArrowDirection::Up ? 4 : 5);
        for (std::size_t y = 0; y < c.Art.size(); ++y) {
            for (std::size_t x = 0; x < c.Art[y].size(); ++x) {
                if (c.Art[y][x] == '#') expected.At(static_cast<int>(x), top + static_cast<int>(y)) = kInk;
            }
        }
        EXPECT_TRUE(MatchesGolden(b, expected, "arrow-" + std::to_string(static_cast<int>(c.Direction))))
            << golden::ToArt(b, kInk);
    }
    Bitmap32 tiny(3, 3, kPaper);  // too small for the formula: the least arrow, inside the box
    TCanvas canvas(tiny);
    MacArrow(canvas, {0, 0, 2, 2}, TArrowDirection::Right, clBlack);
    EXPECT_EQ(tiny.At(0, 0), kInk);
}

}  // namespace
}  // namespace zindra
