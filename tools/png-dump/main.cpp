// png-dump [--resave] FILE: loads FILE as the PNG picture class does and prints what it holds:
// the header, the tables and the stored pixels (see the tools contract), or the exception.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/Exception.h"
#include "framework/Stream.h"
#include "imaging/PngGraphic.h"

namespace {

using zindra::TPngGraphic;

std::string Hex(const std::uint8_t* bytes, std::size_t count) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 15];
    }
    return out;
}

void Line(const std::string& key, const std::string& value) {
    std::fputs((value.empty() ? key : key + " " + value).c_str(), stdout);
    std::fputc('\n', stdout);
}

std::string ColourTable(const TPngGraphic& png, const zindra::TChunkIHDR& header) {
    int count = 0;
    if (header.ColourType == zindra::kIndexed) {
        const auto* palette = png.Chunks().ItemFromClass<zindra::TChunkPLTE>();
        count = palette ? palette->Count() : 0;
    } else if (header.ColourType == zindra::kGreyscale || header.ColourType == zindra::kGreyscaleAlpha) {
        count = 1 << header.StoredBits();
    }
    std::string hex;
    for (int i = 0; i < count; ++i) {
        const zindra::RgbQuad& q = header.ColourTable()[static_cast<std::size_t>(i)];
        const std::uint8_t rgb[3] = {q.Red, q.Green, q.Blue};
        hex += Hex(rgb, 3);
    }
    return std::to_string(count) + (hex.empty() ? "" : " " + hex);
}

std::string Trns(const TPngGraphic& png, const zindra::TChunkIHDR& header) {
    const auto* trns = png.Chunks().ItemFromClass<zindra::TChunktRNS>();
    if (!trns) return "none";
    switch (header.ColourType) {
        case zindra::kIndexed: {
            const auto n = static_cast<std::size_t>(trns->DataSize());
            return "palette " + std::to_string(n) + (n == 0 ? "" : " " + Hex(trns->AlphaTable().data(), n));
        }
        case zindra::kGreyscale:
            return "grey " + std::to_string(trns->Sample(0));
        case zindra::kTruecolour:
            return "rgb " + std::to_string(trns->Sample(0)) + " " + std::to_string(trns->Sample(1)) + " " +
                   std::to_string(trns->Sample(2));
        default:
            return "none";
    }
}

void Dump(const TPngGraphic& png) {
    const zindra::TChunkIHDR& header = png.Header();
    Line("width", std::to_string(header.Width));
    Line("height", std::to_string(header.Height));
    Line("colour_type", std::to_string(header.ColourType));
    Line("bit_depth", std::to_string(header.BitDepth));
    Line("interlace", std::to_string(header.InterlaceMethod));
    Line("stored_bits", std::to_string(header.StoredBits()));
    Line("gamma_table", Hex(png.GammaTable().data(), 256));
    Line("colour_table", ColourTable(png, header));
    Line("trns", Trns(png, header));
    static const char* const kKinds[] = {"none", "single", "perpixel"};
    Line("transparency", kKinds[static_cast<int>(png.TransparencyMode())]);
    Line("alpha_plane", header.AlphaPlane() ? "1" : "0");
    Line("data", "");
    const std::size_t rowBytes = (std::size_t{header.Width} * static_cast<std::size_t>(header.StoredBits()) + 7) / 8;
    for (std::uint32_t y = 0; y < header.Height; ++y)
        std::fwrite(header.StoredRow(y), 1, rowBytes, stdout);
    if (header.AlphaPlane()) std::fwrite(header.AlphaPlane(), 1, std::size_t{header.Width} * header.Height, stdout);
}

void Fail(const char* className, const std::string& message) {
    std::string line = std::string(className) + ": ";
    for (const char c : message) {
        if (c == '\r') {
            line += "\\r";
        } else if (c == '\n') {
            line += "\\n";
        } else {
            line += c;
        }
    }
    std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const bool resave = argc == 3 && std::string(argv[1]) == "--resave";
    if (argc != 2 && !resave) {
        std::fputs("usage: png-dump [--resave] FILE\n", stderr);
        return 2;
    }
    const char* file = argv[argc - 1];
    try {
        std::ifstream in(file, std::ios::binary);
        if (!in) throw zindra::EFOpenError(zindra::FormatMessage(zindra::kSFOpenError, file));
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        TPngGraphic png;
        zindra::TBytesStream stream(bytes);
        png.LoadFromStream(stream);
        if (resave) {
            const std::vector<std::uint8_t> saved = png.SaveToBytes();
            zindra::TBytesStream again(saved);
            png.LoadFromStream(again);
        }
        Dump(png);
        return std::fflush(stdout) == 0 ? 0 : 1;
    } catch (const zindra::Exception& e) {
        Fail(e.ClassName(), e.Message());
    } catch (const std::exception& e) {
        Fail("Exception", e.what());
    }
    return 1;
}
