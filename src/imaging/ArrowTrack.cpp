// The arrow track's settings, geometry, pointer handling and timer.
#include "imaging/ArrowTrack.h"

#include "framework/app/Application.h"
#include "framework/app/Timer.h"
#include "framework/layout/Properties.h"
#include "platform/Platform.h"

namespace zindra {

namespace {

constexpr std::uint32_t kFirstDelayMs = 600;
constexpr std::uint32_t kRepeatMs = 100;
constexpr std::uint32_t kHoverMs = 150;

// Sets a flag for the length of a user action, also when a handler throws.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

const ClassInfo& TArrowTrack::StaticClass() {
    using C = TArrowTrack;
    static const ClassInfo info{
        "TArrowTrack",
        &TCustomControl::StaticClass(),
        {},
        {props::Enum<C, TTrackBackground>("Backgnd", &C::SetBackgnd, kTrackBackgroundNames),
         props::Enum<C, TBorderStyle>("BorderStyle", &C::SetBorderStyle, kBorderStyleNames),
         props::Int<C>("ButtonSize", &C::SetButtonSize), props::Color<C>("HandleColor", &C::SetHandleColor),
         props::Enum<C, TScrollBarKind>("Kind", &C::SetKind, kScrollBarKindNames),
         props::Bool<C>("ShowArrows", &C::SetShowArrows), props::Bool<C>("ShowHandleGrip", &C::SetShowHandleGrip),
         props::Enum<C, TTrackStyle>("Style", &C::SetStyle, kTrackStyleNames),
         props::Event<C, TNotifyEvent>("OnChange", &C::SetOnChange),
         props::Event<C, TNotifyEvent>("OnUserChange", &C::SetOnUserChange)}};
    return info;
}
const ClassInfo& TArrowTrack::ClassType() const {
    return StaticClass();
}

TArrowTrack::TArrowTrack(TComponent* owner) : TCustomControl(owner) {
    TCustomControl::SetBounds(0, 0, 100, 16);
    SetColor(clScrollBar);
}

TArrowTrack::~TArrowTrack() = default;

// Stores a setting that differs and repaints; true when it changed.
template <typename T>
bool TArrowTrack::Update(T& field, T value) {
    if (field == value) return false;
    field = value;
    Invalidate();
    return true;
}

void TArrowTrack::SetBackgnd(TTrackBackground value) {
    Update(backgnd_, value);
}

void TArrowTrack::SetBorderStyle(TBorderStyle value) {
    if (Update(borderStyle_, value)) Resized();
}

void TArrowTrack::SetButtonSize(int value) {
    Update(buttonSize_, value);
}

void TArrowTrack::SetHandleColor(TColor value) {
    Update(handleColor_, value);
}

void TArrowTrack::SetKind(TScrollBarKind value) {
    if (Update(kind_, value)) Resized();
}

void TArrowTrack::SetShowArrows(bool value) {
    Update(showArrows_, value);
}

void TArrowTrack::SetShowHandleGrip(bool value) {
    Update(showHandleGrip_, value);
}

void TArrowTrack::SetStyle(TTrackStyle value) {
    if (!Update(style_, value)) return;
    StopTimer();
    dragZone_ = hotZone_ = TTrackZone::None;
}

Rect TArrowTrack::ClientArea() const {
    const int b = borderStyle_ == TBorderStyle::bsSingle ? 2 : 0;
    return {0, 0, std::max(Width() - b, 0), std::max(Height() - b, 0)};
}

int TArrowTrack::ArrowSize() const {
    return ArrowButtonSize(Axis(), buttonSize_, showArrows_, style_);
}

TrackZoneRects TArrowTrack::Zones() const {
    return ZoneRects(Axis(), ArrowSize(), GetHandleRect(), DrawEnabled());
}

TTrackZone TArrowTrack::ZoneAt(Point client) const {
    return zindra::ZoneAt(Axis(), Zones(), client);
}

std::uint32_t TArrowTrack::TimerInterval() const {
    return timer_ && timer_->Enabled() ? timer_->Interval() : 0;
}

Point TArrowTrack::ToClient(int x, int y) const {
    const int b = borderStyle_ == TBorderStyle::bsSingle ? 1 : 0;
    return {x - b, y - b};
}

Point TArrowTrack::PointerInClient() const {
    TApplication* app = Application();
    if (!app) return {-1, -1};
    const Point p = ScreenToClient(app->Platform().GetDesktop().CursorPos());
    return ToClient(p.X, p.Y);
}

void TArrowTrack::SetBounds(int left, int top, int width, int height) {
    const int oldWidth = Width();
    const int oldHeight = Height();
    TCustomControl::SetBounds(left, top, width, height);
    if (Width() != oldWidth || Height() != oldHeight) Resized();
}

void TArrowTrack::Changed() {
    if (OnChange) OnChange(this);
    if (generateUserChange_ && OnUserChange) OnUserChange(this);
}

void TArrowTrack::StartTimer(std::uint32_t interval, TTrackTimerMode mode) {
    if (!timer_) {
        if (!Application()) return;
        timer_ = new TTimer(this);
        timer_->SetEnabled(false);
        timer_->SetOnTimer([this](TObject*) { TimerTick(); });
    }
    timer_->SetInterval(interval);
    timerMode_ = mode;
    timer_->SetEnabled(true);
}

void TArrowTrack::StopTimer() {
    if (timer_) timer_->SetEnabled(false);
    timerMode_ = TTrackTimerMode::Off;
}

void TArrowTrack::StartHoverTracking() {
    StartTimer(kHoverMs, TTrackTimerMode::HoverTracking);
}

void TArrowTrack::TimerTick() {
    if (timerMode_ == TTrackTimerMode::FirstDelay) {
        StartTimer(kRepeatMs, TTrackTimerMode::Repeating);
    } else if (timerMode_ == TTrackTimerMode::HoverTracking && !ClientArea().Contains(PointerInClient())) {
        StopTimer();
        hotZone_ = TTrackZone::None;
        Invalidate();
    }
    FlagScope user(generateUserChange_);
    Step();
}

// The first step comes at once, the second after the first delay; a press on the handle drags
// instead and only watches for the pointer leaving.
void TArrowTrack::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    if (!AcceptsPress()) {
        dragZone_ = TTrackZone::None;
        return;
    }
    const Point p = ToClient(x, y);
    dragZone_ = ZoneAt(p);
    Invalidate();
    mouseDown_ = p;
    if (dragZone_ == TTrackZone::Handle && StartDrag()) {
        StartHoverTracking();
        return;
    }
    StartTimer(kFirstDelayMs, TTrackTimerMode::Repeating);
    TimerTick();
    // A step that could not move has turned to hover tracking, whose interval the first delay
    // then keeps.
    timerMode_ = TTrackTimerMode::FirstDelay;
}

void TArrowTrack::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    const Point p = ToClient(x, y);
    if (dragZone_ == TTrackZone::None) {
        if (!DrawEnabled()) return;
        const TTrackZone zone = ZoneAt(p);
        if (zone == hotZone_) return;
        hotZone_ = zone;
        if (zone != TTrackZone::None) StartHoverTracking();
        Invalidate();
    } else if (dragZone_ == TTrackZone::Handle && DrawEnabled()) {
        FlagScope user(generateUserChange_);
        DragTo(p);
    }
}

void TArrowTrack::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    dragZone_ = TTrackZone::None;
    Invalidate();
    StartHoverTracking();
}

void TArrowTrack::MouseLeave() {
    TCustomControl::MouseLeave();
    StopTimer();
    hotZone_ = TTrackZone::None;
    Invalidate();
}

// The turn always counts as used, so it never goes on to the bar's parent.
bool TArrowTrack::DoMouseWheel(TShiftState shift, int wheelDelta, Point mousePos) {
    if (!TCustomControl::DoMouseWheel(shift, wheelDelta, mousePos)) WheelTurned(wheelDelta);
    return true;
}

}  // namespace zindra
