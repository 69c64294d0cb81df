// The plain kernel set and the one-time choice between it and the vector set.
#include "imaging/PngKernels.h"

#include <zlib.h>

#include <atomic>

#include "framework/graphics/PixelProcessor.h"

namespace zindra {

std::uint32_t Adler32Scalar(std::uint32_t adler, const std::uint8_t* bytes, std::size_t length) {
    constexpr std::uint32_t kBase = 65521;
    // NOTE: 5552 bytes is the most that can be summed before the 32-bit sums could overflow.
    constexpr std::size_t kBlock = 5552;
    std::uint32_t a = adler & 0xFFFF, b = adler >> 16;
    while (length > 0) {
        const std::size_t n = length < kBlock ? length : kBlock;
        for (std::size_t i = 0; i < n; ++i) {
            a += bytes[i];
            b += a;
        }
        a %= kBase;
        b %= kBase;
        bytes += n;
        length -= n;
    }
    return b << 16 | a;
}

// zlib's own, table-driven.
std::uint32_t Crc32Scalar(std::uint32_t crc, const std::uint8_t* bytes, std::size_t length) {
    if (length == 0) return crc;
    return static_cast<std::uint32_t>(crc32(crc, bytes, static_cast<uInt>(length)));
}

namespace {

void RgbToBgrPlain(const std::uint8_t* f, std::uint32_t n, std::uint8_t* s, std::uint8_t*, const std::uint8_t*) {
    for (std::uint32_t i = 0; i < n; ++i, f += 3, s += 3) {
        s[0] = f[2];
        s[1] = f[1];
        s[2] = f[0];
    }
}

void RgbaToBgrAlphaPlain(const std::uint8_t* f, std::uint32_t n, std::uint8_t* s, std::uint8_t* a,
                         const std::uint8_t*) {
    for (std::uint32_t i = 0; i < n; ++i, f += 4, s += 3) {
        s[0] = f[2];
        s[1] = f[1];
        s[2] = f[0];
        a[i] = f[3];
    }
}

void PaethPairPlain(std::uint8_t* first, std::uint8_t* second, const std::uint8_t* prev, std::size_t length,
                    int offset) {
    UnfilterRowScalar(4, first, prev, length, offset);
    UnfilterRowScalar(4, second, first, length, offset);
}

void PaethQuadPlain(std::uint8_t* first, std::size_t stride, const std::uint8_t* prev, std::size_t length, int offset) {
    for (int k = 0; k < 4; ++k, prev = first, first += stride)
        UnfilterRowScalar(4, first, prev, length, offset);
}

const PngKernels kScalar{"scalar",       &UnfilterRowScalar,   &PaethPairPlain, &PaethQuadPlain,
                         &RgbToBgrPlain, &RgbaToBgrAlphaPlain, &Adler32Scalar,  &Crc32Scalar};

const PngKernels& StartupChoice() {
    static const PngKernels& chosen = [&]() -> const PngKernels& {
        if (ScalarForced()) return kScalar;
        const PngKernels* vector = VectorKernels();
        return vector != nullptr ? *vector : kScalar;
    }();
    return chosen;
}

std::atomic<const PngKernels*> override_{nullptr};

}  // namespace

const PngKernels& ScalarKernels() {
    return kScalar;
}

const PngKernels& ActiveKernels() {
    const PngKernels* forced = override_.load(std::memory_order_relaxed);
    return forced != nullptr ? *forced : StartupChoice();
}

void UseKernels(const PngKernels* kernels) {
    override_.store(kernels, std::memory_order_relaxed);
}

}  // namespace zindra
