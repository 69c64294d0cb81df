// A small RGB drawing surface for the demo-suite generator: fills, gradients, frames, rounded boxes and text.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/Geometry.h"

namespace zindra::suitemaker {

using platform::Point;
using platform::Rect;

struct Rgb {
    std::uint8_t R = 0;
    std::uint8_t G = 0;
    std::uint8_t B = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Linear mix: t = 0 gives a, t = 256 gives b.
Rgb Mix(Rgb a, Rgb b, int t);

// Tightly packed 8-bit RGB, top row first: the layout the JPEG encoder takes as it is.
// Every drawing call clips to the image, so callers may draw partly or wholly outside.
class TRgbImage {
public:
    TRgbImage(int width, int height, Rgb fill = {});

    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    Rgb At(int x, int y) const;

    // alpha 0 leaves the pixel, 255 replaces it.
    void Blend(int x, int y, Rgb color, int alpha);
    void Fill(const Rect& r, Rgb color);
    void VerticalGradient(const Rect& r, Rgb top, Rgb bottom);
    void HorizontalGradient(const Rect& r, Rgb left, Rgb right);
    // A border of `thickness` pixels drawn inside r.
    void Frame(const Rect& r, Rgb color, int thickness);
    // A filled box with quarter-circle corners (edges anti-aliased), then an optional border inside it.
    void RoundedBox(const Rect& r, int radius, Rgb fill, Rgb border, int borderWidth);
    void Disc(Point centre, int radius, Rgb color);

private:
    Rect Clip(const Rect& r) const { return r.Intersect({0, 0, width_, height_}); }

    int width_;
    int height_;
    std::vector<std::uint8_t> bytes_;
};

// One font face at a time through FreeType. Not thread-safe; one instance per thread.
class TFontFace {
public:
    // Throws SuiteError when the file cannot be read as a font.
    explicit TFontFace(const std::filesystem::path& file);
    ~TFontFace();
    TFontFace(const TFontFace&) = delete;
    TFontFace& operator=(const TFontFace&) = delete;

    // Advance width in pixels of UTF-8 text at pixelSize.
    int TextWidth(std::string_view utf8, int pixelSize);
    // Draws text centred in box; shrinks the size (down to 6 px) until it fits the box's width.
    void DrawCentred(TRgbImage& image, const Rect& box, std::string_view utf8, int pixelSize, Rgb color);
    // Draws text with its left edge at x and its line box starting at top.
    void DrawAt(TRgbImage& image, Point leftTop, std::string_view utf8, int pixelSize, Rgb color);

private:
    struct State;
    void SetSize(int pixelSize);
    std::unique_ptr<State> state_;
};

}  // namespace zindra::suitemaker
