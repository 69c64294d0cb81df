// Tests of the 32-bit raster: notification and locking, sizes and their failures, filling,
// pictures in and out, comparison, painting and the stored Data property.
#include "imaging/Raster32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Resources.h"
#include "framework/app/Clipboard.h"
#include "framework/graphics/BitmapGraphic.h"
#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/JpegDecoder.h"
#include "framework/graphics/Picture.h"
#include "framework/layout/LayoutReader.h"
#include "framework/layout/Properties.h"
#include "support/SimWorld.h"

namespace zindra {
namespace {

// Counts and orders the raster's notifications.
struct Listener {
    std::string log;
    explicit Listener(TRaster32& r) {
        r.OnChange = [this](TObject*) { log += "C"; };
        r.OnResize = [this](TObject*) { log += "R"; };
        r.OnHandleChanged = [this](TObject*) { log += "H"; };
    }
};

template <typename E, typename F>
std::string MessageOf(F&& f) {
    try {
        f();
    } catch (const E& e) {
        return std::string(e.ClassName()) + ": " + e.what();
    }
    return "(no exception)";
}

TEST(TLockedPersistent, UpdateBatchesHoldBackChangesWithoutRememberingThem) {
    TRaster32 r;
    Listener l(r);
    r.StartUpdate();
    r.NotifyChange();
    r.StartUpdate();
    r.EndUpdate();
    r.NotifyChange();
    r.EndUpdate();
    EXPECT_EQ(l.log, "");
    r.NotifyChange();
    EXPECT_EQ(l.log, "C");
    EXPECT_EQ(MessageOf<EAssertionFailed>([&] { r.EndUpdate(); }),
              "EAssertionFailed: Unpaired TLockedPersistent.EndUpdate");
    EXPECT_EQ(r.UpdateCount(), 0);
}

TEST(TLockedPersistent, TheLockIsReentrantAndCountsItsHolders) {
    TRaster32 r;
    r.EnterLock();
    r.EnterLock();
    EXPECT_EQ(r.LockCount(), 2);
    r.LeaveLock();
    r.LeaveLock();
    EXPECT_EQ(r.LockCount(), 0);
}

TEST(TRaster32, SetDimensionsNotifiesInOrderOnlyOnAChange) {
    TRaster32 r;
    Listener l(r);
    EXPECT_TRUE(r.SetDimensions(4, 3));
    EXPECT_EQ(l.log, "HCR");
    EXPECT_FALSE(r.SetDimensions(4, 3));
    EXPECT_EQ(l.log, "HCR");
    EXPECT_EQ(r.Header().Width, 4);
    EXPECT_EQ(r.Header().Height, -3);
    EXPECT_EQ(r.Header().BitCount, 32);
    // Inside a batch the resize is still heard, the change is not.
    l.log.clear();
    r.StartUpdate();
    r.SetDimensions(2, 2);
    r.EndUpdate();
    EXPECT_EQ(l.log, "HR");
}

TEST(TRaster32, ANegativeOrZeroSideLeavesItEmptyWithoutPixels) {
    TRaster32 r;
    EXPECT_TRUE(r.SetDimensions(-5, 10));
    EXPECT_EQ(r.Width(), 0);
    EXPECT_EQ(r.Height(), 10);
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_TRUE(r.Storage().Empty());
    r.SetDimensions(3, 3);
    r.ClearAll();
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_EQ(r.Width(), 0);
}

TEST(TRaster32, PixelsThatCannotBeHadThrowAndLeaveItEmpty) {
    TRaster32 r;
    r.SetDimensions(5, 5);
    Listener l(r);
    // Wider than any raster can be: no memory is asked for.
    EXPECT_EQ(MessageOf<Exception>([&] { r.SetDimensions(Bitmap32::kMaxSide + 1, 10); }),
              "Exception: Can't allocate the DIB handle");
    EXPECT_EQ(r.Width(), 0);
    EXPECT_EQ(r.Height(), 0);
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_EQ(l.log, "H");  // the handle changed, nothing else was said
    EXPECT_TRUE(r.SetDimensions(2, 2));
}

TEST(TRaster32, FillsAreClippedAndNotifyOnlyWhenSomethingIsFilled) {
    TRaster32 r;
    Listener l(r);
    r.FillAll(0xFF00FF00u);
    EXPECT_EQ(l.log, "");
    r.SetDimensions(4, 3);
    r.FillAll(0x11111111u);
    struct Case {
        int x1, y1, x2, y2;
        std::vector<int> filled;  // pixel indices that take the colour
    };
    const Case cases[] = {
        {1, 1, 3, 2, {5, 6}}, {-5, -5, 1, 1, {0}}, {3, 2, 99, 99, {11}},
        {2, 0, 2, 3, {}},     {4, 0, 9, 3, {}},    {0, 3, 4, 9, {}},
        {3, 1, 1, 2, {}},     {-9, -9, 0, 9, {}},  {0, 0, 4, 3, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
    };
    for (const Case& c : cases) {
        r.FillAll(0x11111111u);
        l.log.clear();
        r.FillRectClipped(c.x1, c.y1, c.x2, c.y2, 0xFFABCDEFu);
        std::vector<int> filled;
        for (int i = 0; i < 12; ++i)
            if (r.Bits()[i] == 0xFFABCDEFu) filled.push_back(i);
        EXPECT_EQ(filled, c.filled) << c.x1 << "," << c.y1 << "," << c.x2 << "," << c.y2;
        EXPECT_EQ(l.log, c.filled.empty() ? "" : "C");
    }
    r.FillAll(0x00123456u);
    r.MakeOpaque();
    EXPECT_EQ(r.PixelPtr(3, 2)[0], 0xFF123456u);
}

TEST(TRaster32, PublishedSettersNotifyOnlyOnADifferentValue) {
    TRaster32 r;
    Listener l(r);
    r.SetDrawMode(TDrawMode::dmOpaque);
    r.SetMasterAlpha(255);
    r.SetStretchFilter(TStretchFilter::sfNearest);
    EXPECT_EQ(l.log, "");
    r.SetDrawMode(TDrawMode::dmBlend);
    r.SetMasterAlpha(9);
    r.SetStretchFilter(TStretchFilter::sfLanczos);
    r.SetOuterColor(5);
    EXPECT_EQ(l.log, "CCC");
    EXPECT_EQ(r.PenColor(), 0xFFFFFFFFu);
    EXPECT_EQ(r.StippleStep(), 1.0f);
}

TEST(TRaster32, AChangedFontIsTakenOutOfTheCanvas) {
    TRaster32 r;
    r.SetDimensions(2, 2);
    r.Font().SetName("Arial");
    r.SelectFont();
    EXPECT_TRUE(r.FontSelected());
    EXPECT_EQ(r.Canvas().Font().Name(), "Arial");
    r.Font().SetHeight(-20);
    EXPECT_FALSE(r.FontSelected());
    EXPECT_EQ(r.Canvas().Font().Name(), TFont().Name());
    r.SelectFont();
    r.SetDimensions(3, 3);  // new pixels: the font is selected anew when needed
    EXPECT_FALSE(r.FontSelected());
}

TEST(TRaster32, TheCanvasFollowsTheNewSize) {
    TRaster32 r;
    r.SetDimensions(2, 2);
    TCanvas& canvas = r.Canvas();
    r.SetDimensions(6, 5);
    canvas.Brush().Color = clRed;
    canvas.FillRect({0, 0, 6, 5});
    EXPECT_EQ(*r.PixelPtr(5, 4), 0xFFFF0000u);
}

// ---- Pictures ----

TBitmap MakeBitmap(int w, int h, int bits) {
    TBitmap b;
    b.SetSize(w, h);
    b.SetBitsPerPixel(bits);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.Pixels().At(x, y) = static_cast<Pixel>(0x40000000u | (y * 16 + x));
    return b;
}

TEST(TRaster32, AssignTakesEachSourceKindAndNotifiesOnce) {
    TRaster32 r;
    Listener l(r);
    const TBitmap rgb = MakeBitmap(3, 2, 24);
    r.Assign(&rgb);
    EXPECT_EQ(l.log, "HRC");
    EXPECT_EQ(*r.PixelPtr(2, 1), 0xFF000012u);  // 24-bit pictures are made opaque
    const TBitmap argb = MakeBitmap(3, 2, 32);
    r.Assign(&argb);
    EXPECT_EQ(*r.PixelPtr(2, 1), 0x40000012u);  // the same size: no resize, one change

    TRaster32 other;
    other.SetDimensions(2, 2);
    other.FillAll(0x80102030u);
    other.SetDrawMode(TDrawMode::dmBlend);
    other.SetMasterAlpha(77);
    other.SetOuterColor(0x12u);
    other.SetStretchFilter(TStretchFilter::sfSpline);
    r.Assign(&other);
    EXPECT_TRUE(r.SameContent(&other));
    EXPECT_EQ(r.DrawMode(), TDrawMode::dmBlend);
    EXPECT_EQ(r.MasterAlpha(), 77);
    EXPECT_EQ(r.OuterColor(), 0x12u);
    EXPECT_EQ(r.StretchFilter(), TStretchFilter::sfSpline);

    TPicture picture;
    picture.SetGraphic(&argb);
    r.Assign(&picture);
    EXPECT_EQ(*r.PixelPtr(0, 0), 0x40000000u);  // a picture holding a bitmap is that bitmap
    l.log.clear();
    r.Assign(nullptr);
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_EQ(l.log, "HRC");
}

TEST(TRaster32, AnUnknownSourceOrTargetIsAConversionErrorAndStillNotifies) {
    TRaster32 r;
    Listener l(r);
    TFont font;
    EXPECT_EQ(MessageOf<EConvertError>([&] { r.Assign(&font); }),
              "EConvertError: Cannot assign a TFont to a TRaster32");
    EXPECT_EQ(l.log, "C");
    EXPECT_EQ(MessageOf<EConvertError>([&] { r.AssignTo(font); }),
              "EConvertError: Cannot assign a TRaster32 to a TFont");
}

// A stand-in for a picture kind that draws with transparency (as PNG pictures do).
class SeeThroughGraphic : public TGraphic {
public:
    int Width() const override { return 2; }
    int Height() const override { return 1; }
    void Draw(TCanvas& canvas, const Rect& dest) const override {
        canvas.DrawPixels(dest, ToPixels(), {0, 0, 2, 1}, true);
    }
    void LoadFromBytes(std::span<const std::uint8_t>) override {}
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<SeeThroughGraphic>(); }
    Bitmap32 ToPixels() const override {
        Bitmap32 b(2, 1);
        b.At(0, 0) = 0xFF336699u;
        b.At(1, 0) = 0x00FFFFFFu;
        return b;
    }
};

TEST(TRaster32, OtherGraphicsDrawThemselvesOverBlackAndComeOutOpaque) {
    RegisterGraphicClass("seethrough", [] { return std::make_unique<SeeThroughGraphic>(); });
    TRaster32 r;
    r.SetDimensions(2, 1);
    r.FillAll(0xFFFFFFFFu);  // what was there before does not show through
    TPicture picture;
    picture.LoadFromBytes("seethrough", {});
    r.Assign(&picture);
    EXPECT_EQ(r.Bits()[0], 0xFF336699u);
    EXPECT_EQ(r.Bits()[1], 0xFF000000u);
}

TEST(TRaster32, LoadPictureFileOfAJpegGivesItsSizeAllOpaque) {
    testing::SimWorld world;
    const auto jpeg = FindResource("musicknop.jpg");
    ASSERT_FALSE(jpeg.empty());
    const Bitmap32 decoded = DecodeJpeg(jpeg);
    ASSERT_TRUE(world.process.GetSystem().WriteFile("C:\\pic.jpg", {jpeg.begin(), jpeg.end()}));
    TRaster32 r;
    r.LoadPictureFile(world.process.GetSystem(), "C:\\pic.jpg");
    ASSERT_EQ(r.Width(), decoded.Width());
    ASSERT_EQ(r.Height(), decoded.Height());
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x)
            ASSERT_EQ(*r.PixelPtr(x, y), decoded.At(x, y) | 0xFF000000u) << x << "," << y;
    // Failures reach the caller and leave the raster as it was.
    EXPECT_EQ(MessageOf<EFOpenError>([&] { r.LoadPictureFile(world.process.GetSystem(), "C:\\none.jpg"); }),
              "EFOpenError: Cannot open file C:\\none.jpg");
    ASSERT_TRUE(world.process.GetSystem().WriteFile("C:\\bad.jpg", {1, 2, 3}));
    EXPECT_THROW(r.LoadPictureFile(world.process.GetSystem(), "C:\\bad.jpg"), EJPEG);
    EXPECT_THROW(r.LoadPictureFile(world.process.GetSystem(), "C:\\pic.xyz"), EInvalidGraphic);
    EXPECT_EQ(r.Width(), decoded.Width());
}

TEST(TRaster32, AssignToMakesA32BitBitmapAndSaveAsBmpReadsBack) {
    TRaster32 r;
    r.SetDimensions(3, 2);
    for (int i = 0; i < 6; ++i)
        r.Bits()[i] = 0x10203040u * static_cast<Pixel>(i + 1);
    TPicture picture;
    r.AssignTo(picture);
    ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Bitmap()->BitsPerPixel(), 32);
    EXPECT_EQ(picture.Bitmap()->Pixels(), r.Storage());
    std::vector<std::uint8_t> stream{9};
    r.SaveAsBmp(stream);
    const DecodedBmp back = DecodeBmp(std::span(stream).subspan(1));
    EXPECT_EQ(back.Pixels, r.Storage());
    TRaster32 empty;
    std::vector<std::uint8_t> nothing;
    empty.SaveAsBmp(nothing);
    EXPECT_TRUE(nothing.empty());
}

TEST(TRaster32, TheClipboardTakesItsPixelsAndGivesThemBackOpaque) {
    testing::SimWorld world;
    TClipboard& clipboard = world.app->Clipboard();
    TRaster32 r;
    r.SetDimensions(3, 2);
    for (int i = 0; i < 6; ++i)
        r.Bits()[i] = 0x10203040u * static_cast<Pixel>(i + 1);  // alpha varies
    r.AssignTo(clipboard);

    TRaster32 back;
    Listener listener(back);
    back.Assign(&clipboard);
    EXPECT_EQ(listener.log, "HRC");
    TRaster32 opaque;
    opaque.Assign(&r);
    opaque.MakeOpaque();
    EXPECT_TRUE(back.SameContent(&opaque));

    // An empty raster puts nothing there, and a failed read leaves the raster unchanged but told.
    TRaster32 empty;
    EXPECT_EQ(MessageOf<EConvertError>([&] { empty.AssignTo(clipboard); }),
              "EConvertError: Cannot assign a TBitmap to a TClipboard");
    world.machine.Clipboard().SetHeldByAnotherProgram(true);
    listener.log.clear();
    EXPECT_EQ(MessageOf<EClipboardException>([&] { back.Assign(&clipboard); }),
              "EClipboardException: Cannot open clipboard");
    EXPECT_EQ(listener.log, "C");
    EXPECT_TRUE(back.SameContent(&opaque));
}

class OtherRaster : public TRaster32 {
public:
    const ClassInfo& ClassType() const override {
        static const ClassInfo info{"OtherRaster", &TRaster32::StaticClass(), {}, {}};
        return info;
    }
};

TEST(TRaster32, SameContentComparesSizeAndEveryPixel) {
    TRaster32 a, b, empty1, empty2;
    a.SetDimensions(2, 2);
    b.SetDimensions(2, 2);
    EXPECT_TRUE(empty1.SameContent(&empty2));
    EXPECT_FALSE(a.SameContent(&empty1));
    EXPECT_FALSE(empty1.SameContent(&a));
    EXPECT_TRUE(a.SameContent(&b));
    b.Bits()[3] = 0x01000000u;  // alpha alone differs
    EXPECT_FALSE(a.SameContent(&b));
    b.SetDimensions(4, 1);
    EXPECT_FALSE(a.SameContent(&b));
    OtherRaster other;
    other.SetDimensions(2, 2);
    EXPECT_FALSE(a.SameContent(&other));
}

TEST(TRaster32, PaintToDCCopiesTheWholeRasterOnce) {
    TRaster32 r;
    r.SetDimensions(2, 2);
    r.FillAll(0x80FF0000u);
    Bitmap32 window(4, 4, 0xFF000000u);
    TCanvas canvas(window);
    r.PaintToDC(canvas, 1, 2);
    EXPECT_EQ(window.At(1, 2), 0x80FF0000u);
    EXPECT_EQ(window.At(2, 3), 0x80FF0000u);
    EXPECT_EQ(window.At(0, 2), 0xFF000000u);
    EXPECT_EQ(window.At(1, 1), 0xFF000000u);
}

// ---- The stored Data property ----

TEST(TRaster32, DataRoundTripsAndBadDataLeavesTheRasterAlone) {
    TRaster32 r;
    r.SetDimensions(2, 1);
    r.Bits()[0] = 0x11223344u;
    r.Bits()[1] = 0xAABBCCDDu;
    const std::vector<std::uint8_t> data = r.WriteData();
    EXPECT_EQ(data,
              (std::vector<std::uint8_t>{2, 0, 0, 0, 1, 0, 0, 0, 0x44, 0x33, 0x22, 0x11, 0xDD, 0xCC, 0xBB, 0xAA}));
    TRaster32 back;
    Listener l(back);
    back.ReadData(data);
    EXPECT_TRUE(back.SameContent(&r));
    EXPECT_EQ(l.log, "HCRC");

    struct Bad {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    const Bad bad[] = {
        {"short header", {2, 0, 0}},
        {"one byte short", std::vector<std::uint8_t>(data.begin(), data.end() - 1)},
        {"one byte over",
         [&] {
             auto b = data;
             b.push_back(0);
             return b;
         }()},
        {"huge claimed size", {0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0, 1, 2, 3, 4}},
        {"product past 64 bits of bytes", {0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0x7F}},
    };
    for (const Bad& b : bad) {
        EXPECT_EQ(MessageOf<EReadError>([&] { back.ReadData(b.bytes); }), "EReadError: Stream read error") << b.what;
        EXPECT_TRUE(back.SameContent(&r)) << b.what;
    }
    // Negative sides hold no pixels.
    back.ReadData(std::vector<std::uint8_t>{0xFB, 0xFF, 0xFF, 0xFF, 10, 0, 0, 0});
    EXPECT_EQ(back.Width(), 0);
    EXPECT_EQ(back.Height(), 10);
}

// A component that owns a raster, as the image viewer does, to read one from a layout.
class RasterHolder : public TComponent {
public:
    explicit RasterHolder(TComponent* owner) : TComponent(owner) {}
    TRaster32* Bitmap() { return &bitmap; }
    TRaster32 bitmap;

    const ClassInfo& ClassType() const override { return StaticClass(); }
    static const ClassInfo& StaticClass() {
        static const ClassInfo info{
            "RasterHolder",
            &TComponent::StaticClass(),
            {},
            {props::Object<RasterHolder>("Bitmap", &RasterHolder::Bitmap, TRaster32::StaticClass())}};
        return info;
    }
};

TEST(TRaster32, TheDataPropertyIsWrittenOnlyWhenItDiffersAndReadsBack) {
    TRaster32 r;
    EXPECT_EQ(r.DataProperty(nullptr, "  "), "");  // empty, no ancestor
    r.SetDimensions(9, 2);
    r.FillAll(0x80FEDCBAu);
    r.Bits()[17] = 0x01020304u;
    TRaster32 ancestor;
    ancestor.Assign(&r);
    EXPECT_EQ(r.DataProperty(&ancestor, "  "), "");
    ancestor.Bits()[0] = 0;
    const std::string text = r.DataProperty(&ancestor, "  ");
    ASSERT_NE(text, "");

    RasterHolder holder(nullptr);
    ReadLayoutText(holder, nullptr,
                   "object Holder: RasterHolder\n  Bitmap.DrawMode = dmBlend\n  Bitmap.MasterAlpha = 200\n"
                   "  Bitmap.StretchFilter = sfLinear\n" +
                       std::string(text).replace(0, 2, "  Bitmap.") + "end\n");
    EXPECT_TRUE(holder.bitmap.SameContent(&r));
    EXPECT_EQ(holder.bitmap.DrawMode(), TDrawMode::dmBlend);
    EXPECT_EQ(holder.bitmap.MasterAlpha(), 200);
    EXPECT_EQ(holder.bitmap.StretchFilter(), TStretchFilter::sfLinear);

    const char* bad[] = {"Bitmap.Data = {0100000001000000}", "Bitmap.Data = 5", "Bitmap.MasterAlpha = 256",
                         "Bitmap.Data = {00}\n  Bitmap.DrawMode = dmBlend"};
    for (const char* line : bad) {
        RasterHolder h(nullptr);
        EXPECT_THROW(ReadLayoutText(h, nullptr, std::string("object H: RasterHolder\n  ") + line + "\nend\n"),
                     ELayoutError)
            << line;
    }
}

TEST(Color32, SwapsRedAndBlueAndLooksUpSystemColours) {
    EXPECT_EQ(Color32(RGB(0x12, 0x34, 0x56)), 0xFF123456u);
    EXPECT_EQ(Color32(clNone), 0xFFFFFFFFu);
    EXPECT_EQ(Color32(clBtnFace), 0xFF000000u | ((SystemColor(15) & 0xFF) << 16) | (SystemColor(15) & 0xFF00) |
                                      ((SystemColor(15) >> 16) & 0xFF));
}

}  // namespace
}  // namespace zindra
