// Update batches, change notification and locking of the raster's base.
#include "imaging/LockedPersistent.h"

#include "framework/layout/ClassInfo.h"

namespace zindra {

namespace {

// One lock for every object's lock count.
std::mutex& CountLock() {
    static std::mutex lock;
    return lock;
}

}  // namespace

const ClassInfo& TLockedPersistent::StaticClass() {
    static const ClassInfo info{"TLockedPersistent", &TPersistent::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TLockedPersistent::ClassType() const {
    return StaticClass();
}

void TLockedPersistent::StartUpdate() {
    ++updateCount_;
}

void TLockedPersistent::EndUpdate() {
    if (updateCount_ == 0) throw EAssertionFailed("Unpaired TLockedPersistent.EndUpdate");
    --updateCount_;
}

void TLockedPersistent::NotifyChange() {
    if (updateCount_ == 0 && OnChange) OnChange(this);
}

void TLockedPersistent::EnterLock() {
    {
        std::lock_guard guard(CountLock());
        ++lockCount_;
    }
    lock_.lock();
}

void TLockedPersistent::LeaveLock() {
    lock_.unlock();
    std::lock_guard guard(CountLock());
    --lockCount_;
}

std::int32_t TLockedPersistent::LockCount() const {
    std::lock_guard guard(CountLock());
    return lockCount_;
}

}  // namespace zindra
