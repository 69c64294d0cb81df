// The range track classes layouts can create.
#include "imaging/TrackRegistration.h"

#include "framework/layout/ClassInfo.h"
#include "imaging/RangeTrack.h"

namespace zindra {

void RegisterTrackClasses() {
    ClassRegistry::Register(TRangeTrack::StaticClass());
}

}  // namespace zindra
