// Writing the generator's PNG pictures through the PNG picture class.
#include "PngOut.h"

#include "JpegOut.h"
#include "SuiteError.h"
#include "imaging/PngGraphic.h"
#include "imaging/PngImageData.h"

namespace zindra::suitemaker {

namespace {

// A gamma of 1/2.2 as gAMA writes it: the decoder's tables stay the identity.
constexpr std::uint32_t kSystemGamma = 45455;

}  // namespace

std::vector<std::uint8_t> EncodePng(const TRgbImage& image, const std::vector<std::uint8_t>& alpha,
                                    const std::string& title) {
    const auto width = static_cast<std::uint32_t>(image.Width()), height = static_cast<std::uint32_t>(image.Height());
    const bool withAlpha = !alpha.empty();
    if (withAlpha && alpha.size() != std::size_t{width} * height) throw SuiteError("alpha plane of the wrong size");
    TPngGraphic png;
    png.CreateBlank(withAlpha ? kTruecolourAlpha : kTruecolour, 8, width, height);
    TChunkIHDR& header = png.Header();
    for (std::uint32_t y = 0; y < height; ++y) {
        std::uint8_t* row = header.StoredRow(y);
        for (std::uint32_t x = 0; x < width; ++x) {
            const Rgb c = image.At(static_cast<int>(x), static_cast<int>(y));
            row[3 * x] = c.B;
            row[3 * x + 1] = c.G;
            row[3 * x + 2] = c.R;
        }
        if (withAlpha) std::copy_n(alpha.begin() + static_cast<std::ptrdiff_t>(y * width), width, header.AlphaRow(y));
    }
    auto gamma = std::make_unique<TChunkgAMA>(&png);
    gamma->SetGamma(kSystemGamma);
    png.Chunks().Insert(1, std::move(gamma));
    auto text = std::make_unique<TChunktEXt>(&png);
    text->Keyword = "Title";
    text->Text = title;
    png.Chunks().Insert(2, std::move(text));
    png.SetFilters(pfNone | pfSub | pfUp | pfAverage | pfPaeth);
    png.SetCompressionLevel(9);
    return png.SaveToBytes();
}

void WritePng(const std::filesystem::path& file, const TRgbImage& image, const std::vector<std::uint8_t>& alpha) {
    WriteBytes(file, EncodePng(image, alpha, file.stem().string()));
}

}  // namespace zindra::suitemaker
