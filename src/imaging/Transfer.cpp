// The transfer between rasters: its checks, the unscaled block copy, nearest-neighbour mapping,
// and the hand-over to the smooth filters.
#include "imaging/Transfer.h"

#include <cstring>
#include <vector>

#include "framework/graphics/BlendSet.h"
#include "imaging/Raster32.h"
#include "imaging/Resample.h"

namespace zindra {

namespace {

// Puts n source pixels onto a destination row by the draw mode.
class RowCombiner {
public:
    RowCombiner(TDrawMode mode, std::uint8_t master, const TPixelCombineEvent& custom)
        : mode_(mode), master_(master), custom_(custom), set_(blend::Blender()) {}

    void Put(TPixel32* dst, const TPixel32* src, int n) const {
        switch (mode_) {
            case TDrawMode::dmOpaque:
                std::memmove(dst, src, sizeof(TPixel32) * static_cast<std::size_t>(n));
                break;
            case TDrawMode::dmBlend:
                if (master_ == 255) {
                    set_.BlendRun(src, dst, n);
                } else {
                    set_.BlendRunMaster(src, dst, n, master_);
                }
                break;
            case TDrawMode::dmCustom:
                for (int i = 0; i < n; ++i)
                    custom_(src[i], dst[i], master_);
                break;
        }
    }

    bool Copies() const { return mode_ == TDrawMode::dmOpaque; }

private:
    TDrawMode mode_;
    std::uint32_t master_;
    const TPixelCombineEvent& custom_;
    const blend::BlendSet& set_;
};

// Equal sizes: row by row from the matching offset of the source.
void BlockTransfer(TRaster32& dst, const Rect& dstRect, const Rect& area, const Bitmap32& src, const Rect& srcRect,
                   const RowCombiner& combiner) {
    const int sx = srcRect.Left + area.Left - dstRect.Left, sy = srcRect.Top + area.Top - dstRect.Top;
    const int w = area.Width();
    auto row = [&](int y) {
        const TPixel32* from = src.Row(sy + y) + sx;
        TPixel32* to = dst.PixelPtr(area.Left, area.Top + y);
        if (from != to) combiner.Put(to, from, w);
    };
    // A copy within one raster moving down goes bottom-up, so no row is overwritten before it is read.
    if (&src == &dst.Storage() && area.Top > sy) {
        for (int y = area.Height() - 1; y >= 0; --y)
            row(y);
    } else {
        for (int y = 0; y < area.Height(); ++y)
            row(y);
    }
}

// Offset i of a destination extent mapped into the source extent.
int NearestOffset(std::int64_t i, int srcFirst, int srcLast, int dstExtent) {
    if (dstExtent == 1) return (srcFirst + srcLast - 1) / 2;
    return srcFirst + static_cast<int>(i * (srcLast - srcFirst) / dstExtent);
}

void NearestTransfer(TRaster32& dst, const Rect& dstRect, const Rect& area, const Bitmap32& src, const Rect& srcRect,
                     const RowCombiner& combiner) {
    std::vector<int> columns(static_cast<std::size_t>(area.Width()));
    for (int x = area.Left; x < area.Right; ++x) {
        columns[static_cast<std::size_t>(x - area.Left)] =
            NearestOffset(x - std::int64_t{dstRect.Left}, srcRect.Left, srcRect.Right, dstRect.Width());
    }
    // A copy gathers straight into the destination, and repeats the row above for a repeated
    // source row; the other modes gather first and combine.
    std::vector<TPixel32> gathered(combiner.Copies() ? 0 : columns.size());
    int previous = -1;
    for (int y = area.Top; y < area.Bottom; ++y) {
        const int sy = NearestOffset(y - std::int64_t{dstRect.Top}, srcRect.Top, srcRect.Bottom, dstRect.Height());
        TPixel32* to = dst.PixelPtr(area.Left, y);
        if (combiner.Copies() && sy == previous) {
            std::memcpy(to, dst.PixelPtr(area.Left, y - 1), sizeof(TPixel32) * columns.size());
            continue;
        }
        if (sy != previous) {
            TPixel32* into = combiner.Copies() ? to : gathered.data();
            const TPixel32* from = src.Row(sy);
            for (std::size_t i = 0; i < columns.size(); ++i)
                into[i] = from[columns[i]];
            previous = sy;
        }
        if (!combiner.Copies()) combiner.Put(to, gathered.data(), area.Width());
    }
}

bool SameSize(const Rect& a, const Rect& b) {
    return a.Width() == b.Width() && a.Height() == b.Height();
}

}  // namespace

void Transfer(TRaster32* dst, const Rect& dstRect, const Rect& clip, const TRaster32* src, const Rect& srcRect) {
    if (src && src->IsEmpty()) return;
    if (!dst || dst->IsEmpty()) throw ETransformError("Destination bitmap is nil or empty");
    if (!src) throw ETransformError("Source bitmap is nil or empty");
    if (srcRect.IsEmpty()) return;
    if (srcRect.Left < 0 || srcRect.Top < 0 || srcRect.Right > src->Width() || srcRect.Bottom > src->Height()) {
        throw ETransformError("Source rectangle is invalid");
    }
    const Rect area = dstRect.Intersect(dst->BoundsRect()).Intersect(clip);
    if (area.IsEmpty()) return;
    // As the canvas does, a destination beyond 2^30 a side draws nothing (its extent would not
    // even fit an int).
    constexpr std::int64_t kMaxExtent = std::int64_t{1} << 30;
    if (std::int64_t{dstRect.Right} - dstRect.Left > kMaxExtent ||
        std::int64_t{dstRect.Bottom} - dstRect.Top > kMaxExtent) {
        return;
    }
    TDrawMode mode = src->DrawMode();
    if (mode == TDrawMode::dmCustom && !src->OnPixelCombine) mode = TDrawMode::dmOpaque;
    if (mode == TDrawMode::dmBlend && src->MasterAlpha() == 0) return;
    const RowCombiner combiner(mode, src->MasterAlpha(), src->OnPixelCombine);

    const bool same = SameSize(srcRect, dstRect);
    // Within one raster, everything but a plain copy reads from a snapshot of the source.
    Bitmap32 snapshot;
    const Bitmap32* from = &src->Storage();
    if (src == dst && !(same && combiner.Copies())) {
        snapshot = src->Storage();
        from = &snapshot;
    }
    if (same) {
        BlockTransfer(*dst, dstRect, area, *from, srcRect, combiner);
    } else if (src->StretchFilter() == TStretchFilter::sfNearest) {
        NearestTransfer(*dst, dstRect, area, *from, srcRect, combiner);
    } else {
        const resample::Target target{dstRect, area};
        const int w = area.Width();
        const resample::RowWriter write = [&](int y, const Pixel* row) {
            combiner.Put(dst->PixelPtr(area.Left, y), row, w);
        };
        const bool enlarging = dstRect.Width() > srcRect.Width() && dstRect.Height() > srcRect.Height();
        if (src->StretchFilter() == TStretchFilter::sfLinear && enlarging) {
            resample::Bilinear(*from, srcRect, target, write);
        } else {
            resample::Resample(*from, srcRect, target, src->StretchFilter(), write);
        }
    }
    // NOTE: the blending sets use SSE2 and AVX2 registers, which need no clearing after use (there
    // is no shared multimedia state as with the old MMX registers), so nothing is reset here.
}

}  // namespace zindra
