// Metrics, glyph rendering and glyph compositing of one face at one size and style.
#include "framework/graphics/FontInstance.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstring>

#include "framework/Exception.h"
#include "framework/graphics/PixelBlend.h"

namespace zindra {

namespace text {

namespace {

// round(a / b) for b > 0, halves away from minus infinity.
long RoundDiv(long long a, long long b) {
    const long long twice = 2 * a + b, den = 2 * b;
    return static_cast<long>(twice >= 0 ? twice / den : -((-twice + den - 1) / den));
}

// The vertical design metrics GDI sizes a font by, in font units.
struct DesignMetrics {
    long Ascent = 0, Descent = 0, AveCharWidth = 0, StrikePos = 0, StrikeSize = 0;
};

DesignMetrics ReadDesignMetrics(FT_Face face) {
    DesignMetrics m;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->version != 0xFFFF) {
        m = {os2->usWinAscent, os2->usWinDescent, os2->xAvgCharWidth, os2->yStrikeoutPosition, os2->yStrikeoutSize};
    }
    if (m.Ascent + m.Descent <= 0) {
        m.Ascent = face->ascender;
        m.Descent = -face->descender;
    }
    if (m.Ascent + m.Descent <= 0) {  // a font without vertical metrics: a plausible split of the em
        m.Ascent = face->units_per_EM * 4 / 5;
        m.Descent = face->units_per_EM / 5;
    }
    return m;
}

}  // namespace

FontInstance::FontInstance(LoadedFace& face, int height, bool synthBold, bool synthItalic)
    : face_(face), synthBold_(synthBold), synthItalic_(synthItalic) {
    ComputeMetrics(height);
}

void FontInstance::ComputeMetrics(int height) {
    const FT_Face face = face_.Face;
    const long long upem = std::max<long long>(face->units_per_EM, 1);
    const DesignMetrics d = ReadDesignMetrics(face);
    if (height == 0) height = 13;
    const long long pixels =
        std::min<long long>(height < 0 ? -static_cast<long long>(height) : height, kMaxPixelHeight);
    if (height < 0) {  // the em height is given; the cell follows from the design
        charSize_ = static_cast<long>(pixels * 64);
        metrics_.Ascent = static_cast<int>(RoundDiv(d.Ascent * pixels, upem));
        metrics_.Descent = static_cast<int>(RoundDiv(d.Descent * pixels, upem));
    } else {  // the cell height is given; the em is whatever fills it
        charSize_ = std::max(1L, RoundDiv(pixels * 64 * upem, d.Ascent + d.Descent));
        metrics_.Ascent = static_cast<int>(RoundDiv(pixels * d.Ascent, d.Ascent + d.Descent));
        metrics_.Descent = static_cast<int>(pixels) - metrics_.Ascent;
    }
    metrics_.Height = metrics_.Ascent + metrics_.Descent;
    metrics_.InternalLeading = std::max(0, metrics_.Height - static_cast<int>(RoundDiv(charSize_, 64)));
    const long long unitsDen = 64 * upem;  // font units to pixels: * charSize_ / unitsDen
    metrics_.AveCharWidth =
        d.AveCharWidth > 0 ? static_cast<int>(RoundDiv(d.AveCharWidth * charSize_, unitsDen)) : Advance('x');
    metrics_.AveCharWidth = std::max(metrics_.AveCharWidth, 1);

    underline_.Thickness = std::max(1L, RoundDiv(face->underline_thickness * charSize_, unitsDen));
    const long centre = RoundDiv(-static_cast<long long>(face->underline_position) * charSize_, unitsDen);
    // Below the baseline and inside the cell, however odd the font's numbers.
    underline_.Offset = static_cast<int>(std::max(0L, centre - underline_.Thickness / 2));
    underline_.Offset = std::max(0, std::min(underline_.Offset, metrics_.Descent - underline_.Thickness));
    if (d.StrikeSize > 0 && d.StrikePos > 0) {
        strikeOut_.Thickness = std::max(1L, RoundDiv(d.StrikeSize * charSize_, unitsDen));
        strikeOut_.Offset = -static_cast<int>(RoundDiv(d.StrikePos * charSize_, unitsDen));
    } else {
        strikeOut_ = {-(metrics_.Ascent / 3), underline_.Thickness};
    }
}

const Glyph& FontInstance::GlyphOf(std::uint8_t c) {
    Glyph& glyph = glyphs_[c];
    if (!glyph.Loaded) {
        LoadGlyph(c, glyph);
        glyph.Loaded = true;
    }
    return glyph;
}

void FontInstance::LoadGlyph(std::uint8_t c, Glyph& glyph) {
    const FT_Face face = face_.Face;
    if (face_.ActiveSize != charSize_) {
        if (FT_Set_Char_Size(face, 0, charSize_, 72, 72) != 0) throw EInvalidGraphic("Font cannot be scaled");
        face_.ActiveSize = charSize_;
    }
    // A glyph FreeType cannot load or render draws nothing and does not move the pen.
    if (FT_Load_Glyph(face, FT_Get_Char_Index(face, AnsiToUnicode(c)), FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT) != 0) {
        return;
    }
    const FT_GlyphSlot slot = face->glyph;
    glyph.Advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return;
    if (synthBold_) {
        // NOTE: GDI's simulated bold: the strokes one pixel wider and one pixel more advance, so
        // bold text is exactly one pixel a character wider at every size.
        FT_Outline_EmboldenXY(&slot->outline, 64, 0);
        if (glyph.Advance > 0) ++glyph.Advance;
    }
    if (synthItalic_) {
        const FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};  // x += y * tan(12 degrees)
        FT_Outline_Transform(&slot->outline, &shear);
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0 || slot->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.Width = static_cast<int>(bitmap.width);
    glyph.Height = static_cast<int>(bitmap.rows);
    glyph.Left = slot->bitmap_left;
    glyph.Top = slot->bitmap_top;
    glyph.Coverage.resize(static_cast<std::size_t>(glyph.Width) * static_cast<std::size_t>(glyph.Height));
    const int stride = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
    for (int r = 0; r < glyph.Height; ++r) {
        // A negative pitch stores the rows bottom-up.
        const int source = bitmap.pitch < 0 ? glyph.Height - 1 - r : r;
        std::memcpy(glyph.Coverage.data() + static_cast<std::size_t>(r) * glyph.Width,
                    bitmap.buffer + static_cast<std::ptrdiff_t>(source) * stride,
                    static_cast<std::size_t>(glyph.Width));
    }
}

Pixel CoverPixel(Pixel d, Pixel color, std::uint32_t coverage) {
    const std::uint32_t alpha = color >> 24;
    if (alpha == 255 && (d >> 24) == 255) return coverage == 255 ? color : blend::OverOpaque(d, color, coverage);
    return blend::Over(d, color, coverage * alpha);
}

void FontInstance::DrawGlyph(Bitmap32& dst, std::int64_t penX, std::int64_t baseline, std::uint8_t c, Pixel color,
                             const platform::Rect& area) {
    const Glyph& g = GlyphOf(c);
    if (g.Width == 0 || g.Height == 0) return;
    const std::int64_t gx = penX + g.Left, gy = baseline - g.Top;
    const auto c0 = static_cast<int>(std::max<std::int64_t>(0, area.Left - gx));
    const auto c1 = static_cast<int>(std::min<std::int64_t>(g.Width, area.Right - gx));
    const auto r0 = static_cast<int>(std::max<std::int64_t>(0, area.Top - gy));
    const auto r1 = static_cast<int>(std::min<std::int64_t>(g.Height, area.Bottom - gy));
    for (int r = r0; r < r1; ++r) {
        Pixel* row = dst.Row(static_cast<int>(gy + r));
        const std::uint8_t* mask = g.Coverage.data() + static_cast<std::size_t>(r) * g.Width;
        for (int col = c0; col < c1; ++col) {
            if (mask[col] == 0) continue;
            Pixel& p = row[gx + col];
            p = CoverPixel(p, color, mask[col]);
        }
    }
}

void FontInstance::DrawBand(Bitmap32& dst, std::int64_t x0, std::int64_t x1, std::int64_t baseline, Band band,
                            Pixel color, const platform::Rect& area) {
    const auto left = static_cast<int>(std::max<std::int64_t>(x0, area.Left));
    const auto right = static_cast<int>(std::min<std::int64_t>(x1, area.Right));
    const auto top = static_cast<int>(std::max<std::int64_t>(baseline + band.Offset, area.Top));
    const auto bottom = static_cast<int>(std::min<std::int64_t>(baseline + band.Offset + band.Thickness, area.Bottom));
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x)
            dst.At(x, y) = CoverPixel(dst.At(x, y), color, 255);
    }
}

}  // namespace text
}  // namespace zindra
