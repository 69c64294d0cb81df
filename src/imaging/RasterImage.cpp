// The image control's picture, scale, placement, change handling and mouse events.
#include "imaging/RasterImage.h"

#include <algorithm>
#include <cmath>

#include "framework/layout/ClassInfo.h"
#include "imaging/RasterRounding.h"

namespace zindra {

const ClassInfo& TCustomRasterImage::StaticClass() {
    static const ClassInfo info{"TCustomRasterImage", &TCustomBufferedBox::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TCustomRasterImage::ClassType() const {
    return StaticClass();
}

TCustomRasterImage::TCustomRasterImage(TComponent* owner)
    : TCustomBufferedBox(owner), bitmap_(std::make_unique<TRaster32>(this)) {
    SetControlStyle(ControlStyle() | csOpaque | csCaptureMouse | csClickEvents);
    bitmap_->SetOnChange([this](TObject*) { Changed(); });
    bitmap_->SetOnResize([this](TObject*) { BitmapResized(); });
    // At run time: the background round the picture, the picture, the visible layers.
    paintStages_.Add(true, true, kPaintStageClearBackground);
    paintStages_.Add(true, false, kPaintStageControlFrame);
    paintStages_.Add(true, true, kPaintStageDrawPicture);
    paintStages_.Add(true, false, kPaintStagePictureFrame);
    paintStages_.Add(true, true, kPaintStageDrawLayers, kLayerVisible);
}

TCustomRasterImage::~TCustomRasterImage() {
    // The picture may not call back into a control that is half gone.
    bitmap_->SetOnChange(nullptr);
    bitmap_->SetOnResize(nullptr);
}

void TCustomRasterImage::SetScale(float value) {
    // NOTE: a scale that is not a number would pass every comparison below; it means the least.
    if (!(value >= 0.001f)) value = 0.001f;
    if (value == scale_) return;
    InvalidateCache();
    scale_ = value;
    ScaleChanged();
    InvalidateBuffer();
    Changed();
}

void TCustomRasterImage::EndUpdate() {
    if (updateCount_ == 0) throw EAssertionFailed("Unpaired EndUpdate call");
    --updateCount_;
}

void TCustomRasterImage::Changed() {
    if (updateCount_ != 0) return;
    InvalidateBuffer();
    if (OnChange) OnChange(this);
}

void TCustomRasterImage::InvalidateBuffer() {
    InvalidateCache();
    TCustomBufferedBox::InvalidateBuffer();
}

void TCustomRasterImage::Resize() {
    InvalidateCache();
    TCustomBufferedBox::Resize();
}

bool TCustomRasterImage::SetOffsets(float horz, float vert) {
    if (horz == offsetHorz_ && vert == offsetVert_) return false;
    offsetHorz_ = horz;
    offsetVert_ = vert;
    InvalidateCache();
    return true;
}

Size TCustomRasterImage::GetBitmapSize() const {
    if (bitmap_->IsEmpty() || Width() == 0 || Height() == 0) return {};
    const Size scaled{ScaledExtent(bitmap_->Width(), scale_), ScaledExtent(bitmap_->Height(), scale_)};
    // NOTE: a scale that leaves no whole pixel of the picture shows it as an empty one.
    if (scaled.Width == 0 || scaled.Height == 0) return {};
    return scaled;
}

void TCustomRasterImage::UpdateCache() {
    const Size size = GetBitmapSize();
    cache_ = {};
    if (size.Width > 0) {
        cache_.Picture =
            Rect{0, 0, size.Width, size.Height}.Offset(RoundedOffset(offsetHorz_), RoundedOffset(offsetVert_));
        const std::int64_t w = bitmap_->Width(), h = bitmap_->Height();
        cache_.ScaleX = (std::int64_t{size.Width} << 16) / w;
        cache_.ScaleY = (std::int64_t{size.Height} << 16) / h;
        cache_.RevScaleX = (w << 16) / size.Width;
        cache_.RevScaleY = (h << 16) / size.Height;
    }
    cacheValid_ = true;
}

Rect TCustomRasterImage::GetBitmapRect() {
    if (!cacheValid_) UpdateCache();
    return cache_.Picture;
}

Point TCustomRasterImage::ControlToBitmap(Point p) {
    const Rect r = GetBitmapRect();
    return {static_cast<int>(((p.X - std::int64_t{r.Left}) * cache_.RevScaleX) >> 16),
            static_cast<int>(((p.Y - std::int64_t{r.Top}) * cache_.RevScaleY) >> 16)};
}

Point TCustomRasterImage::BitmapToControl(Point p) {
    const Rect r = GetBitmapRect();
    return {static_cast<int>(((p.X * cache_.ScaleX) >> 16) + r.Left),
            static_cast<int>(((p.Y * cache_.ScaleY) >> 16) + r.Top)};
}

// A new picture size: the control may take it, then the placement starts afresh.
void TCustomRasterImage::BitmapResized() {
    if (autoSize_) {
        const int w = ScaledExtent(bitmap_->Width(), scale_);
        const int h = ScaledExtent(bitmap_->Height(), scale_);
        if (w > 0 && h > 0) SetBounds(Left(), Top(), w, h);
    }
    // NOTE: reported outside update batches, as OnChange is, so a handler hears of every new
    // picture size that is not part of a larger change.
    if (updateCount_ == 0 && OnBitmapResize) OnBitmapResize(this);
    InvalidateCache();
    InvalidateBuffer();
}

void TCustomRasterImage::Loaded() {
    TCustomBufferedBox::Loaded();
    if (OnInitStages) OnInitStages(this);
}

// ---- Mouse: the layer under the pointer goes with every event ----

void TCustomRasterImage::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomBufferedBox::MouseDown(button, shift, x, y);
    if (OnImageMouseDown) OnImageMouseDown(this, button, shift, x, y, layers_.LayerAt(x, y));
}

void TCustomRasterImage::MouseMove(TShiftState shift, int x, int y) {
    TCustomBufferedBox::MouseMove(shift, x, y);
    if (OnImageMouseMove) OnImageMouseMove(this, shift, x, y, layers_.LayerAt(x, y));
}

void TCustomRasterImage::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomBufferedBox::MouseUp(button, shift, x, y);
    if (OnImageMouseUp) OnImageMouseUp(this, button, shift, x, y, layers_.LayerAt(x, y));
}

void TCustomRasterImage::MouseEnter() {
    TCustomBufferedBox::MouseEnter();
    if (OnMouseEnter) OnMouseEnter(this);
}

void TCustomRasterImage::MouseLeave() {
    TCustomBufferedBox::MouseLeave();
    if (OnMouseLeave) OnMouseLeave(this);
}

}  // namespace zindra
