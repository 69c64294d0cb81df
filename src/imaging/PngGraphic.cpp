// The PNG picture as a whole: reading the chunk sequence, writing it, its properties and the
// registration with the picture class.
#include "imaging/PngGraphic.h"

#include <cstring>
#include <typeinfo>
#include <utility>

#include "framework/Stream.h"
#include "framework/layout/ClassInfo.h"
#include "imaging/PngErrors.h"
#include "imaging/PngImageData.h"
#include "platform/ByteOrder.h"

namespace zindra {

namespace {

constexpr std::uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

bool Is(const ChunkName& name, const char* text) {
    return std::memcmp(name.data(), text, 4) == 0;
}

}  // namespace

const ClassInfo& TPngGraphic::StaticClass() {
    static const ClassInfo info{"TPngGraphic", &TGraphic::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TPngGraphic::ClassType() const {
    return StaticClass();
}

PngLimits& TPngGraphic::DefaultLimits() {
    static PngLimits limits;
    return limits;
}

TPngGraphic::TPngGraphic() : limits_(DefaultLimits()) {
    ResetGamma();
}

TPngGraphic::TPngGraphic(const TPngGraphic& source) : TGraphic(source), limits_(source.limits_) {
    OnChange = nullptr;
    ResetGamma();
    Assign(source);
}

TPngGraphic& TPngGraphic::operator=(const TPngGraphic& source) {
    if (this != &source) Assign(source);
    return *this;
}

TPngGraphic::~TPngGraphic() {
    // The header chunks hand their storage back to this object, so they go first.
    chunks_.Clear();
}

void TPngGraphic::ResetGamma() {
    for (int i = 0; i < 256; ++i) {
        gamma_[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
        inverseGamma_[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    }
}

void TPngGraphic::Clear() {
    chunks_.Clear();
    palette_.reset();
    ResetGamma();
}

void TPngGraphic::ReserveStorage(std::uint64_t bytes) {
    if (bytes > limits_.MaxStorageBytes || storageInUse_ > limits_.MaxStorageBytes - bytes) {
        throw EPngOutOfMemory(pngtext::kOutOfMemory);
    }
    storageInUse_ += bytes;
}

const TChunkIHDR* TPngGraphic::HeaderOrNull() const {
    return dynamic_cast<const TChunkIHDR*>(chunks_.Item(0));
}

const TChunkIHDR& TPngGraphic::Header() const {
    const TChunkIHDR* header = HeaderOrNull();
    if (!header) throw EPngHeaderNotPresent(pngtext::kHeaderNotPresent);
    return *header;
}

TChunkIHDR& TPngGraphic::Header() {
    return const_cast<TChunkIHDR&>(std::as_const(*this).Header());
}

int TPngGraphic::Width() const {
    const TChunkIHDR* header = HeaderOrNull();
    return header ? static_cast<int>(header->Width) : 0;
}

int TPngGraphic::Height() const {
    const TChunkIHDR* header = HeaderOrNull();
    return header ? static_cast<int>(header->Height) : 0;
}

void TPngGraphic::SetWidth(int) {
    throw EPngError(pngtext::kCannotResize);
}

void TPngGraphic::SetHeight(int) {
    throw EPngError(pngtext::kCannotResize);
}

TPngTransparencyMode TPngGraphic::TransparencyMode() const {
    // NOTE: an empty picture answers "none" rather than raising, so asking whether a picture is
    // transparent is always safe.
    const TChunkIHDR* header = HeaderOrNull();
    if (!header) return TPngTransparencyMode::ptmNone;
    const auto* trns = chunks_.ItemFromClass<TChunktRNS>();
    switch (header->ColourType) {
        case kGreyscale:
        case kTruecolour:
            return trns ? TPngTransparencyMode::ptmBit : TPngTransparencyMode::ptmNone;
        case kIndexed:
            if (!trns) return TPngTransparencyMode::ptmNone;
            return trns->SingleColour() ? TPngTransparencyMode::ptmBit : TPngTransparencyMode::ptmPartial;
        case kGreyscaleAlpha:
        case kTruecolourAlpha:
            return TPngTransparencyMode::ptmPartial;
        default:
            return TPngTransparencyMode::ptmNone;
    }
}

TColor TPngGraphic::TransparentColor() const {
    const auto* trns = chunks_.ItemFromClass<TChunktRNS>();
    return trns ? trns->TransparentColor() : 0;
}

const TPngLogicalPalette* TPngGraphic::GetPalette() const {
    const TChunkIHDR& header = Header();
    if ((header.ColourType == kGreyscale || header.ColourType == kIndexed) && !palette_) {
        palette_ = std::make_unique<TPngLogicalPalette>();
        for (std::size_t i = 0; i < 256; ++i) {
            const RgbQuad& q = header.ColourTable()[i];
            palette_->Entries[i] = {q.Red, q.Green, q.Blue, 0};
        }
    }
    return palette_.get();
}

void TPngGraphic::LoadFromStream(TStream& stream) {
    Clear();
    try {
        ReadChunks(stream);
    } catch (...) {
        Changed();
        throw;
    }
    Changed();
}

void TPngGraphic::ReadChunks(TStream& stream) {
    std::uint8_t signature[8];
    if (stream.Read(signature, 8) != 8 || std::memcmp(signature, kSignature, 8) != 0) {
        throw EPngInvalidFileHeader(pngtext::kInvalidFileHeader);
    }
    bool imageData = false;
    for (;;) {
        std::uint8_t head[8];
        if (stream.Read(head, 8) != 8) throw EPngUnexpectedEnd(pngtext::kUnexpectedEnd);
        const std::uint32_t length = platform::GetBe32(head);
        const ChunkName name = {static_cast<char>(head[4]), static_cast<char>(head[5]), static_cast<char>(head[6]),
                                static_cast<char>(head[7])};
        if (chunks_.Count() == 0 && !Is(name, "IHDR")) throw EPngIhdrNotFirst(pngtext::kIhdrNotFirst);
        if ((imageData && Is(name, "IDAT")) || Is(name, "cHRM")) {
            stream.Seek(stream.Position() + std::uint64_t{length} + 4);
            continue;
        }
        TChunk* chunk = chunks_.Add(CreateChunkFor(name, this));
        // PNG 5.4: a chunk whose first letter is upper case is critical.
        if (typeid(*chunk) == typeid(TChunk) && (name[0] & 0x20) == 0) {
            throw EPngUnknownCriticalChunk(pngtext::kUnknownCriticalChunk);
        }
        const bool more = chunk->LoadFromStream(stream, name, length);
        if (Is(name, "IDAT")) imageData = true;
        if (!more || Is(name, "IEND")) break;
    }
    if (!imageData) throw EPngNoImageData(pngtext::kNoImageData);
}

void TPngGraphic::LoadFromBytes(std::span<const std::uint8_t> bytes) {
    TPngGraphic loaded;
    loaded.limits_ = limits_;
    TBytesStream stream(bytes);
    loaded.LoadFromStream(stream);
    // Take the loaded contents over rather than copy them: the storage can be large.
    std::swap(chunks_, loaded.chunks_);
    chunks_.Reown(this);
    loaded.chunks_.Reown(&loaded);
    std::swap(storageInUse_, loaded.storageInUse_);
    gamma_ = loaded.gamma_;
    inverseGamma_ = loaded.inverseGamma_;
    interlaceMethod_ = loaded.interlaceMethod_;
    palette_.reset();
    Changed();
}

void TPngGraphic::SaveToStream(TStream& stream) {
    stream.Write(kSignature, sizeof kSignature);
    for (int i = 0; i < chunks_.Count(); ++i)
        chunks_.Item(i)->SaveToStream(stream);
}

std::vector<std::uint8_t> TPngGraphic::SaveToBytes() {
    TMemoryStream stream;
    SaveToStream(stream);
    return stream.TakeBytes();
}

std::unique_ptr<TGraphic> TPngGraphic::Clone() const {
    return std::make_unique<TPngGraphic>(*this);
}

void TPngGraphic::Assign(const TPngGraphic& source) {
    if (&source == this) return;
    interlaceMethod_ = source.interlaceMethod_;
    SetMaxIdatSize(source.maxIdatSize_);
    compressionLevel_ = source.compressionLevel_;
    filters_ = source.filters_;
    Clear();
    for (int i = 0; i < source.chunks_.Count(); ++i) {
        const TChunk* from = source.chunks_.Item(i);
        chunks_.Add(from->CreateSame(this))->Assign(*from);
    }
    Changed();
}

void RegisterPngGraphic() {
    const GraphicFactory factory = [] { return std::make_unique<TPngGraphic>(); };
    RegisterGraphicClass("png", factory, "Portable Network Graphics");
    RegisterGraphicClassName("TPngGraphic", factory);
}

}  // namespace zindra
