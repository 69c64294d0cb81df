// The 32-bit raster: pixels in the framework's top-down BGRA raster, which the canvas draws on and
// a window receives in one copy; filling, loading and copying pictures; its stored form.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap32.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "imaging/CustomRaster.h"
#include "imaging/Pixel32.h"

namespace zindra::platform {
class System;
}

namespace zindra {

// The layout of the pixels as a device-independent bitmap header describes it: 40 bytes, rows
// top-down (a negative height), one plane, 32 bits a pixel, no compression.
struct RasterHeader {
    std::uint32_t Size = 40;
    std::int32_t Width = 0;
    std::int32_t Height = 0;  // minus the raster's height
    std::uint16_t Planes = 1;
    std::uint16_t BitCount = 32;
    std::uint32_t Compression = 0;
};

class TRaster32 : public TCustomRaster {
public:
    // owner: whoever holds the raster; its application reads files for LoadPictureFile.
    explicit TRaster32(TPersistent* owner = nullptr);
    ~TRaster32() override;

    TPersistent* GetOwner() const override { return owner_; }

    // ---- Pixels (no range checks) ----
    TPixel32* Bits() { return pixels_.Data(); }
    const TPixel32* Bits() const { return pixels_.Data(); }
    TPixel32* ScanLine(int y) { return pixels_.Data() + static_cast<std::ptrdiff_t>(y) * width_; }
    TPixel32* PixelPtr(int x, int y) { return ScanLine(y) + x; }
    Rect BoundsRect() const { return {0, 0, width_, height_}; }
    Bitmap32& Storage() { return pixels_; }
    const Bitmap32& Storage() const { return pixels_; }
    const RasterHeader& Header() const { return header_; }

    // Also empty while there are no pixels (a 0 x 10 raster, or one whose memory failed).
    bool IsEmpty() const override;

    // ---- Drawing surface ----
    TCanvas& Canvas();
    bool CanvasAllocated() const { return canvas_ != nullptr; }
    TFont& Font() { return font_; }
    // Text drawn on the canvas uses the font once it is selected; any change of the font takes it
    // out again (the canvas goes back to the stock font).
    void SelectFont();
    bool FontSelected() const { return fontSelected_; }

    void FillAll(TPixel32 color);
    // The half-open rectangle [x1, x2) x [y1, y2), clipped to the raster.
    void FillRectClipped(int x1, int y1, int x2, int y2, TPixel32 color);
    void MakeOpaque();

    // ---- Pictures ----
    // From null (empty), another TRaster32, a TBitmap, any other TGraphic, a TPicture or the
    // TClipboard (its picture, made opaque); anything else throws EConvertError. One OnChange at
    // the end, also when an exception passes.
    void Assign(const TPersistent* source);
    // Into a TBitmap or a TPicture (made a 32-bit bitmap of this size), or onto the TClipboard
    // through such a bitmap; else EConvertError.
    void AssignTo(TPersistent& target) const;
    // The picture's own exceptions (unknown extension, unreadable file, decoder errors) reach the
    // caller, and the raster is then unchanged.
    void LoadPictureFile(const std::string& fileName);
    void LoadPictureFile(platform::System& system, const std::string& fileName);
    // Appends the raster as a 32-bit BMP file (nothing for an empty raster).
    void SaveAsBmp(std::vector<std::uint8_t>& stream) const;
    // True when both are empty, or both are TRaster32 with the same BMP form (size and pixels).
    bool SameContent(const TCustomRaster* other) const;
    // Copies the raster unscaled to (x, y) of the canvas.
    void PaintToDC(TCanvas& canvas, int x, int y) const;
    // The transfer of the whole raster into dstRect of destination with this raster's settings,
    // then the destination's NotifyChange.
    void PaintToBitmap(TRaster32& destination, const Rect& dstRect) const;

    // ---- Stored form: width, height (4 bytes each), then the pixels in memory order ----
    std::vector<std::uint8_t> WriteData() const;
    // Throws EReadError, leaving the raster as it was, for data whose length does not match.
    void ReadData(std::span<const std::uint8_t> data);
    // Whether a layout stores Data: when it differs from the ancestor's, or without one when not
    // empty.
    bool ShouldStoreData(const TRaster32* ancestor) const;
    // "Data = { ... }" as a layout writes it, lines indented by indent; empty when not stored.
    std::string DataProperty(const TRaster32* ancestor, const std::string& indent) const;

    // ---- Published ----
    TDrawMode DrawMode() const { return drawMode_; }
    void SetDrawMode(TDrawMode mode);
    std::uint8_t MasterAlpha() const { return masterAlpha_; }
    void SetMasterAlpha(std::uint8_t alpha);
    TPixel32 OuterColor() const { return outerColor_; }
    void SetOuterColor(TPixel32 color) { outerColor_ = color; }
    TStretchFilter StretchFilter() const { return stretchFilter_; }
    void SetStretchFilter(TStretchFilter filter);
    TPixel32 PenColor() const { return penColor_; }
    void SetPenColor(TPixel32 color) { penColor_ = color; }
    float StippleStep() const { return stippleStep_; }
    void SetStippleStep(float step) { stippleStep_ = step; }

    void SetOnChange(TNotifyEvent handler) { OnChange = std::move(handler); }
    void SetOnResize(TNotifyEvent handler) { OnResize = std::move(handler); }
    void SetOnHandleChanged(TNotifyEvent handler) { OnHandleChanged = std::move(handler); }
    void SetOnPixelCombine(TPixelCombineEvent handler) { OnPixelCombine = std::move(handler); }

    TNotifyEvent OnHandleChanged;
    TPixelCombineEvent OnPixelCombine;

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

protected:
    // Throws Exception("Can't allocate the DIB handle") when the pixels cannot be had, leaving
    // 0 x 0; OnHandleChanged runs either way.
    void ResizeStorage(std::int32_t& width, std::int32_t& height, std::int32_t newWidth,
                       std::int32_t newHeight) override;
    // Points the canvas at the new pixels and calls OnHandleChanged.
    virtual void NotifyHandleChange();

private:
    void DeselectFont();
    void AssignFrom(const TPersistent* source);
    void CopyPixelsFrom(const Bitmap32& source);
    void DrawGraphic(const class TGraphic& graphic, int width, int height);

    TPersistent* owner_;
    RasterHeader header_;
    Bitmap32 pixels_;
    std::unique_ptr<TCanvas> canvas_;
    TDrawMode drawMode_ = TDrawMode::dmOpaque;
    TFont font_;
    std::uint8_t masterAlpha_ = 255;
    TPixel32 outerColor_ = 0;
    TPixel32 penColor_ = 0xFFFFFFFFu;
    float stippleStep_ = 1.0f;
    TStretchFilter stretchFilter_ = TStretchFilter::sfNearest;
    bool fontSelected_ = false;
};

}  // namespace zindra
