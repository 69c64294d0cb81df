// Lookup in the table of built-in files.
#include "framework/Resources.h"

#include <cctype>

#include "framework/EmbeddedTable.h"
#include "framework/Exception.h"

namespace zindra {

namespace {

bool SameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::span<const std::uint8_t> FindResource(std::string_view name) {
    for (std::size_t i = 0; i < kEmbeddedFileCount; ++i) {
        if (SameNoCase(kEmbeddedFiles[i].Name, name))
            return {kEmbeddedFiles[i].Data, kEmbeddedFiles[i].Size};
    }
    return {};
}

std::string ResourceText(std::string_view name) {
    const auto bytes = FindResource(name);
    if (bytes.empty())
        throw EInvalidOperation("Resource " + std::string(name) + " not found");
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace zindra
