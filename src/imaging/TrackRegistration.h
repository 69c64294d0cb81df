// Makes the range tracks known to layouts.
#pragma once

namespace zindra {

void RegisterTrackClasses();

}  // namespace zindra
