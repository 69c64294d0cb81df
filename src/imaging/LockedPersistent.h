// The base of the 32-bit raster: change notification that an update batch holds back, and a lock
// for sharing the object with another thread.
#pragma once

#include <cstdint>
#include <mutex>

#include "framework/Component.h"
#include "framework/Exception.h"
#include "framework/Types.h"

namespace zindra {

ZINDRA_EXCEPTION(EAssertionFailed, Exception);

class TLockedPersistent : public TPersistent {
public:
    TLockedPersistent() = default;
    TLockedPersistent(const TLockedPersistent&) = delete;
    TLockedPersistent& operator=(const TLockedPersistent&) = delete;

    // An update batch: while one is open, NotifyChange says nothing (and nothing is remembered
    // for later). EndUpdate without StartUpdate throws EAssertionFailed.
    void StartUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // Calls OnChange(this) outside any update batch.
    virtual void NotifyChange();

    // The object's own lock, re-entrant on one thread; LockCount counts the holders.
    void EnterLock();
    void LeaveLock();
    std::int32_t LockCount() const;

    TNotifyEvent OnChange;

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    std::recursive_mutex lock_;
    std::int32_t lockCount_ = 0;  // guarded by the lock shared by all instances
    std::int32_t updateCount_ = 0;
};

// Holds an update batch open for a scope.
class UpdateBatch {
public:
    explicit UpdateBatch(TLockedPersistent& object) : object_(object) { object_.StartUpdate(); }
    ~UpdateBatch() { object_.EndUpdate(); }
    UpdateBatch(const UpdateBatch&) = delete;
    UpdateBatch& operator=(const UpdateBatch&) = delete;

private:
    TLockedPersistent& object_;
};

// Holds an object's lock for a scope.
class ObjectLock {
public:
    explicit ObjectLock(TLockedPersistent& object) : object_(object) { object_.EnterLock(); }
    ~ObjectLock() { object_.LeaveLock(); }
    ObjectLock(const ObjectLock&) = delete;
    ObjectLock& operator=(const ObjectLock&) = delete;

private:
    TLockedPersistent& object_;
};

}  // namespace zindra
