// A PNG picture on the clipboard: drawn on a bitmap on the way there, opaque on the way back.
#include <gtest/gtest.h>

#include "framework/app/Clipboard.h"
#include "framework/graphics/BitmapGraphic.h"
#include "framework/graphics/Picture.h"
#include "imaging/PngGraphic.h"
#include "support/SimWorld.h"
#include "unit/imaging/PngFiles.h"

namespace zindra {
namespace {

using namespace pngtest;

TEST(TPngGraphic, GoesToTheClipboardDrawnAndComesBackWithoutTransparency) {
    testing::SimWorld world;
    TClipboard& clipboard = world.app->Clipboard();
    // Red, opaque; green, see-through; blue at half alpha.
    TPngGraphic png;
    Load(png, File(Ihdr(3, 1, 8, 6), {0, 255, 0, 0, 255, 0, 255, 0, 0, 0, 0, 255, 128}));
    TPicture picture;
    picture.SetGraphic(&png);
    clipboard.Assign(&picture);

    TPngGraphic back;
    clipboard.AssignTo(back);
    EXPECT_FALSE(back.Transparent());
    EXPECT_EQ(back.Header().ColourType, 2);
    // Drawn over the new bitmap's white: the per-pixel formula's results.
    const Bitmap32 pixels = back.ToPixels();
    EXPECT_EQ(pixels.At(0, 0), MakePixel(255, 0, 0));
    EXPECT_EQ(pixels.At(1, 0), MakePixel(255, 255, 255));
    EXPECT_EQ(pixels.At(2, 0), MakePixel(127, 127, 255));

    // A picture reading the clipboard holds a bitmap of the same pixels.
    TPicture fromClipboard;
    clipboard.AssignTo(fromClipboard);
    ASSERT_NE(dynamic_cast<const TBitmap*>(fromClipboard.Graphic()), nullptr);
    EXPECT_EQ(fromClipboard.Graphic()->ToPixels(), pixels);
}

}  // namespace
}  // namespace zindra
