// Text on 32-bit rasters: fonts registered from memory, GDI text metrics, TextOut and DrawText.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

#include "framework/graphics/Bitmap32.h"
#include "platform/CodePage1252.h"
#include "platform/Geometry.h"

namespace zindra {

// A logical font as LOGFONT describes it. Height follows Windows: negative is the character (em)
// height in pixels, positive the cell height (ascent + descent), 0 a cell height of 13 pixels.
struct FontDescription {
    std::string Family;
    int Height = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
};

// The TEXTMETRIC values the kit uses, in pixels.
struct TextMetrics {
    int Height = 0;  // Ascent + Descent: the line height of DrawText
    int Ascent = 0;
    int Descent = 0;
    int InternalLeading = 0;  // Height minus the em height
    int AveCharWidth = 0;
    friend bool operator==(const TextMetrics&, const TextMetrics&) = default;
};

struct Size {
    int Width = 0;
    int Height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// DrawText format flags, with their Windows values.
inline constexpr std::uint32_t DT_TOP = 0x0000;
inline constexpr std::uint32_t DT_LEFT = 0x0000;
inline constexpr std::uint32_t DT_CENTER = 0x0001;
inline constexpr std::uint32_t DT_RIGHT = 0x0002;
inline constexpr std::uint32_t DT_VCENTER = 0x0004;  // single line only
inline constexpr std::uint32_t DT_BOTTOM = 0x0008;   // single line only
inline constexpr std::uint32_t DT_WORDBREAK = 0x0010;
inline constexpr std::uint32_t DT_SINGLELINE = 0x0020;
inline constexpr std::uint32_t DT_EXPANDTABS = 0x0040;
inline constexpr std::uint32_t DT_NOCLIP = 0x0100;
inline constexpr std::uint32_t DT_CALCRECT = 0x0400;
inline constexpr std::uint32_t DT_NOPREFIX = 0x0800;

using platform::AnsiToUnicode;

// Renders text with FreeType. Strings are Windows-1252 (the kit's ANSI strings); colours are
// straight-alpha pixels; glyphs are grey-scale anti-aliased and composited like BlendPixels.
// Threading: every member takes the engine's mutex, so one engine may serve any thread; the
// bitmaps drawn on belong to the caller.
class FontEngine {
public:
    FontEngine();
    ~FontEngine();
    FontEngine(const FontEngine&) = delete;
    FontEngine& operator=(const FontEngine&) = delete;

    // The engine of the process. The application registers its built-in fallback font here at
    // start-up; until then no text can be drawn.
    static FontEngine& Instance();

    // Registers a face of a family (matched without regard to case). The bytes are not copied:
    // they must outlive the engine, as embedded data does. A second face for the same family and
    // style replaces the first. Throws EInvalidGraphic when the data is not a font FreeType reads.
    void AddFont(const std::string& family, std::span<const std::uint8_t> data, bool bold, bool italic);
    // The face for every family that is not registered; the same ownership rule applies.
    void SetFallback(std::span<const std::uint8_t> data);
    bool HasFallback() const;

    // The members below throw EInvalidOperation when the family is not registered and no fallback
    // is. Bold and italic without a face of their own are synthesised (emboldened, sheared).
    TextMetrics Metrics(const FontDescription& request);
    // TextExtent as GetTextExtentPoint32 with SetTextCharacterExtra(extraSpacing): every
    // character's advance plus extraSpacing, by the cell height.
    Size TextExtent(const FontDescription& request, std::string_view text, int extraSpacing = 0);
    // TextOut with TA_TOP | TA_LEFT: (x, y) is the top-left of the first character cell. Control
    // characters are not interpreted.
    void DrawText(Bitmap32& dst, int x, int y, const FontDescription& request, std::string_view text, Pixel color,
                  int extraSpacing, const platform::Rect& clip);
    // DrawText with the DT_ flags above. Lines break at CR, LF and CR LF (not with DT_SINGLELINE)
    // and, with DT_WORDBREAK, at spaces and tabs; a word wider than the rectangle stays whole.
    // Without DT_NOPREFIX "&x" underlines x and "&&" is "&". DT_CALCRECT only measures: rect's
    // right and bottom become the text's extent and dst is not touched. Returns the text height
    // (for DT_VCENTER or DT_BOTTOM lines, from rect's top to the text's bottom), 0 for no text.
    int DrawTextFormatted(Bitmap32& dst, platform::Rect& rect, const FontDescription& request, std::string_view text,
                          std::uint32_t format, Pixel color, int extraSpacing, const platform::Rect& clip);

private:
    struct State;
    mutable std::mutex mutex_;
    std::unique_ptr<State> state_;
};

}  // namespace zindra
