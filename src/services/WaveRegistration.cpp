// Makes the wave sound component creatable from layouts.
#include "framework/layout/ClassInfo.h"
#include "services/Wave.h"

namespace zindra {

void RegisterWaveClasses() {
    ClassRegistry::Register(TZkWaveComp::StaticClass());
}

}  // namespace zindra
