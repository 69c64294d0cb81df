// A windowed control that composes its face in a back buffer and copies it to the window in one
// go, so that a repaint never shows a half-drawn picture. The buffer follows the size of the view
// area with some slack, so that small resizes do not reallocate it.
#pragma once

#include <memory>

#include "framework/controls/CustomControl.h"
#include "imaging/Raster32.h"

namespace zindra {

class TCustomBufferedBox : public TCustomControl {
public:
    // New boxes are 192 x 192 pixels.
    explicit TCustomBufferedBox(TComponent* owner);
    ~TCustomBufferedBox() override;

    // The back buffer. It is held in an update batch for its whole life, so it never reports a
    // change.
    TRaster32& Buffer() { return *buffer_; }
    const TRaster32& Buffer() const { return *buffer_; }
    // How much larger than the view area the buffer may stay before it is made smaller.
    int BufferOversize() const { return bufferOversize_; }
    void SetBufferOversize(int value) { bufferOversize_ = value < 0 ? 0 : value; }
    bool BufferValid() const { return bufferValid_; }
    // A mouse press focuses the control when it can take the focus (as it does with TabStop).
    bool AutoFocus() const { return autoFocus_; }
    void SetAutoFocus(bool value) { autoFocus_ = value; }
    // The control wants the arrow keys for itself rather than leave them to focus movement.
    bool WantArrowKeys() const { return wantArrowKeys_; }
    void SetWantArrowKeys(bool value) { wantArrowKeys_ = value; }

    // The part of the control the buffer is shown in (control coordinates).
    virtual Rect GetViewportRect() const { return ClientRect(); }
    // The buffer no longer matches what it shows: the next paint composes it anew.
    virtual void InvalidateBuffer();

    void SetBounds(int left, int top, int width, int height) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    // Composes the buffer when it is invalid, then copies the view area of it to the window with
    // the buffer locked, then the overlay step.
    void Paint(TCanvas& canvas) override;

    // Drawn on the window after the buffer has been copied there.
    TNotifyEvent OnGDIOverlay;
    void SetOnGDIOverlay(TNotifyEvent e) { OnGDIOverlay = std::move(e); }

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

protected:
    // Fills the buffer; nothing here.
    virtual void DoPaintBuffer() {}
    // The buffer is filled in the control's colour: it is composed anew.
    void ColorChanged() override { InvalidateBuffer(); }
    virtual void DoPaintGDIOverlay(TCanvas& canvas);
    // The control's size changed: the buffer follows and must be composed anew.
    virtual void Resize();
    // Exactly the view's size when the view outgrew the buffer or fell more than the oversize
    // short of it in either direction; otherwise the buffer stays. A resize invalidates it.
    void ResizeBuffer();

private:
    std::unique_ptr<TRaster32> buffer_;
    int bufferOversize_ = 40;
    bool bufferValid_ = false;
    bool autoFocus_ = false;
    bool wantArrowKeys_ = false;
};

}  // namespace zindra
