// The double-buffered control: the buffer's size rule, composing and copying.
#include "imaging/BufferedBox.h"

#include <algorithm>

#include "framework/layout/ClassInfo.h"

namespace zindra {

const ClassInfo& TCustomBufferedBox::StaticClass() {
    static const ClassInfo info{"TCustomBufferedBox", &TCustomControl::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TCustomBufferedBox::ClassType() const {
    return StaticClass();
}

TCustomBufferedBox::TCustomBufferedBox(TComponent* owner)
    : TCustomControl(owner), buffer_(std::make_unique<TRaster32>(this)) {
    buffer_->StartUpdate();  // never closed: nobody listens to the buffer
    SetBounds(0, 0, 192, 192);
}

TCustomBufferedBox::~TCustomBufferedBox() = default;

void TCustomBufferedBox::InvalidateBuffer() {
    bufferValid_ = false;
    Invalidate();
}

void TCustomBufferedBox::SetBounds(int left, int top, int width, int height) {
    const bool resized = std::max(width, 0) != Width() || std::max(height, 0) != Height();
    TCustomControl::SetBounds(left, top, width, height);
    if (resized) Resize();
}

void TCustomBufferedBox::Resize() {
    ResizeBuffer();
    bufferValid_ = false;
}

void TCustomBufferedBox::ResizeBuffer() {
    const Rect view = GetViewportRect();
    const int w = std::max(view.Width(), 0);
    const int h = std::max(view.Height(), 0);
    const int bw = buffer_->Width();
    const int bh = buffer_->Height();
    if (w > bw || h > bh || w < bw - bufferOversize_ || h < bh - bufferOversize_) {
        buffer_->SetDimensions(w, h);
        bufferValid_ = false;
    }
}

void TCustomBufferedBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if ((TabStop() || autoFocus_) && CanFocus()) SetFocus();
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomBufferedBox::Paint(TCanvas& canvas) {
    ResizeBuffer();
    if (!bufferValid_) {
        DoPaintBuffer();
        bufferValid_ = true;
    }
    const Rect view = GetViewportRect();
    const int w = std::min(view.Width(), buffer_->Width());
    const int h = std::min(view.Height(), buffer_->Height());
    if (w > 0 && h > 0) {
        ObjectLock lock(*buffer_);
        canvas.DrawPixels(Rect::FromBounds(view.Left, view.Top, w, h), buffer_->Storage(), {0, 0, w, h}, false);
    }
    DoPaintGDIOverlay(canvas);
}

void TCustomBufferedBox::DoPaintGDIOverlay(TCanvas&) {
    if (OnGDIOverlay) OnGDIOverlay(this);
}

}  // namespace zindra
