// The classic (unthemed) system look in software: 3D edges and the scroll-bar frame controls
// (arrow buttons and the size grip), in the system colours of the moment, with the flags and
// pixel conventions of the system calls they stand for.
#pragma once

#include "framework/graphics/Canvas.h"
#include "imaging/TrackTypes.h"

namespace zindra {

// Edge kinds and sides.
inline constexpr unsigned kBdrRaisedOuter = 0x1;
inline constexpr unsigned kBdrSunkenOuter = 0x2;
inline constexpr unsigned kBdrRaisedInner = 0x4;
inline constexpr unsigned kBdrSunkenInner = 0x8;
inline constexpr unsigned kEdgeRaised = kBdrRaisedOuter | kBdrRaisedInner;
inline constexpr unsigned kEdgeSunken = kBdrSunkenOuter | kBdrSunkenInner;
inline constexpr unsigned kBfLeft = 0x1;
inline constexpr unsigned kBfTop = 0x2;
inline constexpr unsigned kBfRight = 0x4;
inline constexpr unsigned kBfBottom = 0x8;
inline constexpr unsigned kBfRect = 0xF;
inline constexpr unsigned kBfMiddle = 0x800;
inline constexpr unsigned kBfAdjust = 0x2000;

// Up to two one-pixel edges (outer, then inner) on the chosen sides: the top and left lines in
// the edge's light colour, then the bottom and right ones in its dark colour over the corners
// they share. Middle fills the rest with the button face; Adjust leaves r on that rest.
void DrawEdge(TCanvas& canvas, Rect& r, unsigned edge, unsigned flags);

// Scroll frame-control states.
inline constexpr unsigned kDfcsScrollUp = 0x0;
inline constexpr unsigned kDfcsScrollDown = 0x1;
inline constexpr unsigned kDfcsScrollLeft = 0x2;
inline constexpr unsigned kDfcsScrollRight = 0x3;
inline constexpr unsigned kDfcsScrollSizeGrip = 0x8;
inline constexpr unsigned kDfcsInactive = 0x100;
inline constexpr unsigned kDfcsPushed = 0x200;
inline constexpr unsigned kDfcsFlat = 0x4000;

// An arrow button (raised; pushed and flat: a shadow frame with the arrow a pixel down and
// right; inactive: an embossed arrow) or the size grip's diagonal ridges.
void DrawScrollFrameControl(TCanvas& canvas, const Rect& r, unsigned state);

// A solid arrow head centred in r, a third as high as r is small and twice as wide less one.
void ArrowGlyph(TCanvas& canvas, const Rect& r, TArrowDirection direction, TColor color);

}  // namespace zindra
