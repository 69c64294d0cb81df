// Drawing the hand pointer and the morph faces, and writing them in their Windows file formats.
#include "KitArt.h"

#include <array>
#include <stdexcept>

#include "platform/ByteOrder.h"

namespace zindra::kitart {

using platform::PutLe16;
using platform::PutLe32;

const std::vector<std::string>& HandArt() {
    static const std::vector<std::string> art = [] {
        std::vector<std::string> rows = {
            "",
            "....XX",
            "...XooX",  // the hot spot is the right-hand white pixel of this row
            "...XooX",
            "...XooX",
            "...XooX",
            "...XooX",
            "...XooXXX",
            "...XooXooXXX",
            "...XooXooXooXXX",
            "...XooXooXooXooX",
            "XX.XooXooXooXooX",
            "XoXXooXooXooXooX",
            "XooXoooooooooooX",
            "XooooooooooooooX",
            ".XoooooooooooooX",
            ".XoooooooooooooX",
            "..XooooooooooooX",
            "..XooooooooooooX",
            "...XooooooooooX",
            "...XooooooooooX",
            "....XooooooooX",
            "....XooooooooX",
            "....XXXXXXXXXX",
        };
        rows.resize(32);
        for (std::string& row : rows)
            row.resize(32, '.');
        return rows;
    }();
    return art;
}

namespace {

void PutInfoHeader(std::vector<std::uint8_t>& out, int width, int height, int bits, int colours) {
    PutLe32(out, 40);
    PutLe32(out, static_cast<std::uint32_t>(width));
    PutLe32(out, static_cast<std::uint32_t>(height));
    PutLe16(out, 1);
    PutLe16(out, static_cast<std::uint32_t>(bits));
    PutLe32(out, 0);  // uncompressed
    PutLe32(out, 0);  // image size: may be 0 when uncompressed
    PutLe32(out, 0);
    PutLe32(out, 0);
    PutLe32(out, static_cast<std::uint32_t>(colours));
    PutLe32(out, 0);
}

// One-bit rows, bottom row first, each padded to 4 bytes; set where bit(x, y) says.
template <typename Bit>
void PutBitRows(std::vector<std::uint8_t>& out, int width, int height, Bit bit) {
    const int rowBytes = (width + 31) / 32 * 4;
    for (int y = height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(rowBytes), 0);
        for (int x = 0; x < width; ++x) {
            if (bit(x, y)) row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

}  // namespace

// A black-and-white cursor: colour bit 1 is white, and the AND mask is set only where the art
// is transparent (over a colour bit of 0, so nothing inverts).
std::vector<std::uint8_t> HandCursorFile() {
    const auto& art = HandArt();
    const auto at = [&](int x, int y) { return art[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]; };
    std::vector<std::uint8_t> out;
    PutLe16(out, 0);
    PutLe16(out, 2);  // a cursor file
    PutLe16(out, 1);
    out.insert(out.end(), {32, 32, 2, 0});
    PutLe16(out, kHandHotSpotX);
    PutLe16(out, kHandHotSpotY);
    PutLe32(out, 40 + 8 + 2 * 32 * 4);
    PutLe32(out, 6 + 16);
    PutInfoHeader(out, 32, 64, 1, 2);
    PutLe32(out, 0x000000);
    PutLe32(out, 0xFFFFFF);
    PutBitRows(out, 32, 32, [&](int x, int y) { return at(x, y) == 'o'; });
    PutBitRows(out, 32, 32, [&](int x, int y) { return at(x, y) == '.'; });
    return out;
}

namespace {

// The 16 colours of the classic Windows palette, as 0xRRGGBB.
constexpr std::array<std::uint32_t, 16> kPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};
enum Colour : std::uint8_t {
    kMaroon = 1,
    kNavy = 4,
    kSilver = 7,
    kRed = 9,
    kYellow = 11,
    kBlue = 12,
    kAqua = 14,
    kWhite = 15
};

struct FaceColours {
    Colour Ground, Border, Arrow, Lines;
};

// Palette indices, row by row from the top.
class Face {
public:
    explicit Face(Colour ground) : pixels_(static_cast<std::size_t>(kFaceWidth) * kFaceHeight, ground) {}
    std::uint8_t At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * kFaceWidth + x]; }
    void Set(int x, int y, Colour c) {
        if (x >= 0 && x < kFaceWidth && y >= 0 && y < kFaceHeight)
            pixels_[static_cast<std::size_t>(y) * kFaceWidth + x] = c;
    }
    void Fill(int left, int top, int right, int bottom, Colour c) {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                Set(x, y, c);
    }

private:
    std::vector<std::uint8_t> pixels_;
};

// A two-pixel frame with cut corners, an arrow pointing right and three lines of "text".
Face DrawFace(const FaceColours& c) {
    Face face(c.Ground);
    face.Fill(4, 2, kFaceWidth - 4, 4, c.Border);
    face.Fill(4, kFaceHeight - 4, kFaceWidth - 4, kFaceHeight - 2, c.Border);
    face.Fill(2, 4, 4, kFaceHeight - 4, c.Border);
    face.Fill(kFaceWidth - 4, 4, kFaceWidth - 2, kFaceHeight - 4, c.Border);
    for (const auto& [x, y] : {std::array{4, 4}, std::array{kFaceWidth - 5, 4}, std::array{4, kFaceHeight - 5},
                               std::array{kFaceWidth - 5, kFaceHeight - 5}})
        face.Set(x, y, c.Border);
    for (int x = 0; x < 16; ++x)  // the arrow narrows by one pixel a column on each side
        face.Fill(14 + x, 10 + x * 15 / 16, 15 + x, 40 - x * 15 / 16, c.Arrow);
    face.Fill(42, 13, 104, 17, c.Lines);
    face.Fill(42, 23, 96, 27, c.Lines);
    face.Fill(42, 33, 84, 37, c.Lines);
    return face;
}

}  // namespace

std::vector<std::uint8_t> FaceFile(int face) {
    if (face != 1 && face != 2) throw std::invalid_argument("the morph button has faces 1 and 2");
    const Face art = face == 1 ? DrawFace({kNavy, kSilver, kWhite, kAqua}) : DrawFace({kYellow, kRed, kBlue, kMaroon});
    constexpr int kRowBytes = (kFaceWidth * 4 + 31) / 32 * 4;
    constexpr std::uint32_t kBitsAt = 14 + 40 + 16 * 4;
    std::vector<std::uint8_t> out{'B', 'M'};
    PutLe32(out, kBitsAt + kRowBytes * kFaceHeight);
    PutLe32(out, 0);
    PutLe32(out, kBitsAt);
    PutInfoHeader(out, kFaceWidth, kFaceHeight, 4, 16);
    for (const std::uint32_t colour : kPalette)
        PutLe32(out, colour);
    for (int y = kFaceHeight - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(kRowBytes, 0);
        for (int x = 0; x < kFaceWidth; ++x)
            row[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>(art.At(x, y) << (x % 2 == 0 ? 4 : 0));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace zindra::kitart
