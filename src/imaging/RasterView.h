// The scrollable image viewer: the image control with a horizontal and a vertical range track
// and a square in the bottom-right corner. A picture smaller than the view area is centred in
// it; a larger one scrolls through the bars, ScrollBy and CenterOn (the viewer has no keyboard,
// wheel or drag scrolling of its own). TRasterView publishes it for layouts.
//
// Layout: with s the bar thickness (ScrollBars.Size, or the system's SM_CYHSCROLL when 0), the
// view area is (0, 0, width - s, height - s), the bars lie below and to the right of it and the
// corner square is the s x s square they leave. User-interface thread only.
#pragma once

#include <memory>

#include "imaging/RangeTrack.h"
#include "imaging/RasterImage.h"
#include "imaging/TrackAccess.h"

namespace zindra {

class TCustomRasterView;

enum class TSizeGripStyle : std::uint8_t { sgAuto, sgNone, sgAlways };
inline const std::vector<std::string> kSizeGripStyleNames = {"sgAuto", "sgNone", "sgAlways"};

// The viewer's ScrollBars: the look of both bars at once, their increment and their thickness.
class TViewScrollProperties : public TArrowTrackAccess {
public:
    TViewScrollProperties(TCustomRasterView& view, TCustomRangeTrack& horizontal, TCustomRangeTrack& vertical);

    // The arrows' step: read from the horizontal bar, written to both.
    int Increment() const;
    void SetIncrement(int value);
    // The bars' thickness; 0 takes the system's. Writing it lays the viewer out again.
    int Size() const;
    void SetSize(int value);

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    TCustomRasterView& view_;
    TCustomRangeTrack& horizontal_;
};

class TCustomRasterView : public TCustomRasterImage {
public:
    explicit TCustomRasterView(TComponent* owner);
    ~TCustomRasterView() override;

    TCustomRangeTrack& HorzBar() { return *hScroll_; }
    TCustomRangeTrack& VertBar() { return *vScroll_; }
    TViewScrollProperties* ScrollBars() { return scrollBars_.get(); }

    bool Centered() const { return centered_; }
    void SetCentered(bool value);
    TSizeGripStyle SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(TSizeGripStyle value);
    bool ParentColor() const { return parentColor_; }
    // True takes the parent's colour now and whenever the parent changes.
    void SetParentColor(bool value);

    // Moves both bars by the distances (each clamped by its bar), then places the picture anew.
    void ScrollBy(float dx, float dy);
    // Brings the picture point (x, y) to the middle of the view as far as the bars allow.
    void CenterOn(float x, float y);

    // The bar thickness s in use.
    int ScrollBarSize() const;
    // (0, 0, width - s, height - s).
    Rect GetViewportRect() const override;
    // The corner square.
    Rect GetSizeGripRect() const;
    bool IsSizeGripVisible() const;

    void SetParent(TWinControl* parent) override;
    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void Loaded() override;

    // The user moved a bar; the picture has been placed anew.
    TNotifyEvent OnScroll;
    void SetOnScroll(TNotifyEvent e) { OnScroll = std::move(e); }

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

protected:
    void Resize() override;
    void BitmapResized() override;
    void ScaleChanged() override;
    void ColorChanged() override;

private:
    friend class TViewScrollProperties;
    // Holds the bars' user-change callback off while the viewer moves them itself.
    class ScrollLock;

    // The view area, the bars and the corner square from the control's size.
    void AlignAll();
    // Bar ranges: the scaled picture's width and height.
    void UpdateScrollBars();
    // Picture offsets from the bar positions (or centred), in one update batch, then one change.
    void UpdateImage();
    // A bar's user-change callback.
    void BarMoved(TCustomRangeTrack& bar);
    void PaintCorner(TCanvas& canvas);

    TCustomRangeTrack* hScroll_ = nullptr;  // owned as components, freed first by the destructor
    TCustomRangeTrack* vScroll_ = nullptr;
    std::unique_ptr<TViewScrollProperties> scrollBars_;
    int barSize_ = 0;  // 0: the system's
    bool centered_ = true;
    bool parentColor_ = true;
    bool scrollLock_ = false;
    TSizeGripStyle sizeGrip_ = TSizeGripStyle::sgAuto;
};

// The viewer for layouts.
class TRasterView : public TCustomRasterView {
public:
    using TCustomRasterView::TCustomRasterView;
    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();
};

// Makes the viewer (and the range tracks it is made of) known to layouts.
void RegisterRasterViewClasses();

}  // namespace zindra
