// The system colour table and colour conversions.
#include "framework/graphics/Colors.h"

#include <array>
#include <atomic>

namespace zindra {

namespace {

constexpr std::uint32_t kClassic[31] = {0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
                                        0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC0C0C0,
                                        0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
                                        0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0xFF0000, 0xC0C0C0};

// Starts as the classic scheme; written once at start, read while painting.
std::array<std::atomic<std::uint32_t>, 31>& Table() {
    static std::array<std::atomic<std::uint32_t>, 31> table;
    static const bool filled = [] {
        for (std::size_t i = 0; i < table.size(); ++i)
            table[i] = kClassic[i];
        return true;
    }();
    (void)filled;
    return table;
}

}  // namespace

void SetSystemColor(int index, std::uint32_t colorRef) {
    if (index >= 0 && index < 31) Table()[static_cast<std::size_t>(index)] = colorRef & 0xFFFFFF;
}

std::uint32_t SystemColor(int index) {
    if (index < 0 || index >= 31) return 0;
    return Table()[static_cast<std::size_t>(index)];
}

TColor ColorToRGB(TColor color) {
    if (color == clNone) return clBlack;
    if (color & kSystemColorFlag) return static_cast<TColor>(SystemColor(color & 0xFF));
    return color & 0xFFFFFF;
}

Pixel ColorToPixel(TColor color) {
    const auto rgb = static_cast<std::uint32_t>(ColorToRGB(color));
    return MakePixel(static_cast<std::uint8_t>(rgb), static_cast<std::uint8_t>(rgb >> 8),
                     static_cast<std::uint8_t>(rgb >> 16));
}

TColor PixelToColor(Pixel pixel) {
    return RGB(PixelR(pixel), PixelG(pixel), PixelB(pixel));
}

}  // namespace zindra
