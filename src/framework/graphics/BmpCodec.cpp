// Windows BMP reading and writing; every size from a file is checked before use.
#include "framework/graphics/BmpCodec.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>
#include <limits>
#include <string>

#include "framework/Exception.h"
#include "platform/ByteOrder.h"

namespace zindra {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
// Far beyond any picture the kit shows; keeps a tiny RLE file from claiming a gigabyte.
constexpr std::size_t kMaxPixels = 64 * 1024 * 1024;

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

[[noreturn]] void Invalid() {
    throw EInvalidGraphic("Bitmap image is not valid");
}

// Overflow-checked arithmetic for sizes that come from a file.
std::size_t Mul(std::size_t a, std::size_t b) {
    if (b != 0 && a > std::numeric_limits<std::size_t>::max() / b) Invalid();
    return a * b;
}
std::size_t Add(std::size_t a, std::size_t b) {
    if (a > std::numeric_limits<std::size_t>::max() - b) Invalid();
    return a + b;
}

// Little-endian reads that fail as an invalid bitmap when they would pass the end.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}
    std::size_t Size() const { return data_.size(); }
    void Need(std::size_t at, std::size_t count) const {
        if (at > data_.size() || count > data_.size() - at) Invalid();
    }
    const std::uint8_t* At(std::size_t at, std::size_t count) const {
        Need(at, count);
        return data_.data() + at;
    }
    std::uint16_t U16(std::size_t at) const { return platform::GetLe16(At(at, 2)); }
    std::uint32_t U32(std::size_t at) const { return platform::GetLe32(At(at, 4)); }
    std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }

private:
    std::span<const std::uint8_t> data_;
};

// One colour channel given by a bit mask, scaled to 0..255 with rounding.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;

    static Channel From(std::uint32_t mask) {
        Channel c;
        if (mask == 0) return c;
        c.mask = mask;
        while (((mask >> c.shift) & 1u) == 0)
            ++c.shift;
        c.max = mask >> c.shift;
        if ((c.max & (c.max + 1)) != 0) Invalid();  // not one run of bits
        return c;
    }
    std::uint8_t Get(std::uint32_t value, std::uint8_t absent) const {
        if (mask == 0) return absent;
        const std::uint64_t v = (value & mask) >> shift;
        return static_cast<std::uint8_t>((v * 255 + max / 2) / max);
    }
};

struct Header {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitsPerPixel = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t colorsUsed = 0;
    std::size_t paletteAt = 0;
    std::size_t entrySize = 4;  // RGBQUAD; the core header uses 3-byte entries
    std::size_t pixelsAt = 0;
    std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha
    std::array<Channel, 4> channels{};
};

void ReadCoreHeader(const ByteReader& in, Header& h) {
    h.width = in.U16(18);
    h.height = in.U16(20);
    if (in.U16(22) != 1) Invalid();
    h.bitsPerPixel = in.U16(24);
    h.entrySize = 3;
    h.paletteAt = kFileHeaderSize + 12;
    if (h.bitsPerPixel != 1 && h.bitsPerPixel != 4 && h.bitsPerPixel != 8 && h.bitsPerPixel != 24) Invalid();
}

// The 40-byte header and its longer versions, which carry the masks inside themselves.
void ReadInfoHeader(const ByteReader& in, std::uint32_t headerSize, Header& h) {
    h.width = in.I32(18);
    const std::int32_t height = in.I32(22);
    if (height == std::numeric_limits<std::int32_t>::min()) Invalid();
    h.topDown = height < 0;
    h.height = h.topDown ? -height : height;
    if (in.U16(26) != 1) Invalid();
    h.bitsPerPixel = in.U16(28);
    h.compression = in.U32(30);
    h.colorsUsed = in.U32(46);
    const std::size_t masksAt = kFileHeaderSize + 40;
    std::size_t maskCount = headerSize >= 56 ? 4 : headerSize >= 52 ? 3 : 0;
    h.paletteAt = kFileHeaderSize + headerSize;
    if (headerSize == 40 && (h.compression == kBitFields || h.compression == kAlphaBitFields)) {
        maskCount = h.compression == kBitFields ? 3 : 4;
        h.paletteAt = masksAt + 4 * maskCount;
    }
    for (std::size_t i = 0; i < maskCount; ++i)
        h.masks[i] = in.U32(masksAt + 4 * i);
}

bool IsDepth(int bitsPerPixel, std::initializer_list<int> allowed) {
    return std::find(allowed.begin(), allowed.end(), bitsPerPixel) != allowed.end();
}

// Which depths go with which compression, and the channel masks that apply.
void CheckFormat(Header& h) {
    switch (h.compression) {
        case kRgb:
            if (!IsDepth(h.bitsPerPixel, {1, 4, 8, 16, 24, 32})) Invalid();
            // Masks in a long header mean nothing here; the alpha byte of 32-bit rows is unused.
            h.masks = {};
            if (h.bitsPerPixel == 16) h.masks = {0x7C00, 0x03E0, 0x001F, 0};
            if (h.bitsPerPixel == 32) h.masks = {0xFF0000, 0x00FF00, 0x0000FF, 0};
            break;
        case kRle8:
        case kRle4:
            // Windows defines no compressed top-down bitmaps.
            if (h.topDown || h.bitsPerPixel != (h.compression == kRle8 ? 8 : 4)) Invalid();
            h.masks = {};
            break;
        case kBitFields:
        case kAlphaBitFields:
            if (!IsDepth(h.bitsPerPixel, {16, 32})) Invalid();
            break;
        default:
            Invalid();
    }
    const std::uint32_t depthBits = h.bitsPerPixel == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    std::uint32_t seen = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::uint32_t mask = h.masks[i];
        if ((mask & ~depthBits) != 0 || (seen & mask) != 0) Invalid();
        seen |= mask;
        h.channels[i] = Channel::From(mask);
    }
}

// A packed bitmap (the clipboard's form) has no file header to say where the rows start: they
// follow the header, its masks and the colour table, whose length the header gives.
std::size_t PackedPixelsAt(const Header& h) {
    std::size_t entries = h.colorsUsed;
    if (entries == 0 && h.bitsPerPixel <= 8) entries = std::size_t{1} << h.bitsPerPixel;
    return Add(h.paletteAt, Mul(entries, h.entrySize));
}

Header ReadHeader(const ByteReader& in, bool packed) {
    in.Need(0, kFileHeaderSize + 4);
    if (in.At(0, 2)[0] != 'B' || in.At(0, 2)[1] != 'M') Invalid();
    const std::uint32_t headerSize = in.U32(kFileHeaderSize);
    if (headerSize != 12 && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
        headerSize != 124) {
        Invalid();
    }
    in.Need(kFileHeaderSize, headerSize);
    Header h;
    if (headerSize == 12) {
        ReadCoreHeader(in, h);
    } else {
        ReadInfoHeader(in, headerSize, h);
    }
    if (h.width <= 0 || h.height <= 0 || h.width > Bitmap32::kMaxSide || h.height > Bitmap32::kMaxSide) Invalid();
    if (Mul(static_cast<std::size_t>(h.width), static_cast<std::size_t>(h.height)) > kMaxPixels) Invalid();
    CheckFormat(h);
    h.pixelsAt = packed ? PackedPixelsAt(h) : in.U32(10);
    if (h.pixelsAt < h.paletteAt || h.pixelsAt > in.Size()) Invalid();
    return h;
}

// NOTE: a colour table may be shorter than the depth allows, either by its count field or,
// in core-header files that have none, by the pixel data starting early; both are honoured,
// and a pixel that indexes past the table is a defect.
std::vector<Pixel> ReadPalette(const ByteReader& in, const Header& h) {
    if (h.bitsPerPixel > 8) return {};
    const std::size_t maxColors = std::size_t{1} << h.bitsPerPixel;
    if (h.colorsUsed > maxColors) Invalid();
    std::size_t count = h.colorsUsed != 0 ? h.colorsUsed : maxColors;
    count = std::min(count, (h.pixelsAt - h.paletteAt) / h.entrySize);
    if (count == 0) Invalid();
    const std::uint8_t* p = in.At(h.paletteAt, Mul(count, h.entrySize));
    std::vector<Pixel> palette(count);
    for (std::size_t i = 0; i < count; ++i, p += h.entrySize)
        palette[i] = MakePixel(p[2], p[1], p[0]);
    return palette;
}

Pixel Lookup(const std::vector<Pixel>& palette, unsigned index) {
    if (index >= palette.size()) Invalid();
    return palette[index];
}

// One uncompressed row of any depth into raster pixels.
void DecodeRow(const std::uint8_t* src, Pixel* out, const Header& h, const std::vector<Pixel>& palette) {
    const std::array<Channel, 4>& channels = h.channels;
    const int bpp = h.bitsPerPixel;
    for (int x = 0; x < h.width; ++x) {
        if (bpp <= 8) {
            const std::size_t bit = static_cast<std::size_t>(x) * bpp;
            const unsigned shift = static_cast<unsigned>(8 - bpp - bit % 8);
            out[x] = Lookup(palette, (src[bit / 8] >> shift) & ((1u << bpp) - 1));
        } else if (bpp == 24) {
            const std::uint8_t* p = src + 3 * static_cast<std::size_t>(x);
            out[x] = MakePixel(p[2], p[1], p[0]);
        } else {
            const std::uint8_t* p = src + static_cast<std::size_t>(x) * (bpp / 8);
            std::uint32_t v = p[0] | std::uint32_t{p[1]} << 8;
            if (bpp == 32) v |= std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
            out[x] =
                MakePixel(channels[0].Get(v, 0), channels[1].Get(v, 0), channels[2].Get(v, 0), channels[3].Get(v, 255));
        }
    }
}

void DecodeRows(const ByteReader& in, const Header& h, const std::vector<Pixel>& palette, Bitmap32& out) {
    const std::size_t stride =
        Mul(Add(Mul(static_cast<std::size_t>(h.width), static_cast<std::size_t>(h.bitsPerPixel)), 31) / 32, 4);
    const std::uint8_t* src = in.At(h.pixelsAt, Mul(stride, static_cast<std::size_t>(h.height)));
    for (int row = 0; row < h.height; ++row, src += stride) {
        DecodeRow(src, out.Row(h.topDown ? row : h.height - 1 - row), h, palette);
    }
}

// RLE8 and RLE4 as a small state machine over (count, value) pairs; rows run bottom-up.
class RleDecoder {
public:
    RleDecoder(std::span<const std::uint8_t> data, const Header& h, const std::vector<Pixel>& palette, Bitmap32& out)
        : data_(data),
          width_(h.width),
          height_(h.height),
          nibbles_(h.compression == kRle4),
          palette_(palette),
          out_(out) {}

    void Run() {
        for (;;) {
            if (pos_ + 2 > data_.size()) {
                // A file may end without its end marker once every row is closed.
                if (y_ >= height_) return;
                Invalid();
            }
            const unsigned count = data_[pos_], value = data_[pos_ + 1];
            pos_ += 2;
            if (count > 0) {
                Fill(count, value);
            } else if (value == 0) {
                x_ = 0;
                ++y_;
            } else if (value == 1) {
                return;
            } else if (value == 2) {
                Delta();
            } else {
                Literal(value);
            }
        }
    }

private:
    void Reserve(unsigned count) {
        if (y_ >= height_ || count > static_cast<unsigned>(width_ - x_)) Invalid();
    }
    void Put(unsigned index) { out_.At(x_++, height_ - 1 - y_) = Lookup(palette_, index); }

    void Fill(unsigned count, unsigned value) {
        Reserve(count);
        for (unsigned i = 0; i < count; ++i)
            Put(nibbles_ ? (i % 2 == 0 ? value >> 4 : value & 15) : value);
    }
    void Delta() {
        if (pos_ + 2 > data_.size()) Invalid();
        const int dx = data_[pos_], dy = data_[pos_ + 1];
        pos_ += 2;
        if (dx > width_ - x_ || dy > height_ - y_) Invalid();
        x_ += dx;
        y_ += dy;
    }
    // An absolute run of count indices, padded to a 16-bit boundary.
    void Literal(unsigned count) {
        const std::size_t bytes = nibbles_ ? (count + 1) / 2 : count;
        if (pos_ + bytes > data_.size()) Invalid();
        Reserve(count);
        for (unsigned i = 0; i < count; ++i) {
            const unsigned byte = data_[pos_ + (nibbles_ ? i / 2 : i)];
            Put(nibbles_ ? (i % 2 == 0 ? byte >> 4 : byte & 15) : byte);
        }
        pos_ += bytes + bytes % 2;
    }

    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
    int x_ = 0;
    int y_ = 0;  // rows counted from the bottom, as stored
    int width_;
    int height_;
    bool nibbles_;
    const std::vector<Pixel>& palette_;
    Bitmap32& out_;
};

using platform::PutLe16;
using platform::PutLe32;

void PutHeaders(std::vector<std::uint8_t>& out, const Bitmap32& image, int bitsPerPixel, bool alpha,
                std::uint32_t imageSize) {
    const std::uint32_t headerSize = alpha ? 108 : 40;
    out.push_back('B');
    out.push_back('M');
    PutLe32(out, static_cast<std::uint32_t>(kFileHeaderSize) + headerSize + imageSize);
    PutLe32(out, 0);
    PutLe32(out, static_cast<std::uint32_t>(kFileHeaderSize) + headerSize);
    PutLe32(out, headerSize);
    PutLe32(out, static_cast<std::uint32_t>(image.Width()));
    PutLe32(out, static_cast<std::uint32_t>(image.Height()));
    PutLe16(out, 1);
    PutLe16(out, static_cast<std::uint32_t>(bitsPerPixel));
    PutLe32(out, alpha ? kBitFields : kRgb);
    PutLe32(out, imageSize);
    for (int i = 0; i < 4; ++i)
        PutLe32(out, 0);  // resolution, colours used and important
    if (!alpha) return;
    for (std::uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u})
        PutLe32(out, mask);
    PutLe32(out, 0x73524742);  // colour space 'sRGB'
    for (int i = 0; i < 12; ++i)
        PutLe32(out, 0);  // end points and gamma, unused for sRGB
}

// data is a whole file; for a packed bitmap, its file header is a stand-in that only says "BM".
DecodedBmp Decode(std::span<const std::uint8_t> data, bool packed) {
    const ByteReader in(data);
    const Header h = ReadHeader(in, packed);
    DecodedBmp result;
    result.BitsPerPixel = h.bitsPerPixel;
    result.Palette = ReadPalette(in, h);
    if (h.compression == kRle8 || h.compression == kRle4) {
        result.Pixels = Bitmap32(h.width, h.height, result.Palette[0]);
        RleDecoder(data.subspan(h.pixelsAt), h, result.Palette, result.Pixels).Run();
    } else {
        result.Pixels = Bitmap32(h.width, h.height);
        DecodeRows(in, h, result.Palette, result.Pixels);
    }
    return result;
}

std::vector<std::uint8_t> Encode(const Bitmap32& image, int bitsPerPixel, bool alphaHeader) {
    if (bitsPerPixel != 24 && bitsPerPixel != 32) {
        throw EInvalidOperation("Bitmaps can be saved with 24 or 32 bits per pixel, not " +
                                std::to_string(bitsPerPixel));
    }
    if (image.Empty()) throw EInvalidOperation("Cannot save an empty bitmap");
    const Pixel* begin = image.Data();
    const Pixel* end = begin + static_cast<std::size_t>(image.Width()) * image.Height();
    const bool alpha =
        alphaHeader && bitsPerPixel == 32 && std::any_of(begin, end, [](Pixel p) { return PixelA(p) != 255; });
    const std::size_t bytesPerPixel = static_cast<std::size_t>(bitsPerPixel) / 8;
    const std::size_t stride = (image.Width() * bytesPerPixel + 3) / 4 * 4;
    const std::size_t imageSize = stride * image.Height();
    // The file's size fields are 32 bits wide; the largest rasters do not fit them.
    if (imageSize > std::numeric_limits<std::uint32_t>::max() - kFileHeaderSize - 108) {
        throw EInvalidOperation("Bitmap too large to save");
    }

    std::vector<std::uint8_t> out;
    out.reserve(kFileHeaderSize + 108 + imageSize);
    PutHeaders(out, image, bitsPerPixel, alpha, static_cast<std::uint32_t>(imageSize));
    for (int y = image.Height() - 1; y >= 0; --y) {
        const Pixel* row = image.Row(y);
        for (int x = 0; x < image.Width(); ++x) {
            out.insert(out.end(), {PixelB(row[x]), PixelG(row[x]), PixelR(row[x])});
            if (bytesPerPixel == 4) out.push_back(PixelA(row[x]));
        }
        out.resize(out.size() + stride - image.Width() * bytesPerPixel, 0);
    }
    return out;
}

}  // namespace

DecodedBmp DecodeBmp(std::span<const std::uint8_t> data) {
    return Decode(data, false);
}

DecodedBmp DecodePackedDib(std::span<const std::uint8_t> dib) {
    std::vector<std::uint8_t> file{'B', 'M'};
    file.resize(kFileHeaderSize);
    file.insert(file.end(), dib.begin(), dib.end());
    return Decode(file, true);
}

std::vector<std::uint8_t> EncodeBmp(const Bitmap32& image, int bitsPerPixel) {
    return Encode(image, bitsPerPixel, true);
}

std::vector<std::uint8_t> EncodePackedDib(const Bitmap32& image, int bitsPerPixel) {
    std::vector<std::uint8_t> file = Encode(image, bitsPerPixel, false);
    file.erase(file.begin(), file.begin() + kFileHeaderSize);
    return file;
}

}  // namespace zindra
