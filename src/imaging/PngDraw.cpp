// Drawing the PNG picture in its three transparency kinds, and its pixels for code that works
// on 32-bit rasters.
#include <string>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "imaging/PngErrors.h"
#include "imaging/PngGraphic.h"

namespace zindra {

namespace {

// The stored colour of pixel x of a stored row: BGR, or a colour-table entry by index.
Pixel StoredColour(const TChunkIHDR& header, const std::uint8_t* row, std::uint32_t x) {
    switch (header.StoredBits()) {
        case 24:
            return MakePixel(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
        default: {
            const RgbQuad& q = header.ColourTable()[StoredIndex(header, row, x)];
            return MakePixel(q.Red, q.Green, q.Blue);
        }
    }
}

void CheckRasterSize(const TChunkIHDR& header) {
    if (header.Width > static_cast<std::uint32_t>(Bitmap32::kMaxSide) ||
        header.Height > static_cast<std::uint32_t>(Bitmap32::kMaxSide)) {
        throw EInvalidGraphic("PNG picture of " + std::to_string(header.Width) + " x " + std::to_string(header.Height) +
                              " pixels is larger than a 32-bit bitmap takes (" + std::to_string(Bitmap32::kMaxSide) +
                              " pixels a side)");
    }
}

// Opaque stored colours: what a device-dependent copy of the storage shows.
Bitmap32 StoredPixelsOf(const TChunkIHDR& header) {
    CheckRasterSize(header);
    Bitmap32 pixels(static_cast<int>(header.Width), static_cast<int>(header.Height));
    for (std::uint32_t y = 0; y < header.Height; ++y) {
        const std::uint8_t* row = header.StoredRow(y);
        Pixel* out = pixels.Row(static_cast<int>(y));
        for (std::uint32_t x = 0; x < header.Width; ++x)
            out[x] = StoredColour(header, row, x);
    }
    return pixels;
}

// The source of per-pixel blending: the colour and its alpha, as the blend takes them.
struct BlendSource {
    const TPngGraphic& png;
    const TChunkIHDR& header;
    const TChunktRNS* trns;
    int paletteCount;

    Pixel At(const std::uint8_t* row, std::uint32_t x, std::uint32_t y) const {
        switch (header.ColourType) {
            case kTruecolourAlpha:
                return MakePixel(row[3 * x + 2], row[3 * x + 1], row[3 * x],
                                 header.AlphaPlane()[std::size_t{y} * header.Width + x]);
            case kGreyscaleAlpha: {
                // The stored grey byte itself, not its colour-table entry.
                const std::uint8_t g = row[x];
                return MakePixel(g, g, g, header.AlphaPlane()[std::size_t{y} * header.Width + x]);
            }
            default: {
                const int index = StoredIndex(header, row, x);
                const RgbQuad& q = header.ColourTable()[static_cast<std::size_t>(index)];
                return MakePixel(q.Red, q.Green, q.Blue,
                                 trns ? trns->AlphaTable()[static_cast<std::size_t>(index)] : 255);
            }
        }
    }
    // An indexed pixel that names no palette entry cannot be drawn.
    void CheckIndexes() const {
        if (header.ColourType != kIndexed) return;
        for (std::uint32_t y = 0; y < header.Height; ++y) {
            const std::uint8_t* row = header.StoredRow(y);
            for (std::uint32_t x = 0; x < header.Width; ++x) {
                if (StoredIndex(header, row, x) >= paletteCount) throw EPngError(pngtext::kNoSuchPaletteEntry);
            }
        }
    }
};

BlendSource MakeBlendSource(const TPngGraphic& png) {
    const auto* palette = png.Chunks().ItemFromClass<TChunkPLTE>();
    return {png, png.Header(), png.Chunks().ItemFromClass<TChunktRNS>(), palette ? palette->Count() : 0};
}

// (s * a + (255 - a) * d + 255) shr 8 for blue, green and red; the destination keeps its alpha.
Pixel BlendOver(Pixel d, Pixel s) {
    const std::uint32_t a = PixelA(s);
    Pixel out = d & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t sc = (s >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
        out |= ((sc * a + (255 - a) * dc + 255) >> 8) << shift;
    }
    return out;
}

}  // namespace

void TPngGraphic::Draw(TCanvas& canvas, const Rect& dest) const {
    const TChunkIHDR* header = HeaderOrNull();
    if (!header || !header->HasStorage()) return;
    switch (TransparencyMode()) {
        case TPngTransparencyMode::ptmNone:
            DrawOpaque(canvas, dest);
            break;
        case TPngTransparencyMode::ptmBit:
            DrawKeyed(canvas, dest);
            break;
        case TPngTransparencyMode::ptmPartial:
            DrawBlended(canvas, dest);
            break;
    }
}

void TPngGraphic::DrawOpaque(TCanvas& canvas, const Rect& dest) const {
    const Bitmap32 pixels = StoredPixelsOf(Header());
    canvas.DrawPixels(dest, pixels, {0, 0, pixels.Width(), pixels.Height()}, false);
}

// The transparent colour shows what lies beneath, at any stretch: the key's pixels get alpha 0,
// all others 255, so the blend either keeps the destination or copies the picture.
void TPngGraphic::DrawKeyed(TCanvas& canvas, const Rect& dest) const {
    Bitmap32 pixels = StoredPixelsOf(Header());
    const Pixel key = ColorToPixel(TransparentColor()) & 0x00FFFFFFu;
    for (int y = 0; y < pixels.Height(); ++y) {
        Pixel* row = pixels.Row(y);
        for (int x = 0; x < pixels.Width(); ++x)
            row[x] = (row[x] & 0x00FFFFFFu) == key ? 0 : row[x];
    }
    canvas.DrawPixels(dest, pixels, {0, 0, pixels.Width(), pixels.Height()}, true);
}

// At the rectangle's top-left corner and the picture's own size, whatever the rectangle's size.
void TPngGraphic::DrawBlended(TCanvas& canvas, const Rect& dest) const {
    const BlendSource source = MakeBlendSource(*this);
    source.CheckIndexes();
    const TChunkIHDR& header = source.header;
    Bitmap32& target = canvas.Target();
    const Point origin = canvas.Origin();
    const Rect area =
        Rect::FromBounds(dest.Left, dest.Top, static_cast<int>(header.Width), static_cast<int>(header.Height))
            .Intersect(canvas.ClipRect())
            .Intersect(Rect{0, 0, target.Width(), target.Height()}.Offset(-origin.X, -origin.Y));
    for (int y = area.Top; y < area.Bottom; ++y) {
        const auto sy = static_cast<std::uint32_t>(y - dest.Top);
        const std::uint8_t* row = header.StoredRow(sy);
        Pixel* out = target.Row(y + origin.Y) + origin.X;
        for (int x = area.Left; x < area.Right; ++x)
            out[x] = BlendOver(out[x], source.At(row, static_cast<std::uint32_t>(x - dest.Left), sy));
    }
}

Bitmap32 TPngGraphic::OpaquePixels() const {
    const TChunkIHDR* header = HeaderOrNull();
    return header && header->HasStorage() ? zindra::StoredPixelsOf(*header) : Bitmap32();
}

Bitmap32 TPngGraphic::ToPixels() const {
    const TChunkIHDR* header = HeaderOrNull();
    if (!header || !header->HasStorage()) return {};
    switch (TransparencyMode()) {
        case TPngTransparencyMode::ptmNone:
            return StoredPixelsOf(*header);
        case TPngTransparencyMode::ptmBit: {
            Bitmap32 pixels = StoredPixelsOf(*header);
            const Pixel key = ColorToPixel(TransparentColor()) & 0x00FFFFFFu;
            for (int y = 0; y < pixels.Height(); ++y) {
                Pixel* row = pixels.Row(y);
                for (int x = 0; x < pixels.Width(); ++x)
                    if ((row[x] & 0x00FFFFFFu) == key) row[x] = key;
            }
            return pixels;
        }
        case TPngTransparencyMode::ptmPartial:
        default: {
            CheckRasterSize(*header);
            const BlendSource source = MakeBlendSource(*this);
            source.CheckIndexes();
            Bitmap32 pixels(Width(), Height());
            for (std::uint32_t y = 0; y < header->Height; ++y) {
                const std::uint8_t* row = header->StoredRow(y);
                Pixel* out = pixels.Row(static_cast<int>(y));
                for (std::uint32_t x = 0; x < header->Width; ++x)
                    out[x] = source.At(row, x, y);
            }
            return pixels;
        }
    }
}

}  // namespace zindra
