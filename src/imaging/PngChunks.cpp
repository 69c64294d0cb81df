// The base chunk's reading and writing, the small chunks, and the chunk class registry.
#include "imaging/PngChunks.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "framework/Stream.h"
#include "imaging/PngChunkList.h"
#include "imaging/PngErrors.h"
#include "imaging/PngGraphic.h"
#include "imaging/PngHeader.h"
#include "imaging/PngImageData.h"
#include "imaging/PngKernels.h"
#include "platform/ByteOrder.h"

namespace zindra {

using platform::GetBe16;
using platform::GetBe32;
using platform::PutBe16;
using platform::PutBe32;

ChunkName MakeChunkName(const char* fourCharacters) {
    return {fourCharacters[0], fourCharacters[1], fourCharacters[2], fourCharacters[3]};
}

const char* ZlibCodeDescription(int code) {
    switch (code) {
        case Z_VERSION_ERROR:
            return "incompatible version (-6)";
        case Z_BUF_ERROR:
            return "buffer error (-5)";
        case Z_MEM_ERROR:
            return "insufficient memory (-4)";
        case Z_DATA_ERROR:
            return "data error (-3)";
        case Z_STREAM_ERROR:
            return "stream error (-2)";
        case Z_ERRNO:
            return "file error (-1)";
        case Z_OK:
            return "(0)";
        case Z_STREAM_END:
            return "stream end (1)";
        case Z_NEED_DICT:
            return "need dictionary (2)";
        default:
            return "";
    }
}

std::uint32_t UpdateCrc(std::uint32_t crc, const void* bytes, std::size_t size) {
    return ActiveKernels().Crc32(crc, static_cast<const std::uint8_t*>(bytes), size);
}

// ---- the list ----

TChunk* TPngChunkList::Add(std::unique_ptr<TChunk> chunk) {
    items_.push_back(std::move(chunk));
    return items_.back().get();
}

TChunk* TPngChunkList::Insert(int index, std::unique_ptr<TChunk> chunk) {
    const auto at = index < 0 ? 0 : (index > Count() ? Count() : index);
    return items_.insert(items_.begin() + at, std::move(chunk))->get();
}

std::unique_ptr<TChunk> TPngChunkList::Remove(const TChunk* chunk) {
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
        if (it->get() == chunk) {
            std::unique_ptr<TChunk> taken = std::move(*it);
            items_.erase(std::next(it).base());
            return taken;
        }
    }
    return nullptr;
}

// ---- the base chunk ----

TChunk::TChunk(TPngGraphic* owner) : owner_(owner) {}

void TChunk::Assign(const TChunk& source) {
    name_ = source.name_;
    data_ = source.data_;
}

void TChunk::LoadData(TStream& stream, const ChunkName& name, std::uint32_t size) {
    name_ = name;
    // NOTE: the length is checked against what the stream holds before anything is allocated.
    if (size > stream.Remaining()) throw EPngUnexpectedEnd(pngtext::kUnexpectedEnd);
    data_.resize(size);
    std::uint8_t crc[4];
    if (stream.Read(data_.data(), size) != size || stream.Read(crc, 4) != 4) {
        throw EPngUnexpectedEnd(pngtext::kUnexpectedEnd);
    }
    const std::uint32_t expected = UpdateCrc(UpdateCrc(0, name_.data(), 4), data_.data(), data_.size());
    if (GetBe32(crc) != expected) throw EPngInvalidCrc(pngtext::kInvalidCrc);
}

bool TChunk::LoadFromStream(TStream& stream, const ChunkName& name, std::uint32_t size) {
    LoadData(stream, name, size);
    return true;
}

void WriteChunk(TStream& stream, const ChunkName& name, const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> head;
    PutBe32(head, static_cast<std::uint32_t>(size));
    head.insert(head.end(), name.begin(), name.end());
    const std::uint32_t crc = UpdateCrc(UpdateCrc(0, head.data() + 4, 4), data, size);
    stream.Write(head.data(), head.size());
    stream.Write(data, size);
    std::vector<std::uint8_t> tail;
    PutBe32(tail, crc);
    stream.Write(tail.data(), tail.size());
}

void TChunk::WriteFramed(TStream& stream) const {
    WriteChunk(stream, name_, data_.data(), data_.size());
}

bool TChunk::SaveToStream(TStream& stream) {
    WriteFramed(stream);
    return true;
}

std::unique_ptr<TChunk> TChunk::CreateSame(TPngGraphic* owner) const {
    return std::make_unique<TChunk>(owner);
}

// ---- PLTE ----

void TChunkPLTE::Assign(const TChunk& source) {
    const auto* palette = dynamic_cast<const TChunkPLTE*>(&source);
    if (!palette) throw EPngError(pngtext::kIncompatibleChunks);
    count_ = palette->count_;
}

bool TChunkPLTE::LoadFromStream(TStream& stream, const ChunkName& name, std::uint32_t size) {
    LoadData(stream, name, size);
    if (size % 3 != 0 || size > 768) throw EPngInvalidPalette(pngtext::kInvalidPalette);
    auto& table = Owner().Header().ColourTable();
    const auto& gamma = Owner().GammaTable();
    count_ = static_cast<int>(size / 3);
    for (int i = 0; i < count_; ++i) {
        const std::uint8_t* rgb = Data().data() + 3 * i;
        table[static_cast<std::size_t>(i)] = {gamma[rgb[2]], gamma[rgb[1]], gamma[rgb[0]], 0};
    }
    return true;
}

bool TChunkPLTE::SaveToStream(TStream& stream) {
    const auto& table = Owner().Header().ColourTable();
    const auto& inverse = Owner().InverseGamma();
    std::vector<std::uint8_t> data;
    for (int i = 0; i < count_; ++i) {
        const RgbQuad& q = table[static_cast<std::size_t>(i)];
        data.insert(data.end(), {inverse[q.Red], inverse[q.Green], inverse[q.Blue]});
    }
    SetData(std::move(data));
    WriteFramed(stream);
    return true;
}

std::uint32_t TChunkPLTE::Item(int index) const {
    if (index < 0 || index >= count_) throw EPngError(pngtext::kNoSuchPaletteEntry);
    const RgbQuad& q = Owner().Header().ColourTable()[static_cast<std::size_t>(index)];
    return std::uint32_t{q.Red} << 16 | std::uint32_t{q.Green} << 8 | q.Blue;
}

// ---- tRNS ----

void TChunktRNS::Assign(const TChunk& source) {
    if (const auto* other = dynamic_cast<const TChunktRNS*>(&source)) {
        alpha_ = other->alpha_;
        singleColour_ = other->singleColour_;
    }
    TChunk::Assign(source);
}

bool TChunktRNS::LoadFromStream(TStream& stream, const ChunkName& name, std::uint32_t size) {
    LoadData(stream, name, size);
    if (size > 256) throw EPngInvalidPalette(pngtext::kInvalidPalette);
    alpha_.fill(255);
    std::memcpy(alpha_.data(), Data().data(), size);
    switch (Owner().Header().ColourType) {
        case kGreyscale:
        case kTruecolour:
            singleColour_ = true;
            break;
        case kIndexed: {
            int below = 0;
            for (std::uint32_t i = 0; i < size; ++i)
                below += alpha_[i] != 255 ? 1 : 0;
            singleColour_ = below == 1;
            break;
        }
        default:
            singleColour_ = false;
            break;
    }
    return true;
}

bool TChunktRNS::SaveToStream(TStream& stream) {
    if (DataSize() <= 256) {
        SetData(std::vector<std::uint8_t>(alpha_.begin(), alpha_.begin() + DataSize()));
    }
    WriteFramed(stream);
    return true;
}

std::uint16_t TChunktRNS::Sample(int index) const {
    const std::size_t at = 2 * static_cast<std::size_t>(index);
    return at + 1 < Data().size() ? GetBe16(Data().data() + at) : 0;
}

TColor TChunktRNS::TransparentColor() const {
    const TChunkIHDR* header = Owner().HeaderOrNull();
    if (!header) return 0;
    const auto& gamma = Owner().GammaTable();
    // NOTE: the key is the colour such a pixel has in the storage (samples scaled to 8 bits as
    // the grey ramp and the converters do, then through the gamma table), so that every pixel
    // of the tRNS value and only those match it.
    const int depth = header->BitDepth;
    auto stored = [&](std::uint16_t v) -> std::uint8_t {
        if (depth == 16) return static_cast<std::uint8_t>(v >> 8);
        if (depth < 8) return static_cast<std::uint8_t>((v & ((1 << depth) - 1)) * 255 / ((1 << depth) - 1));
        return static_cast<std::uint8_t>(v);
    };
    switch (header->ColourType) {
        case kGreyscale: {
            const std::uint8_t g = gamma[stored(Sample(0))];
            return RGB(g, g, g);
        }
        case kTruecolour:
            return RGB(gamma[stored(Sample(0))], gamma[stored(Sample(1))], gamma[stored(Sample(2))]);
        case kIndexed: {
            // The one see-through entry of a single-colour chunk, else the first entry of alpha 0.
            for (int i = 0; i < DataSize(); ++i) {
                const std::uint8_t a = alpha_[static_cast<std::size_t>(i)];
                if (singleColour_ ? a != 255 : a == 0) {
                    const RgbQuad& q = header->ColourTable()[static_cast<std::size_t>(i)];
                    return RGB(q.Red, q.Green, q.Blue);
                }
            }
            return 0;
        }
        default:
            return 0;
    }
}

// ---- gAMA ----

void TChunkgAMA::Assign(const TChunk& source) {
    const auto* other = dynamic_cast<const TChunkgAMA*>(&source);
    if (!other) throw EPngError(pngtext::kIncompatibleChunks);
    SetGamma(other->Gamma());
}

std::uint32_t TChunkgAMA::Gamma() const {
    return DataSize() == 4 ? GetBe32(Data().data()) : 1;
}

void TChunkgAMA::SetGamma(std::uint32_t value) {
    std::vector<std::uint8_t> data;
    PutBe32(data, value);
    SetData(std::move(data));
}

bool TChunkgAMA::LoadFromStream(TStream& stream, const ChunkName& name, std::uint32_t size) {
    LoadData(stream, name, size);
    if (DataSize() != 4) SetGamma(1);
    const std::uint32_t value = Gamma();
    if (value == 0) return true;
    auto& gamma = Owner().GammaTable();
    auto& inverse = Owner().InverseGamma();
    const double exponent = 1.0 / (value / 100000.0 * 2.2);
    for (int i = 0; i < 256; ++i) {
        // std::nearbyint rounds halves to even in the default rounding mode.
        const double g = i == 0 ? 0.0 : std::nearbyint(255.0 * std::pow(i / 255.0, exponent));
        const int stored = g < 0 ? 0 : (g > 255 ? 255 : static_cast<int>(g));
        gamma[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(stored);
        inverse[static_cast<std::size_t>(stored)] = static_cast<std::uint8_t>(i);
    }
    return true;
}

// ---- tIME ----

bool TChunktIME::LoadFromStream(TStream& stream, const ChunkName& name, std::uint32_t size) {
    LoadData(stream, name, size);
    if (size == 7) {
        const std::uint8_t* d = Data().data();
        Year = GetBe16(d);
        Month = d[2];
        Day = d[3];
        Hour = d[4];
        Minute = d[5];
        Second = d[6];
    }
    return true;
}

bool TChunktIME::SaveToStream(TStream& stream) {
    std::vector<std::uint8_t> data;
    PutBe16(data, Year);
    data.insert(data.end(), {Month, Day, Hour, Minute, Second});
    SetData(std::move(data));
    WriteFramed(stream);
    return true;
}

// ---- tEXt and zTXt ----

void TChunktEXt::Assign(const TChunk& source) {
    if (const auto* other = dynamic_cast<const TChunktEXt*>(&source)) {
        Keyword = other->Keyword;
        Text = other->Text;
        return;
    }
    TChunk::Assign(source);
}

bool TChunktEXt::LoadFromStream(TStream& stream, const ChunkName& name, std::uint32_t size) {
    LoadData(stream, name, size);
    if (size > 2) {
        const auto& d = Data();
        const auto zero = std::find(d.begin(), d.end(), std::uint8_t{0});
        Keyword.assign(d.begin(), zero);
        Text.assign(zero == d.end() ? d.end() : zero + 1, d.end());
    }
    return true;
}

bool TChunktEXt::SaveToStream(TStream& stream) {
    std::vector<std::uint8_t> data(Keyword.begin(), Keyword.end());
    data.push_back(0);
    data.insert(data.end(), Text.begin(), Text.end());
    SetData(std::move(data));
    WriteFramed(stream);
    return true;
}

namespace {

// The whole zlib stream in, or false (a broken stream, or more than limit bytes out).
bool InflateText(const std::uint8_t* in, std::size_t size, std::size_t limit, std::string& out) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    z.next_in = const_cast<Bytef*>(in);
    z.avail_in = static_cast<uInt>(size);
    std::string result;
    int status = Z_OK;
    char buffer[16384];
    while (status == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        status = inflate(&z, Z_NO_FLUSH);
        result.append(buffer, sizeof buffer - z.avail_out);
        if (result.size() > limit) status = Z_MEM_ERROR;
    }
    inflateEnd(&z);
    if (status != Z_STREAM_END) return false;
    out = std::move(result);
    return true;
}

}  // namespace

bool TChunkzTXt::LoadFromStream(TStream& stream, const ChunkName& name, std::uint32_t size) {
    TChunktEXt::LoadFromStream(stream, name, size);
    if (size > 3) {
        Text.clear();
        const std::size_t method = Keyword.size() + 1;
        if (method < Data().size() && Data()[method] == 0) {
            const std::size_t from = method + 1;
            InflateText(Data().data() + from, Data().size() - from, Owner().Limits().MaxTextBytes, Text);
        }
    }
    return true;
}

bool TChunkzTXt::SaveToStream(TStream& stream) {
    if (Text.empty()) Text = " ";
    uLongf packedSize = compressBound(static_cast<uLong>(Text.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(Text.data()),
                  static_cast<uLong>(Text.size()), Owner().CompressionLevel()) != Z_OK) {
        return false;
    }
    std::vector<std::uint8_t> data(Keyword.begin(), Keyword.end());
    data.insert(data.end(), {0, 0});
    data.insert(data.end(), packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(packedSize));
    SetData(std::move(data));
    WriteFramed(stream);
    return true;
}

// ---- the registry ----

namespace {

struct ChunkClass {
    const char* ClassName;
    std::unique_ptr<TChunk> (*Create)(TPngGraphic* owner);
};

template <typename T>
std::unique_ptr<TChunk> Make(TPngGraphic* owner) {
    return std::make_unique<T>(owner);
}

// Built when the program starts, in the order names are matched.
const ChunkClass kRegistry[] = {
    {TChunkIEND::kClassName, &Make<TChunkIEND>}, {TChunkIHDR::kClassName, &Make<TChunkIHDR>},
    {TChunkIDAT::kClassName, &Make<TChunkIDAT>}, {TChunkPLTE::kClassName, &Make<TChunkPLTE>},
    {TChunkgAMA::kClassName, &Make<TChunkgAMA>}, {TChunktRNS::kClassName, &Make<TChunktRNS>},
    {TChunktIME::kClassName, &Make<TChunktIME>}, {TChunktEXt::kClassName, &Make<TChunktEXt>},
    {TChunkzTXt::kClassName, &Make<TChunkzTXt>},
};

}  // namespace

std::unique_ptr<TChunk> CreateChunkFor(const ChunkName& name, TPngGraphic* owner) {
    for (const ChunkClass& c : kRegistry) {
        // Only a class name of the form TChunk + four letters has a chunk name.
        if (std::strlen(c.ClassName) == 10 && std::memcmp(c.ClassName + 6, name.data(), 4) == 0) {
            return c.Create(owner);
        }
    }
    return std::make_unique<TChunk>(owner);
}

}  // namespace zindra
