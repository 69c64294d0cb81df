// Text runs and the line layout of DrawText: prefixes, tab stops, word breaks and alignment.
#include "framework/graphics/TextLayout.h"

#include <algorithm>
#include <vector>

#include "framework/graphics/RasterClip.h"

namespace zindra::text {

using platform::Rect;

std::int64_t MeasureRun(FontInstance& font, std::string_view text, int extraSpacing) {
    std::int64_t width = 0;
    for (const char c : text)
        width += font.Advance(static_cast<std::uint8_t>(c)) + extraSpacing;
    return width;
}

void DrawRun(FontInstance& font, const FontDescription& request, Bitmap32& dst, int x, int y, std::string_view text,
             Pixel color, int extraSpacing, const Rect& area) {
    const std::int64_t baseline = std::int64_t{y} + font.Metrics().Ascent;
    std::int64_t pen = x;
    for (const char c : text) {
        const auto ch = static_cast<std::uint8_t>(c);
        font.DrawGlyph(dst, pen, baseline, ch, color, area);
        pen += font.Advance(ch) + extraSpacing;
    }
    if (request.Underline) FontInstance::DrawBand(dst, x, pen, baseline, font.Underline(), color, area);
    if (request.StrikeOut) FontInstance::DrawBand(dst, x, pen, baseline, font.StrikeOut(), color, area);
}

namespace {

// A character as displayed: "&x" became x with Prefixed set.
struct Cell {
    std::uint8_t Ch = 0;
    bool Prefixed = false;
};
using Paragraph = std::vector<Cell>;

// Cells [Begin, End) of one paragraph, Width pixels wide.
struct Line {
    const Paragraph* Para = nullptr;
    std::size_t Begin = 0;
    std::size_t End = 0;
    std::int64_t Width = 0;
};

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}
bool IsBlank(const Cell& c) {
    return c.Ch == ' ' || c.Ch == '\t';
}

class Layout {
public:
    Layout(FontInstance& font, std::uint32_t format, int extraSpacing)
        : font_(font), format_(format), extra_(extraSpacing), tabWidth_(8 * font.Metrics().AveCharWidth) {}

    // The paragraphs between hard line breaks, with prefixes resolved.
    std::vector<Paragraph> Split(std::string_view text) const {
        const bool prefixes = (format_ & DT_NOPREFIX) == 0, breaks = (format_ & DT_SINGLELINE) == 0;
        std::vector<Paragraph> paragraphs(1);
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (breaks && IsLineBreak(c)) {
                if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
                paragraphs.emplace_back();
            } else if (prefixes && c == '&') {
                // "&&" is "&"; "&x" underlines x; a lone "&" at the end of a line shows nothing.
                if (i + 1 < text.size() && !(breaks && IsLineBreak(text[i + 1]))) {
                    ++i;
                    paragraphs.back().push_back({static_cast<std::uint8_t>(text[i]), text[i] != '&'});
                }
            } else {
                paragraphs.back().push_back({static_cast<std::uint8_t>(c), false});
            }
        }
        return paragraphs;
    }

    // How far a cell moves the pen when the line so far is x pixels wide.
    std::int64_t Advance(const Cell& c, std::int64_t x) const {
        if (c.Ch == '\t' && (format_ & DT_EXPANDTABS) != 0) {
            return (raster::FloorDiv(x, tabWidth_) + 1) * tabWidth_ - x;
        }
        return font_.Advance(c.Ch) + extra_;
    }

    std::int64_t Measure(const Paragraph& p, std::size_t begin, std::size_t end) const {
        std::int64_t x = 0;
        for (std::size_t i = begin; i < end; ++i)
            x += Advance(p[i], x);
        return x;
    }

    // Greedy word wrap: a word goes to the next line when it would pass width and the line
    // already holds one; the blanks at a break belong to neither line.
    void Wrap(const Paragraph& p, std::int64_t width, std::vector<Line>& out) const {
        std::size_t pos = 0;
        do {
            Line line{&p, pos, pos, 0};
            bool hasWord = false;
            std::size_t i = pos;
            while (i < p.size()) {
                std::int64_t x = line.Width;
                while (i < p.size() && IsBlank(p[i]))
                    x += Advance(p[i++], x);
                const std::size_t wordBegin = i;
                while (i < p.size() && !IsBlank(p[i]))
                    x += Advance(p[i++], x);
                if (hasWord && wordBegin < i && x > width) {
                    i = wordBegin;
                    break;
                }
                hasWord = hasWord || wordBegin < i;
                line.End = i;
                line.Width = x;
            }
            out.push_back(line);
            pos = i;
        } while (pos < p.size());
    }

    // Draws the cells of a line with the pen starting at x; decorations follow request.
    void Draw(const Line& line, const FontDescription& request, Bitmap32& dst, std::int64_t x, std::int64_t baseline,
              Pixel color, const Rect& area) const {
        std::int64_t pen = x;
        for (std::size_t i = line.Begin; i < line.End; ++i) {
            const Cell& c = (*line.Para)[i];
            const bool tab = c.Ch == '\t' && (format_ & DT_EXPANDTABS) != 0;
            if (!tab) font_.DrawGlyph(dst, pen, baseline, c.Ch, color, area);
            if (c.Prefixed) {
                FontInstance::DrawBand(dst, pen, pen + font_.Advance(c.Ch), baseline, font_.Underline(), color, area);
            }
            pen += Advance(c, pen - x);
        }
        if (request.Underline) FontInstance::DrawBand(dst, x, pen, baseline, font_.Underline(), color, area);
        if (request.StrikeOut) FontInstance::DrawBand(dst, x, pen, baseline, font_.StrikeOut(), color, area);
    }

private:
    FontInstance& font_;
    std::uint32_t format_;
    int extra_;
    std::int64_t tabWidth_;
};

int ClampToInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

std::vector<Line> BreakLines(const Layout& layout, const std::vector<Paragraph>& paragraphs, std::uint32_t format,
                             std::int64_t width) {
    const bool wrap = (format & DT_WORDBREAK) != 0 && (format & DT_SINGLELINE) == 0;
    std::vector<Line> lines;
    for (const Paragraph& p : paragraphs) {
        if (wrap) {
            layout.Wrap(p, width, lines);
        } else {
            lines.push_back({&p, 0, p.size(), layout.Measure(p, 0, p.size())});
        }
    }
    return lines;
}

// Where the first line's cell starts; only a single line moves to the middle or the bottom.
std::int64_t TextTop(const Rect& rect, std::uint32_t format, std::int64_t total) {
    if ((format & DT_SINGLELINE) != 0 && (format & DT_VCENTER) != 0)
        return rect.Top + raster::FloorDiv(std::int64_t{rect.Bottom} - rect.Top - total, 2);
    if ((format & DT_SINGLELINE) != 0 && (format & DT_BOTTOM) != 0) return std::int64_t{rect.Bottom} - total;
    return rect.Top;
}

std::int64_t LineLeft(const Rect& rect, std::uint32_t format, std::int64_t width) {
    if ((format & DT_CENTER) != 0) return rect.Left + raster::FloorDiv(std::int64_t{rect.Right} - rect.Left - width, 2);
    if ((format & DT_RIGHT) != 0) return std::int64_t{rect.Right} - width;
    return rect.Left;
}

}  // namespace

int DrawFormatted(FontInstance& font, const FontDescription& request, Bitmap32& dst, Rect& rect, std::string_view text,
                  std::uint32_t format, Pixel color, int extraSpacing, const Rect& clip) {
    if (text.empty()) {
        if ((format & DT_CALCRECT) != 0) rect = {rect.Left, rect.Top, rect.Left, rect.Top};
        return 0;
    }
    const Layout layout(font, format, extraSpacing);
    const std::vector<Paragraph> paragraphs = layout.Split(text);
    const std::vector<Line> lines = BreakLines(layout, paragraphs, format, std::int64_t{rect.Right} - rect.Left);
    const std::int64_t lineHeight = font.Metrics().Height;
    const std::int64_t total = lineHeight * static_cast<std::int64_t>(lines.size());
    if ((format & DT_CALCRECT) != 0) {
        std::int64_t widest = 0;
        for (const Line& line : lines)
            widest = std::max(widest, line.Width);
        rect.Right = ClampToInt(std::int64_t{rect.Left} + widest);
        rect.Bottom = ClampToInt(std::int64_t{rect.Top} + total);
        return ClampToInt(total);
    }
    const std::int64_t top = TextTop(rect, format, total);
    Rect area = raster::DrawableArea(dst, clip);
    if ((format & DT_NOCLIP) == 0) area = area.Intersect(rect);
    for (std::size_t k = 0; k < lines.size() && !area.IsEmpty(); ++k) {
        const std::int64_t y = top + lineHeight * static_cast<std::int64_t>(k);
        layout.Draw(lines[k], request, dst, LineLeft(rect, format, lines[k].Width), y + font.Metrics().Ascent, color,
                    area);
    }
    const bool fromTop = (format & DT_SINGLELINE) != 0 && (format & (DT_VCENTER | DT_BOTTOM)) != 0;
    return ClampToInt(fromTop ? top + total - rect.Top : total);
}

}  // namespace zindra::text
