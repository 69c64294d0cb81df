// The chunks a PNG picture keeps in file order: the base chunk that holds any chunk's bytes
// unchanged, the small ancillary and palette chunks, and the registry that picks a chunk class
// for a chunk name.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Types.h"

namespace zindra {

class TPngChunkList;
class TPngGraphic;
class TStream;

using ChunkName = std::array<char, 4>;
ChunkName MakeChunkName(const char* fourCharacters);

// Any chunk: a name and its data bytes. A chunk of an unregistered name is a plain TChunk and
// is written back exactly as it was read.
class TChunk {
public:
    static constexpr const char* kClassName = "TChunk";

    explicit TChunk(TPngGraphic* owner);
    virtual ~TChunk() = default;
    TChunk(const TChunk&) = delete;
    TChunk& operator=(const TChunk&) = delete;

    virtual const char* ClassName() const { return kClassName; }
    // Copies the source's content; classes that need a source of their own kind throw EPngError.
    virtual void Assign(const TChunk& source);
    // Reads size data bytes and the CRC (stream positioned after the name). Throws the PNG
    // exception for any defect; false ends the reading of the file.
    virtual bool LoadFromStream(TStream& stream, const ChunkName& name, std::uint32_t size);
    // Refreshes the data from the chunk's fields, then writes length, name, data and CRC.
    virtual bool SaveToStream(TStream& stream);
    // A new chunk of the same class, owned by owner.
    virtual std::unique_ptr<TChunk> CreateSame(TPngGraphic* owner) const;

    TPngGraphic& Owner() const { return *owner_; }
    const ChunkName& Name() const { return name_; }
    std::string NameText() const { return std::string(name_.data(), name_.size()); }
    const std::vector<std::uint8_t>& Data() const { return data_; }
    std::int32_t DataSize() const { return static_cast<std::int32_t>(data_.size()); }
    void SetData(std::vector<std::uint8_t> data) { data_ = std::move(data); }

protected:
    // The base loading every registered class starts with: data, then the CRC check.
    void LoadData(TStream& stream, const ChunkName& name, std::uint32_t size);
    void WriteFramed(TStream& stream) const;
    void SetName(const ChunkName& name) { name_ = name; }
    std::vector<std::uint8_t>& MutableData() { return data_; }

private:
    friend class TPngChunkList;

    TPngGraphic* owner_;
    ChunkName name_{};
    std::vector<std::uint8_t> data_;
};

// The chunk classes that carry a fixed name; the name is the class name from its seventh letter.
#define ZINDRA_CHUNK_CLASS(NAME)                                            \
public:                                                                     \
    static constexpr const char* kClassName = #NAME;                        \
    explicit NAME(TPngGraphic* owner) : NAME(owner, 0) {}                   \
    const char* ClassName() const override {                                \
        return kClassName;                                                  \
    }                                                                       \
    std::unique_ptr<TChunk> CreateSame(TPngGraphic* owner) const override { \
        return std::make_unique<NAME>(owner);                               \
    }                                                                       \
                                                                            \
private:                                                                    \
    NAME(TPngGraphic* owner, int) : BaseChunk(owner) {                      \
        SetName(MakeChunkName(kClassName + 6));                             \
    }                                                                       \
                                                                            \
public:

class TChunkIEND : public TChunk {
    using BaseChunk = TChunk;
    ZINDRA_CHUNK_CLASS(TChunkIEND)
};

// PLTE: the entry count; the colours live in the header's colour table.
class TChunkPLTE : public TChunk {
    using BaseChunk = TChunk;
    ZINDRA_CHUNK_CLASS(TChunkPLTE)
    void Assign(const TChunk& source) override;
    bool LoadFromStream(TStream& stream, const ChunkName& name, std::uint32_t size) override;
    bool SaveToStream(TStream& stream) override;
    int Count() const { return count_; }
    void SetCount(int count) { count_ = count < 0 ? 0 : (count > 256 ? 256 : count); }
    // Red in bits 16-23, green 8-15, blue 0-7; throws EPngError at or beyond the count.
    std::uint32_t Item(int index) const;

private:
    int count_ = 0;
};

class TChunktRNS : public TChunk {
    using BaseChunk = TChunk;
    ZINDRA_CHUNK_CLASS(TChunktRNS)
    void Assign(const TChunk& source) override;
    bool LoadFromStream(TStream& stream, const ChunkName& name, std::uint32_t size) override;
    bool SaveToStream(TStream& stream) override;
    const std::array<std::uint8_t, 256>& AlphaTable() const { return alpha_; }
    bool SingleColour() const { return singleColour_; }
    // The raw 16-bit value at index (grey: 0; red, green, blue: 0, 1, 2); 0 past the data.
    std::uint16_t Sample(int index) const;
    // The colour a pixel of the transparent value has in the stored picture, as an RGB colour.
    TColor TransparentColor() const;
    // Makes this the chunk of a bitmap's key colour (see TPngGraphic::AssignBitmap).
    void SetKeyColour(TColor color);

private:
    std::array<std::uint8_t, 256> alpha_{};
    bool singleColour_ = false;
};

// gAMA: 100000 times the file's gamma; reading one rebuilds the owner's gamma tables.
class TChunkgAMA : public TChunk {
    using BaseChunk = TChunk;
    ZINDRA_CHUNK_CLASS(TChunkgAMA)
    void Assign(const TChunk& source) override;
    bool LoadFromStream(TStream& stream, const ChunkName& name, std::uint32_t size) override;
    std::uint32_t Gamma() const;
    void SetGamma(std::uint32_t value);
};

class TChunktIME : public TChunk {
    using BaseChunk = TChunk;
    ZINDRA_CHUNK_CLASS(TChunktIME)
    bool LoadFromStream(TStream& stream, const ChunkName& name, std::uint32_t size) override;
    bool SaveToStream(TStream& stream) override;
    std::uint16_t Year = 0;
    std::uint8_t Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

class TChunktEXt : public TChunk {
    using BaseChunk = TChunk;
    ZINDRA_CHUNK_CLASS(TChunktEXt)
    void Assign(const TChunk& source) override;
    bool LoadFromStream(TStream& stream, const ChunkName& name, std::uint32_t size) override;
    bool SaveToStream(TStream& stream) override;
    std::string Keyword;
    std::string Text;
};

// zTXt: a tEXt whose text is deflated in the file.
class TChunkzTXt : public TChunktEXt {
    using BaseChunk = TChunktEXt;
    ZINDRA_CHUNK_CLASS(TChunkzTXt)
    bool LoadFromStream(TStream& stream, const ChunkName& name, std::uint32_t size) override;
    bool SaveToStream(TStream& stream) override;
};

// The CRC-32 of PNG 5.5 (zlib's) continued over bytes; unlike zlib's own call, a null pointer
// with no bytes is no request for the initial value.
std::uint32_t UpdateCrc(std::uint32_t crc, const void* bytes, std::size_t size);

// Writes one chunk: length, name, data and the CRC of name and data (PNG 5.3).
void WriteChunk(TStream& stream, const ChunkName& name, const std::uint8_t* data, std::size_t size);

// A chunk of the first registered class whose chunk name equals name exactly, else a plain
// TChunk (named by its loading). The registry's order: IEND, IHDR, IDAT, PLTE, gAMA, tRNS,
// tIME, tEXt, zTXt.
std::unique_ptr<TChunk> CreateChunkFor(const ChunkName& name, TPngGraphic* owner);

}  // namespace zindra
