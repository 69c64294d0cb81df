// The 32-bit raster's storage, drawing surface, filling and painting.
#include "imaging/Raster32.h"

#include <algorithm>

#include "imaging/Transfer.h"

namespace zindra {

TRaster32::TRaster32(TPersistent* owner) : owner_(owner) {
    font_.OnChange = [this](TObject*) { DeselectFont(); };
}

TRaster32::~TRaster32() {
    // NOTE: nobody hears of the last resize: the handlers belong to an owner that is usually
    // being destroyed itself when its raster goes.
    OnChange = nullptr;
    OnResize = nullptr;
    OnHandleChanged = nullptr;
    StartUpdate();
    EnterLock();
    canvas_.reset();
    SetDimensions(0, 0);
    font_.OnChange = nullptr;
    LeaveLock();
}

bool TRaster32::IsEmpty() const {
    return TCustomRaster::IsEmpty() || pixels_.Empty();
}

void TRaster32::ResizeStorage(std::int32_t& width, std::int32_t& height, std::int32_t newWidth,
                              std::int32_t newHeight) {
    DeselectFont();
    pixels_.Resize(0, 0);
    if (newWidth > 0 && newHeight > 0) {
        header_.Width = newWidth;
        header_.Height = -newHeight;
        try {
            // A new surface starts all zero, as a fresh DIB section does.
            pixels_.Resize(newWidth, newHeight, 0);
        } catch (const Exception&) {
            width = height = 0;
            NotifyHandleChange();
            throw Exception(kSNoPixelMemory);
        }
    }
    width = newWidth;
    height = newHeight;
    NotifyHandleChange();
}

void TRaster32::NotifyHandleChange() {
    if (canvas_) canvas_->TargetResized();
    if (OnHandleChanged) OnHandleChanged(this);
}

TCanvas& TRaster32::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TCanvas>(pixels_);
    return *canvas_;
}

void TRaster32::SelectFont() {
    Canvas().Font().Assign(font_);
    fontSelected_ = true;
}

void TRaster32::DeselectFont() {
    if (!fontSelected_) return;
    if (canvas_) canvas_->Font().Assign(TFont());
    fontSelected_ = false;
}

void TRaster32::FillAll(TPixel32 color) {
    if (IsEmpty()) return;
    pixels_.Fill(color);
    NotifyChange();
}

void TRaster32::FillRectClipped(int x1, int y1, int x2, int y2, TPixel32 color) {
    if (x1 >= x2 || y1 >= y2 || x1 >= width_ || y1 >= height_ || x2 <= 0 || y2 <= 0 || pixels_.Empty()) return;
    x1 = std::max(x1, 0), y1 = std::max(y1, 0);
    x2 = std::min(x2, width_), y2 = std::min(y2, height_);
    for (int y = y1; y < y2; ++y)
        std::fill(ScanLine(y) + x1, ScanLine(y) + x2, color);
    NotifyChange();
}

void TRaster32::MakeOpaque() {
    TPixel32* p = pixels_.Data();
    const std::size_t count = static_cast<std::size_t>(pixels_.Width()) * static_cast<std::size_t>(pixels_.Height());
    for (std::size_t i = 0; i < count; ++i)
        p[i] |= 0xFF000000u;
    NotifyChange();
}

void TRaster32::SetDrawMode(TDrawMode mode) {
    if (mode == drawMode_) return;
    drawMode_ = mode;
    NotifyChange();
}

void TRaster32::SetMasterAlpha(std::uint8_t alpha) {
    if (alpha == masterAlpha_) return;
    masterAlpha_ = alpha;
    NotifyChange();
}

void TRaster32::SetStretchFilter(TStretchFilter filter) {
    if (filter == stretchFilter_) return;
    stretchFilter_ = filter;
    NotifyChange();
}

void TRaster32::PaintToDC(TCanvas& canvas, int x, int y) const {
    if (IsEmpty()) return;
    canvas.DrawPixels(Rect::FromBounds(x, y, width_, height_), pixels_, BoundsRect(), false);
}

void TRaster32::PaintToBitmap(TRaster32& destination, const Rect& dstRect) const {
    if (IsEmpty() || destination.IsEmpty()) return;
    Transfer(&destination, dstRect, destination.BoundsRect(), this, BoundsRect());
    destination.NotifyChange();
}

}  // namespace zindra
