// Position, range and window of the range track, and how the user moves it.
#include "imaging/RangeTrack.h"

#include <algorithm>

#include "framework/layout/Properties.h"

namespace zindra {

namespace {
constexpr int kMinHandle = 17;
}  // namespace

const ClassInfo& TCustomRangeTrack::StaticClass() {
    using C = TCustomRangeTrack;
    static const ClassInfo info{"TCustomRangeTrack",
                                &TArrowTrack::StaticClass(),
                                {},
                                {props::Bool<C>("Centered", &C::SetCentered),
                                 props::Int<C>("Increment", &C::SetIncrement), props::Int<C>("Range", &C::SetRange),
                                 props::Int<C>("Window", &C::SetWindow), props::Int<C>("Position", &C::SetPosition)}};
    return info;
}
const ClassInfo& TCustomRangeTrack::ClassType() const {
    return StaticClass();
}

const ClassInfo& TRangeTrack::StaticClass() {
    static const ClassInfo info{
        "TRangeTrack", &TCustomRangeTrack::StaticClass(), [](TComponent* owner) { return new TRangeTrack(owner); }, {}};
    return info;
}
const ClassInfo& TRangeTrack::ClassType() const {
    return StaticClass();
}

TCustomRangeTrack::TCustomRangeTrack(TComponent* owner) : TArrowTrack(owner), effectiveWindow_(OwnLength()) {}

float TCustomRangeTrack::Clamped(float value) const {
    const float last = static_cast<float>(range_ - effectiveWindow_);
    // NOTE: a position that is not a number would slip past every comparison; it means the start.
    if (last <= 0 || !(value > 0)) return 0;
    return std::min(value, last);
}

void TCustomRangeTrack::SetPosition(float value) {
    if (value == position_) return;
    const float old = position_;
    position_ = Clamped(value);
    if (position_ == old) return;
    Invalidate();
    Changed();
}

// The centre of the view stays where it was, as a share of the range (the middle when the old
// window showed everything).
void TCustomRangeTrack::SetParams(int range, int window) {
    range = std::max(range, 0);
    window = std::max(window, 0);
    if (range == range_ && window == effectiveWindow_) return;
    const int oldWindow = effectiveWindow_;
    const int oldRange = range_;
    range_ = range;
    window_ = window;
    effectiveWindow_ = window_ != 0 ? window_ : OwnLength();
    if (centered_ && effectiveWindow_ < range_) {
        const double c = oldWindow < oldRange && oldRange != 0 ? (oldWindow * 0.5 + position_) / oldRange : 0.5;
        position_ = static_cast<float>(range_ * c - effectiveWindow_ * 0.5);
    }
    position_ = Clamped(position_);
    Invalidate();
}

void TCustomRangeTrack::Resized() {
    const int oldWindow = effectiveWindow_;
    effectiveWindow_ = window_ != 0 ? window_ : OwnLength();
    if (centered_ && effectiveWindow_ < range_) {
        const double c = oldWindow < range_ ? (oldWindow * 0.5 + position_) / range_ : 0.5;
        position_ = static_cast<float>(range_ * c - effectiveWindow_ * 0.5);
    }
    position_ = Clamped(position_);
}

Rect TCustomRangeTrack::GetHandleRect() const {
    return HandleRect(Axis(), ArrowSize(), range_, effectiveWindow_, position_);
}

bool TCustomRangeTrack::MoveBy(float delta) {
    const float old = position_;
    SetPosition(position_ + delta);
    return position_ != old;
}

TTrackZone TCustomRangeTrack::ZoneUnderPointer() const {
    const Rect area = ClientArea();
    const Point p = PointerInClient();
    return ZoneAt({std::clamp(p.X, area.Left, std::max(area.Right - 1, area.Left)),
                   std::clamp(p.Y, area.Top, std::max(area.Bottom - 1, area.Top))});
}

// Arrows step by the increment and fall back to hover tracking at either end; the tracks page by
// the window only while the pointer is still beyond the handle, so paging stops once the handle
// has reached the pointer.
void TCustomRangeTrack::Step() {
    const auto window = static_cast<float>(effectiveWindow_);
    switch (DragZone()) {
        case TTrackZone::PrevButton:
            if (!MoveBy(static_cast<float>(-increment_))) StartHoverTracking();
            break;
        case TTrackZone::NextButton:
            if (!MoveBy(static_cast<float>(increment_))) StartHoverTracking();
            break;
        case TTrackZone::PrevTrack: {
            const TTrackZone under = ZoneUnderPointer();
            if (under == TTrackZone::PrevButton || under == TTrackZone::PrevTrack) SetPosition(position_ - window);
            break;
        }
        case TTrackZone::NextTrack: {
            const TTrackZone under = ZoneUnderPointer();
            if (under == TTrackZone::NextTrack || under == TTrackZone::NextButton) SetPosition(position_ + window);
            break;
        }
        default:
            break;
    }
}

bool TCustomRangeTrack::StartDrag() {
    positionBeforeDrag_ = position_;
    return true;
}

// The handle follows the pointer over the track's usable length; a handle held at its least
// length moves over the length left beside it.
void TCustomRangeTrack::DragTo(Point client) {
    const TrackAxis axis = Axis();
    const int d = axis.Along(client) - axis.Along(mouseDown_);
    const int g = axis.Extent() - 2 * ArrowSize() - (BorderStyle() == TBorderStyle::bsSingle ? 2 : 0);
    const double window = effectiveWindow_;
    const double range = range_;
    if (RoundEven(window * g / range) > kMinHandle - 1) {
        SetPosition(positionBeforeDrag_ + static_cast<float>(range * d / g));
    } else if (g > kMinHandle) {
        // NOTE: with less room than the least handle there is nothing to drag over (and no divisor).
        SetPosition(positionBeforeDrag_ + static_cast<float>(RoundEven(d * (range - window) / (g - kMinHandle))));
    }
}

// NOTE: a turn away from the user moves towards the start, as every scroll bar of the system
// does; one notch moves by the increment. Only OnChange hears of it.
void TCustomRangeTrack::WheelTurned(int wheelDelta) {
    SetPosition(position_ - static_cast<float>(increment_) * static_cast<float>(wheelDelta) / 120.0f);
}

}  // namespace zindra
