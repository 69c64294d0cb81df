// The software drawing primitives under the canvas, with the GDI pixel conventions the kit expects.
//
// Every function writes only inside both `clip` (destination coordinates) and the destination
// bitmap. Rectangles exclude their right and bottom edges; an empty or inverted rectangle draws
// nothing unless a function says otherwise. All arithmetic is integer (or exactly rounded), so the
// same call gives the same pixels everywhere. Shapes and lines write the pixel value as given;
// only BlendPixels, a blending StretchPixels and text composite.
// Threading: none of these keep state; the caller owns the bitmaps.
#pragma once

#include <cstdint>
#include <span>

#include "framework/graphics/Bitmap32.h"
#include "platform/Geometry.h"

namespace zindra {

// ---- Rectangles and lines -------------------------------------------------------------------

void FillRect(Bitmap32& dst, const platform::Rect& rect, Pixel pixel, const platform::Rect& clip);

// An 8 by 8 brush pattern: bit 7 of rows[0] is the pixel at (originX, originY), and the pattern
// repeats from there in both directions. A set bit takes fg; a clear bit takes bg, or leaves the
// destination alone when transparentBg (a hatch brush in TRANSPARENT background mode).
void FillPattern(Bitmap32& dst, const platform::Rect& rect, const std::uint8_t (&rows)[8], Pixel fg, Pixel bg,
                 bool transparentBg, int originX, int originY, const platform::Rect& clip);

// A border `width` pixels wide just inside rect (GDI FrameRect for width 1).
void FrameRect(Bitmap32& dst, const platform::Rect& rect, Pixel pixel, const platform::Rect& clip, int width = 1);

// A line from (x0, y0) towards (x1, y1). Width 1 leaves out the last point, as GDI does, so a
// polyline sets every pixel once. A wider line is a square pen of that side swept from end to end
// (the convex hull of the squares centred on both ends), so thick polylines join without gaps.
void DrawLine(Bitmap32& dst, int x0, int y0, int x1, int y1, Pixel pixel, int width, const platform::Rect& clip);

// ---- Curved shapes ---------------------------------------------------------------------------
// Ellipses and rounded corners contain the pixels whose centres lie inside the ellipse inscribed
// in the rectangle, so each shape is exactly symmetric about both of its axes. An outline is
// `width` pixels of the filled shape next to its outside (8-connected for width 1); it never
// leaves the shape's rectangle (PS_INSIDEFRAME: the canvas grows the rectangle for centred pens).

void FillEllipse(Bitmap32& dst, const platform::Rect& rect, Pixel pixel, const platform::Rect& clip);
void FrameEllipse(Bitmap32& dst, const platform::Rect& rect, Pixel pixel, const platform::Rect& clip, int width = 1);

// Corners are quarters of an ellipseW by ellipseH ellipse, clamped to the rectangle's size.
void FillRoundRect(Bitmap32& dst, const platform::Rect& rect, int ellipseW, int ellipseH, Pixel pixel,
                   const platform::Rect& clip);
void FrameRoundRect(Bitmap32& dst, const platform::Rect& rect, int ellipseW, int ellipseH, Pixel pixel,
                    const platform::Rect& clip, int width = 1);

// The part of the ellipse outline that runs counter-clockwise (as seen on the screen) from the ray
// through `start` to the ray through `end`, both from the rectangle's centre. Equal directions
// draw the whole outline, as GDI's Arc does.
void DrawArc(Bitmap32& dst, const platform::Rect& rect, platform::Point start, platform::Point end, Pixel pixel,
             const platform::Rect& clip, int width = 1);

// Scanline fill at pixel centres of the closed polygon through points: a pixel is set when its
// centre lies inside by the even-odd rule (alternateFill, GDI ALTERNATE) or has a non-zero
// winding number (WINDING). Centres exactly on a left edge are inside, on a right edge outside.
// Coordinates beyond +-2^28 are clamped there to keep the arithmetic exact.
void FillPolygon(Bitmap32& dst, std::span<const platform::Point> points, Pixel pixel, bool alternateFill,
                 const platform::Rect& clip);

// The closed outline through points, as DrawLine draws each side.
void FramePolygon(Bitmap32& dst, std::span<const platform::Point> points, Pixel pixel, int width,
                  const platform::Rect& clip);

// ---- Pixel copies ----------------------------------------------------------------------------
// srcRect is first clipped to the source bitmap; (dx, dy) is where srcRect's top-left lands. The
// source and destination may be the same bitmap with overlapping areas (a scroll).

void CopyPixels(Bitmap32& dst, int dx, int dy, const Bitmap32& src, const platform::Rect& srcRect,
                const platform::Rect& clip);

// The straight-alpha source composited over the destination with its alpha scaled by
// constantAlpha/255. Where the weight is 0 the destination is untouched; where it is full the
// source pixel is copied; between, every channel is correctly rounded, and an opaque destination
// stays opaque.
void BlendPixels(Bitmap32& dst, int dx, int dy, const Bitmap32& src, const platform::Rect& srcRect,
                 const platform::Rect& clip, std::uint8_t constantAlpha = 255);

// Nearest-neighbour scaling as StretchBlt in COLORONCOLOR mode: each destination pixel takes the
// source pixel under its centre, floor((i + 1/2) * srcW / dstW) from the source edge. A rectangle
// with a negative width or height (Right < Left) is mirrored on that axis. Destination pixels whose
// source pixel lies outside the source bitmap are left alone; sides beyond 2^30 draw nothing.
// blend composites like BlendPixels at full constant alpha instead of copying.
void StretchPixels(Bitmap32& dst, const platform::Rect& dstRect, const Bitmap32& src, const platform::Rect& srcRect,
                   const platform::Rect& clip, bool blend);

}  // namespace zindra
