// One face at one size and style, with its rendered glyphs; internal to the font engine.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "framework/graphics/Bitmap32.h"
#include "framework/graphics/FontEngine.h"
#include "platform/Geometry.h"

struct FT_FaceRec_;

namespace zindra::text {

// A FreeType face opened on registered bytes, shared by every instance made from it. The face's
// size is set by whoever renders; activeSize remembers the last one set (26.6 pixels).
struct LoadedFace {
    FT_FaceRec_* Face = nullptr;
    long ActiveSize = 0;
};

// A glyph as drawn: an 8-bit coverage mask placed relative to the pen on the baseline.
struct Glyph {
    bool Loaded = false;
    int Advance = 0;  // whole pixels, as GDI advances the pen
    int Left = 0;     // mask column 0 relative to the pen
    int Top = 0;      // rows of the mask above the baseline
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Coverage;  // Width * Height, top row first
};

// A horizontal band relative to the baseline: rows [baseline + Offset, baseline + Offset + Thickness).
struct Band {
    int Offset = 0;
    int Thickness = 1;
};

class FontInstance {
public:
    // Largest |Height| honoured; taller requests are drawn at this size (a glyph mask stays < 1 MiB).
    static constexpr int kMaxPixelHeight = 1024;

    // The face must outlive the instance. Throws EInvalidGraphic when FreeType rejects the size.
    FontInstance(LoadedFace& face, int height, bool synthBold, bool synthItalic);

    const TextMetrics& Metrics() const { return metrics_; }
    Band Underline() const { return underline_; }
    Band StrikeOut() const { return strikeOut_; }

    // The glyph of a Windows-1252 byte, rendered on first use.
    const Glyph& GlyphOf(std::uint8_t c);
    int Advance(std::uint8_t c) { return GlyphOf(c).Advance; }

    // Composites a glyph with its pen at (penX, baseline), inside area (already on the bitmap).
    void DrawGlyph(Bitmap32& dst, std::int64_t penX, std::int64_t baseline, std::uint8_t c, Pixel color,
                   const platform::Rect& area);
    // Fills band under or through the text from x0 to x1 (exclusive).
    static void DrawBand(Bitmap32& dst, std::int64_t x0, std::int64_t x1, std::int64_t baseline, Band band, Pixel color,
                         const platform::Rect& area);

private:
    void ComputeMetrics(int height);
    void LoadGlyph(std::uint8_t c, Glyph& glyph);

    LoadedFace& face_;
    long charSize_ = 0;  // the em size in 26.6 pixels
    bool synthBold_ = false;
    bool synthItalic_ = false;
    TextMetrics metrics_;
    Band underline_;
    Band strikeOut_;
    std::array<Glyph, 256> glyphs_;
};

// Composites one pixel of colour at coverage (0..255) over *d.
Pixel CoverPixel(Pixel d, Pixel color, std::uint32_t coverage);

}  // namespace zindra::text
