// The transfer of a rectangle of one 32-bit raster into a rectangle of another: clipped, copied,
// blended or combined by the source's draw mode, and scaled by its stretch filter.
#pragma once

#include "framework/Exception.h"
#include "framework/Types.h"

namespace zindra {

class TRaster32;

ZINDRA_EXCEPTION(ETransformError, Exception);

// Draws srcRect of src into dstRect of dst, writing only inside clip and dst, with src's
// DrawMode, MasterAlpha, StretchFilter and OnPixelCombine.
// - An empty src does nothing; a missing or empty dst throws ETransformError("Destination bitmap
//   is nil or empty"), a missing src ETransformError("Source bitmap is nil or empty"); an empty
//   srcRect does nothing, one reaching outside src throws ETransformError("Source rectangle is
//   invalid").
// - A destination rectangle beyond 2^30 a side draws nothing.
// - dmCustom without a handler copies as dmOpaque; dmBlend with MasterAlpha 0 does nothing.
// - Equal sizes copy pixel for pixel; otherwise sfNearest maps destination offset i to source
//   offset trunc(i * srcExtent / dstExtent) (the centre for an extent of 1), counted from the
//   unclipped rectangles' edges, and the other filters resample (see Resample.h).
// src and dst may be the same raster; the source is then read as it was before the call.
void Transfer(TRaster32* dst, const Rect& dstRect, const Rect& clip, const TRaster32* src, const Rect& srcRect);

}  // namespace zindra
