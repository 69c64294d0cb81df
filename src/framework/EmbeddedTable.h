// The table of files built into the program; filled by the build from the assets folder.
#pragma once

#include <cstddef>

namespace zindra {

struct EmbeddedFile {
    const char* Name;
    const unsigned char* Data;
    std::size_t Size;
};

extern const EmbeddedFile kEmbeddedFiles[];
extern const std::size_t kEmbeddedFileCount;

}  // namespace zindra
