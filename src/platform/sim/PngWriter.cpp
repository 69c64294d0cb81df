// PNG writing: chunk framing, per-row filter choice and deflate through zlib.
#include "platform/sim/PngWriter.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <new>
#include <stdexcept>

namespace zindra::platform::sim {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kLevel = 6;
// Compressed bytes per IDAT chunk; keeps every chunk far below the 2^31 - 1 length limit.
constexpr std::size_t kIdatSize = 256 * 1024;

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.insert(out.end(), {static_cast<std::uint8_t>(v >> 24), static_cast<std::uint8_t>(v >> 16),
                           static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)});
}

// PNG 5.3: length, type, data, then the CRC of type and data.
void PutChunk(std::vector<std::uint8_t>& out, const char (&type)[5], const std::uint8_t* data, std::size_t size) {
    PutU32(out, static_cast<std::uint32_t>(size));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    if (size > 0) out.insert(out.end(), data, data + size);
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), out.data() + typeAt, static_cast<uInt>(size + 4));
    PutU32(out, static_cast<std::uint32_t>(crc));
}

// PNG 9.4: the predictor that is nearest to a + b - c, ties going to a, then b.
std::uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return static_cast<std::uint8_t>(a);
    return static_cast<std::uint8_t>(pb <= pc ? b : c);
}

// PNG 9.2: the byte's predictor from its left (a), upper (b) and upper-left (c) neighbours.
template <int Type>
int Predict(int a, int b, int c) {
    if constexpr (Type == 0) return 0;
    if constexpr (Type == 1) return a;
    if constexpr (Type == 2) return b;
    if constexpr (Type == 3) return (a + b) / 2;
    if constexpr (Type == 4) return Paeth(a, b, c);
}

// Writes the filtered row after its type byte and returns the sum of absolute values with the
// bytes read as signed. The first pixel has no left neighbours, which count as zero.
template <int Type>
std::uint64_t ApplyFilter(const std::uint8_t* row, const std::uint8_t* prior, std::size_t size, std::size_t pixelBytes,
                          std::uint8_t* out) {
    *out++ = static_cast<std::uint8_t>(Type);
    std::uint64_t sum = 0;
    const std::size_t head = std::min(pixelBytes, size);
    for (std::size_t i = 0; i < head; ++i) {
        out[i] = static_cast<std::uint8_t>(row[i] - Predict<Type>(0, prior[i], 0));
        sum += out[i] < 128 ? out[i] : 256 - out[i];
    }
    // Kept branch-free so that the compiler can vectorise it.
    std::uint32_t rest = 0;
    for (std::size_t i = head; i < size; ++i) {
        const auto value =
            static_cast<std::uint8_t>(row[i] - Predict<Type>(row[i - pixelBytes], prior[i], prior[i - pixelBytes]));
        out[i] = value;
        rest += value < 128 ? value : 256u - value;
    }
    return sum + rest;
}

// Filters each row every way and keeps the one with the least sum; ties go to the lower type.
class RowFilter {
public:
    RowFilter(std::size_t rowBytes, std::size_t pixelBytes) : rowBytes_(rowBytes), pixelBytes_(pixelBytes) {
        for (auto& candidate : candidates_)
            candidate.resize(rowBytes + 1);
    }

    // prior is the previous raw row, all zero for the first one.
    const std::vector<std::uint8_t>& Filter(const std::uint8_t* row, const std::uint8_t* prior) {
        const std::array<std::uint64_t, 5> sums = {
            ApplyFilter<0>(row, prior, rowBytes_, pixelBytes_, candidates_[0].data()),
            ApplyFilter<1>(row, prior, rowBytes_, pixelBytes_, candidates_[1].data()),
            ApplyFilter<2>(row, prior, rowBytes_, pixelBytes_, candidates_[2].data()),
            ApplyFilter<3>(row, prior, rowBytes_, pixelBytes_, candidates_[3].data()),
            ApplyFilter<4>(row, prior, rowBytes_, pixelBytes_, candidates_[4].data())};
        std::size_t best = 0;
        for (std::size_t type = 1; type < sums.size(); ++type) {
            if (sums[type] < sums[best]) best = type;
        }
        return candidates_[best];
    }

private:
    std::size_t rowBytes_;
    std::size_t pixelBytes_;
    std::array<std::vector<std::uint8_t>, 5> candidates_;
};

// One zlib stream spread over IDAT chunks of kIdatSize compressed bytes.
class IdatWriter {
public:
    explicit IdatWriter(std::vector<std::uint8_t>& out) : out_(out), buffer_(kIdatSize) {
        const int status = deflateInit2(&stream_, kLevel, Z_DEFLATED, 15, 8, Z_FILTERED);
        if (status == Z_MEM_ERROR) throw std::bad_alloc();
        if (status != Z_OK) throw std::runtime_error("EncodePng: zlib rejected the compressor settings");
    }
    ~IdatWriter() { deflateEnd(&stream_); }
    IdatWriter(const IdatWriter&) = delete;
    IdatWriter& operator=(const IdatWriter&) = delete;

    void Write(const std::vector<std::uint8_t>& data, bool last) {
        stream_.next_in = const_cast<Bytef*>(data.data());
        stream_.avail_in = static_cast<uInt>(data.size());
        const int flush = last ? Z_FINISH : Z_NO_FLUSH;
        for (;;) {
            stream_.next_out = buffer_.data() + used_;
            stream_.avail_out = static_cast<uInt>(buffer_.size() - used_);
            const int status = deflate(&stream_, flush);
            if (status == Z_STREAM_ERROR) throw std::runtime_error("EncodePng: zlib stream error");
            used_ = buffer_.size() - stream_.avail_out;
            if (used_ == buffer_.size() || (status == Z_STREAM_END && used_ > 0)) Flush();
            if (status == Z_STREAM_END || (!last && stream_.avail_in == 0 && stream_.avail_out > 0)) return;
        }
    }

private:
    void Flush() {
        PutChunk(out_, "IDAT", buffer_.data(), used_);
        used_ = 0;
    }

    std::vector<std::uint8_t>& out_;
    std::vector<std::uint8_t> buffer_;
    std::size_t used_ = 0;
    z_stream stream_{};
};

void PutHeader(std::vector<std::uint8_t>& out, const PixelView& view, bool withAlpha) {
    out.assign(kSignature.begin(), kSignature.end());
    std::vector<std::uint8_t> ihdr;
    PutU32(ihdr, static_cast<std::uint32_t>(view.Width));
    PutU32(ihdr, static_cast<std::uint32_t>(view.Height));
    // Bit depth 8; colour type 6 (RGBA) or 2 (RGB); deflate, adaptive filtering, no interlace.
    ihdr.insert(ihdr.end(), {8, static_cast<std::uint8_t>(withAlpha ? 6 : 2), 0, 0, 0});
    PutChunk(out, "IHDR", ihdr.data(), ihdr.size());
}

void ToBytes(const Pixel* pixels, int width, bool withAlpha, std::uint8_t* out) {
    for (int x = 0; x < width; ++x) {
        const Pixel p = pixels[x];
        *out++ = static_cast<std::uint8_t>(p >> 16);
        *out++ = static_cast<std::uint8_t>(p >> 8);
        *out++ = static_cast<std::uint8_t>(p);
        if (withAlpha) *out++ = static_cast<std::uint8_t>(p >> 24);
    }
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const PixelView& view, bool withAlpha) {
    if (view.Pixels == nullptr || view.Width <= 0 || view.Height <= 0 || view.Stride < view.Width) {
        throw std::invalid_argument("EncodePng: empty view or stride shorter than a row");
    }
    const std::size_t pixelBytes = withAlpha ? 4 : 3;
    const std::size_t rowBytes = static_cast<std::size_t>(view.Width) * pixelBytes;
    std::vector<std::uint8_t> out;
    PutHeader(out, view, withAlpha);
    {
        IdatWriter idat(out);
        RowFilter filter(rowBytes, pixelBytes);
        std::vector<std::uint8_t> prior(rowBytes, 0), row(rowBytes);
        for (int y = 0; y < view.Height; ++y) {
            ToBytes(view.Row(y), view.Width, withAlpha, row.data());
            idat.Write(filter.Filter(row.data(), prior.data()), y + 1 == view.Height);
            prior.swap(row);
        }
    }
    PutChunk(out, "IEND", nullptr, 0);
    return out;
}

}  // namespace zindra::platform::sim
