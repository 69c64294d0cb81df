// Scaling of a raster rectangle with the smooth filters: a bilinear stretcher for enlarging, and a
// separable resampler with the linear, cubic B-spline, Lanczos (3 lobes) and Mitchell-Netravali
// (B = C = 1/3) kernels for everything else.
//
// Pixel centres map to pixel centres: destination column i of the fitted rectangle samples the
// source at (i + 1/2) * srcWidth / dstWidth - 1/2 (likewise rows), and samples past the source
// rectangle take its edge pixels. Channels (alpha included) are filtered independently.
#pragma once

#include <functional>

#include "framework/Types.h"
#include "framework/graphics/Bitmap32.h"
#include "imaging/Pixel32.h"

namespace zindra::resample {

// Fitted: the rectangle the whole source rectangle is scaled onto; Area: the part of it to compute
// (inside Fitted, not empty).
struct Target {
    Rect Fitted;
    Rect Area;
};

// Receives destination row y: Area.Width() pixels starting at column Area.Left.
using RowWriter = std::function<void(int y, const Pixel* row)>;

// Bilinear interpolation with 16-bit weights; each channel within 1 of the exact value.
void Bilinear(const Bitmap32& src, const Rect& srcRect, const Target& target, const RowWriter& write);

// The kernel widens by the scale when shrinking, so every source pixel counts.
void Resample(const Bitmap32& src, const Rect& srcRect, const Target& target, TStretchFilter filter,
              const RowWriter& write);

// The kernels, for the resampler and its tests: weight at distance x, and the distance past which
// it is 0.
double Kernel(TStretchFilter filter, double x);
double KernelRadius(TStretchFilter filter);

}  // namespace zindra::resample
