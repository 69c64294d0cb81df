// The shared look settings of two range tracks.
#include "imaging/TrackAccess.h"

#include "framework/layout/Properties.h"
#include "imaging/ArrowTrack.h"

namespace zindra {

const ClassInfo& TArrowTrackAccess::StaticClass() {
    using C = TArrowTrackAccess;
    static const ClassInfo info{
        "TArrowTrackAccess",
        &TPersistent::StaticClass(),
        {},
        {props::Color<C>("Color", &C::SetColor),
         props::Enum<C, TTrackBackground>("Backgnd", &C::SetBackgnd, kTrackBackgroundNames),
         props::Int<C>("ButtonSize", &C::SetButtonSize), props::Color<C>("HandleColor", &C::SetHandleColor),
         props::Bool<C>("ShowArrows", &C::SetShowArrows), props::Bool<C>("ShowHandleGrip", &C::SetShowHandleGrip),
         props::Enum<C, TTrackStyle>("Style", &C::SetStyle, kTrackStyleNames)}};
    return info;
}
const ClassInfo& TArrowTrackAccess::ClassType() const {
    return StaticClass();
}

TColor TArrowTrackAccess::Color() const {
    return master_.Color();
}
void TArrowTrackAccess::SetColor(TColor value) {
    ForBoth([value](TArrowTrack& bar) { bar.SetColor(value); });
}

TTrackBackground TArrowTrackAccess::Backgnd() const {
    return master_.Backgnd();
}
void TArrowTrackAccess::SetBackgnd(TTrackBackground value) {
    ForBoth([value](TArrowTrack& bar) { bar.SetBackgnd(value); });
}

int TArrowTrackAccess::ButtonSize() const {
    return master_.ButtonSize();
}
void TArrowTrackAccess::SetButtonSize(int value) {
    ForBoth([value](TArrowTrack& bar) { bar.SetButtonSize(value); });
}

TColor TArrowTrackAccess::HandleColor() const {
    return master_.HandleColor();
}
void TArrowTrackAccess::SetHandleColor(TColor value) {
    ForBoth([value](TArrowTrack& bar) { bar.SetHandleColor(value); });
}

bool TArrowTrackAccess::ShowArrows() const {
    return master_.ShowArrows();
}
void TArrowTrackAccess::SetShowArrows(bool value) {
    ForBoth([value](TArrowTrack& bar) { bar.SetShowArrows(value); });
}

bool TArrowTrackAccess::ShowHandleGrip() const {
    return master_.ShowHandleGrip();
}
void TArrowTrackAccess::SetShowHandleGrip(bool value) {
    ForBoth([value](TArrowTrack& bar) { bar.SetShowHandleGrip(value); });
}

TTrackStyle TArrowTrackAccess::Style() const {
    return master_.Style();
}
void TArrowTrackAccess::SetStyle(TTrackStyle value) {
    ForBoth([value](TArrowTrack& bar) { bar.SetStyle(value); });
}

}  // namespace zindra
