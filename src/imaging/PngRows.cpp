// Scalar scan-line work: layouts, unfiltering and filtering, and the row converters.
#include "imaging/PngRows.h"

#include <cstdlib>
#include <cstring>

#include "imaging/PngKernels.h"

namespace zindra {

std::size_t PngRowLayout::RowBytes(std::uint32_t width) const {
    return (std::size_t{width} * static_cast<std::size_t>(BitDepth * SamplesPerPixel) + 7) / 8;
}

bool MakeRowLayout(int colourType, int bitDepth, PngRowLayout& layout) {
    layout = {};
    layout.ColourType = colourType;
    layout.BitDepth = bitDepth;
    const bool wide = bitDepth == 8 || bitDepth == 16;
    switch (colourType) {
        case 0:
            if (!wide && bitDepth != 1 && bitDepth != 2 && bitDepth != 4) return false;
            layout.StoredBits = bitDepth == 2 ? 4 : (bitDepth == 16 ? 8 : bitDepth);
            layout.FilterOffset = bitDepth == 16 ? 2 : 1;
            break;
        case 3:
            if (bitDepth != 1 && bitDepth != 2 && bitDepth != 4 && bitDepth != 8) return false;
            layout.StoredBits = bitDepth == 2 ? 4 : bitDepth;
            break;
        case 2:
        case 6:
            if (!wide) return false;
            layout.SamplesPerPixel = colourType == 2 ? 3 : 4;
            layout.StoredBits = 24;
            layout.FilterOffset = bitDepth * layout.SamplesPerPixel / 8;
            break;
        case 4:
            if (!wide) return false;
            layout.SamplesPerPixel = 2;
            layout.StoredBits = 8;
            layout.FilterOffset = bitDepth / 4;
            break;
        default:
            return false;
    }
    return true;
}

namespace {

std::uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return static_cast<std::uint8_t>(a);
    return static_cast<std::uint8_t>(pb <= pc ? b : c);
}

}  // namespace

void UnfilterRowScalar(std::uint8_t type, std::uint8_t* row, const std::uint8_t* prev, std::size_t length, int offset) {
    const std::size_t bpp = static_cast<std::size_t>(offset);
    switch (type) {
        case kFilterSub:
            for (std::size_t i = bpp; i < length; ++i)
                row[i] = static_cast<std::uint8_t>(row[i] + row[i - bpp]);
            break;
        case kFilterUp:
            for (std::size_t i = 0; i < length; ++i)
                row[i] = static_cast<std::uint8_t>(row[i] + prev[i]);
            break;
        case kFilterAverage:
            for (std::size_t i = 0; i < length; ++i) {
                const int left = i >= bpp ? row[i - bpp] : 0;
                row[i] = static_cast<std::uint8_t>(row[i] + ((left + prev[i]) >> 1));
            }
            break;
        case kFilterPaeth:
            for (std::size_t i = 0; i < length; ++i) {
                const int left = i >= bpp ? row[i - bpp] : 0;
                const int upLeft = i >= bpp ? prev[i - bpp] : 0;
                row[i] = static_cast<std::uint8_t>(row[i] + Paeth(left, prev[i], upLeft));
            }
            break;
        default:
            break;
    }
}

void UnfilterRow(std::uint8_t type, std::uint8_t* row, const std::uint8_t* prev, std::size_t length, int offset) {
    ActiveKernels().Unfilter(type, row, prev, length, offset);
}

void FilterRow(std::uint8_t type, const std::uint8_t* row, const std::uint8_t* prev, std::size_t length, int offset,
               std::uint8_t* out) {
    const std::size_t bpp = static_cast<std::size_t>(offset);
    for (std::size_t i = 0; i < length; ++i) {
        const int left = i >= bpp ? row[i - bpp] : 0;
        const int upLeft = i >= bpp ? prev[i - bpp] : 0;
        int predictor = 0;
        switch (type) {
            case kFilterSub:
                predictor = left;
                break;
            case kFilterUp:
                predictor = prev[i];
                break;
            case kFilterAverage:
                predictor = (left + prev[i]) >> 1;
                break;
            case kFilterPaeth:
                predictor = Paeth(left, prev[i], upLeft);
                break;
            default:
                break;
        }
        out[i] = static_cast<std::uint8_t>(row[i] - predictor);
    }
}

namespace {

// ---- file to storage ----

void CopyPacked1(const std::uint8_t* f, std::uint32_t n, std::uint8_t* s, std::uint8_t*, const std::uint8_t*) {
    std::memcpy(s, f, (std::size_t{n} + 7) / 8);
}
void CopyPacked4(const std::uint8_t* f, std::uint32_t n, std::uint8_t* s, std::uint8_t*, const std::uint8_t*) {
    std::memcpy(s, f, (std::size_t{n} + 1) / 2);
}
void CopyPacked8(const std::uint8_t* f, std::uint32_t n, std::uint8_t* s, std::uint8_t*, const std::uint8_t*) {
    std::memcpy(s, f, n);
}

// Two-bit pixels widened to nibbles; grey levels scaled so the 16-entry ramp shows them right.
template <int Scale>
void Widen2To4(const std::uint8_t* f, std::uint32_t n, std::uint8_t* s, std::uint8_t*, const std::uint8_t*) {
    for (std::uint32_t i = 0; i < n; ++i) {
        const int v = ((f[i / 4] >> (6 - 2 * (i % 4))) & 3) * Scale;
        if (i % 2 == 0) {
            s[i / 2] = static_cast<std::uint8_t>(v << 4);
        } else {
            s[i / 2] = static_cast<std::uint8_t>(s[i / 2] | v);
        }
    }
}

void Grey16(const std::uint8_t* f, std::uint32_t n, std::uint8_t* s, std::uint8_t*, const std::uint8_t*) {
    for (std::uint32_t i = 0; i < n; ++i)
        s[i] = f[2 * i];
}

// Truecolour with or without alpha at 8 or 16 bits: Step bytes a pixel, samples every Sample bytes.
template <int Sample, bool Alpha>
void Colour(const std::uint8_t* f, std::uint32_t n, std::uint8_t* s, std::uint8_t* a, const std::uint8_t* gamma) {
    constexpr int kStep = Sample * (Alpha ? 4 : 3);
    for (std::uint32_t i = 0; i < n; ++i, f += kStep, s += 3) {
        s[0] = gamma[f[2 * Sample]];
        s[1] = gamma[f[Sample]];
        s[2] = gamma[f[0]];
        if constexpr (Alpha) a[i] = f[3 * Sample];
    }
}

template <int Sample>
void GreyAlpha(const std::uint8_t* f, std::uint32_t n, std::uint8_t* s, std::uint8_t* a, const std::uint8_t*) {
    for (std::uint32_t i = 0; i < n; ++i, f += 2 * Sample) {
        s[i] = f[0];
        a[i] = f[Sample];
    }
}

// ---- storage to file ----

void OutPacked1(const std::uint8_t* s, const std::uint8_t*, std::uint32_t n, std::uint8_t* f, const std::uint8_t*) {
    std::memcpy(f, s, (std::size_t{n} + 7) / 8);
}
void OutPacked4(const std::uint8_t* s, const std::uint8_t*, std::uint32_t n, std::uint8_t* f, const std::uint8_t*) {
    std::memcpy(f, s, (std::size_t{n} + 1) / 2);
}
void OutPacked8(const std::uint8_t* s, const std::uint8_t*, std::uint32_t n, std::uint8_t* f, const std::uint8_t*) {
    std::memcpy(f, s, n);
}

template <int Scale>
void Narrow4To2(const std::uint8_t* s, const std::uint8_t*, std::uint32_t n, std::uint8_t* f, const std::uint8_t*) {
    std::memset(f, 0, (std::size_t{n} + 3) / 4);
    for (std::uint32_t i = 0; i < n; ++i) {
        const int v = ((s[i / 2] >> (i % 2 == 0 ? 4 : 0)) & 15) / Scale;
        f[i / 4] = static_cast<std::uint8_t>(f[i / 4] | (v & 3) << (6 - 2 * (i % 4)));
    }
}

void OutGrey16(const std::uint8_t* s, const std::uint8_t*, std::uint32_t n, std::uint8_t* f, const std::uint8_t*) {
    for (std::uint32_t i = 0; i < n; ++i) {
        f[2 * i] = s[i];
        f[2 * i + 1] = 0;
    }
}

template <int Sample, bool Alpha>
void OutColour(const std::uint8_t* s, const std::uint8_t* a, std::uint32_t n, std::uint8_t* f,
               const std::uint8_t* inverse) {
    constexpr int kStep = Sample * (Alpha ? 4 : 3);
    std::memset(f, 0, std::size_t{n} * kStep);
    for (std::uint32_t i = 0; i < n; ++i, f += kStep, s += 3) {
        f[0] = inverse[s[2]];
        f[Sample] = inverse[s[1]];
        f[2 * Sample] = inverse[s[0]];
        if constexpr (Alpha) f[3 * Sample] = a[i];
    }
}

template <int Sample>
void OutGreyAlpha(const std::uint8_t* s, const std::uint8_t* a, std::uint32_t n, std::uint8_t* f, const std::uint8_t*) {
    std::memset(f, 0, std::size_t{n} * 2 * Sample);
    for (std::uint32_t i = 0; i < n; ++i, f += 2 * Sample) {
        f[0] = s[i];
        f[Sample] = a[i];
    }
}

}  // namespace

RowDecodeFn RowDecoderFor(const PngRowLayout& layout, bool identityGamma) {
    const bool wide = layout.BitDepth == 16;
    switch (layout.ColourType) {
        case 0:
        case 3:
            if (layout.BitDepth == 2) return layout.ColourType == 0 ? &Widen2To4<5> : &Widen2To4<1>;
            if (layout.BitDepth == 16) return &Grey16;
            return layout.BitDepth == 1 ? &CopyPacked1 : (layout.BitDepth == 4 ? &CopyPacked4 : &CopyPacked8);
        case 2:
            if (!wide && identityGamma) return ActiveKernels().Rgb8ToBgr;
            return wide ? &Colour<2, false> : &Colour<1, false>;
        case 6:
            if (!wide && identityGamma) return ActiveKernels().Rgba8ToBgrAlpha;
            return wide ? &Colour<2, true> : &Colour<1, true>;
        case 4:
            return wide ? &GreyAlpha<2> : &GreyAlpha<1>;
        default:
            return nullptr;
    }
}

RowEncodeFn RowEncoderFor(const PngRowLayout& layout) {
    const bool wide = layout.BitDepth == 16;
    switch (layout.ColourType) {
        case 0:
        case 3:
            if (layout.BitDepth == 2) return layout.ColourType == 0 ? &Narrow4To2<5> : &Narrow4To2<1>;
            if (layout.BitDepth == 16) return &OutGrey16;
            return layout.BitDepth == 1 ? &OutPacked1 : (layout.BitDepth == 4 ? &OutPacked4 : &OutPacked8);
        case 2:
            return wide ? &OutColour<2, false> : &OutColour<1, false>;
        case 6:
            return wide ? &OutColour<2, true> : &OutColour<1, true>;
        case 4:
            return wide ? &OutGreyAlpha<2> : &OutGreyAlpha<1>;
        default:
            return nullptr;
    }
}

void ScatterPixels(int storedBits, const std::uint8_t* packed, std::uint32_t count, std::uint8_t* row, std::uint32_t x0,
                   std::uint32_t dx) {
    std::size_t x = x0;
    for (std::uint32_t i = 0; i < count; ++i, x += dx) {
        switch (storedBits) {
            case 24:
                std::memcpy(row + 3 * x, packed + 3 * std::size_t{i}, 3);
                break;
            case 8:
                row[x] = packed[i];
                break;
            case 4: {
                const int v = (packed[i / 2] >> (i % 2 == 0 ? 4 : 0)) & 15;
                row[x / 2] = static_cast<std::uint8_t>(row[x / 2] | v << (x % 2 == 0 ? 4 : 0));
                break;
            }
            default: {
                const int v = (packed[i / 8] >> (7 - i % 8)) & 1;
                row[x / 8] = static_cast<std::uint8_t>(row[x / 8] | v << (7 - x % 8));
                break;
            }
        }
    }
}

void GatherPixels(int storedBits, const std::uint8_t* row, std::uint32_t count, std::uint32_t x0, std::uint32_t dx,
                  std::uint8_t* packed) {
    std::memset(packed, 0, (std::size_t{count} * static_cast<std::size_t>(storedBits) + 7) / 8);
    std::size_t x = x0;
    for (std::uint32_t i = 0; i < count; ++i, x += dx) {
        switch (storedBits) {
            case 24:
                std::memcpy(packed + 3 * std::size_t{i}, row + 3 * x, 3);
                break;
            case 8:
                packed[i] = row[x];
                break;
            case 4: {
                const int v = (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 15;
                packed[i / 2] = static_cast<std::uint8_t>(packed[i / 2] | v << (i % 2 == 0 ? 4 : 0));
                break;
            }
            default: {
                const int v = (row[x / 8] >> (7 - x % 8)) & 1;
                packed[i / 8] = static_cast<std::uint8_t>(packed[i / 8] | v << (7 - i % 8));
                break;
            }
        }
    }
}

}  // namespace zindra
