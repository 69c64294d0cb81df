// Pixel drawing and FreeType text for the demo-suite pictures.
#include "Draw.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

#include "SuiteError.h"

namespace zindra::suitemaker {

Rgb Mix(Rgb a, Rgb b, int t) {
    auto mix = [t](int x, int y) { return static_cast<std::uint8_t>(x + ((y - x) * t) / 256); };
    return {mix(a.R, b.R), mix(a.G, b.G), mix(a.B, b.B)};
}

TRgbImage::TRgbImage(int width, int height, Rgb fill)
    : width_(width), height_(height), bytes_(static_cast<std::size_t>(width) * height * 3) {
    Fill({0, 0, width, height}, fill);
}

Rgb TRgbImage::At(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width_ + x) * 3;
    return {bytes_[i], bytes_[i + 1], bytes_[i + 2]};
}

void TRgbImage::Blend(int x, int y, Rgb color, int alpha) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || alpha <= 0) {
        return;
    }
    const std::size_t i = (static_cast<std::size_t>(y) * width_ + x) * 3;
    const Rgb mixed = alpha >= 255 ? color : Mix({bytes_[i], bytes_[i + 1], bytes_[i + 2]}, color, alpha + 1);
    bytes_[i] = mixed.R;
    bytes_[i + 1] = mixed.G;
    bytes_[i + 2] = mixed.B;
}

void TRgbImage::Fill(const Rect& r, Rgb color) {
    const Rect c = Clip(r);
    for (int y = c.Top; y < c.Bottom; ++y) {
        std::uint8_t* p = bytes_.data() + (static_cast<std::size_t>(y) * width_ + c.Left) * 3;
        for (int x = c.Left; x < c.Right; ++x, p += 3) {
            p[0] = color.R;
            p[1] = color.G;
            p[2] = color.B;
        }
    }
}

void TRgbImage::VerticalGradient(const Rect& r, Rgb top, Rgb bottom) {
    const int span = std::max(1, r.Height() - 1);
    for (int y = r.Top; y < r.Bottom; ++y) {
        Fill({r.Left, y, r.Right, y + 1}, Mix(top, bottom, (y - r.Top) * 256 / span));
    }
}

void TRgbImage::HorizontalGradient(const Rect& r, Rgb left, Rgb right) {
    const int span = std::max(1, r.Width() - 1);
    for (int x = r.Left; x < r.Right; ++x) {
        Fill({x, r.Top, x + 1, r.Bottom}, Mix(left, right, (x - r.Left) * 256 / span));
    }
}

void TRgbImage::Frame(const Rect& r, Rgb color, int thickness) {
    const int t = std::min({thickness, r.Width() / 2 + 1, r.Height() / 2 + 1});
    Fill({r.Left, r.Top, r.Right, r.Top + t}, color);
    Fill({r.Left, r.Bottom - t, r.Right, r.Bottom}, color);
    Fill({r.Left, r.Top + t, r.Left + t, r.Bottom - t}, color);
    Fill({r.Right - t, r.Top + t, r.Right, r.Bottom - t}, color);
}

namespace {

// Distance (in pixels, may be negative) from the pixel centre inside the rounded outline of r.
double InsideDistance(const Rect& r, int radius, int x, int y) {
    const double px = x + 0.5;
    const double py = y + 0.5;
    const double cx = std::clamp(px, double(r.Left + radius), double(r.Right - radius));
    const double cy = std::clamp(py, double(r.Top + radius), double(r.Bottom - radius));
    const double dx = px - cx;
    const double dy = py - cy;
    if (dx == 0 && dy == 0) {
        return std::min({px - r.Left, r.Right - px, py - r.Top, r.Bottom - py});
    }
    return radius - std::sqrt(dx * dx + dy * dy);
}

int Coverage(double distance) {
    return std::clamp(static_cast<int>(std::lround((distance + 0.5) * 255)), 0, 255);
}

}  // namespace

void TRgbImage::RoundedBox(const Rect& r, int radius, Rgb fill, Rgb border, int borderWidth) {
    radius = std::clamp(radius, 0, std::min(r.Width(), r.Height()) / 2);
    // Only the band along the outline needs coverage per pixel; deeper inside is plain fill.
    const int inset = std::max(radius, borderWidth + 1);
    const Rect inner{r.Left + inset, r.Top + inset, r.Right - inset, r.Bottom - inset};
    const Rect c = Clip(r);
    for (int y = c.Top; y < c.Bottom; ++y) {
        for (int x = c.Left; x < c.Right; ++x) {
            if (inner.Contains({x, y})) {
                x = inner.Right - 1;
                continue;
            }
            const double d = InsideDistance(r, radius, x, y);
            if (borderWidth > 0) {
                Blend(x, y, border, Coverage(d));
                Blend(x, y, fill, Coverage(d - borderWidth));
            } else {
                Blend(x, y, fill, Coverage(d));
            }
        }
    }
    Fill(inner, fill);
}

void TRgbImage::Disc(Point centre, int radius, Rgb color) {
    const Rect box{centre.X - radius, centre.Y - radius, centre.X + radius, centre.Y + radius};
    RoundedBox(box, radius, color, color, 0);
}

struct TFontFace::State {
    FT_Library Library = nullptr;
    FT_Face Face = nullptr;
    int PixelSize = 0;
};

TFontFace::TFontFace(const std::filesystem::path& file) : state_(std::make_unique<State>()) {
    if (FT_Init_FreeType(&state_->Library) != 0) {
        throw SuiteError("FreeType did not start");
    }
    if (FT_New_Face(state_->Library, file.string().c_str(), 0, &state_->Face) != 0) {
        FT_Done_FreeType(state_->Library);
        throw SuiteError("cannot load the font " + file.string());
    }
}

TFontFace::~TFontFace() {
    FT_Done_Face(state_->Face);
    FT_Done_FreeType(state_->Library);
}

void TFontFace::SetSize(int pixelSize) {
    if (state_->PixelSize != pixelSize) {
        FT_Set_Pixel_Sizes(state_->Face, 0, static_cast<FT_UInt>(pixelSize));
        state_->PixelSize = pixelSize;
    }
}

namespace {

// Decodes UTF-8; a malformed byte stands for itself (Latin-1), which is all our own texts need.
std::vector<char32_t> Codepoints(std::string_view s) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
        bool wellFormed = extra > 0 && i + extra < s.size();
        char32_t cp = b & (0x3F >> extra);
        for (std::size_t k = 1; wellFormed && k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            wellFormed = (c & 0xC0) == 0x80;
            cp = (cp << 6) | (c & 0x3F);
        }
        out.push_back(wellFormed ? cp : b);
        i += wellFormed ? extra + 1 : 1;
    }
    return out;
}

}  // namespace

int TFontFace::TextWidth(std::string_view utf8, int pixelSize) {
    SetSize(pixelSize);
    long width = 0;
    for (char32_t cp : Codepoints(utf8)) {
        if (FT_Load_Char(state_->Face, cp, FT_LOAD_DEFAULT) == 0) {
            width += state_->Face->glyph->advance.x;
        }
    }
    return static_cast<int>((width + 32) >> 6);
}

void TFontFace::DrawAt(TRgbImage& image, Point leftTop, std::string_view utf8, int pixelSize, Rgb color) {
    SetSize(pixelSize);
    FT_Face face = state_->Face;
    const int baseline = leftTop.Y + static_cast<int>(face->size->metrics.ascender >> 6);
    long pen = static_cast<long>(leftTop.X) << 6;
    for (char32_t cp : Codepoints(utf8)) {
        if (FT_Load_Char(face, cp, FT_LOAD_RENDER) != 0) {
            continue;
        }
        const FT_GlyphSlot g = face->glyph;
        const int x0 = static_cast<int>(pen >> 6) + g->bitmap_left;
        const int y0 = baseline - g->bitmap_top;
        for (unsigned row = 0; row < g->bitmap.rows; ++row) {
            const unsigned char* line = g->bitmap.buffer + static_cast<long>(row) * g->bitmap.pitch;
            for (unsigned col = 0; col < g->bitmap.width; ++col) {
                image.Blend(x0 + static_cast<int>(col), y0 + static_cast<int>(row), color, line[col]);
            }
        }
        pen += g->advance.x;
    }
}

void TFontFace::DrawCentred(TRgbImage& image, const Rect& box, std::string_view utf8, int pixelSize, Rgb color) {
    int size = pixelSize;
    while (size > 6 && TextWidth(utf8, size) > box.Width() - 4) {
        --size;
    }
    const int width = TextWidth(utf8, size);
    const auto& m = state_->Face->size->metrics;
    const int lineHeight = static_cast<int>((m.ascender - m.descender) >> 6);
    DrawAt(image, {box.Left + (box.Width() - width) / 2, box.Top + (box.Height() - lineHeight) / 2}, utf8, size, color);
}

}  // namespace zindra::suitemaker
