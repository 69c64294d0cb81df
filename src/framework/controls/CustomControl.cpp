// Self-drawn windowed controls.
#include "framework/controls/CustomControl.h"

#include "framework/layout/ClassInfo.h"

namespace zindra {

const ClassInfo& TCustomControl::StaticClass() {
    static const ClassInfo info{"TCustomControl", &TWinControl::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TCustomControl::ClassType() const {
    return StaticClass();
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(ControlStyle() | csOpaque);
}

}  // namespace zindra
