// JPEG encoding of the generator's pictures and writing bytes to files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "Draw.h"

namespace zindra::suitemaker {

inline constexpr int kJpegQuality = 85;

// Baseline JPEG, 4:2:0, no comments or timestamps, so equal pictures give equal bytes.
std::vector<std::uint8_t> EncodeJpeg(const TRgbImage& image, int quality = kJpegQuality);

// Writes the whole file (creating its folder); throws SuiteError on any failure.
void WriteBytes(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);
void WriteJpeg(const std::filesystem::path& file, const TRgbImage& image);

}  // namespace zindra::suitemaker
