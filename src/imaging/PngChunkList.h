// The chunk list of a PNG picture: chunks in file order, owned by the list.
#pragma once

#include <memory>
#include <vector>

#include "imaging/PngChunks.h"

namespace zindra {

class TPngChunkList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // Null outside 0..Count-1.
    TChunk* Item(int index) const {
        return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)].get() : nullptr;
    }
    TChunk* Add(std::unique_ptr<TChunk> chunk);
    TChunk* Insert(int index, std::unique_ptr<TChunk> chunk);
    // Takes the last occurrence of chunk out of the list and hands it back; null if absent.
    std::unique_ptr<TChunk> Remove(const TChunk* chunk);
    void Clear() { items_.clear(); }
    // Hands every chunk to another owner (when a picture takes over another's chunks).
    void Reown(TPngGraphic* owner) {
        for (auto& chunk : items_)
            chunk->owner_ = owner;
    }

    // The first chunk that is a T or of a class derived from it; null if none.
    template <typename T>
    T* ItemFromClass() const {
        for (const auto& chunk : items_) {
            if (auto* match = dynamic_cast<T*>(chunk.get())) return match;
        }
        return nullptr;
    }

private:
    std::vector<std::unique_ptr<TChunk>> items_;
};

}  // namespace zindra
