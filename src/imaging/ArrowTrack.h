// The self-drawn bar the range tracks are made of: two arrow buttons, a track and a handle, hit
// zones, hover tracking and the auto-repeat timer, in the system's look (tsDefault) or its own
// (tsMac). It has no position of its own: its timer steps and handle come from derived bars.
//
// Timer: a press runs one step at once, the next after 600 ms and then one every 100 ms; after
// the release (or a step that cannot move) it checks every 150 ms whether the pointer has left,
// and stops when it has or when the pointer leaves the bar. User-interface thread only.
#pragma once

#include "framework/controls/CustomControl.h"
#include "imaging/TrackGeometry.h"

namespace zindra {

class TTimer;

class TArrowTrack : public TCustomControl {
public:
    explicit TArrowTrack(TComponent* owner);
    ~TArrowTrack() override;

    TTrackBackground Backgnd() const { return backgnd_; }
    void SetBackgnd(TTrackBackground value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    // 0: automatic.
    int ButtonSize() const { return buttonSize_; }
    void SetButtonSize(int value);
    TColor HandleColor() const { return handleColor_; }
    void SetHandleColor(TColor value);
    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind value);
    bool ShowArrows() const { return showArrows_; }
    void SetShowArrows(bool value);
    bool ShowHandleGrip() const { return showHandleGrip_; }
    void SetShowHandleGrip(bool value);
    TTrackStyle Style() const { return style_; }
    // A new style starts the bar afresh, as a new window would: no hot or pressed zone.
    void SetStyle(TTrackStyle value);

    // Every change of the position; then, for changes the user made, OnUserChange.
    TNotifyEvent OnChange;
    TNotifyEvent OnUserChange;
    void SetOnChange(TNotifyEvent e) { OnChange = std::move(e); }
    void SetOnUserChange(TNotifyEvent e) { OnUserChange = std::move(e); }

    // Geometry in client coordinates: inside the border, which a single border style puts round
    // the bar's rectangle.
    Rect ClientArea() const;
    TrackAxis Axis() const { return {ClientArea(), kind_ == TScrollBarKind::sbHorizontal}; }
    int ArrowSize() const;
    virtual Rect GetHandleRect() const { return {}; }
    // Enabled, and (for a range track) showing less than its whole range.
    virtual bool DrawEnabled() const { return Enabled(); }
    TrackZoneRects Zones() const;
    TTrackZone ZoneAt(Point client) const;

    TTrackZone DragZone() const { return dragZone_; }
    TTrackZone HotZone() const { return hotZone_; }
    TTrackTimerMode TimerMode() const { return timerMode_; }
    std::uint32_t TimerInterval() const;

    void SetBounds(int left, int top, int width, int height) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, Point mousePos) override;
    void Paint(TCanvas& canvas) override;

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

protected:
    // Hooks for the derived bars, all empty here.
    virtual bool AcceptsPress() const { return DrawEnabled(); }
    // A press on the handle; true when it starts a drag instead of the repeat.
    virtual bool StartDrag() { return false; }
    virtual void DragTo(Point client) { (void)client; }
    // One timer step, with the user-change flag set.
    virtual void Step() {}
    virtual void WheelTurned(int wheelDelta) { (void)wheelDelta; }
    virtual void Resized() {}

    // Reports a change: OnChange, then OnUserChange while a user action is under way.
    void Changed();
    void StartHoverTracking();
    // Where the pointer is now, in client coordinates.
    Point PointerInClient() const;
    bool generateUserChange_ = false;
    Point mouseDown_;

private:
    template <typename T>
    bool Update(T& field, T value);
    void TimerTick();
    void StartTimer(std::uint32_t interval, TTrackTimerMode mode);
    void StopTimer();
    Point ToClient(int x, int y) const;
    void PaintBorder(TCanvas& canvas);
    void PaintMac(TCanvas& canvas, const TrackZoneRects& zones);
    void PaintDefault(TCanvas& canvas, const TrackZoneRects& zones);

    TTrackBackground backgnd_ = TTrackBackground::bgPattern;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    int buttonSize_ = 0;
    TColor handleColor_ = clBtnShadow;
    TScrollBarKind kind_ = TScrollBarKind::sbHorizontal;
    bool showArrows_ = true;
    bool showHandleGrip_ = true;
    TTrackStyle style_ = TTrackStyle::tsDefault;
    TTrackZone dragZone_ = TTrackZone::None;
    TTrackZone hotZone_ = TTrackZone::None;
    TTimer* timer_ = nullptr;  // owned as a component; made when first needed
    TTrackTimerMode timerMode_ = TTrackTimerMode::Off;
};

}  // namespace zindra
