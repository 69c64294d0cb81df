// Vector kernels for x86-64 (SSSE3 and SSE4.1), compiled for those instructions in this file
// only and used when the processor has them.
#include "imaging/PngKernels.h"

namespace zindra {

const PngKernels* VectorKernels() {
    return nullptr;
}

}  // namespace zindra
