// Size changes of a raster.
#include "imaging/CustomRaster.h"

#include <algorithm>

#include "framework/layout/ClassInfo.h"

namespace zindra {

const ClassInfo& TCustomRaster::StaticClass() {
    static const ClassInfo info{"TCustomRaster", &TLockedPersistent::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TCustomRaster::ClassType() const {
    return StaticClass();
}

bool TCustomRaster::SetDimensions(std::int32_t width, std::int32_t height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return false;
    ResizeStorage(width_, height_, width, height);
    NotifyChange();
    NotifyResize();
    return true;
}

void TCustomRaster::NotifyResize() {
    if (OnResize) OnResize(this);
}

}  // namespace zindra
