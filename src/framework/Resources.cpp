// Lookup in the table of built-in files.
#include "framework/Resources.h"

#include "framework/EmbeddedTable.h"
#include "framework/Exception.h"
#include "framework/Text.h"

namespace zindra {

std::span<const std::uint8_t> FindResource(std::string_view name) {
    for (std::size_t i = 0; i < kEmbeddedFileCount; ++i) {
        if (SameTextNoCase(kEmbeddedFiles[i].Name, name)) return {kEmbeddedFiles[i].Data, kEmbeddedFiles[i].Size};
    }
    return {};
}

std::string ResourceText(std::string_view name) {
    const auto bytes = FindResource(name);
    if (bytes.empty()) throw EInvalidOperation("Resource " + std::string(name) + " not found");
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace zindra
