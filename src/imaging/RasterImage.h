// The image control: a back-buffered control that shows its own 32-bit raster at a scale and an
// offset, composed by a list of paint stages (background, picture, layers), with change handling
// that an update batch holds back and the mouse events told which layer lies under the pointer.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "imaging/BufferedBox.h"
#include "imaging/Layers.h"
#include "imaging/PaintStages.h"

namespace zindra {

class TCustomRasterImage;

using TImageMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y, TCustomLayer* Layer)>;
using TImageMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y, TCustomLayer* Layer)>;
using TPaintStageEvent = std::function<void(TObject* Sender, TRaster32& Buffer, std::uint32_t StageNum)>;

class TCustomRasterImage : public TCustomBufferedBox {
public:
    explicit TCustomRasterImage(TComponent* owner);
    ~TCustomRasterImage() override;

    // The shown picture, owned. Setting it copies the source's content (TRaster32::Assign).
    TRaster32* Bitmap() { return bitmap_.get(); }
    const TRaster32* Bitmap() const { return bitmap_.get(); }
    void SetBitmap(const TRaster32* source) { bitmap_->Assign(source); }
    TLayerCollection& Layers() { return layers_; }
    TPaintStages& PaintStages() { return paintStages_; }

    float Scale() const { return scale_; }
    // Values below 0.001 become 0.001.
    void SetScale(float value);
    // Where the picture's top-left corner lies in the view, before rounding.
    float OffsetHorz() const { return offsetHorz_; }
    float OffsetVert() const { return offsetVert_; }
    // The control takes the scaled picture's size when a new picture comes.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value) { autoSize_ = value; }

    // Update batch of the image: change handling waits until the last EndUpdate (and is not made
    // up for then). EndUpdate without StartUpdate throws EAssertionFailed.
    void StartUpdate() { ++updateCount_; }
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }
    // Outside a batch: the buffer and the placement are composed anew, and OnChange.
    void Changed();

    // The picture's size in the view: 0 x 0 for an empty picture, a control without area, or a
    // scale that leaves nothing of the picture.
    Size GetBitmapSize() const;
    // Where the picture lies in the view (empty when it shows nothing); cached until invalidated.
    Rect GetBitmapRect();
    void InvalidateCache() { cacheValid_ = false; }
    // Between picture pixels and control pixels, through the cached placement.
    Point ControlToBitmap(Point p);
    Point BitmapToControl(Point p);

    void InvalidateBuffer() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void Loaded() override;

    TNotifyEvent OnBitmapResize;
    TNotifyEvent OnChange;
    TNotifyEvent OnInitStages;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TPaintStageEvent OnPaintStage;
    // The mouse events with the layer under the pointer (none without layers); the control's
    // plain OnMouseDown, OnMouseMove and OnMouseUp are raised as well.
    TImageMouseEvent OnImageMouseDown;
    TImageMouseMoveEvent OnImageMouseMove;
    TImageMouseEvent OnImageMouseUp;
    void SetOnBitmapResize(TNotifyEvent e) { OnBitmapResize = std::move(e); }
    void SetOnChange(TNotifyEvent e) { OnChange = std::move(e); }
    void SetOnInitStages(TNotifyEvent e) { OnInitStages = std::move(e); }
    void SetOnMouseEnter(TNotifyEvent e) { OnMouseEnter = std::move(e); }
    void SetOnMouseLeave(TNotifyEvent e) { OnMouseLeave = std::move(e); }
    void SetOnPaintStage(TPaintStageEvent e) { OnPaintStage = std::move(e); }

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

protected:
    // Runs the paint stages meant for run time, in order.
    void DoPaintBuffer() override;
    void DoPaintGDIOverlay(TCanvas& canvas) override;
    void Resize() override;
    // The picture got a new size.
    virtual void BitmapResized();
    // The scale changed; the viewer updates its bars and the placement here.
    virtual void ScaleChanged() {}
    // Stores new offsets; true (and the cache invalid) when either changed.
    bool SetOffsets(float horz, float vert);

private:
    struct Placement {
        Rect Picture;
        // 16.16 fixed-point factors picture-to-view and view-to-picture.
        std::int64_t ScaleX = 0x10000, ScaleY = 0x10000, RevScaleX = 0x10000, RevScaleY = 0x10000;
    };
    void UpdateCache();
    void ExecStage(int index);
    void ClearBackground();
    void DrawPicture();

    std::unique_ptr<TRaster32> bitmap_;
    TLayerCollection layers_;
    TPaintStages paintStages_;
    float offsetHorz_ = 0;
    float offsetVert_ = 0;
    float scale_ = 1.0f;
    int updateCount_ = 0;
    bool autoSize_ = false;
    bool cacheValid_ = false;
    Placement cache_;
};

}  // namespace zindra
