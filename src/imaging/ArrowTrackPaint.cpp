// Painting of the arrow track: the border, then the buttons, the tracks and the handle in the
// bar's own look (tsMac) or the system's (tsDefault: visual styles when on, classic otherwise).
#include "imaging/ArrowTrack.h"

#include "imaging/ClassicFrames.h"
#include "imaging/MacTrackDrawing.h"
#include "imaging/ScrollBarTheme.h"
#include "imaging/ThemeWatcher.h"

namespace zindra {

namespace {

namespace theme = scrollbar_theme;

struct Directions {
    TArrowDirection Prev;
    TArrowDirection Next;
};

Directions DirectionsOf(bool horizontal) {
    return horizontal ? Directions{TArrowDirection::Left, TArrowDirection::Right}
                      : Directions{TArrowDirection::Up, TArrowDirection::Down};
}

int ThemedButtonState(TArrowDirection direction, bool drawEnabled, bool pressed, bool hot) {
    static constexpr int kBase[4] = {theme::kLeftNormal, theme::kUpNormal, theme::kRightNormal, theme::kDownNormal};
    const int base = kBase[static_cast<int>(direction)];
    return base + (!drawEnabled ? 3 : pressed ? 2 : hot ? 1 : 0);
}

unsigned ClassicButtonState(TArrowDirection direction, bool drawEnabled, bool pressed) {
    static constexpr unsigned kFlags[4] = {kDfcsScrollLeft, kDfcsScrollUp, kDfcsScrollRight, kDfcsScrollDown};
    unsigned state = kFlags[static_cast<int>(direction)];
    if (!drawEnabled) state |= kDfcsInactive;
    if (pressed) state |= kDfcsPushed | kDfcsFlat;
    return state;
}

int ThemedTrackPart(TArrowDirection endDirection) {
    static constexpr int kParts[4] = {theme::kLowerTrackHorz, theme::kLowerTrackVert, theme::kUpperTrackHorz,
                                      theme::kUpperTrackVert};
    return kParts[static_cast<int>(endDirection)];
}

}  // namespace

void TArrowTrack::Paint(TCanvas& canvas) {
    PaintBorder(canvas);
    const Rect area = ClientArea();
    const int b = borderStyle_ == TBorderStyle::bsSingle ? 1 : 0;
    const Point origin = canvas.Origin();
    const Rect clip = canvas.ToTarget(canvas.ClipRect()).Intersect(area.Offset(origin.X + b, origin.Y + b));
    TCanvas client(canvas.Target(), {origin.X + b, origin.Y + b}, clip);
    const TrackZoneRects zones = Zones();
    if (style_ == TTrackStyle::tsMac) {
        PaintMac(client, zones);
    } else {
        PaintDefault(client, zones);
    }
}

// A single border is a sunken one-pixel edge round the whole bar.
void TArrowTrack::PaintBorder(TCanvas& canvas) {
    if (borderStyle_ != TBorderStyle::bsSingle) return;
    Rect r = ClientRect();
    DrawEdge(canvas, r, kBdrSunkenOuter, kBfRect);
}

void TArrowTrack::PaintMac(TCanvas& canvas, const TrackZoneRects& zones) {
    const bool enabled = DrawEnabled();
    const bool horizontal = kind_ == TScrollBarKind::sbHorizontal;
    const Directions d = DirectionsOf(horizontal);
    DrawMacButton(canvas, zones.PrevButton, d.Prev, dragZone_ == TTrackZone::PrevButton, enabled);
    DrawMacButton(canvas, zones.NextButton, d.Next, dragZone_ == TTrackZone::NextButton, enabled);
    DrawMacTrack(canvas, zones.PrevTrack, d.Prev, dragZone_ == TTrackZone::PrevTrack, enabled, Color(), backgnd_);
    DrawMacTrack(canvas, zones.NextTrack, d.Next, dragZone_ == TTrackZone::NextTrack, enabled, Color(), backgnd_);
    if (!zones.Handle.IsEmpty()) {
        DrawMacHandle(canvas, zones.Handle, horizontal, dragZone_ == TTrackZone::Handle, handleColor_, showHandleGrip_);
    }
}

void TArrowTrack::PaintDefault(TCanvas& canvas, const TrackZoneRects& zones) {
    const bool themed = TThemeWatcher::ThemesEnabledFor(*this);
    const bool enabled = DrawEnabled();
    const bool horizontal = kind_ == TScrollBarKind::sbHorizontal;
    const Directions d = DirectionsOf(horizontal);
    const auto button = [&](const Rect& r, TArrowDirection direction, TTrackZone zone) {
        const bool pressed = dragZone_ == zone;
        if (themed) {
            theme::DrawPart(canvas, theme::kArrowBtn, ThemedButtonState(direction, enabled, pressed, hotZone_ == zone),
                            r);
        } else {
            DrawScrollFrameControl(canvas, r, ClassicButtonState(direction, enabled, pressed));
        }
    };
    const auto track = [&](const Rect& r, TArrowDirection endDirection, TTrackZone zone) {
        const bool pressed = dragZone_ == zone;
        if (themed) {
            theme::DrawPart(canvas, ThemedTrackPart(endDirection), pressed ? theme::kPressed : theme::kNormal, r);
        } else if (pressed) {
            Dither(canvas, r, clWindowFrame, clWindowFrame);
        } else {
            Dither(canvas, r, clBtnHighlight, Color());
        }
    };
    button(zones.PrevButton, d.Prev, TTrackZone::PrevButton);
    button(zones.NextButton, d.Next, TTrackZone::NextButton);
    track(zones.PrevTrack, d.Prev, TTrackZone::PrevTrack);
    track(zones.NextTrack, d.Next, TTrackZone::NextTrack);
    if (zones.Handle.IsEmpty()) return;
    Rect handle = zones.Handle;
    if (!themed) {
        DrawEdge(canvas, handle, kEdgeRaised, kBfRect | kBfMiddle | kBfAdjust);
        return;
    }
    const int state = !Enabled()                        ? theme::kDisabled
                      : dragZone_ == TTrackZone::Handle ? theme::kPressed
                      : hotZone_ == TTrackZone::Handle  ? theme::kHot
                                                        : theme::kNormal;
    theme::DrawPart(canvas, horizontal ? theme::kThumbBtnHorz : theme::kThumbBtnVert, state, handle);
    if (showHandleGrip_) theme::DrawPart(canvas, horizontal ? theme::kGripperHorz : theme::kGripperVert, 0, handle);
}

}  // namespace zindra
