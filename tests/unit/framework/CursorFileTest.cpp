// Cursor files: the built-in hand (its shape and hot spot), the other depths and the mask, and
// every defect refused without reading past the data.
#include "framework/graphics/CursorFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Exception.h"
#include "framework/Resources.h"
#include "platform/ByteOrder.h"

namespace zindra {
namespace {

using platform::PutLe16;
using platform::PutLe32;

// 'X' black, 'o' white, '.' transparent.
std::string Art(const platform::CursorImage& cursor) {
    std::string art;
    for (int y = 0; y < cursor.Image.Height; ++y) {
        for (int x = 0; x < cursor.Image.Width; ++x) {
            const platform::Pixel p = cursor.Image.At(x, y);
            art += (p >> 24) == 0 ? '.' : p == 0xFF000000u ? 'X' : p == 0xFFFFFFFFu ? 'o' : '?';
        }
        art += '\n';
    }
    return art;
}

TEST(CursorFile, TheBuiltInHandHasItsShapeAndItsHotSpotOnTheFingerTip) {
    const platform::CursorImage hand = DecodeCursor(FindResource("CUR"));
    EXPECT_EQ(hand.HotSpot, (platform::Point{5, 2}));
    // clang-format off
    const std::vector<std::string> rows = {
        "................................",
        "....XX..........................",
        "...XooX.........................",
        "...XooX.........................",
        "...XooX.........................",
        "...XooX.........................",
        "...XooX.........................",
        "...XooXXX.......................",
        "...XooXooXXX....................",
        "...XooXooXooXXX.................",
        "...XooXooXooXooX................",
        "XX.XooXooXooXooX................",
        "XoXXooXooXooXooX................",
        "XooXoooooooooooX................",
        "XooooooooooooooX................",
        ".XoooooooooooooX................",
        ".XoooooooooooooX................",
        "..XooooooooooooX................",
        "..XooooooooooooX................",
        "...XooooooooooX.................",
        "...XooooooooooX.................",
        "....XooooooooX..................",
        "....XooooooooX..................",
        "....XXXXXXXXXX..................",
    };
    // clang-format on
    std::string expected;
    for (int y = 0; y < 32; ++y)
        expected +=
            (y < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(y)] : std::string(32, '.')) + "\n";
    EXPECT_EQ(Art(hand), expected);
}

// A cursor file of one image: width by height pixels of `bits`, the rows given top first.
std::vector<std::uint8_t> CursorFile(int width, int height, int bits, const std::vector<std::uint32_t>& palette,
                                     const std::vector<std::vector<std::uint8_t>>& colourRows,
                                     const std::vector<std::vector<std::uint8_t>>& maskRows, int hotX, int hotY) {
    std::vector<std::uint8_t> out;
    PutLe16(out, 0);
    PutLe16(out, 2);
    PutLe16(out, 1);
    out.insert(out.end(), {static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(height), 0, 0});
    PutLe16(out, static_cast<std::uint32_t>(hotX));
    PutLe16(out, static_cast<std::uint32_t>(hotY));
    PutLe32(out, 0);
    PutLe32(out, 22);
    for (const std::uint32_t v : {40u, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(2 * height)})
        PutLe32(out, v);
    PutLe16(out, 1);
    PutLe16(out, static_cast<std::uint32_t>(bits));
    for (int i = 0; i < 4; ++i)
        PutLe32(out, 0);
    PutLe32(out, static_cast<std::uint32_t>(palette.size()));
    PutLe32(out, 0);
    for (const std::uint32_t c : palette)
        PutLe32(out, c);
    for (auto rows : {&colourRows, &maskRows}) {
        for (auto row = rows->rbegin(); row != rows->rend(); ++row) {
            std::vector<std::uint8_t> padded = *row;
            padded.resize((padded.size() + 3) / 4 * 4, 0);
            out.insert(out.end(), padded.begin(), padded.end());
        }
    }
    return out;
}

TEST(CursorFile, DepthsMaskAndAlpha) {
    // 4 bits: entries 1 and 2; the mask clears the second pixel of row 0 (over black: transparent)
    // and the first of row 1 (over a colour: it would invert, so it shows).
    const auto four =
        DecodeCursor(CursorFile(2, 2, 4, {0x000000, 0xFF0000, 0x00FF00}, {{0x10}, {0x21}}, {{0x40}, {0x80}}, 1, 0));
    EXPECT_EQ(four.Image.Pixels, (std::vector<platform::Pixel>{0xFFFF0000u, 0u, 0xFF00FF00u, 0xFFFF0000u}));
    const auto rgb = DecodeCursor(CursorFile(2, 1, 24, {}, {{1, 2, 3, 0, 0, 0}}, {{0x40}}, 0, 0));
    EXPECT_EQ(rgb.Image.Pixels, (std::vector<platform::Pixel>{0xFF030201u, 0u}));
    // 32 bits with alpha keep it; without any, the mask decides.
    const auto alpha = DecodeCursor(CursorFile(2, 1, 32, {}, {{1, 2, 3, 0x80, 0, 0, 0, 0}}, {{0x00}}, 0, 0));
    EXPECT_EQ(alpha.Image.Pixels, (std::vector<platform::Pixel>{0x80030201u, 0u}));
    const auto noAlpha = DecodeCursor(CursorFile(2, 1, 32, {}, {{1, 2, 3, 0, 0, 0, 0, 0}}, {{0x40}}, 0, 0));
    EXPECT_EQ(noAlpha.Image.Pixels, (std::vector<platform::Pixel>{0xFF030201u, 0u}));
}

TEST(CursorFile, DefectsAreRefused) {
    const std::vector<std::uint8_t> good = CursorFile(2, 2, 1, {0, 0xFFFFFF}, {{0x40}, {0x80}}, {{0}, {0}}, 1, 1);
    ASSERT_NO_THROW(DecodeCursor(good));
    struct Defect {
        const char* Name;
        std::size_t At;
        std::uint8_t Value;
    };
    for (const Defect d : {Defect{"an icon file", 2, 1}, Defect{"no images", 4, 0}, Defect{"hot spot outside", 10, 2},
                           Defect{"image past the end", 18, 0xFF}, Defect{"small header", 22, 12},
                           Defect{"no width", 26, 0}, Defect{"odd height", 30, 3}, Defect{"two planes", 34, 2},
                           Defect{"two bits", 36, 2}, Defect{"compressed", 38, 1}, Defect{"too many colours", 54, 3}}) {
        std::vector<std::uint8_t> bad = good;
        bad[d.At] = d.Value;
        EXPECT_THROW(DecodeCursor(bad), EInvalidGraphic) << d.Name;
    }
    for (std::size_t length = 0; length < good.size(); ++length) {
        const std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<long>(length));
        EXPECT_THROW(DecodeCursor(cut), EInvalidGraphic) << "cut to " << length << " bytes";
    }
}

}  // namespace
}  // namespace zindra
