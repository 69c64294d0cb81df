// Reading the first image of a Windows cursor file; every size in it is checked before use.
#include "framework/graphics/CursorFile.h"

#include <vector>

#include "framework/Exception.h"
#include "platform/ByteOrder.h"

namespace zindra {

namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr int kMaxSide = 256;

[[noreturn]] void Invalid() {
    throw EInvalidGraphic("Cursor image is not valid");
}

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> data) : data_(data) {}
    const std::uint8_t* At(std::size_t at, std::size_t count) const {
        if (at > data_.size() || count > data_.size() - at) Invalid();
        return data_.data() + at;
    }
    std::uint16_t U16(std::size_t at) const { return platform::GetLe16(At(at, 2)); }
    std::uint32_t U32(std::size_t at) const { return platform::GetLe32(At(at, 4)); }

private:
    std::span<const std::uint8_t> data_;
};

struct Header {
    int Width = 0;
    int Height = 0;  // of the picture: the file's height counts the mask too
    int Bits = 0;
    std::size_t Colours = 0;
};

Header ReadHeader(const Reader& in, std::size_t at) {
    if (in.U32(at) < kInfoHeaderSize) Invalid();
    Header h;
    h.Width = static_cast<std::int32_t>(in.U32(at + 4));
    const auto doubled = static_cast<std::int32_t>(in.U32(at + 8));
    h.Bits = in.U16(at + 14);
    if (in.U16(at + 12) != 1 || in.U32(at + 16) != 0) Invalid();  // one plane, uncompressed
    if (h.Width <= 0 || h.Width > kMaxSide || doubled <= 0 || doubled % 2 != 0 || doubled / 2 > kMaxSide) Invalid();
    h.Height = doubled / 2;
    if (h.Bits != 1 && h.Bits != 4 && h.Bits != 8 && h.Bits != 24 && h.Bits != 32) Invalid();
    if (h.Bits <= 8) {
        const std::size_t used = in.U32(at + 32);
        const std::size_t full = std::size_t{1} << h.Bits;
        if (used > full) Invalid();
        h.Colours = used == 0 ? full : used;
    }
    return h;
}

std::size_t RowBytes(int width, int bits) {
    return (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
}

// The colour of pixel x of a stored row, as 0xRRGGBB plus alpha for 32-bit rows.
platform::Pixel Colour(const std::uint8_t* row, int x, const Header& h, const std::vector<platform::Pixel>& table) {
    if (h.Bits == 24) {
        const std::uint8_t* p = row + 3 * x;
        return 0xFF000000u | std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
    }
    if (h.Bits == 32) return platform::GetLe32(row + 4 * x);
    const int perByte = 8 / h.Bits;
    const int shift = 8 - h.Bits * (x % perByte + 1);
    const std::size_t index = (row[x / perByte] >> shift) & ((1u << h.Bits) - 1);
    if (index >= table.size()) Invalid();
    return table[index];
}

// A set mask bit over black keeps the screen as it is; over a colour it would invert it.
bool Transparent(const std::uint8_t* maskRow, int x, platform::Pixel colour) {
    return ((maskRow[x / 8] >> (7 - x % 8)) & 1) != 0 && (colour & 0xFFFFFFu) == 0;
}

// The layout of the picture in the file: where its colour table, colour rows and mask rows are.
struct Layout {
    Header Info;
    std::vector<platform::Pixel> Table;
    std::size_t ColourAt = 0, ColourRow = 0, MaskAt = 0, MaskRow = 0;
};

Layout ReadLayout(const Reader& in, std::size_t image) {
    Layout l;
    l.Info = ReadHeader(in, image);
    const std::size_t tableAt = image + in.U32(image);
    for (std::size_t i = 0; i < l.Info.Colours; ++i)
        l.Table.push_back(0xFF000000u | (in.U32(tableAt + 4 * i) & 0xFFFFFFu));
    const auto rows = static_cast<std::size_t>(l.Info.Height);
    l.ColourRow = RowBytes(l.Info.Width, l.Info.Bits);
    l.MaskRow = RowBytes(l.Info.Width, 1);
    l.ColourAt = tableAt + 4 * l.Info.Colours;
    l.MaskAt = l.ColourAt + l.ColourRow * rows;
    in.At(l.MaskAt, l.MaskRow * rows);
    return l;
}

}  // namespace

platform::CursorImage DecodeCursor(std::span<const std::uint8_t> data) {
    const Reader in(data);
    if (in.U16(0) != 0 || in.U16(2) != 2 || in.U16(4) == 0) Invalid();
    in.At(kDirectorySize, kEntrySize);  // the first directory entry is whole
    const platform::Point hotSpot{in.U16(kDirectorySize + 4), in.U16(kDirectorySize + 6)};
    const Layout l = ReadLayout(in, in.U32(kDirectorySize + 12));
    const Header& h = l.Info;
    if (hotSpot.X >= h.Width || hotSpot.Y >= h.Height) Invalid();
    platform::CursorImage out{platform::PixelFrame(h.Width, h.Height, 0), hotSpot};
    bool ownAlpha = false;
    for (int y = 0; y < h.Height; ++y) {
        const std::size_t stored = static_cast<std::size_t>(h.Height - 1 - y);  // rows are bottom-up
        const std::uint8_t* colours = in.At(l.ColourAt + stored * l.ColourRow, l.ColourRow);
        const std::uint8_t* mask = in.At(l.MaskAt + stored * l.MaskRow, l.MaskRow);
        for (int x = 0; x < h.Width; ++x) {
            const platform::Pixel c = Colour(colours, x, h, l.Table);
            ownAlpha = ownAlpha || (h.Bits == 32 && (c >> 24) != 0);
            out.Image.At(x, y) = h.Bits == 32 ? c : Transparent(mask, x, c) ? 0u : (c | 0xFF000000u);
        }
    }
    if (h.Bits == 32 && !ownAlpha) {
        // An image without alpha: the mask alone says what is transparent.
        for (int y = 0; y < h.Height; ++y) {
            const std::uint8_t* mask =
                in.At(l.MaskAt + static_cast<std::size_t>(h.Height - 1 - y) * l.MaskRow, l.MaskRow);
            for (int x = 0; x < h.Width; ++x) {
                platform::Pixel& p = out.Image.At(x, y);
                p = Transparent(mask, x, p) ? 0u : (p | 0xFF000000u);
            }
        }
    }
    return out;
}

}  // namespace zindra
