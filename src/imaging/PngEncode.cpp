// Writing the image data (PNG 12.8, 9.6): rows back to their file form, a filter chosen for
// each, one zlib stream cut into IDAT chunks.
#include <zlib.h>

#include <array>
#include <utility>
#include <vector>

#include "framework/Stream.h"
#include "imaging/PngErrors.h"
#include "imaging/PngGraphic.h"
#include "imaging/PngImageData.h"
#include "imaging/PngRows.h"

namespace zindra {

namespace {

constexpr TFilter kFilterBits[5] = {pfNone, pfSub, pfUp, pfAverage, pfPaeth};

// Bytes equal to one of the two before them, from the third byte on: long runs and short
// repeats, which deflate packs best.
int Score(const std::uint8_t* bytes, std::size_t length) {
    int score = 0;
    for (std::size_t i = 2; i < length; ++i)
        score += bytes[i] == bytes[i - 1] || bytes[i] == bytes[i - 2] ? 1 : 0;
    return score;
}

class IdatWriter {
public:
    IdatWriter(TStream& stream, int level, std::uint32_t chunkSize) : stream_(stream), chunk_(chunkSize) {
        if (deflateInit(&z_, level) != Z_OK) throw EPngOutOfMemory(pngtext::kOutOfMemory);
        z_.next_out = chunk_.data();
        z_.avail_out = static_cast<uInt>(chunk_.size());
    }
    ~IdatWriter() { deflateEnd(&z_); }
    IdatWriter(const IdatWriter&) = delete;
    IdatWriter& operator=(const IdatWriter&) = delete;

    void Feed(const std::uint8_t* bytes, std::size_t size) { Run(bytes, size, Z_NO_FLUSH); }
    void Finish() {
        Run(nullptr, 0, Z_FINISH);
        const std::size_t pending = chunk_.size() - z_.avail_out;
        if (pending > 0 || !wrote_) Flush(pending);
    }

private:
    void Run(const std::uint8_t* bytes, std::size_t size, int flush) {
        z_.next_in = const_cast<Bytef*>(bytes);
        z_.avail_in = static_cast<uInt>(size);
        for (;;) {
            const int status = deflate(&z_, flush);
            if (status == Z_STREAM_ERROR)
                throw EPngZlibError(std::string(pngtext::kZlibError) + ZlibCodeDescription(status));
            if (z_.avail_out == 0) {
                Flush(chunk_.size());
                continue;
            }
            if (flush == Z_FINISH ? status == Z_STREAM_END : z_.avail_in == 0) return;
        }
    }
    void Flush(std::size_t size) {
        WriteChunk(stream_, {'I', 'D', 'A', 'T'}, chunk_.data(), size);
        wrote_ = true;
        z_.next_out = chunk_.data();
        z_.avail_out = static_cast<uInt>(chunk_.size());
    }

    TStream& stream_;
    std::vector<std::uint8_t> chunk_;
    z_stream z_{};
    bool wrote_ = false;
};

class RowFilterer {
public:
    RowFilterer(TFilters filters, std::size_t maxRow) : filters_(filters) {
        for (auto& line : lines_)
            line.resize(maxRow + 1);
    }

    // The filter byte and the filtered row, ready for the compressor.
    const std::vector<std::uint8_t>& Filter(const std::uint8_t* row, const std::uint8_t* prev, std::size_t length,
                                            int offset) {
        const int type = Choose(row, prev, length, offset);
        return lines_[static_cast<std::size_t>(type)];
    }

private:
    int Choose(const std::uint8_t* row, const std::uint8_t* prev, std::size_t length, int offset) {
        const TFilters set = filters_ & 31;
        int only = -1, members = 0;
        for (int t = 0; t < 5; ++t) {
            if (set & kFilterBits[t]) ++members, only = t;
        }
        if (members <= 1) {
            const int type = members == 0 ? 0 : only;
            Make(type, row, prev, length, offset);
            return type;
        }
        int best = 0, bestScore = 0;
        for (int t = 0; t < 5; ++t) {
            if (!(set & kFilterBits[t])) continue;
            Make(t, row, prev, length, offset);
            const int score = Score(lines_[static_cast<std::size_t>(t)].data() + 1, length);
            if (score > bestScore) best = t, bestScore = score;
        }
        if (bestScore == 0) Make(0, row, prev, length, offset);
        return best;
    }
    void Make(int type, const std::uint8_t* row, const std::uint8_t* prev, std::size_t length, int offset) {
        std::vector<std::uint8_t>& line = lines_[static_cast<std::size_t>(type)];
        line.resize(length + 1);
        line[0] = static_cast<std::uint8_t>(type);
        FilterRow(static_cast<std::uint8_t>(type), row, prev, length, offset, line.data() + 1);
    }

    TFilters filters_;
    std::array<std::vector<std::uint8_t>, 5> lines_;
};

}  // namespace

bool TChunkIDAT::SaveToStream(TStream& stream) {
    TPngGraphic& owner = Owner();
    TChunkIHDR& header = owner.Header();
    PngRowLayout layout;
    if (!header.HasStorage() || !MakeRowLayout(header.ColourType, header.BitDepth, layout)) {
        throw EPngInvalidIhdr(pngtext::kInvalidIhdr);
    }
    const RowEncodeFn encode = RowEncoderFor(layout);
    const std::uint8_t* inverse = owner.InverseGamma().data();
    const std::size_t fullRow = layout.RowBytes(header.Width);
    std::vector<std::uint8_t> row(fullRow), prev(fullRow), packed(layout.StoredBytes(header.Width)),
        packedAlpha(header.Width);
    RowFilterer filterer(owner.Filters(), fullRow);
    IdatWriter writer(stream, owner.CompressionLevel(), owner.MaxIdatSize());
    const bool interlaced = owner.InterlaceMethod() == 1;
    const Adam7Pass whole{0, 0, 1, 1};
    for (int p = 0; p < (interlaced ? 7 : 1); ++p) {
        const Adam7Pass& pass = interlaced ? kAdam7[p] : whole;
        const std::uint32_t w = PassExtent(header.Width, pass.X0, pass.DX);
        const std::uint32_t h = PassExtent(header.Height, pass.Y0, pass.DY);
        if (interlaced && (w == 0 || h == 0)) continue;
        const std::size_t length = layout.RowBytes(w);
        std::fill(prev.begin(), prev.end(), 0);
        for (std::uint32_t r = 0; r < h; ++r) {
            const std::uint32_t y = pass.Y0 + r * pass.DY;
            const std::uint8_t* alpha = layout.HasAlpha() ? header.AlphaRow(y) : nullptr;
            if (interlaced) {
                GatherPixels(layout.StoredBits, header.StoredRow(y), w, pass.X0, pass.DX, packed.data());
                for (std::uint32_t i = 0; alpha && i < w; ++i)
                    packedAlpha[i] = alpha[pass.X0 + std::size_t{i} * pass.DX];
                encode(packed.data(), packedAlpha.data(), w, row.data(), inverse);
            } else {
                encode(header.StoredRow(y), alpha, w, row.data(), inverse);
            }
            const auto& line = filterer.Filter(row.data(), prev.data(), length, layout.FilterOffset);
            writer.Feed(line.data(), length + 1);
            std::swap(row, prev);
        }
    }
    writer.Finish();
    return true;
}

}  // namespace zindra
