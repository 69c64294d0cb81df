// Copying between PNG pictures and the framework's bitmap, new blank pictures, and the
// clipboard's picture.
#include <map>
#include <string>

#include "framework/Exception.h"
#include "framework/graphics/Colors.h"
#include "imaging/PngErrors.h"
#include "imaging/PngGraphic.h"
#include "imaging/PngImageData.h"

namespace zindra {

namespace {

// The colours of a bitmap as a colour table of at most 2^bits entries, in order of first
// appearance; false when the bitmap has more colours than that.
bool CollectPalette(const Bitmap32& pixels, int bits, std::vector<Pixel>& table, std::map<Pixel, int>& index) {
    const std::size_t room = std::size_t{1} << bits;
    for (int y = 0; y < pixels.Height(); ++y) {
        const Pixel* row = pixels.Row(y);
        for (int x = 0; x < pixels.Width(); ++x) {
            const Pixel colour = row[x] | 0xFF000000u;
            if (index.count(colour)) continue;
            if (table.size() == room) return false;
            index[colour] = static_cast<int>(table.size());
            table.push_back(colour);
        }
    }
    return true;
}

void PutIndex(TChunkIHDR& header, std::uint32_t x, std::uint32_t y, int value) {
    std::uint8_t* row = header.StoredRow(y);
    switch (header.StoredBits()) {
        case 8:
            row[x] = static_cast<std::uint8_t>(value);
            break;
        case 4:
            row[x / 2] = static_cast<std::uint8_t>(row[x / 2] | value << (x % 2 == 0 ? 4 : 0));
            break;
        default:
            row[x / 8] = static_cast<std::uint8_t>(row[x / 8] | value << (7 - x % 8));
            break;
    }
}

}  // namespace

void TChunktRNS::SetKeyColour(TColor color) {
    const Pixel key = ColorToPixel(color);
    const TChunkIHDR& header = Owner().Header();
    std::vector<std::uint8_t> data;
    alpha_.fill(255);
    if (header.ColourType == kIndexed) {
        const int count = 1 << header.StoredBits();
        int at = 0;
        while (at < count) {
            const RgbQuad& q = header.ColourTable()[static_cast<std::size_t>(at)];
            if (MakePixel(q.Red, q.Green, q.Blue) == (key | 0xFF000000u)) break;
            ++at;
        }
        if (at == count) at = 0;
        alpha_[static_cast<std::size_t>(at)] = 0;
        data.assign(alpha_.begin(), alpha_.begin() + at + 1);
    } else {
        data = {0, PixelR(key), 0, PixelG(key), 0, PixelB(key)};
        std::copy(data.begin(), data.end(), alpha_.begin());
    }
    SetData(std::move(data));
    singleColour_ = true;
}

void TPngGraphic::CreateBlank(int colourType, int bitDepth, std::uint32_t width, std::uint32_t height) {
    Clear();
    interlaceMethod_ = 0;
    auto* header = static_cast<TChunkIHDR*>(chunks_.Add(std::make_unique<TChunkIHDR>(this)));
    header->Width = width;
    header->Height = height;
    header->BitDepth = static_cast<std::uint8_t>(bitDepth);
    header->ColourType = static_cast<std::uint8_t>(colourType);
    if (width > 65535 || height > 65535) throw EPngSizeExceeds(pngtext::kSizeExceeds);
    header->BuildStorage();
    if (colourType == kIndexed) {
        auto* palette = static_cast<TChunkPLTE*>(chunks_.Add(std::make_unique<TChunkPLTE>(this)));
        palette->SetCount(1 << bitDepth);
    }
    chunks_.Add(std::make_unique<TChunkIDAT>(this));
    chunks_.Add(std::make_unique<TChunkIEND>(this));
    Changed();
}

void TPngGraphic::AssignBitmap(const TBitmap& bitmap) {
    const Bitmap32& pixels = bitmap.Pixels();
    const int bits = bitmap.BitsPerPixel();
    std::vector<Pixel> table;
    std::map<Pixel, int> index;
    // NOTE: a bitmap of fewer than 16 bits per pixel becomes an indexed picture of its depth;
    // one whose colours do not fit that depth (it was drawn on since it was loaded) is kept as
    // truecolour rather than lose colours.
    const bool indexed = (bits == 1 || bits == 4 || bits == 8) && CollectPalette(pixels, bits, table, index);
    const auto width = static_cast<std::uint32_t>(pixels.Width()), height = static_cast<std::uint32_t>(pixels.Height());
    Clear();
    interlaceMethod_ = 0;
    auto* header = static_cast<TChunkIHDR*>(chunks_.Add(std::make_unique<TChunkIHDR>(this)));
    header->Width = width;
    header->Height = height;
    header->BitDepth = static_cast<std::uint8_t>(indexed ? bits : 8);
    header->ColourType = indexed ? kIndexed : kTruecolour;
    header->BuildStorage();
    if (indexed) {
        auto* palette = static_cast<TChunkPLTE*>(chunks_.Add(std::make_unique<TChunkPLTE>(this)));
        palette->SetCount(1 << bits);
        for (std::size_t i = 0; i < table.size(); ++i)
            header->ColourTable()[i] = {PixelB(table[i]), PixelG(table[i]), PixelR(table[i]), 0};
    }
    for (std::uint32_t y = 0; y < height; ++y) {
        const Pixel* row = pixels.Row(static_cast<int>(y));
        std::uint8_t* stored = header->StoredRow(y);
        for (std::uint32_t x = 0; x < width; ++x) {
            if (indexed) {
                PutIndex(*header, x, y, index[row[x] | 0xFF000000u]);
            } else {
                stored[3 * x] = PixelB(row[x]);
                stored[3 * x + 1] = PixelG(row[x]);
                stored[3 * x + 2] = PixelR(row[x]);
            }
        }
    }
    if (bitmap.Transparent()) {
        static_cast<TChunktRNS*>(chunks_.Add(std::make_unique<TChunktRNS>(this)))
            ->SetKeyColour(bitmap.TransparentColor());
    }
    chunks_.Add(std::make_unique<TChunkIDAT>(this));
    chunks_.Add(std::make_unique<TChunkIEND>(this));
    Changed();
}

void TPngGraphic::AssignToBitmap(TBitmap& bitmap) const {
    const TChunkIHDR& header = Header();
    TBitmap result;
    result.Pixels() = OpaquePixels();
    result.SetBitsPerPixel(header.StoredBits());
    if (TransparencyMode() == TPngTransparencyMode::ptmBit) {
        result.SetTransparentColor(TransparentColor());
        result.SetTransparent(true);
    }
    bitmap = result;
}

bool TPngGraphic::AssignTo(TGraphic& destination) const {
    if (auto* png = dynamic_cast<TPngGraphic*>(&destination)) {
        png->Assign(*this);
        return true;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(&destination); bitmap && HeaderOrNull()) {
        AssignToBitmap(*bitmap);
        return true;
    }
    return false;
}

void TPngGraphic::Assign(const TGraphic& source) {
    if (const auto* png = dynamic_cast<const TPngGraphic*>(&source)) {
        Assign(*png);
    } else if (const auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
        AssignBitmap(*bitmap);
    } else {
        ThrowAssignError(source.ClassName(), "TPngGraphic");
    }
}

void TPngGraphic::LoadFromClipboardBitmap(const TBitmap& bitmap) {
    TBitmap opaque(bitmap);
    opaque.SetTransparent(false);
    AssignBitmap(opaque);
}

}  // namespace zindra
