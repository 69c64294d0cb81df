// Where the parts of a range track lie: the arrow buttons' size, the handle from the range, the
// visible window and the position, the rectangles of the five zones and the zone at a point.
// Plain functions of the bar's settings, in client coordinates.
#pragma once

#include "framework/Types.h"
#include "imaging/TrackTypes.h"

namespace zindra {

struct TrackAxis {
    Rect Client;  // (0, 0, client width, client height)
    bool Horizontal = true;

    int Extent() const { return Horizontal ? Client.Width() : Client.Height(); }  // along the axis
    int Thickness() const { return Horizontal ? Client.Height() : Client.Width(); }
    int Along(Point p) const { return Horizontal ? p.X : p.Y; }
    // The full-thickness band from..to along the axis.
    Rect Band(int from, int to) const;
};

// 0 without arrows; otherwise the set size (or the bar's thickness up to 32 when 0), at most
// half the length, one less in the tsMac look, and 0 when that leaves 1 pixel or less.
int ArrowButtonSize(const TrackAxis& axis, int buttonSize, bool showArrows, TTrackStyle style);

// The part between the buttons.
Rect TrackRect(const TrackAxis& axis, int arrowButtonSize);

// The handle: empty on a track of 17 pixels or less, the whole track when the window shows the
// whole range, else at least 17 pixels long, placed by the position.
Rect HandleRect(const TrackAxis& axis, int arrowButtonSize, int range, int effectiveWindow, float position);

struct TrackZoneRects {
    Rect PrevButton;
    Rect NextButton;
    Rect PrevTrack;
    Rect NextTrack;
    Rect Handle;  // a point at the track's centre when there is no handle to draw
};

// The zones as drawn; a bar not drawn enabled, or with no room for a handle, shows its two
// tracks meeting at the track's centre.
TrackZoneRects ZoneRects(const TrackAxis& axis, int arrowButtonSize, Rect handle, bool drawEnabled);

// The zone under a client point. The outermost pixel at either end of the axis belongs to no
// track, only to a button that covers it.
TTrackZone ZoneAt(const TrackAxis& axis, const TrackZoneRects& zones, Point p);

// round() as the bars compute it: to the nearest integer, ties to even.
int RoundEven(double value);

}  // namespace zindra
