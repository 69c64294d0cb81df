// Decoding the image data (PNG 10, 9, 8.2): the IDAT chunks' zlib stream, unfiltered row by row
// and converted straight into the header's storage. A well-formed stream in memory is inflated
// in one piece by the fast inflater; anything else, or anything it doubts, goes through zlib row
// by row, which also gives damaged files their exact errors.
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "framework/Stream.h"
#include "framework/graphics/PixelProcessor.h"
#include "imaging/Inflate.h"
#include "imaging/PngErrors.h"
#include "imaging/PngGraphic.h"
#include "imaging/PngImageData.h"
#include "imaging/PngKernels.h"
#include "imaging/PngRows.h"
#include "platform/ByteOrder.h"

namespace zindra {

using platform::GetBe32;

namespace {

constexpr ChunkName kIdatName = {'I', 'D', 'A', 'T'};
constexpr std::size_t kInputBuffer = 65535;
// Deflate cannot expand a byte into more than about 1032 (RFC 1951: 258 bytes per 2 bits).
constexpr std::uint64_t kMaxInflateRatio = 1032;

std::uint32_t IdatCrc() {
    return UpdateCrc(0, kIdatName.data(), 4);
}

// Where rows go: the converter of the format, into the storage (Adam7 rows through a packed
// row and a scatter to their columns).
class ImageTarget {
public:
    ImageTarget(TChunkIHDR& header, const PngRowLayout& layout, const std::uint8_t* gamma, bool identityGamma)
        : header_(header), layout_(layout), gamma_(gamma), decode_(RowDecoderFor(layout, identityGamma)) {}

    void Put(const std::uint8_t* row, std::uint32_t count, std::uint32_t y, const Adam7Pass* pass) {
        std::uint8_t* alpha = layout_.HasAlpha() ? header_.AlphaRow(y) : nullptr;
        if (!pass) {
            decode_(row, count, header_.StoredRow(y), alpha, gamma_);
            return;
        }
        packed_.resize(layout_.StoredBytes(count));
        packedAlpha_.resize(count);
        decode_(row, count, packed_.data(), packedAlpha_.data(), gamma_);
        ScatterPixels(layout_.StoredBits, packed_.data(), count, header_.StoredRow(y), pass->X0, pass->DX);
        if (alpha) {
            for (std::uint32_t i = 0; i < count; ++i)
                alpha[pass->X0 + std::size_t{i} * pass->DX] = packedAlpha_[i];
        }
    }

private:
    TChunkIHDR& header_;
    const PngRowLayout& layout_;
    const std::uint8_t* gamma_;
    RowDecodeFn decode_;
    std::vector<std::uint8_t> packed_, packedAlpha_;
};

// Hands out filtered rows (filter byte first), or null once the data has run out.
class RowSource {
public:
    virtual ~RowSource() = default;
    virtual std::uint8_t* Next(std::size_t bytes) = 0;
    // True when each row follows the one before it in memory, all of them already there.
    virtual bool Whole() const { return false; }
};

// The rows of one pass or of the whole image; false when the source ran out.
bool DecodePass(RowSource& source, ImageTarget& target, const PngRowLayout& layout, std::uint32_t width,
                std::uint32_t height, const Adam7Pass* pass, std::vector<std::uint8_t>& zeros) {
    const std::size_t rowBytes = layout.RowBytes(width);
    zeros.assign(rowBytes + 1, 0);
    const std::uint8_t* prev = zeros.data();
    auto y = [pass](std::uint32_t r) { return pass ? pass->Y0 + r * pass->DY : r; };
    for (std::uint32_t r = 0; r < height; ++r) {
        std::uint8_t* row = source.Next(rowBytes + 1);
        if (!row) return false;
        const std::size_t stride = rowBytes + 1;
        if (source.Whole() && r + 3 < height && row[0] == kFilterPaeth && row[stride] == kFilterPaeth &&
            row[2 * stride] == kFilterPaeth && row[3 * stride] == kFilterPaeth) {
            source.Next(3 * stride);
            ActiveKernels().UnfilterPaethQuad(row + 1, stride, prev + 1, rowBytes, layout.FilterOffset);
            for (int k = 0; k < 4; ++k)
                target.Put(row + 1 + k * stride, width, y(r + static_cast<std::uint32_t>(k)), pass);
            r += 3;
            prev = row + 3 * stride;
            continue;
        }
        if (source.Whole() && r + 1 < height && row[0] == kFilterPaeth && row[rowBytes + 1] == kFilterPaeth) {
            std::uint8_t* next = source.Next(rowBytes + 1);
            ActiveKernels().UnfilterPaethPair(row + 1, next + 1, prev + 1, rowBytes, layout.FilterOffset);
            target.Put(row + 1, width, y(r), pass);
            target.Put(next + 1, width, y(++r), pass);
            prev = next;
            continue;
        }
        UnfilterRow(row[0], row + 1, prev + 1, rowBytes, layout.FilterOffset);
        target.Put(row + 1, width, y(r), pass);
        prev = row;
    }
    return true;
}

void DecodeImage(RowSource& source, ImageTarget& target, const TChunkIHDR& header, const PngRowLayout& layout,
                 bool interlaced) {
    std::vector<std::uint8_t> zeros;
    if (!interlaced) {
        DecodePass(source, target, layout, header.Width, header.Height, nullptr, zeros);
        return;
    }
    for (const Adam7Pass& pass : kAdam7) {
        const std::uint32_t w = PassExtent(header.Width, pass.X0, pass.DX);
        const std::uint32_t h = PassExtent(header.Height, pass.Y0, pass.DY);
        if (w == 0 || h == 0) continue;
        if (!DecodePass(source, target, layout, w, h, &pass, zeros)) return;
    }
}

std::uint64_t ImageBytes(const TChunkIHDR& header, const PngRowLayout& layout, bool interlaced) {
    if (!interlaced) return std::uint64_t{header.Height} * (layout.RowBytes(header.Width) + 1);
    std::uint64_t total = 0;
    for (const Adam7Pass& pass : kAdam7) {
        const std::uint32_t w = PassExtent(header.Width, pass.X0, pass.DX);
        const std::uint32_t h = PassExtent(header.Height, pass.Y0, pass.DY);
        if (w != 0 && h != 0) total += std::uint64_t{h} * (layout.RowBytes(w) + 1);
    }
    return total;
}

// ---- row by row through zlib ----

class ZlibSource : public RowSource {
public:
    ZlibSource(TStream& stream, std::uint32_t firstLength)
        : stream_(stream), remaining_(firstLength), crc_(IdatCrc()), input_(new std::uint8_t[kInputBuffer]) {
        if (inflateInit(&z_) != Z_OK) throw EPngOutOfMemory(pngtext::kOutOfMemory);
    }
    ~ZlibSource() override { inflateEnd(&z_); }
    ZlibSource(const ZlibSource&) = delete;
    ZlibSource& operator=(const ZlibSource&) = delete;

    std::uint8_t* Next(std::size_t bytes) override {
        std::vector<std::uint8_t>& row = rows_[flip_ ^= 1];
        row.resize(bytes);
        return Fill(row.data(), bytes) ? row.data() : nullptr;
    }

    // After the last row: the rest of the current chunk, then its CRC.
    void Finish() {
        // A chunk whose CRC is already read was left because the stream ended after it.
        if (crcRead_) throw EPngUnexpectedEnd(pngtext::kUnexpectedEnd);
        while (remaining_ > 0) {
            const std::size_t got = stream_.Read(input_.get(), std::min<std::size_t>(remaining_, kInputBuffer));
            if (got == 0) throw EPngUnexpectedEnd(pngtext::kUnexpectedEnd);
            crc_ = UpdateCrc(crc_, input_.get(), got);
            remaining_ -= static_cast<std::uint32_t>(got);
        }
        if (!ReadCrc()) throw EPngUnexpectedEnd(pngtext::kUnexpectedEnd);
    }

private:
    bool Fill(std::uint8_t* out, std::size_t bytes) {
        if (ended_) return false;
        z_.next_out = out;
        z_.avail_out = static_cast<uInt>(bytes);
        while (z_.avail_out > 0) {
            if (z_.avail_in == 0 && !Refill()) {
                ended_ = true;
                return false;
            }
            const int status = inflate(&z_, Z_NO_FLUSH);
            if (status == Z_STREAM_END) {
                ended_ = true;
                return z_.avail_out == 0;
            }
            // Z_BUF_ERROR only says no progress was possible; with input left that cannot be.
            if (status != Z_OK && (status != Z_BUF_ERROR || z_.avail_in != 0)) {
                throw EPngZlibError(std::string(pngtext::kZlibError) + ZlibCodeDescription(status));
            }
        }
        return true;
    }

    // Reads on into the next IDAT chunk when this one is used up; false when the stream ends.
    bool Refill() {
        while (remaining_ == 0) {
            crcRead_ = true;
            std::uint8_t next[8];
            if (!ReadCrc() || stream_.Read(next, 8) != 8) return false;
            if (std::memcmp(next + 4, kIdatName.data(), 4) != 0) {
                throw EPngMissingMultipleIdat(pngtext::kMissingMultipleIdat);
            }
            remaining_ = GetBe32(next);
            crc_ = IdatCrc();
            crcRead_ = false;
        }
        const std::size_t got = stream_.Read(input_.get(), std::min<std::size_t>(remaining_, kInputBuffer));
        if (got == 0) return false;
        crc_ = UpdateCrc(crc_, input_.get(), got);
        remaining_ -= static_cast<std::uint32_t>(got);
        z_.next_in = input_.get();
        z_.avail_in = static_cast<uInt>(got);
        return true;
    }

    // The current chunk's CRC: false when the stream has no 4 bytes left for it.
    bool ReadCrc() {
        std::uint8_t stored[4];
        if (stream_.Read(stored, 4) != 4) return false;
        if (GetBe32(stored) != crc_) throw EPngInvalidCrc(pngtext::kInvalidCrc);
        return true;
    }

    TStream& stream_;
    std::uint32_t remaining_;
    std::uint32_t crc_;
    z_stream z_{};
    std::unique_ptr<std::uint8_t[]> input_;
    std::vector<std::uint8_t> rows_[2];
    int flip_ = 0;
    bool ended_ = false;
    bool crcRead_ = false;
};

// ---- in one piece ----

class WholeSource : public RowSource {
public:
    explicit WholeSource(std::uint8_t* data) : at_(data) {}
    std::uint8_t* Next(std::size_t bytes) override {
        std::uint8_t* row = at_;
        at_ += bytes;
        return row;
    }
    bool Whole() const override { return true; }

private:
    std::uint8_t* at_;
};

// The data of the run of IDAT chunks from here on, when the stream holds them in memory, whole
// and with good CRCs; end is where the run ends. Nothing is read from the stream.
bool GatherRun(const TStream& stream, std::uint32_t firstLength, std::vector<std::uint8_t>& joined,
               std::span<const std::uint8_t>& data, std::size_t& end) {
    const std::span<const std::uint8_t> view = stream.Unread();
    std::vector<std::span<const std::uint8_t>> parts;
    std::size_t at = 0;
    std::uint64_t length = firstLength;
    for (;;) {
        if (view.size() - at < length + 4) return false;
        const std::span<const std::uint8_t> part = view.subspan(at, static_cast<std::size_t>(length));
        const std::uint32_t crc = UpdateCrc(IdatCrc(), part.data(), part.size());
        if (GetBe32(part.data() + part.size()) != crc) return false;
        parts.push_back(part);
        at += static_cast<std::size_t>(length) + 4;
        if (view.size() - at < 8 || std::memcmp(view.data() + at + 4, kIdatName.data(), 4) != 0) break;
        length = GetBe32(view.data() + at);
        at += 8;
    }
    end = at;
    if (parts.size() == 1) {
        data = parts[0];
        return true;
    }
    for (const auto& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    data = joined;
    return true;
}

bool DecodeWhole(TStream& stream, std::uint32_t firstLength, ImageTarget& target, const TChunkIHDR& header,
                 const PngRowLayout& layout, bool interlaced, std::uint64_t limit) {
    const std::uint64_t needed = ImageBytes(header, layout, interlaced);
    if (needed > limit) return false;
    std::vector<std::uint8_t> joined;
    std::span<const std::uint8_t> data;
    std::size_t end = 0;
    if (!GatherRun(stream, firstLength, joined, data, end)) return false;
    if (needed > (data.size() + 1) * kMaxInflateRatio) return false;
    std::unique_ptr<std::uint8_t[]> image(new std::uint8_t[needed == 0 ? 1 : needed]);
    if (InflateZlib(data, {image.get(), static_cast<std::size_t>(needed)}) != InflateStatus::kOk) return false;
    stream.Seek(stream.Position() + end);
    WholeSource source(image.get());
    DecodeImage(source, target, header, layout, interlaced);
    return true;
}

// PNG 4.4's greyscale: a ramp of 2^bits greys, each through the gamma table.
void BuildGreyRamp(TChunkIHDR& header, const std::uint8_t* gamma) {
    const int n = 1 << header.StoredBits();
    for (int k = 0; k < n; ++k) {
        const std::uint8_t g = gamma[(k * 255 + (n - 1) / 2) / (n - 1)];
        header.ColourTable()[static_cast<std::size_t>(k)] = {g, g, g, 0};
    }
}

}  // namespace

bool TChunkIDAT::LoadFromStream(TStream& stream, const ChunkName& name, std::uint32_t size) {
    SetName(name);
    TPngGraphic& owner = Owner();
    TChunkIHDR& header = owner.Header();
    PngRowLayout layout;
    if (!header.HasStorage() || !MakeRowLayout(header.ColourType, header.BitDepth, layout)) {
        throw EPngInvalidIhdr(pngtext::kInvalidIhdr);
    }
    const std::uint8_t* gamma = owner.GammaTable().data();
    if (header.ColourType == kGreyscale || header.ColourType == kGreyscaleAlpha) BuildGreyRamp(header, gamma);
    bool identity = true;
    for (int i = 0; i < 256; ++i)
        identity = identity && gamma[i] == i;
    ImageTarget target(header, layout, gamma, identity);
    // Both ways below run vector code from here on.
    ClearUpperVectorState();
    const bool interlaced = owner.InterlaceMethod() == 1;
    const std::uint64_t start = stream.Position();
    if (DecodeWhole(stream, size, target, header, layout, interlaced, owner.Limits().MaxWholeImageBytes)) return true;
    stream.Seek(start);
    ZlibSource source(stream, size);
    DecodeImage(source, target, header, layout, interlaced);
    source.Finish();
    return true;
}

}  // namespace zindra
