// A list of untyped pointers that can release its items, as the audio mixer's tree uses it.
#pragma once

#include <vector>

#include "framework/Component.h"
#include "framework/Exception.h"

namespace zindra {

// "List index out of bounds (<index>)".
ZINDRA_EXCEPTION(EListError, Exception);

// Clearing or destroying the list calls the release routine on every item when one is set, in
// the order they were added; without one the items are only forgotten. The owner is the object
// the list works for; the list never releases it.
class TPointerList : public TObject {
public:
    using TReleaseProc = void (*)(void* item);

    explicit TPointerList(TObject* owner = nullptr, TReleaseProc release = nullptr)
        : owner_(owner), release_(release) {}
    ~TPointerList() override { Clear(); }
    TPointerList(const TPointerList&) = delete;
    TPointerList& operator=(const TPointerList&) = delete;

    // Returns the new item's index.
    int Add(void* item);
    int Count() const { return static_cast<int>(items_.size()); }
    // EListError for an index outside 0 .. Count() - 1.
    void* Items(int index) const;
    // The list is empty before the first item is released, so a release routine may look at it.
    void Clear();

    TObject* Owner() const { return owner_; }
    TReleaseProc Release() const { return release_; }

private:
    TObject* owner_;
    TReleaseProc release_;
    std::vector<void*> items_;
};

}  // namespace zindra
