// The releasing pointer list.
#include "services/PointerList.h"

#include <string>

namespace zindra {

int TPointerList::Add(void* item) {
    items_.push_back(item);
    return Count() - 1;
}

void* TPointerList::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<std::size_t>(index)];
}

void TPointerList::Clear() {
    std::vector<void*> items;
    items.swap(items_);
    if (!release_) return;
    for (void* item : items)
        release_(item);
}

}  // namespace zindra
