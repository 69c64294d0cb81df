// The kit's per-program object: the timer pool with its ids, and the single-instance test.
#pragma once

#include <memory>
#include <string>

#include "framework/Component.h"
#include "platform/Win32Types.h"
#include "services/TimerPool.h"

namespace zindra {

class TZkApplication : public TComponent {
public:
    static constexpr std::uint32_t kPoolMinInterval = 50;  // ms

    // owner: the program's TApplication; create it before any window, so that it is destroyed
    // after them. Creates the named instance mutex at once (not in design mode).
    explicit TZkApplication(TApplication* owner);
    ~TZkApplication() override;

    // The one among the application's components; null when the program made none.
    static TZkApplication* Of(const TComponent& anyComponentOfTheProgram);
    // As Of, but a component that cannot work without it fails with EInvalidOperation naming who.
    static TZkApplication& Required(const TComponent& component, const std::string& who);

    TZkTimerPool& TimerPool() { return *pool_; }
    TZkTimerSlots& TimerSlots() { return slots_; }
    // True when another program of the same file name already held the instance mutex.
    bool SecondInstance() const { return secondInstance_; }
    const std::string& MutexName() const { return mutexName_; }

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    TApplication& application_;
    TZkTimerSlots slots_;
    std::unique_ptr<TZkTimerPool> pool_;
    std::string mutexName_;
    platform::MutexHandle mutex_ = 0;
    bool secondInstance_ = false;
};

// The program file's name without its folder, as the instance mutex is named.
std::string ProgramFileName(const std::string& modulePath);

}  // namespace zindra
