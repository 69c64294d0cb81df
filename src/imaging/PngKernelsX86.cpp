// Vector kernels for x86-64 with SSE4.1, compiled for it in this file only (the target
// attribute) and chosen only when the processor has it. Unfiltering works a pixel at a time in
// 16-bit lanes, since each pixel depends on the one before it; the rest works on whole vectors.
#include "imaging/PngKernels.h"

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define ZINDRA_PNG_X86 1
#include <immintrin.h>
#endif

#include <algorithm>
#include <cstring>

#include "framework/graphics/PixelProcessor.h"

namespace zindra {

#ifdef ZINDRA_PNG_X86

#define ZINDRA_SSE41 __attribute__((target("sse4.1")))

namespace {

// A pixel's bytes in 16-bit lanes. Whole words are loaded while the row has them: with pixels of
// 3 or 6 bytes that takes the next pixel's first bytes along, which the lane mask keeps out.
template <int Bpp>
ZINDRA_SSE41 inline __m128i LoadPixel(const std::uint8_t* at, bool whole) {
    __m128i bytes;
    if (whole && Bpp <= 4) {
        std::uint32_t word;
        std::memcpy(&word, at, 4);
        bytes = _mm_cvtsi32_si128(static_cast<int>(word));
    } else if (whole) {
        bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(at));
    } else {
        std::uint64_t v = 0;
        std::memcpy(&v, at, Bpp);
        bytes = _mm_cvtsi64_si128(static_cast<long long>(v));
    }
    return _mm_cvtepu8_epi16(bytes);
}

// Stores the pixel; with whole words, the lanes past the pixel hold the next pixel's own bytes
// unchanged (their predictor is masked to 0), so writing them back changes nothing.
template <int Bpp>
ZINDRA_SSE41 inline void StorePixel(std::uint8_t* at, __m128i pixel, bool whole) {
    const __m128i bytes = _mm_packus_epi16(pixel, pixel);
    if (whole && Bpp <= 4) {
        const auto word = static_cast<std::uint32_t>(_mm_cvtsi128_si32(bytes));
        std::memcpy(at, &word, 4);
    } else if (whole) {
        _mm_storel_epi64(reinterpret_cast<__m128i*>(at), bytes);
    } else {
        const auto v = static_cast<std::uint64_t>(_mm_cvtsi128_si64(bytes));
        std::memcpy(at, &v, Bpp);
    }
}

// PNG 9.4: the predictor of the pixel left (a), above (b) and above-left (c), in 16-bit lanes.
ZINDRA_SSE41 inline __m128i PaethPredictor(__m128i a, __m128i b, __m128i c) {
    const __m128i bc = _mm_sub_epi16(b, c), ac = _mm_sub_epi16(a, c);
    const __m128i pa = _mm_abs_epi16(bc), pb = _mm_abs_epi16(ac), pc = _mm_abs_epi16(_mm_add_epi16(bc, ac));
    const __m128i least = _mm_min_epi16(_mm_min_epi16(pa, pb), pc);
    const __m128i predictor = _mm_blendv_epi8(c, b, _mm_cmpeq_epi16(least, pb));
    return _mm_blendv_epi8(predictor, a, _mm_cmpeq_epi16(least, pa));
}

template <int Bpp>
ZINDRA_SSE41 void UnfilterPixels(std::uint8_t type, std::uint8_t* row, const std::uint8_t* prev, std::size_t length) {
    constexpr std::size_t kWord = Bpp <= 4 ? 4 : 8;
    const __m128i low = _mm_set1_epi16(0xFF);
    // 0xFFFF in the lanes of this pixel's bytes, 0 in those of the next pixel's.
    const __m128i mine = _mm_cmplt_epi16(_mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7), _mm_set1_epi16(Bpp));
    __m128i a = _mm_setzero_si128(), c = _mm_setzero_si128();
    // NOTE: each pixel is read before the one ahead of it is stored: a whole-word store covers the
    // start of the next pixel, and a load that overlaps a store in flight only partly waits for it.
    __m128i x = Bpp <= length ? LoadPixel<Bpp>(row, kWord <= length) : a;
    for (std::size_t i = 0; i + Bpp <= length; i += Bpp) {
        const bool whole = i + kWord <= length;
        const __m128i b = LoadPixel<Bpp>(prev + i, whole);
        __m128i predictor;
        if (type == 1) {
            predictor = a;
        } else if (type == 3) {
            predictor = _mm_srli_epi16(_mm_add_epi16(a, b), 1);
        } else {
            predictor = PaethPredictor(a, b, c);
        }
        a = _mm_and_si128(_mm_add_epi16(x, _mm_and_si128(predictor, mine)), low);
        c = b;
        const std::size_t next = i + Bpp;
        if (next + Bpp <= length) x = LoadPixel<Bpp>(row + next, next + kWord <= length);
        StorePixel<Bpp>(row + i, a, whole);
    }
}

ZINDRA_SSE41 void Unfilter(std::uint8_t type, std::uint8_t* row, const std::uint8_t* prev, std::size_t length,
                           int offset);

// Two Paeth rows at once, on a diagonal: the low lanes hold pixel i of the first row, the high
// lanes pixel i - 1 of the second, whose neighbours above are then already done. The two rows'
// chains of left neighbours run side by side in one vector.
template <int Bpp>
struct PaethPairState {
    __m128i Result = _mm_setzero_si128(), Above = _mm_setzero_si128();
};

// One diagonal step from the two filtered pixels, each as a word, and the pixels above them;
// bytes past a pixel pass through unchanged (their predictor is masked to 0). Returns both
// unfiltered pixels as a word each.
template <int Bpp>
ZINDRA_SSE41 inline __m128i PaethStep(PaethPairState<Bpp>& s, std::uint32_t x1, std::uint32_t x2, __m128i above) {
    const __m128i low = _mm_set1_epi16(0xFF);
    const __m128i mine = _mm_cmplt_epi16(_mm_setr_epi16(0, 1, 2, 3, 0, 1, 2, 3), _mm_set1_epi16(Bpp));
    const __m128i x = _mm_cvtepu8_epi16(
        _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(x1)), _mm_cvtsi32_si128(static_cast<int>(x2))));
    s.Result = _mm_and_si128(_mm_add_epi16(x, _mm_and_si128(PaethPredictor(s.Result, above, s.Above), mine)), low);
    s.Above = above;
    return _mm_packus_epi16(s.Result, s.Result);
}

// The pixels above a pair: the row above's pixel p (a word) for the first row, the first row's
// previous pixel for the second.
template <int Bpp>
ZINDRA_SSE41 inline __m128i AbovePair(std::uint32_t p, const PaethPairState<Bpp>& s) {
    return _mm_unpacklo_epi64(_mm_cvtepu8_epi16(_mm_cvtsi32_si128(static_cast<int>(p))), s.Result);
}

// After a pair's first step: its second row has not begun, so it starts from nothing.
template <int Bpp>
ZINDRA_SSE41 inline void SecondRowNotBegun(PaethPairState<Bpp>& s) {
    s.Result = _mm_and_si128(s.Result, _mm_setr_epi16(-1, -1, -1, -1, 0, 0, 0, 0));
}

// Pixel words at the rows' ends: whole words while the row has 4 bytes left, else the pixel's
// own bytes only.
template <int Bpp>
inline std::uint32_t PixelWord(const std::uint8_t* row, std::size_t pixel, std::size_t length) {
    const std::size_t at = pixel * Bpp;
    std::uint32_t w = 0;
    std::memcpy(&w, row + at, at + 4 <= length ? 4 : Bpp);
    return w;
}
template <int Bpp>
inline void PutPixelWord(std::uint8_t* row, std::size_t pixel, std::uint32_t w, std::size_t length) {
    const std::size_t at = pixel * Bpp;
    std::memcpy(row + at, &w, at + 4 <= length ? 4 : Bpp);
}

ZINDRA_SSE41 inline std::uint32_t FirstWord(__m128i bytes) {
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(bytes));
}
ZINDRA_SSE41 inline std::uint32_t SecondWord(__m128i bytes) {
    return static_cast<std::uint32_t>(_mm_extract_epi32(bytes, 1));
}

template <int Bpp>
ZINDRA_SSE41 void PaethPair(std::uint8_t* first, std::uint8_t* second, const std::uint8_t* prev, std::size_t length) {
    const std::size_t n = length / Bpp;
    auto word = [length](const std::uint8_t* row, std::size_t pixel) { return PixelWord<Bpp>(row, pixel, length); };
    auto put = [length](std::uint8_t* row, std::size_t pixel, std::uint32_t w) {
        PutPixelWord<Bpp>(row, pixel, w, length);
    };
    PaethPairState<Bpp> state;
    if (n == 0) return;
    put(first, 0, FirstWord(PaethStep(state, word(first, 0), 0, AbovePair(word(prev, 0), state))));
    SecondRowNotBegun(state);
    // Whole words can be read and written while the first row has 4 bytes left at pixel i; the
    // byte past a 3-byte pixel is the next pixel's, still filtered and written back unchanged.
    const std::size_t whole = length >= 4 ? std::min(n, (length - 4) / Bpp + 1) : 1;
    // As in UnfilterPixels, the next pixels are read before this step's words are stored.
    std::size_t i = 1;
    std::uint32_t x1 = 0, x2 = 0;
    if (i < whole) {
        std::memcpy(&x1, first + Bpp, 4);
        std::memcpy(&x2, second, 4);
    }
    for (; i < whole; ++i) {
        std::uint32_t p;
        std::memcpy(&p, prev + i * Bpp, 4);
        const __m128i bytes = PaethStep(state, x1, x2, AbovePair(p, state));
        const std::uint32_t r1 = FirstWord(bytes), r2 = SecondWord(bytes);
        if (i + 1 < whole) {
            std::memcpy(&x1, first + (i + 1) * Bpp, 4);
            std::memcpy(&x2, second + i * Bpp, 4);
        }
        std::memcpy(second + (i - 1) * Bpp, &r2, 4);
        std::memcpy(first + i * Bpp, &r1, 4);
    }
    for (; i <= n; ++i) {
        const __m128i bytes = PaethStep(state, i < n ? word(first, i) : 0, word(second, i - 1),
                                        AbovePair(i < n ? word(prev, i) : 0, state));
        if (i < n) put(first, i, FirstWord(bytes));
        put(second, i - 1, SecondWord(bytes));
    }
}

ZINDRA_SSE41 void UnfilterPaethPair(std::uint8_t* first, std::uint8_t* second, const std::uint8_t* prev,
                                    std::size_t length, int offset) {
    if ((offset == 3 || offset == 4) && length % static_cast<std::size_t>(offset) == 0) {
        if (offset == 3) return PaethPair<3>(first, second, prev, length);
        return PaethPair<4>(first, second, prev, length);
    }
    Unfilter(4, first, prev, length, offset);
    Unfilter(4, second, first, length, offset);
}

// Four Paeth rows as two diagonal pairs, the second two steps behind the first: at step t the
// first pair does pixel t of row 0 and t - 1 of row 1, the second pixel t - 2 of row 2 and t - 3 of
// row 3. The second pair's row above is row 1, whose pixel t - 2 the first pair finished a step
// before, still in its register. Two independent chains of dependent steps run side by side, so
// the processor works on both at once.
template <int Bpp>
struct PaethQuadRun {
    std::uint8_t* Row[4];
    const std::uint8_t* Prev;
    std::size_t Length, Pixels;
    PaethPairState<Bpp> A, B;

    std::uint32_t Word(const std::uint8_t* row, std::size_t pixel) const { return PixelWord<Bpp>(row, pixel, Length); }
    void Put(std::uint8_t* row, std::size_t pixel, std::uint32_t w) const { PutPixelWord<Bpp>(row, pixel, w, Length); }
    // The second pair's pixels above: row 1's pixel from the first pair's last step, then its own
    // first row's previous pixel.
    ZINDRA_SSE41 __m128i AboveOfSecond() const { return _mm_alignr_epi8(B.Result, A.Result, 8); }
    // A step at the ends of the rows, where some of the four pixels are outside their row.
    ZINDRA_SSE41 void EdgeStep(std::size_t t) {
        const std::size_t n = Pixels;
        const __m128i aboveOfSecond = AboveOfSecond();
        if (t <= n) {
            const __m128i bytes = PaethStep(A, t < n ? Word(Row[0], t) : 0, t >= 1 ? Word(Row[1], t - 1) : 0,
                                            AbovePair(t < n ? Word(Prev, t) : 0, A));
            if (t == 0) SecondRowNotBegun(A);
            if (t < n) Put(Row[0], t, FirstWord(bytes));
            if (t >= 1) Put(Row[1], t - 1, SecondWord(bytes));
        }
        if (t < 2) return;
        const std::size_t u = t - 2;
        const __m128i bytes =
            PaethStep(B, u < n ? Word(Row[2], u) : 0, u >= 1 ? Word(Row[3], u - 1) : 0, aboveOfSecond);
        if (u == 0) SecondRowNotBegun(B);
        if (u < n) Put(Row[2], u, FirstWord(bytes));
        if (u >= 1) Put(Row[3], u - 1, SecondWord(bytes));
    }

    ZINDRA_SSE41 void Run() {
        const std::size_t n = Pixels;
        // Whole words while row 0 has 4 bytes left at pixel t (the other rows are further back).
        const std::size_t whole = Length >= 4 ? std::min(n, (Length - 4) / Bpp + 1) : 0;
        std::size_t t = 0;
        for (; t < 3 && t <= n + 2; ++t)
            EdgeStep(t);
        if (t < whole) {
            // As in the pair, every step reads the next step's pixels before it writes its own.
            std::uint32_t x0, x1, x2, x3;
            std::memcpy(&x0, Row[0] + t * Bpp, 4);
            std::memcpy(&x1, Row[1] + (t - 1) * Bpp, 4);
            std::memcpy(&x2, Row[2] + (t - 2) * Bpp, 4);
            std::memcpy(&x3, Row[3] + (t - 3) * Bpp, 4);
            for (; t < whole; ++t) {
                std::uint32_t p;
                std::memcpy(&p, Prev + t * Bpp, 4);
                const __m128i aboveOfSecond = AboveOfSecond();
                const __m128i first = PaethStep(A, x0, x1, AbovePair(p, A));
                const __m128i second = PaethStep(B, x2, x3, aboveOfSecond);
                if (t + 1 < whole) {
                    std::memcpy(&x0, Row[0] + (t + 1) * Bpp, 4);
                    std::memcpy(&x1, Row[1] + t * Bpp, 4);
                    std::memcpy(&x2, Row[2] + (t - 1) * Bpp, 4);
                    std::memcpy(&x3, Row[3] + (t - 2) * Bpp, 4);
                }
                const std::uint32_t r0 = FirstWord(first), r1 = SecondWord(first);
                const std::uint32_t r2 = FirstWord(second), r3 = SecondWord(second);
                std::memcpy(Row[3] + (t - 3) * Bpp, &r3, 4);
                std::memcpy(Row[2] + (t - 2) * Bpp, &r2, 4);
                std::memcpy(Row[1] + (t - 1) * Bpp, &r1, 4);
                std::memcpy(Row[0] + t * Bpp, &r0, 4);
            }
        }
        for (; t <= n + 2; ++t)
            EdgeStep(t);
    }
};

ZINDRA_SSE41 void UnfilterPaethQuad(std::uint8_t* first, std::size_t stride, const std::uint8_t* prev,
                                    std::size_t length, int offset) {
    if ((offset == 3 || offset == 4) && length % static_cast<std::size_t>(offset) == 0 && length != 0) {
        std::uint8_t* const second = first + stride;
        std::uint8_t* const third = second + stride;
        std::uint8_t* const fourth = third + stride;
        if (offset == 3) {
            PaethQuadRun<3>{{first, second, third, fourth}, prev, length, length / 3, {}, {}}.Run();
        } else {
            PaethQuadRun<4>{{first, second, third, fourth}, prev, length, length / 4, {}, {}}.Run();
        }
        return;
    }
    UnfilterPaethPair(first, first + stride, prev, length, offset);
    UnfilterPaethPair(first + 2 * stride, first + 3 * stride, first + stride, length, offset);
}

ZINDRA_SSE41 void UnfilterUp(std::uint8_t* row, const std::uint8_t* prev, std::size_t length) {
    std::size_t i = 0;
    for (; i + 16 <= length; i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(prev + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), _mm_add_epi8(x, b));
    }
    for (; i < length; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + prev[i]);
}

ZINDRA_SSE41 void Unfilter(std::uint8_t type, std::uint8_t* row, const std::uint8_t* prev, std::size_t length,
                           int offset) {
    if (type == 2) return UnfilterUp(row, prev, length);
    // Whole pixels of 3, 4, 6 or 8 bytes; rows of a single byte a pixel gain nothing here.
    if ((type == 1 || type == 3 || type == 4) && offset != 0 && length % static_cast<std::size_t>(offset) == 0) {
        switch (offset) {
            case 3:
                return UnfilterPixels<3>(type, row, prev, length);
            case 4:
                return UnfilterPixels<4>(type, row, prev, length);
            case 6:
                return UnfilterPixels<6>(type, row, prev, length);
            case 8:
                return UnfilterPixels<8>(type, row, prev, length);
            default:
                break;
        }
    }
    UnfilterRowScalar(type, row, prev, length, offset);
}

ZINDRA_SSE41 void RgbToBgr(const std::uint8_t* f, std::uint32_t n, std::uint8_t* s, std::uint8_t*,
                           const std::uint8_t*) {
    const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 12, 13, 14, 15);
    std::uint32_t i = 0;
    // Four pixels a step, reading and writing 16 bytes: stop 6 pixels short of the end so
    // neither runs past the row.
    for (; i + 6 <= n; i += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(f + 3 * i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(s + 3 * i), _mm_shuffle_epi8(v, order));
    }
    for (; i < n; ++i) {
        s[3 * i] = f[3 * i + 2];
        s[3 * i + 1] = f[3 * i + 1];
        s[3 * i + 2] = f[3 * i];
    }
}

ZINDRA_SSE41 void RgbaToBgrAlpha(const std::uint8_t* f, std::uint32_t n, std::uint8_t* s, std::uint8_t* a,
                                 const std::uint8_t*) {
    const __m128i order = _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, 3, 7, 11, 15);
    std::uint32_t i = 0;
    for (; i + 6 <= n; i += 4) {
        const __m128i v = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(f + 4 * i)), order);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(s + 3 * i), v);
        const int alpha = _mm_extract_epi32(v, 3);
        std::memcpy(a + i, &alpha, 4);
    }
    for (; i < n; ++i) {
        s[3 * i] = f[4 * i + 2];
        s[3 * i + 1] = f[4 * i + 1];
        s[3 * i + 2] = f[4 * i];
        a[i] = f[4 * i + 3];
    }
}

// Adler-32 16 bytes a step: the byte sum by SAD, the weighted sum by multiply-adds.
ZINDRA_SSE41 std::uint32_t Adler32(std::uint32_t adler, const std::uint8_t* bytes, std::size_t length) {
    constexpr std::uint32_t kBase = 65521;
    constexpr std::size_t kBlock = 5552 / 16 * 16;
    std::uint64_t s1 = adler & 0xFFFF, s2 = adler >> 16;
    const __m128i weights = _mm_setr_epi8(16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1);
    const __m128i ones = _mm_set1_epi16(1), zero = _mm_setzero_si128();
    while (length >= 16) {
        const std::size_t n = length < kBlock ? length / 16 * 16 : kBlock;
        __m128i vs1 = zero, vs2 = zero, vps = zero;
        for (std::size_t i = 0; i < n; i += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
            vps = _mm_add_epi32(vps, vs1);
            vs1 = _mm_add_epi32(vs1, _mm_sad_epu8(v, zero));
            vs2 = _mm_add_epi32(vs2, _mm_madd_epi16(_mm_maddubs_epi16(v, weights), ones));
        }
        auto sum = [](__m128i v) {
            v = _mm_add_epi32(v, _mm_shuffle_epi32(v, 0x4E));
            v = _mm_add_epi32(v, _mm_shuffle_epi32(v, 0xB1));
            return static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_cvtsi128_si32(v)));
        };
        s2 += s1 * n + 16 * sum(vps) + sum(vs2);
        s1 += sum(vs1);
        s1 %= kBase;
        s2 %= kBase;
        bytes += n;
        length -= n;
    }
    return Adler32Scalar(static_cast<std::uint32_t>(s2 << 16 | s1), bytes, length);
}

#define ZINDRA_CLMUL __attribute__((target("sse4.1,pclmul")))

// The CRC-32 of PNG and zlib by carry-less multiplication: four 16-byte lanes folded forward 64
// bytes a step, then into one lane, then Barrett-reduced to 32 bits (the constants are powers
// of x modulo the bit-reflected polynomial). Whole 16-byte blocks from 64 bytes on; the rest by
// the plain table.
ZINDRA_CLMUL inline __m128i Fold(__m128i x, __m128i k, __m128i next) {
    return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00), _mm_clmulepi64_si128(x, k, 0x11)), next);
}

ZINDRA_CLMUL std::uint32_t Crc32Clmul(std::uint32_t crc, const std::uint8_t* bytes, std::size_t length) {
    if (length < 64) return Crc32Scalar(crc, bytes, length);
    auto load = [](const std::uint8_t* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); };
    const std::size_t whole = length & ~std::size_t{15};
    const std::uint8_t* const end = bytes + whole;
    __m128i x1 = _mm_xor_si128(load(bytes), _mm_cvtsi32_si128(static_cast<int>(~crc)));
    __m128i x2 = load(bytes + 16), x3 = load(bytes + 32), x4 = load(bytes + 48);
    const std::uint8_t* at = bytes + 64;
    const __m128i k1k2 = _mm_set_epi64x(0x01c6e41596, 0x0154442bd4);
    for (; end - at >= 64; at += 64) {
        x1 = Fold(x1, k1k2, load(at));
        x2 = Fold(x2, k1k2, load(at + 16));
        x3 = Fold(x3, k1k2, load(at + 32));
        x4 = Fold(x4, k1k2, load(at + 48));
    }
    const __m128i k3k4 = _mm_set_epi64x(0x00ccaa009e, 0x01751997d0);
    x1 = Fold(Fold(Fold(x1, k3k4, x2), k3k4, x3), k3k4, x4);
    for (; at < end; at += 16)
        x1 = Fold(x1, k3k4, load(at));
    // 128 bits to 64, then the Barrett reduction.
    const __m128i low32 = _mm_setr_epi32(-1, 0, -1, 0);
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), _mm_clmulepi64_si128(x1, k3k4, 0x10));
    const __m128i k5 = _mm_set_epi64x(0, 0x0163cd6124);
    x1 = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, low32), k5, 0x00), _mm_srli_si128(x1, 4));
    const __m128i poly = _mm_set_epi64x(0x01f7011641, 0x01db710641);
    __m128i t = _mm_clmulepi64_si128(_mm_and_si128(x1, low32), poly, 0x10);
    t = _mm_clmulepi64_si128(_mm_and_si128(t, low32), poly, 0x00);
    const auto folded = static_cast<std::uint32_t>(_mm_extract_epi32(_mm_xor_si128(x1, t), 1));
    return Crc32Scalar(~folded, end, length - whole);
}

const PngKernels kSse41{"sse4.1",  &Unfilter,       &UnfilterPaethPair, &UnfilterPaethQuad,
                        &RgbToBgr, &RgbaToBgrAlpha, &Adler32,           &Crc32Scalar};
const PngKernels kSse41Clmul{"sse4.1+pclmul", &Unfilter,       &UnfilterPaethPair, &UnfilterPaethQuad,
                             &RgbToBgr,       &RgbaToBgrAlpha, &Adler32,           &Crc32Clmul};

}  // namespace

const PngKernels* VectorKernels() {
    const ProcessorFeatures& features = ProbedFeatures();
    if (!features.Sse41) return nullptr;
    return features.Pclmul ? &kSse41Clmul : &kSse41;
}

#else

const PngKernels* VectorKernels() {
    return nullptr;
}

#endif

}  // namespace zindra
