// Ends a second copy of the program early, after bringing the first copy's window forward.
#pragma once

#include <cstdint>
#include <string>

#include "framework/Exception.h"
#include "framework/Types.h"
#include "services/ZkComponent.h"

namespace zindra {

// Kind 1: a second component of a class that allows one a program; kind 0: a wrong owner.
class EZkOneInstError : public Exception {
public:
    static constexpr int kInvalidOwner = 0;
    static constexpr int kAlreadyOne = 1;
    EZkOneInstError(const std::string& className, int kind);
    const char* ClassName() const override { return "EZkOneInstError"; }
};

enum class TZkOneInstanceMode : std::uint8_t { oiActivateOnly, oiDefaultMessage, oiCustom };

// At most one a program (EZkOneInstError kind 1 for a second one). Needs the program's
// TZkApplication, which made the instance test at start. Acts in Loaded: in a second instance it
// brings the first forward (per Mode), asks the application to terminate and ends the process
// through System::ExitProcess(0) at once, so no window of the second instance is ever shown.
class TZkOneInstance : public TZkComponent {
public:
    explicit TZkOneInstance(TComponent* owner);
    ~TZkOneInstance() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    TZkOneInstanceMode Mode() const { return mode_; }
    void SetMode(TZkOneInstanceMode mode) { mode_ = mode; }
    TNotifyEvent OnCustom;
    void SetOnCustom(TNotifyEvent handler) { OnCustom = std::move(handler); }

    void Loaded() override;
    // Restores (when minimised) or raises the first instance's application window; nothing in a
    // first instance or when that window cannot be found.
    void BringFirstInstanceForward();

    // Live components of this class in the program of the component given.
    static int LiveCount(const TComponent& anyComponentOfTheProgram);

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    // Raised with the component and lowered with it, also when its construction fails.
    class LiveToken {
    public:
        explicit LiveToken(const void* program);
        ~LiveToken();
        LiveToken(const LiveToken&) = delete;
        LiveToken& operator=(const LiveToken&) = delete;
        int Previous() const { return previous_; }

    private:
        const void* program_;
        int previous_;
    };

    LiveToken live_;
    bool enabled_ = true;
    TZkOneInstanceMode mode_ = TZkOneInstanceMode::oiActivateOnly;
};

}  // namespace zindra
