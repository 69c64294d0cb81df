// The image-data chunk: decodes the whole image (all IDAT chunks of the stream) into the
// header's storage when read, and encodes the storage again when written.
#pragma once

#include "imaging/PngChunks.h"

namespace zindra {

class TChunkIDAT : public TChunk {
    using BaseChunk = TChunk;
    ZINDRA_CHUNK_CLASS(TChunkIDAT)
    // Stream after the first IDAT chunk's name; size is its length. Reads on through every
    // IDAT chunk the image needs and the last one's CRC (see the decoder for the exact rules).
    bool LoadFromStream(TStream& stream, const ChunkName& name, std::uint32_t size) override;
    // Writes the storage as one zlib stream in IDAT chunks of the owner's maximum size.
    bool SaveToStream(TStream& stream) override;
};

}  // namespace zindra
