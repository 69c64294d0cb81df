// The update lock and change notification of the kit's persistent objects.
#include "services/ZkObject.h"

#include "framework/layout/ClassInfo.h"

namespace zindra {

const ClassInfo& TZkNotifyObject::StaticClass() {
    static const ClassInfo info{"TZkNotifyObject", &TZkObject::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TZkNotifyObject::ClassType() const {
    return StaticClass();
}

void TZkNotifyObject::EndUpdate() {
    if (updateCount_ == 0) return;
    if (--updateCount_ > 0 || !changedWhileUpdating_) return;
    changedWhileUpdating_ = false;
    Changed();
}

void TZkNotifyObject::Changed() {
    if (updateCount_ > 0) {
        changedWhileUpdating_ = true;
        return;
    }
    // A copy: the handler may replace or clear the event.
    if (const TNotifyEvent handler = OnChange) handler(this);
}

}  // namespace zindra
