// The whole-buffer inflater: a 64-bit bit buffer refilled a word at a time, two-level decode
// tables (11 bits for literals and lengths, 8 for distances), and match copies a word at a time.
#include "imaging/Inflate.h"

#include <array>
#include <cstring>
#include <memory>

#include "framework/graphics/PixelProcessor.h"
#include "imaging/PngKernels.h"

// The decoding loop is built twice, once for processors with BMI2, whose shifts by a register
// are single flag-free instructions on the chain from one table lookup to the next; everything
// it calls is inlined into each copy.
#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define ZINDRA_INFLATE_BMI2 1
#define ZINDRA_HOT __attribute__((always_inline)) inline
#else
#define ZINDRA_HOT inline
#endif

namespace zindra {

namespace {

// A table entry: value in bits 16-31, kind in 12-15, extra bits in 8-11, code bits in 0-7.
// For a subtable link, value is the subtable's start and extra its index bits. A primary
// literal entry may stand for two literals whose codes fit its bits together: the first in bits
// 16-23, the second in 24-31, and kPairFlag set (literals have no extra bits to need the field).
enum Kind : std::uint32_t { kLiteral = 0, kLength = 1, kEnd = 2, kLink = 3, kInvalid = 4, kDistance = 5 };

constexpr std::uint32_t MakeEntry(Kind kind, std::uint32_t value, std::uint32_t extra, std::uint32_t bits) {
    return value << 16 | std::uint32_t{kind} << 12 | extra << 8 | bits;
}
constexpr std::uint32_t EntryValue(std::uint32_t e) {
    return e >> 16;
}
constexpr Kind EntryKind(std::uint32_t e) {
    return static_cast<Kind>((e >> 12) & 15);
}
// One test of the kind bits, the literal's kind being 0.
constexpr bool IsLiteral(std::uint32_t e) {
    return (e & 0xF000u) == 0;
}
constexpr std::uint32_t kPairFlag = 1u << 8;
constexpr std::uint32_t EntryExtra(std::uint32_t e) {
    return (e >> 8) & 15;
}
constexpr std::uint32_t EntryBits(std::uint32_t e) {
    return e & 255;
}

constexpr std::uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                           31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::uint16_t kDistBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                         33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                         1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::uint8_t kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                         6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

constexpr int kLitBits = 11;
constexpr int kDistBits = 8;
constexpr int kMaxCodeBits = 15;
// Primary table plus one full-size subtable for every symbol that could need one.
constexpr int kLitTableSize = (1 << kLitBits) + 288 * (1 << (kMaxCodeBits - kLitBits));
constexpr int kDistTableSize = (1 << kDistBits) + 32 * (1 << (kMaxCodeBits - kDistBits));
constexpr int kCodeTableSize = 1 << 7;

std::uint32_t LitLenEntry(int symbol, std::uint32_t bits) {
    if (symbol < 256) return MakeEntry(kLiteral, static_cast<std::uint32_t>(symbol), 0, bits);
    if (symbol == 256) return MakeEntry(kEnd, 0, 0, bits);
    if (symbol > 285) return MakeEntry(kInvalid, 0, 0, bits);
    const int i = symbol - 257;
    return MakeEntry(kLength, kLengthBase[i], kLengthExtra[i], bits);
}
std::uint32_t DistEntry(int symbol, std::uint32_t bits) {
    if (symbol >= 30) return MakeEntry(kInvalid, 0, 0, bits);
    return MakeEntry(kDistance, kDistBase[symbol], kDistExtra[symbol], bits);
}
std::uint32_t CodeLengthEntry(int symbol, std::uint32_t bits) {
    return MakeEntry(kLiteral, static_cast<std::uint32_t>(symbol), 0, bits);
}

constexpr std::array<std::uint8_t, 256> kReversedBytes = [] {
    std::array<std::uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i)
        for (int b = 0; b < 8; ++b)
            table[static_cast<std::size_t>(i)] |= static_cast<std::uint8_t>(((i >> b) & 1) << (7 - b));
    return table;
}();

// A code of 1 to 15 bits with its bits in the opposite order (Huffman codes are sent from their
// top bit, and the bit buffer is read from its bottom).
std::uint32_t Reverse(std::uint32_t code, int bits) {
    return static_cast<std::uint32_t>(kReversedBytes[code & 255] << 8 | kReversedBytes[(code >> 8) & 255]) >>
           (16 - bits);
}

// The literals whose codes are shorter than the primary table's bits, shortest first.
struct ShortLiterals {
    struct Code {
        std::uint32_t Reversed;
        int Length;
        int Symbol;
    };
    Code Codes[256];
    int Count = 0;
    void Add(Code code) { Codes[Count++] = code; }
};

// Makes each primary entry that starts with a literal and holds the whole code of a second one
// in its remaining bits stand for both, so that one lookup writes two bytes. Literal-heavy data
// (photographs, where the shortest literal codes take 2 to 5 bits) then needs far fewer lookups,
// each of which waits for the one before. Every pair of codes that fits is visited once and
// writes exactly its own entries: those whose low bits are the first code, the next bits the
// second.
void PairLiterals(const ShortLiterals& shorts, std::uint32_t* table, int tableBits) {
    const std::uint32_t size = 1u << tableBits;
    for (int a = 0; a < shorts.Count; ++a) {
        const ShortLiterals::Code& first = shorts.Codes[a];
        for (int b = 0; b < shorts.Count && first.Length + shorts.Codes[b].Length <= tableBits; ++b) {
            const ShortLiterals::Code& second = shorts.Codes[b];
            const auto bits = static_cast<std::uint32_t>(first.Length + second.Length);
            const std::uint32_t pair =
                static_cast<std::uint32_t>(first.Symbol | second.Symbol << 8) << 16 | kPairFlag | bits;
            for (std::uint32_t i = first.Reversed | second.Reversed << first.Length; i < size; i += 1u << bits)
                table[i] = pair;
        }
    }
}

// Canonical Huffman decode table (RFC 1951 3.2.2). Follows zlib's rules for what it accepts:
// no over-subscribed set; an incomplete set only for literal/length and distance codes with a
// single one-bit code (complete is required for the code-length code); an empty set is allowed
// and every entry then is invalid.
bool BuildTable(const std::uint8_t* lengths, int count, int tableBits, bool completeRequired,
                std::uint32_t (*entryFor)(int, std::uint32_t), std::uint32_t* table, int tableSize,
                bool pairLiterals = false) {
    int histogram[kMaxCodeBits + 1] = {};
    int maxLength = 0;
    for (int s = 0; s < count; ++s) {
        ++histogram[lengths[s]];
        if (lengths[s] > maxLength) maxLength = lengths[s];
    }
    histogram[0] = 0;
    int left = 1;
    for (int len = 1; len <= kMaxCodeBits; ++len) {
        left = (left << 1) - histogram[len];
        if (left < 0) return false;
    }
    if (maxLength != 0 && left > 0 && (completeRequired || maxLength != 1)) return false;
    const std::uint32_t invalid = MakeEntry(kInvalid, 0, 0, 1);
    int nextCode[kMaxCodeBits + 2] = {};
    for (int len = 1, code = 0; len <= kMaxCodeBits; ++len) {
        code = (code + histogram[len - 1]) << 1;
        nextCode[len] = code;
    }
    // Symbols in code order (by length, then by symbol).
    int firstOfLength[kMaxCodeBits + 2] = {};
    for (int len = 1; len <= kMaxCodeBits; ++len)
        firstOfLength[len + 1] = firstOfLength[len] + histogram[len];
    std::uint16_t sorted[288];
    for (int s = 0; s < count; ++s) {
        if (lengths[s] != 0) sorted[firstOfLength[lengths[s]]++] = static_cast<std::uint16_t>(s);
    }
    const int used = firstOfLength[kMaxCodeBits];

    ShortLiterals shorts;
    // The primary table grows with the code length: the codes of one length take one entry each
    // in a table of that many bits, which is then doubled by a copy (the bits after a code do not
    // matter to it). Entries no code reaches stay invalid through every doubling.
    int k = 0;
    table[0] = table[1] = invalid;
    for (int len = 1, size = 2; len <= tableBits; ++len) {
        if (len > 1) {
            std::memcpy(table + size, table, sizeof(std::uint32_t) * static_cast<std::size_t>(size));
            size *= 2;
        }
        for (int c = 0; c < histogram[len]; ++c, ++k) {
            const int s = sorted[k];
            const std::uint32_t reversed = Reverse(static_cast<std::uint32_t>(nextCode[len]++), len);
            table[reversed] = entryFor(s, static_cast<std::uint32_t>(len));
            if (pairLiterals && s < 256 && len < tableBits) shorts.Add({reversed, len, s});
        }
    }
    if (pairLiterals) PairLiterals(shorts, table, tableBits);

    // Longer codes go to subtables linked from the primary entry of their first bits. In code
    // order the codes that share one follow each other, so each subtable is made at its first.
    const int subBits = maxLength > tableBits ? maxLength - tableBits : 0;
    const std::uint32_t primaryMask = (1u << tableBits) - 1;
    int nextSub = 1 << tableBits;
    std::uint32_t lastLow = ~0u;
    int start = 0;
    for (; k < used; ++k) {
        const int s = sorted[k];
        const int len = lengths[s];
        const std::uint32_t reversed = Reverse(static_cast<std::uint32_t>(nextCode[len]++), len);
        const std::uint32_t low = reversed & primaryMask;
        if (low != lastLow) {
            if (nextSub + (1 << subBits) > tableSize) return false;
            lastLow = low;
            start = nextSub;
            table[low] = MakeEntry(kLink, static_cast<std::uint32_t>(nextSub), static_cast<std::uint32_t>(subBits),
                                   static_cast<std::uint32_t>(tableBits));
            // A complete code fills every subtable entry; only an incomplete one leaves gaps.
            if (left != 0) {
                for (int i = 0; i < (1 << subBits); ++i)
                    table[nextSub + i] = invalid;
            }
            nextSub += 1 << subBits;
        }
        const int rest = len - tableBits;
        const std::uint32_t e = entryFor(s, static_cast<std::uint32_t>(rest));
        for (std::uint32_t i = reversed >> tableBits; i < (1u << subBits); i += 1u << rest)
            table[start + static_cast<int>(i)] = e;
    }
    return true;
}

struct FixedTables {
    std::array<std::uint32_t, kLitTableSize> Lit{};
    std::array<std::uint32_t, kDistTableSize> Dist{};
    FixedTables() {
        std::uint8_t lengths[320];
        std::memset(lengths, 8, 144);
        std::memset(lengths + 144, 9, 112);
        std::memset(lengths + 256, 7, 24);
        std::memset(lengths + 280, 8, 8);
        BuildTable(lengths, 288, kLitBits, false, &LitLenEntry, Lit.data(), kLitTableSize, true);
        std::memset(lengths, 5, 32);
        BuildTable(lengths, 32, kDistBits, false, &DistEntry, Dist.data(), kDistTableSize);
    }
};

class Inflater {
public:
    Inflater(std::span<const std::uint8_t> in, std::span<std::uint8_t> out)
        : in_(in.data()),
          inEnd_(in.data() + in.size()),
          outStart_(out.data()),
          out_(out.data()),
          outEnd_(out.data() + out.size()) {}

    InflateStatus Run();

private:
    ZINDRA_HOT void Refill() {
        if (inEnd_ - in_ >= 8) {
            std::uint64_t word;
            std::memcpy(&word, in_, 8);  // little-endian machines only (all the program runs on)
            bits_ |= word << bitCount_;
            in_ += (63 - bitCount_) >> 3;
            bitCount_ |= 56;
            return;
        }
        while (bitCount_ <= 56) {
            std::uint64_t byte = 0;
            if (in_ < inEnd_) {
                byte = *in_++;
            } else {
                ++overread_;
            }
            bits_ |= byte << bitCount_;
            bitCount_ += 8;
        }
    }
    std::uint32_t Take(int n) {
        const auto v = static_cast<std::uint32_t>(bits_ & ((std::uint64_t{1} << n) - 1));
        bits_ >>= n;
        bitCount_ -= static_cast<unsigned>(n);
        return v;
    }
    // True while the bits used so far all came from the input.
    bool WithinInput() const { return overread_ * 8 <= bitCount_; }

    bool Header();
    InflateStatus Stored();
    bool DynamicTables();
    InflateStatus Codes(const std::uint32_t* lit, const std::uint32_t* dist);
    InflateStatus CodesPlain(const std::uint32_t* lit, const std::uint32_t* dist);
    InflateStatus CodesBmi2(const std::uint32_t* lit, const std::uint32_t* dist);
    InflateStatus CodesBody(const std::uint32_t* lit, const std::uint32_t* dist);
    InflateStatus Trailer();

    const std::uint8_t* in_;
    const std::uint8_t* inEnd_;
    std::uint8_t* outStart_;
    std::uint8_t* out_;
    std::uint8_t* outEnd_;
    std::uint64_t bits_ = 0;
    unsigned bitCount_ = 0;
    std::size_t overread_ = 0;
    std::array<std::uint32_t, kLitTableSize> lit_;
    std::array<std::uint32_t, kDistTableSize> dist_;
};

bool Inflater::Header() {
    Refill();
    const std::uint32_t cmf = Take(8), flg = Take(8);
    // RFC 1950 2.2: deflate with a window of at most 32K, a check that divides by 31, no dictionary.
    return (cmf & 15) == 8 && (cmf >> 4) <= 7 && (cmf * 256 + flg) % 31 == 0 && (flg & 0x20) == 0;
}

InflateStatus Inflater::Stored() {
    Take(static_cast<int>(bitCount_ & 7));
    // Hand the whole bytes still in the buffer back to the input.
    const std::size_t buffered = bitCount_ / 8;
    if (overread_ > buffered) return InflateStatus::kBadStream;
    in_ -= buffered - overread_;
    overread_ = 0;
    bits_ = 0;
    bitCount_ = 0;
    if (inEnd_ - in_ < 4) return InflateStatus::kBadStream;
    const std::uint32_t len = in_[0] | in_[1] << 8, nlen = in_[2] | in_[3] << 8;
    in_ += 4;
    if (len != (~nlen & 0xFFFF)) return InflateStatus::kBadStream;
    if (static_cast<std::size_t>(inEnd_ - in_) < len) return InflateStatus::kBadStream;
    if (static_cast<std::size_t>(outEnd_ - out_) < len) return InflateStatus::kWrongSize;
    if (len != 0) std::memcpy(out_, in_, len);  // an empty output may have no buffer at all
    out_ += len;
    in_ += len;
    return InflateStatus::kOk;
}

bool Inflater::DynamicTables() {
    static constexpr std::uint8_t kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    Refill();
    const int nlen = static_cast<int>(Take(5)) + 257, ndist = static_cast<int>(Take(5)) + 1;
    const int ncode = static_cast<int>(Take(4)) + 4;
    if (nlen > 286 || ndist > 30) return false;
    std::uint8_t codeLengths[19] = {};
    for (int i = 0; i < ncode; ++i) {
        Refill();
        codeLengths[kOrder[i]] = static_cast<std::uint8_t>(Take(3));
    }
    std::uint32_t codeTable[kCodeTableSize];
    if (!BuildTable(codeLengths, 19, 7, true, &CodeLengthEntry, codeTable, kCodeTableSize)) return false;
    std::uint8_t lengths[286 + 30] = {};
    for (int n = 0; n < nlen + ndist;) {
        Refill();
        const std::uint32_t e = codeTable[bits_ & 127];
        if (EntryKind(e) == kInvalid) return false;
        Take(static_cast<int>(EntryBits(e)));
        const std::uint32_t symbol = EntryValue(e);
        if (symbol < 16) {
            lengths[n++] = static_cast<std::uint8_t>(symbol);
            continue;
        }
        std::uint8_t value = 0;
        int repeat;
        if (symbol == 16) {
            if (n == 0) return false;
            value = lengths[n - 1];
            repeat = 3 + static_cast<int>(Take(2));
        } else if (symbol == 17) {
            repeat = 3 + static_cast<int>(Take(3));
        } else {
            repeat = 11 + static_cast<int>(Take(7));
        }
        if (n + repeat > nlen + ndist) return false;
        std::memset(lengths + n, value, static_cast<std::size_t>(repeat));
        n += repeat;
    }
    if (lengths[256] == 0) return false;
    return BuildTable(lengths, nlen, kLitBits, false, &LitLenEntry, lit_.data(), kLitTableSize, true) &&
           BuildTable(lengths + nlen, ndist, kDistBits, false, &DistEntry, dist_.data(), kDistTableSize);
}

// A match of length bytes from distance back. With fast, room for length + 16 bytes is checked by
// the caller, so whole words may be written past the end (later bytes overwrite them).
ZINDRA_HOT void CopyMatch(std::uint8_t*& out, std::size_t distance, std::size_t length, bool fast) {
    const std::uint8_t* from = out - distance;
    std::uint8_t* const end = out + length;
    if (fast && distance >= 16) {
        // A 16-byte step never reads bytes this copy has yet to write.
        do {
            std::memcpy(out, from, 16);
            out += 16;
            from += 16;
        } while (out < end);
    } else if (fast && distance >= 8) {
        do {
            std::memcpy(out, from, 8);
            out += 8;
            from += 8;
        } while (out < end);
    } else if (distance == 1) {
        std::memset(out, *from, length);
    } else {
        while (out < end)
            *out++ = *from++;
    }
    out = end;
}

// The decoding state while a block's codes are read. NOTE: it lives in locals: output bytes may
// alias any member (they are chars), which would keep the bit buffer out of registers.
struct Cursor {
    std::uint64_t Bits;
    unsigned Count;
    const std::uint8_t* In;
    std::uint8_t* Out;

    // Tops the buffer up to at least 56 bits from 8 bytes the caller has made sure are there.
    ZINDRA_HOT void RefillWord() {
        std::uint64_t word;
        std::memcpy(&word, In, 8);  // little-endian machines only (all the program runs on)
        Bits |= word << Count;
        In += (63 - Count) >> 3;
        Count |= 56;
    }
    ZINDRA_HOT std::uint32_t Take(std::uint32_t n) {
        const auto v = static_cast<std::uint32_t>(Bits & ((std::uint64_t{1} << n) - 1));
        Bits >>= n;
        Count -= n;
        return v;
    }
    ZINDRA_HOT void Skip(std::uint32_t n) {
        Bits >>= n;
        Count -= n;
    }
    // An entry's code bits are at most 15, so the low 6 bits of the entry are its shift: the
    // processor's shift takes just those, which keeps a mask off the chain from one table
    // lookup to the next.
    ZINDRA_HOT void SkipEntry(std::uint32_t e) {
        Bits >>= (e & 63);
        Count -= e & 63;
    }
};

constexpr std::uint32_t kLitMask = (1u << kLitBits) - 1, kDistMask = (1u << kDistBits) - 1;

// The one or two literals of a primary entry; two bytes are written either way (the caller has
// room for them), and the output moves on by as many as the entry holds.
ZINDRA_HOT void PutLiterals(std::uint8_t*& out, std::uint32_t e) {
    const auto both = static_cast<std::uint16_t>(e >> 16);
    std::memcpy(out, &both, 2);
    out += 1 + ((e & kPairFlag) >> 8);
}

ZINDRA_HOT std::uint32_t Lookup(const std::uint32_t* table, std::uint32_t e, std::uint64_t bits, int primaryBits) {
    return table[EntryValue(e) + ((bits >> primaryBits) & ((1u << EntryExtra(e)) - 1))];
}

// The rest of the literal/length entry e looked up at the cursor (its subtable's when it links to
// one), its code bits taken.
ZINDRA_HOT std::uint32_t Consume(Cursor& c, const std::uint32_t* lit, std::uint32_t e) {
    if (EntryKind(e) == kLink) {
        e = Lookup(lit, e, c.Bits, kLitBits);
        c.Skip(kLitBits);
    }
    c.SkipEntry(e);
    return e;
}

// The match whose length entry e was just taken: its extra bits, its distance (checked against
// the output written so far) and the copy, when the output has room for it. kOk to go on.
ZINDRA_HOT InflateStatus Match(Cursor& c, std::uint32_t e, const std::uint32_t* dist, const std::uint8_t* outStart,
                               const std::uint8_t* outEnd) {
    const std::size_t length = EntryValue(e) + c.Take(EntryExtra(e));
    std::uint32_t d = dist[c.Bits & kDistMask];
    if (EntryKind(d) == kLink) {
        d = Lookup(dist, d, c.Bits, kDistBits);
        c.Skip(kDistBits);
    }
    c.SkipEntry(d);
    const std::size_t distance = EntryValue(d) + c.Take(EntryExtra(d));
    if (EntryKind(d) != kDistance || distance > static_cast<std::size_t>(c.Out - outStart)) {
        return InflateStatus::kBadStream;
    }
    const auto room = static_cast<std::size_t>(outEnd - c.Out);
    if (length > room) return InflateStatus::kWrongSize;
    CopyMatch(c.Out, distance, length, room >= length + 16);
    return InflateStatus::kOk;
}

// Codes while the input has room for two whole-word refills a step and the output for three
// literals, so that only a match needs to look at the output's end (a word's overrun is allowed
// where there is room for it). Stops with the cursor at a symbol's start when the room runs out,
// and returns true with status set when the block ended, the stream is bad or too long.
ZINDRA_HOT bool FastCodes(Cursor& c, const std::uint32_t* lit, const std::uint32_t* dist, const std::uint8_t* outStart,
                          std::size_t inRoom, std::size_t outRoom, InflateStatus& status) {
    // Each of up to three lookups a step writes two bytes (the second only kept for a pair).
    constexpr std::size_t kInSlack = 24, kOutSlack = 6;
    if (inRoom < kInSlack || outRoom < kOutSlack) return false;
    const std::uint8_t* const inLimit = c.In + (inRoom - kInSlack);
    std::uint8_t* const outEnd = c.Out + outRoom;
    std::uint8_t* const outLimit = outEnd - kOutSlack;
    while (c.In <= inLimit && c.Out <= outLimit) {
        c.RefillWord();
        std::uint32_t e = lit[c.Bits & kLitMask];
        // At least 56 bits after a refill: three primary literal entries of at most 11 bits, or a
        // length and distance with their extra bits (48 at most) after one.
        if (IsLiteral(e)) {
            c.SkipEntry(e);
            PutLiterals(c.Out, e);
            e = lit[c.Bits & kLitMask];
            if (IsLiteral(e)) {
                c.SkipEntry(e);
                PutLiterals(c.Out, e);
                e = lit[c.Bits & kLitMask];
                if (IsLiteral(e)) {
                    c.SkipEntry(e);
                    PutLiterals(c.Out, e);
                    continue;
                }
            }
            c.RefillWord();
        }
        e = Consume(c, lit, e);
        if (EntryKind(e) != kLength) {
            if (IsLiteral(e)) {
                *c.Out++ = static_cast<std::uint8_t>(EntryValue(e));
                continue;
            }
            status = EntryKind(e) == kEnd ? InflateStatus::kOk : InflateStatus::kBadStream;
            return true;
        }
        status = Match(c, e, dist, outStart, outEnd);
        if (status != InflateStatus::kOk) return true;
    }
    return false;
}

ZINDRA_HOT InflateStatus Inflater::CodesBody(const std::uint32_t* lit, const std::uint32_t* dist) {
    Cursor c{bits_, bitCount_, in_, out_};
    auto save = [&](InflateStatus status) {
        bits_ = c.Bits, bitCount_ = c.Count, in_ = c.In, out_ = c.Out;
        return status;
    };
    for (;;) {
        InflateStatus ended;
        if (FastCodes(c, lit, dist, outStart_, static_cast<std::size_t>(inEnd_ - c.In),
                      static_cast<std::size_t>(outEnd_ - c.Out), ended)) {
            return save(ended);
        }
        // One symbol at a time near the buffers' ends.
        save(InflateStatus::kOk);
        Refill();
        c = Cursor{bits_, bitCount_, in_, out_};
        if (overread_ > 16) return save(InflateStatus::kBadStream);  // long past the end of the input
        const std::uint32_t e = Consume(c, lit, lit[c.Bits & kLitMask]);
        const Kind kind = EntryKind(e);
        if (kind == kLiteral) {
            const std::size_t count = (e & kPairFlag) != 0 ? 2 : 1;
            if (static_cast<std::size_t>(outEnd_ - c.Out) < count) return save(InflateStatus::kWrongSize);
            *c.Out++ = static_cast<std::uint8_t>(EntryValue(e));
            if (count == 2) *c.Out++ = static_cast<std::uint8_t>(EntryValue(e) >> 8);
            continue;
        }
        if (kind == kEnd) return save(InflateStatus::kOk);
        if (kind != kLength) return save(InflateStatus::kBadStream);
        const InflateStatus status = Match(c, e, dist, outStart_, outEnd_);
        if (status != InflateStatus::kOk) return save(status);
    }
}

InflateStatus Inflater::CodesPlain(const std::uint32_t* lit, const std::uint32_t* dist) {
    return CodesBody(lit, dist);
}

#ifdef ZINDRA_INFLATE_BMI2
__attribute__((target("bmi2"))) InflateStatus Inflater::CodesBmi2(const std::uint32_t* lit, const std::uint32_t* dist) {
    return CodesBody(lit, dist);
}
#endif

InflateStatus Inflater::Codes(const std::uint32_t* lit, const std::uint32_t* dist) {
#ifdef ZINDRA_INFLATE_BMI2
    static const bool bmi2 = PixelFeatures().Bmi2;
    if (bmi2) return CodesBmi2(lit, dist);
#endif
    return CodesPlain(lit, dist);
}

InflateStatus Inflater::Trailer() {
    Take(static_cast<int>(bitCount_ & 7));
    Refill();
    std::uint32_t stored = 0;
    for (int i = 0; i < 4; ++i)
        stored = stored << 8 | Take(8);
    if (!WithinInput()) return InflateStatus::kBadStream;
    if (out_ != outEnd_) return InflateStatus::kWrongSize;
    const std::uint32_t actual = ActiveKernels().Adler32(1, outStart_, static_cast<std::size_t>(out_ - outStart_));
    return actual == stored ? InflateStatus::kOk : InflateStatus::kBadStream;
}

InflateStatus Inflater::Run() {
    static const FixedTables fixed;
    if (!Header()) return InflateStatus::kBadStream;
    for (;;) {
        Refill();
        const std::uint32_t last = Take(1), type = Take(2);
        InflateStatus status;
        if (type == 0) {
            status = Stored();
        } else if (type == 1) {
            status = Codes(fixed.Lit.data(), fixed.Dist.data());
        } else if (type == 2) {
            status = DynamicTables() ? Codes(lit_.data(), dist_.data()) : InflateStatus::kBadStream;
        } else {
            status = InflateStatus::kBadStream;
        }
        if (status != InflateStatus::kOk) return status;
        if (overread_ > 16) return InflateStatus::kBadStream;
        if (last) return Trailer();
    }
}

}  // namespace

InflateStatus InflateZlib(std::span<const std::uint8_t> in, std::span<std::uint8_t> out) {
    auto inflater = std::make_unique<Inflater>(in, out);
    return inflater->Run();
}

}  // namespace zindra
