// PNG pictures of the generator, written by the kit's own PNG picture class as the system's
// pictures are: 8-bit truecolour, with alpha when one is given, each with a gAMA and a tEXt chunk.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "Draw.h"

namespace zindra::suitemaker {

// alpha: width x height bytes, top row first (255 opaque), or empty for an RGB picture. The
// tEXt chunk is a "Title" holding title. Throws SuiteError when alpha has the wrong size.
std::vector<std::uint8_t> EncodePng(const TRgbImage& image, const std::vector<std::uint8_t>& alpha,
                                    const std::string& title);
void WritePng(const std::filesystem::path& file, const TRgbImage& image, const std::vector<std::uint8_t>& alpha);

}  // namespace zindra::suitemaker
