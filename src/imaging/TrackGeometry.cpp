// Geometry of the range tracks.
#include "imaging/TrackGeometry.h"

#include <algorithm>
#include <cmath>

namespace zindra {

namespace {
constexpr int kMinHandle = 17;
}  // namespace

int RoundEven(double value) {
    return static_cast<int>(std::nearbyint(value));  // the default rounding mode: ties to even
}

Rect TrackAxis::Band(int from, int to) const {
    return Horizontal ? Rect{from, Client.Top, to, Client.Bottom} : Rect{Client.Left, from, Client.Right, to};
}

int ArrowButtonSize(const TrackAxis& axis, int buttonSize, bool showArrows, TTrackStyle style) {
    if (!showArrows) return 0;
    const int length = axis.Extent();
    const int b = buttonSize != 0 ? buttonSize : std::min(axis.Thickness(), 32);
    int s = 2 * b < length ? b : length / 2;
    if (style == TTrackStyle::tsMac) --s;
    return s > 1 ? s : 0;
}

Rect TrackRect(const TrackAxis& axis, int arrowButtonSize) {
    return axis.Band(arrowButtonSize, axis.Extent() - arrowButtonSize);
}

Rect HandleRect(const TrackAxis& axis, int arrowButtonSize, int range, int effectiveWindow, float position) {
    const int t = axis.Extent() - 2 * arrowButtonSize;
    if (t <= kMinHandle) return {};
    if (effectiveWindow >= range) return TrackRect(axis, arrowButtonSize);
    const double track = t;
    int h = RoundEven(track * effectiveWindow / range);
    int offset = 0;
    if (h < kMinHandle) {
        h = kMinHandle;
        offset = RoundEven((track - kMinHandle) * position / (range - effectiveWindow));
    } else {
        offset = RoundEven(track * position / range);
    }
    // NOTE: the two roundings can put the far edge one pixel past the track; it stays inside.
    const int start = std::min(arrowButtonSize + offset, arrowButtonSize + t - h);
    return axis.Band(start, start + h);
}

TrackZoneRects ZoneRects(const TrackAxis& axis, int arrowButtonSize, Rect handle, bool drawEnabled) {
    const int length = axis.Extent();
    const Rect track = TrackRect(axis, arrowButtonSize);
    TrackZoneRects z;
    z.PrevButton = axis.Band(0, arrowButtonSize);
    z.NextButton = axis.Band(length - arrowButtonSize, length);
    if (!drawEnabled || handle.IsEmpty()) {
        const Point centre{(track.Left + track.Right) / 2, (track.Top + track.Bottom) / 2};
        handle = {centre.X, centre.Y, centre.X, centre.Y};
    }
    z.Handle = handle;
    const int nearEdge = axis.Horizontal ? handle.Left : handle.Top;
    const int farEdge = axis.Horizontal ? handle.Right : handle.Bottom;
    z.PrevTrack = axis.Band(arrowButtonSize, nearEdge);
    z.NextTrack = axis.Band(farEdge, length - arrowButtonSize);
    return z;
}

TTrackZone ZoneAt(const TrackAxis& axis, const TrackZoneRects& zones, Point p) {
    if (!axis.Client.Contains(p)) return TTrackZone::None;
    if (zones.PrevButton.Contains(p)) return TTrackZone::PrevButton;
    if (zones.NextButton.Contains(p)) return TTrackZone::NextButton;
    if (zones.Handle.Contains(p)) return TTrackZone::Handle;
    const int c = axis.Along(p);
    const int start = axis.Horizontal ? zones.Handle.Left : zones.Handle.Top;
    const int end = axis.Horizontal ? zones.Handle.Right : zones.Handle.Bottom;
    if (c > 0 && c < start) return TTrackZone::PrevTrack;
    if (c >= end && c < axis.Extent() - 1) return TTrackZone::NextTrack;
    return TTrackZone::None;
}

}  // namespace zindra
