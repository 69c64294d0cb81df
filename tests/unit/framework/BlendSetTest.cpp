// Tests of the blending sets: every routine of every set this processor runs, exhaustively over
// all source, destination and weight values of a channel against its formula written out per
// channel, and runs of every length at every alignment.
#include "framework/graphics/BlendSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "framework/graphics/PixelProcessor.h"

namespace zindra::blend {
namespace {

// ---- The formulas, one channel at a time, as they are stated ----

std::uint32_t PlainChannel(std::uint32_t f, std::uint32_t b, std::uint32_t w) {
    return ((f * w + 128) >> 8) + ((b * (255 - w) + 128) >> 8);
}

std::uint32_t MediaChannel(std::uint32_t f, std::uint32_t b, std::uint32_t w) {
    const int whole = w == 255 ? 256 : static_cast<int>(w);
    const int c = ((static_cast<int>(f) - static_cast<int>(b)) * whole + static_cast<int>(b) * 256 + 128) >> 8;
    return static_cast<std::uint32_t>(std::clamp(c, 0, 255));  // packed back with unsigned saturation
}

// The canvas: round((s * w + d * (full - w)) / full).
std::uint32_t ExactChannel(std::uint32_t s, std::uint32_t d, std::uint32_t w, std::uint32_t full) {
    return (s * w + d * (full - w) + full / 2) / full;
}

std::uint32_t Channel(Pixel p, int c) {
    return (p >> (8 * c)) & 0xFFu;
}

enum class Form { Combine, CombineInPlace, Blend, BlendInPlace, Master, MasterInPlace, Run, RunMaster, CombineRun };

bool IsPlain(const BlendSet& set) {
    return &set == &PlainSet();
}

// What a routine of the set must give for f over b with weight parameter p (w or m).
Pixel Expected(const BlendSet& set, Form form, Pixel f, Pixel b, std::uint32_t p) {
    const bool combine = form == Form::Combine || form == Form::CombineInPlace || form == Form::CombineRun;
    const bool master = form == Form::Master || form == Form::MasterInPlace || form == Form::RunMaster;
    const std::uint32_t a = f >> 24;
    const std::uint32_t w = combine ? p : master ? ((p + 1) * a) >> 8 : a;
    Pixel out = 0;
    if (!IsPlain(set)) {
        for (int c = 0; c < 4; ++c)
            out |= MediaChannel(Channel(f, c), Channel(b, c), w) << (8 * c);
        return out;
    }
    if (w == 0) return b;
    const bool colourOnly = master || form == Form::CombineInPlace || form == Form::CombineRun;
    if (w == 255) return colourOnly && master ? f & 0x00FFFFFFu : f;
    for (int c = 0; c < (colourOnly ? 3 : 4); ++c)
        out |= PlainChannel(Channel(f, c), Channel(b, c), w) << (8 * c);
    return out;
}

// Runs the routine over whole arrays (the single-pixel forms one pixel at a time).
void Apply(const BlendSet& set, Form form, const std::vector<Pixel>& f, std::vector<Pixel>& b, std::uint32_t p) {
    const int n = static_cast<int>(f.size());
    switch (form) {
        case Form::Combine:
            for (int i = 0; i < n; ++i)
                b[i] = set.Combine(f[i], b[i], p);
            break;
        case Form::CombineInPlace:
            for (int i = 0; i < n; ++i)
                set.CombineInPlace(f[i], b[i], p);
            break;
        case Form::Blend:
            for (int i = 0; i < n; ++i)
                b[i] = set.Blend(f[i], b[i]);
            break;
        case Form::BlendInPlace:
            for (int i = 0; i < n; ++i)
                set.BlendInPlace(f[i], b[i]);
            break;
        case Form::Master:
            for (int i = 0; i < n; ++i)
                b[i] = set.BlendMaster(f[i], b[i], p);
            break;
        case Form::MasterInPlace:
            for (int i = 0; i < n; ++i)
                set.BlendMasterInPlace(f[i], b[i], p);
            break;
        case Form::Run:
            set.BlendRun(f.data(), b.data(), n);
            break;
        case Form::RunMaster:
            set.BlendRunMaster(f.data(), b.data(), n, p);
            break;
        case Form::CombineRun:
            set.CombineRun(f.data(), b.data(), n, p);
            break;
    }
}

std::vector<const BlendSet*> Sets() {
    std::vector<const BlendSet*> sets{&PlainSet()};
    if (Sse2Set()) sets.push_back(Sse2Set());
    if (Avx2Set()) sets.push_back(Avx2Set());
    return sets;
}

// Every (F, B) pair of the three colour channels, three pairs a pixel; alpha carries a (the
// weight of the blend forms) over every destination alpha, or a fourth pair for the combine forms.
void AllPairs(std::uint32_t a, bool alphaIsPair, std::vector<Pixel>& f, std::vector<Pixel>& b) {
    const int lanes = alphaIsPair ? 4 : 3;
    const int count = (65536 + lanes - 1) / lanes;
    f.assign(static_cast<std::size_t>(count), 0);
    b.assign(static_cast<std::size_t>(count), 0);
    for (int i = 0; i < count; ++i) {
        for (int c = 0; c < lanes; ++c) {
            const int pair = (i * lanes + c) & 0xFFFF;
            f[i] |= static_cast<Pixel>(pair >> 8) << (8 * c);
            b[i] |= static_cast<Pixel>(pair & 0xFF) << (8 * c);
        }
        if (!alphaIsPair) f[i] |= a << 24, b[i] |= static_cast<Pixel>(i & 0xFF) << 24;
    }
}

// Sweeps all F, B and a (the weight, or the alpha the master scales) for one parameter value;
// returns the first difference, or "".
std::string Sweep(const BlendSet& set, Form form, std::uint32_t master) {
    const bool combine = form == Form::Combine || form == Form::CombineInPlace || form == Form::CombineRun;
    std::vector<Pixel> f, b;
    for (std::uint32_t a = 0; a < 256; ++a) {
        AllPairs(a, combine, f, b);
        std::vector<Pixel> out = b;
        const std::uint32_t p = combine ? a : master;
        Apply(set, form, f, out, p);
        for (std::size_t i = 0; i < f.size(); ++i) {
            const Pixel want = Expected(set, form, f[i], b[i], p);
            if (out[i] != want) {
                std::ostringstream s;
                s << set.Name << " form " << static_cast<int>(form) << std::hex << ": F " << f[i] << " B " << b[i]
                  << " param " << p << " gave " << out[i] << ", formula " << want;
                return s.str();
            }
        }
    }
    return "";
}

const std::uint32_t kMasters[] = {0, 1, 127, 128, 254, 255};

TEST(BlendSets, EverySingleFormMatchesItsFormulaForAllValues) {
    for (const BlendSet* set : Sets()) {
        // The vector sets share their single-pixel forms; each is swept once.
        if (set == Avx2Set() && Sse2Set()) continue;
        for (Form form : {Form::Combine, Form::CombineInPlace, Form::Blend, Form::BlendInPlace})
            EXPECT_EQ(Sweep(*set, form, 0), "");
        for (std::uint32_t m : kMasters) {
            EXPECT_EQ(Sweep(*set, Form::Master, m), "") << "master " << m;
            EXPECT_EQ(Sweep(*set, Form::MasterInPlace, m), "") << "master " << m;
        }
    }
}

TEST(BlendSets, EveryRunMatchesItsFormulaForAllValues) {
    for (const BlendSet* set : Sets()) {
        EXPECT_EQ(Sweep(*set, Form::Run, 0), "");
        EXPECT_EQ(Sweep(*set, Form::CombineRun, 0), "");
        for (std::uint32_t m : kMasters)
            EXPECT_EQ(Sweep(*set, Form::RunMaster, m), "") << "master " << m;
    }
}

TEST(BlendSets, FullWeightGivesTheSourceAndNoWeightTheDestination) {
    for (const BlendSet* set : Sets()) {
        SCOPED_TRACE(set->Name);
        EXPECT_EQ(set->Blend(0xFF123456u, 0x80FEDCBAu), 0xFF123456u);
        EXPECT_EQ(set->Blend(0x00123456u, 0x80FEDCBAu), 0x80FEDCBAu);
        EXPECT_EQ(set->Combine(0x11223344u, 0x55667788u, 255), 0x11223344u);
        EXPECT_EQ(set->BlendMaster(0x80123456u, 0x80FEDCBAu, 0), 0x80FEDCBAu);  // weight (1 * 128) >> 8 = 0
    }
}

// The canvas's compositing gives the same exactly rounded pixels in every set.
TEST(BlendSets, CanvasCompositingIsExactInEverySet) {
    for (const BlendSet* set : Sets()) {
        for (std::uint32_t constant : {255u, 254u, 128u, 1u}) {
            std::vector<Pixel> f, b;
            for (std::uint32_t a = 0; a < 256; ++a) {
                AllPairs(a, false, f, b);
                for (Pixel& p : b)
                    p |= 0xFF000000u;  // the destination is opaque
                std::vector<Pixel> out = b;
                if (constant == 255) {
                    set->CompositeRun(f.data(), out.data(), static_cast<int>(f.size()));
                } else {
                    set->CompositeRunWeighted(f.data(), out.data(), static_cast<int>(f.size()), constant);
                }
                for (std::size_t i = 0; i < f.size(); ++i) {
                    Pixel want = 0xFF000000u;
                    for (int c = 0; c < 3; ++c)
                        want |= ExactChannel(Channel(f[i], c), Channel(b[i], c), a * constant, 255 * 255) << (8 * c);
                    ASSERT_EQ(out[i], want)
                        << set->Name << " constant " << constant << std::hex << " F " << f[i] << " B " << b[i];
                }
            }
        }
    }
}

// Runs of every length 0..300 at every alignment 0..7 agree with the set's single-pixel form and
// write nothing outside the run.
TEST(BlendSets, RunsOfEveryLengthAndAlignment) {
    std::mt19937 random(20261208);
    constexpr int kGuard = 8, kMaxLength = 300;
    std::vector<Pixel> src(kMaxLength + 2 * kGuard), dst(src.size());
    for (const BlendSet* set : Sets()) {
        for (int offset = 0; offset < 8; ++offset) {
            for (int n = 0; n <= kMaxLength; ++n) {
                for (Pixel& p : src)
                    p = random();
                for (Pixel& p : dst)
                    p = random() | 0xFF000000u;  // opaque, as the canvas form needs
                const std::uint32_t m = random() & 0xFF;
                struct Case {
                    const char* Name;
                    std::function<void(Pixel*)> Run;
                    std::function<Pixel(Pixel, Pixel)> One;
                };
                const Pixel* s = src.data() + offset;
                const Case cases[] = {
                    {"run", [&](Pixel* d) { set->BlendRun(s, d, n); },
                     [&](Pixel f, Pixel b) { return set->Blend(f, b); }},
                    {"master", [&](Pixel* d) { set->BlendRunMaster(s, d, n, m); },
                     [&](Pixel f, Pixel b) {
                         set->BlendMasterInPlace(f, b, m);
                         return b;
                     }},
                    {"combine", [&](Pixel* d) { set->CombineRun(s, d, n, m); },
                     [&](Pixel f, Pixel b) {
                         set->CombineInPlace(f, b, m);
                         return b;
                     }},
                    {"weighted", [&](Pixel* d) { set->CompositeRunWeighted(s, d, n, m); },
                     [&](Pixel f, Pixel b) {
                         Pixel one = b;
                         PlainSet().CompositeRunWeighted(&f, &one, 1, m);
                         return one;
                     }},
                    {"composite", [&](Pixel* d) { set->CompositeRun(s, d, n); },
                     [&](Pixel f, Pixel b) {
                         Pixel one = b;
                         PlainSet().CompositeRun(&f, &one, 1);
                         return one;
                     }},
                };
                for (const Case& c : cases) {
                    std::vector<Pixel> out = dst;
                    c.Run(out.data() + offset);
                    for (int i = 0; i < static_cast<int>(out.size()); ++i) {
                        const int k = i - offset;
                        const Pixel want = k >= 0 && k < n ? c.One(src[static_cast<std::size_t>(i)], dst[i]) : dst[i];
                        ASSERT_EQ(out[i], want)
                            << set->Name << " " << c.Name << " length " << n << " offset " << offset << " at " << k;
                    }
                }
            }
        }
    }
}

TEST(BlendSets, ChoiceFollowsTheRequestAndTheProcessor) {
    EXPECT_EQ(&ChooseBlendSet("plain"), &PlainSet());
    const BlendSet* fastest = Avx2Set() ? Avx2Set() : Sse2Set() ? Sse2Set() : &PlainSet();
    EXPECT_EQ(&ChooseBlendSet(nullptr), fastest);
    EXPECT_EQ(&ChooseBlendSet("anything else"), fastest);
    EXPECT_EQ(&ChooseBlendSet("sse2"), Sse2Set() ? Sse2Set() : &PlainSet());
#if defined(__x86_64__) || defined(_M_X64)
    EXPECT_NE(Sse2Set(), nullptr) << "every x86-64 processor has SSE2";
#endif
    {
        ScopedBlendSet forced(PlainSet());
        EXPECT_EQ(&Blender(), &PlainSet());
    }
    EXPECT_EQ(&Blender(), ScalarForced() ? &PlainSet() : &ChooseBlendSet(std::getenv("ZINDRA_BLEND")));
}

}  // namespace
}  // namespace zindra::blend
