// A non-visual component that hands a command to the shell and reports the end of the process.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "framework/Types.h"
#include "platform/Win32Types.h"
#include "services/ZkComponent.h"
#include "services/ZkDateTime.h"

namespace zindra::platform {
class System;
}

namespace zindra {

class TZkTimerPool;

enum class TZkStarterOperation : std::uint8_t { smOpen, smPrint, smExplore };
enum class TZkStarterOptions : std::uint8_t {
    soSW_HIDE,
    soSW_MAXIMIZE,
    soSW_MINIMIZE,
    soSW_RESTORE,
    soSW_SHOW,
    soSW_SHOWMAXIMIZED,
    soSW_SHOWMINIMIZED,
    soSW_SHOWMINNOACTIVE,
    soSW_SHOWNA,
    soSW_SHOWNORMAL
};

// Starts a program, a document or a folder through the shell, optionally blocks until the process
// ends, reports the end through OnFinished by polling on the program's timer pool, and can start
// by itself at StartTime. Needs the program's TZkApplication (EInvalidOperation otherwise).
// All events are raised on the user-interface thread: OnBeforeStart, OnError and OnAfterStart inside Execute,
// OnFinished inside a pool tick.
//
// NOTE: process handles are closed as soon as they are no longer needed: when the finish poll
// has seen the end (before OnFinished), otherwise at the next start or at destruction.
// NOTE: a start replaces whatever the starter watched before: the earlier watch is dropped
// without an OnFinished and its handle closed (that process goes on running); the new start is
// watched when OnFinished is assigned at that moment.
// NOTE: an automatic start happens at most once per StartTime value, even when two checks fall
// within its second.
class TZkStarter : public TZkComponent {
public:
    static constexpr std::uint32_t kFinishPollMs = 500;
    static constexpr std::uint32_t kAutoStartCheckMs = 1000;

    explicit TZkStarter(TComponent* owner);
    ~TZkStarter() override;

    TZkStarterOperation StartOperation() const { return operation_; }
    void SetStartOperation(TZkStarterOperation operation) { operation_ = operation; }
    TZkStarterOptions StartOption() const { return option_; }
    void SetStartOption(TZkStarterOptions option) { option_ = option; }
    const std::string& Command() const { return texts_[0]; }
    void SetCommand(const std::string& command) { SetText(0, command); }
    const std::string& Parameters() const { return texts_[1]; }
    void SetParameters(const std::string& parameters) { SetText(1, parameters); }
    const std::string& DefaultDir() const { return texts_[2]; }
    void SetDefaultDir(const std::string& folder) { SetText(2, folder); }
    bool AutoStart() const { return autoStart_; }
    void SetAutoStart(bool autoStart);
    const TZkDateTime& StartTime() const { return *startTime_; }
    // Copies the value; the caller keeps its own object.
    void SetStartTime(const TZkDateTime& time) { startTime_->Assign(time); }
    TZkDateTime* StartTimeObject() { return startTime_.get(); }
    bool Wait() const { return wait_; }
    void SetWait(bool wait) { wait_ = wait; }

    TNotifyEvent OnBeforeStart;
    TNotifyEvent OnAfterStart;
    TNotifyEvent OnError;  // Sender is null
    TNotifyEvent OnFinished;
    void SetOnBeforeStart(TNotifyEvent handler) { OnBeforeStart = std::move(handler); }
    void SetOnAfterStart(TNotifyEvent handler) { OnAfterStart = std::move(handler); }
    void SetOnError(TNotifyEvent handler) { OnError = std::move(handler); }
    void SetOnFinished(TNotifyEvent handler) { OnFinished = std::move(handler); }

    // Starts Command now. With Wait the calling thread blocks until the process ends.
    // EOutOfResources when a watch is wanted and no pool id is free (after the program started).
    void Execute();
    // The shell's result of the last failed start; 0 until one fails.
    int ErrorCode() const { return errorCode_; }
    bool Watching() const { return pollId_ != 0; }
    std::uint16_t AutoStartTimerId() const { return autoId_; }
    std::uint16_t FinishPollTimerId() const { return pollId_; }

    // The shell's view of the settings.
    static const char* VerbOf(TZkStarterOperation operation);
    static int ShowCommandOf(TZkStarterOptions option);
    static bool IsShellFailure(std::uintptr_t instApp);
    // The folder part of a command with a trailing backslash; "\" for a command without one.
    static std::string ExploreFolderOf(const std::string& command);

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    void SetText(int index, const std::string& text);
    TZkTimerPool& Pool() const;
    platform::WindowHandle OwnerWindow() const;
    void StartWatch();
    void DropWatch(TZkTimerPool& pool);
    void ReleaseProcess();
    void FinishPoll();
    void AutoStartCheck();

    platform::System& system_;
    TZkStarterOperation operation_ = TZkStarterOperation::smOpen;
    TZkStarterOptions option_ = TZkStarterOptions::soSW_SHOW;
    std::string texts_[3];
    bool autoStart_ = false;
    bool wait_ = false;
    std::unique_ptr<TZkDateTime> startTime_ = std::make_unique<TZkDateTime>();
    platform::ProcessHandle process_ = 0;
    int errorCode_ = 0;
    std::uint16_t autoId_ = 0;
    std::uint16_t pollId_ = 0;
    std::optional<std::int64_t> autoStartedAt_;  // the StartTime of the last automatic start
};

// Makes the starter, the one-instance and the global hot-key classes known to layouts.
void RegisterStarterClasses();

}  // namespace zindra
