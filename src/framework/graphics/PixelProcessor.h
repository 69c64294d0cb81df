// The processor features the pixel code chooses its routines by, probed once for the whole
// program, and the one switch that forces the plain routines everywhere.
#pragma once

namespace zindra {

struct ProcessorFeatures {
    bool Sse2 = false;
    bool Sse41 = false;
    bool Pclmul = false;
    bool Avx2 = false;  // and the system saves the 256-bit registers across task switches
    bool Bmi2 = false;  // shifts by a register without touching the flags (the inflater's bit buffer)
};

// What this processor runs (all false off x86-64), whatever the switch says: the sets of vector
// routines that exist here, for tests to check them against the plain ones.
const ProcessorFeatures& ProbedFeatures();

// True when ZINDRA_SCALAR=1 is in the environment (read once): every pixel routine that picks
// a version at start takes its plain one then, for diagnosis.
bool ScalarForced();

// The features the routines in use may rely on: the probed ones, or none when ScalarForced().
const ProcessorFeatures& PixelFeatures();

// Some libraries return with the upper halves of the wide vector registers still in use. On
// processors with AVX, the plain SSE instructions of the routines that run after that then wait
// on those halves at every step (a third slower in the PNG decoder's unfiltering chains). Long
// vector work calls this first; it does nothing on processors without AVX.
void ClearUpperVectorState();

}  // namespace zindra
