// The image control's paint stages: composing the back buffer, and the overlay on the window.
#include <algorithm>

#include "imaging/RasterImage.h"

namespace zindra {

namespace {

// The dotted rectangle a focused control shows: every other pixel of the edge inverted.
void DrawFocusRect(TRaster32& buffer, const Rect& r) {
    const Rect clip = r.Intersect(buffer.BoundsRect());
    if (clip.IsEmpty()) return;
    auto invert = [&buffer, &clip](int x, int y) {
        if (clip.Contains({x, y}) && ((x + y) & 1) == 0) *buffer.PixelPtr(x, y) ^= 0x00FFFFFFu;
    };
    for (int x = r.Left; x < r.Right; ++x) {
        invert(x, r.Top);
        if (r.Bottom - 1 != r.Top) invert(x, r.Bottom - 1);
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        invert(r.Left, y);
        if (r.Right - 1 != r.Left) invert(r.Right - 1, y);
    }
}

}  // namespace

// NOTE: the framework has no design mode, so only the stages meant for run time run.
void TCustomRasterImage::DoPaintBuffer() {
    UpdateCache();
    for (int i = 0; i < paintStages_.Count(); ++i) {
        if (paintStages_[i].RunTime) ExecStage(i);
    }
}

void TCustomRasterImage::ExecStage(int index) {
    const TPaintStage stage = paintStages_[index];
    TRaster32& buffer = Buffer();
    switch (stage.Stage) {
        case kPaintStageCustom:
            if (OnPaintStage) OnPaintStage(this, buffer, static_cast<std::uint32_t>(index));
            break;
        case kPaintStageClearBuffer:
            buffer.FillAll(Color32(Color()));
            break;
        case kPaintStageClearBackground:
            ClearBackground();
            break;
        case kPaintStageDrawPicture:
            DrawPicture();
            break;
        case kPaintStageDrawLayers:
            layers_.Paint(buffer, stage.Parameter);
            break;
        case kPaintStageControlFrame:
            DrawFocusRect(buffer, ClientRect());
            break;
        case kPaintStagePictureFrame:
            DrawFocusRect(buffer, GetBitmapRect());
            break;
        default:
            break;
    }
}

// Only what the picture leaves uncovered, unless the picture lets the background through.
void TCustomRasterImage::ClearBackground() {
    TRaster32& buffer = Buffer();
    const TPixel32 c = Color32(Color());
    const Rect r = GetBitmapRect();
    if (r.IsEmpty() || bitmap_->DrawMode() != TDrawMode::dmOpaque) {
        buffer.FillAll(c);
        return;
    }
    const int w = Width(), h = Height();
    if (r.Left <= 0 && r.Right >= w && r.Top <= 0 && r.Bottom >= h) return;
    buffer.FillRectClipped(0, 0, w, r.Top, c);
    buffer.FillRectClipped(0, r.Bottom, w, h, c);
    buffer.FillRectClipped(0, r.Top, r.Left, r.Bottom, c);
    buffer.FillRectClipped(r.Right, r.Top, w, r.Bottom, c);
}

void TCustomRasterImage::DrawPicture() {
    const Rect r = GetBitmapRect();
    if (bitmap_->IsEmpty() || r.IsEmpty()) return;
    ObjectLock lock(*bitmap_);
    bitmap_->PaintToBitmap(Buffer(), r);
}

void TCustomRasterImage::DoPaintGDIOverlay(TCanvas& canvas) {
    layers_.PaintOverlay(canvas);
    TCustomBufferedBox::DoPaintGDIOverlay(canvas);
}

}  // namespace zindra
