// The in-process global atom table.
#include "platform/posix/PosixAtoms.h"

#include <algorithm>
#include <optional>

#include "platform/posix/WindowsNames.h"

namespace zindra::platform::posix {
namespace {

// The value of a "#123" name (saturated above 0xFFFF); nothing when the name is not one.
std::optional<std::uint32_t> IntegerAtomValue(const std::string& name) {
    if (name.size() < 2 || name[0] != '#') {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (std::size_t i = 1; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') {
            return std::nullopt;
        }
        value = std::min<std::uint32_t>(value * 10 + static_cast<std::uint32_t>(name[i] - '0'), 0x10000);
    }
    return value;
}

}  // namespace

std::uint16_t PosixAtoms::Add(const std::string& name) {
    if (name.empty() || name.size() > kMaxNameLength) {
        return 0;
    }
    if (const std::optional<std::uint32_t> integer = IntegerAtomValue(name)) {
        // Integer atoms run from 1 to 0xBFFF; other numbers are refused as on Windows.
        return *integer >= 1 && *integer < kFirstStringAtom ? static_cast<std::uint16_t>(*integer) : 0;
    }
    std::lock_guard lock(mutex_);
    for (auto& [id, entry] : atoms_) {
        if (SameNameNoCase(entry.Name, name)) {
            ++entry.References;
            return id;
        }
    }
    // The lowest free id, so freed ids are used again as Windows does.
    std::uint32_t id = kFirstStringAtom;
    for (const auto& [used, entry] : atoms_) {
        if (used != id) {
            break;
        }
        ++id;
    }
    if (id > 0xFFFF) {
        return 0;
    }
    atoms_[static_cast<std::uint16_t>(id)] = Entry{name, 1};
    return static_cast<std::uint16_t>(id);
}

void PosixAtoms::Delete(std::uint16_t atom) {
    std::lock_guard lock(mutex_);
    const auto it = atoms_.find(atom);
    if (it != atoms_.end() && --it->second.References == 0) {
        atoms_.erase(it);
    }
}

}  // namespace zindra::platform::posix
