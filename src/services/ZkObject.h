// The kit's persistent objects that tell their holder when they change, with an update lock
// that holds the notification back while several changes are made together.
#pragma once

#include "framework/Types.h"
#include "services/ZkDateTime.h"

namespace zindra {

// NOTE: the plain TZkObject base is still declared beside the date-time value; this class adds
// the update lock and the change notification on top of it and is meant to become TZkObject
// itself once that declaration moves into this header.
class TZkNotifyObject : public TZkObject {
public:
    // Updates nest. Changes made while one is in progress raise no notification; the outermost
    // EndUpdate raises one when anything changed meanwhile. An unmatched EndUpdate is ignored.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    bool Updating() const { return updateCount_ > 0; }

    // Raised on the thread that made the change; the kit's objects change on the UI thread only.
    TNotifyEvent OnChange;

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

protected:
    // Raises OnChange now, or at the end of the update in progress.
    void Changed();

private:
    int updateCount_ = 0;
    bool changedWhileUpdating_ = false;
};

}  // namespace zindra
