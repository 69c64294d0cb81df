// The process starter: Execute, the finish poll and the automatic start.
#include "services/Starter.h"

#include <algorithm>
#include <iterator>

#include "framework/Exception.h"
#include "framework/app/Application.h"
#include "framework/controls/Form.h"
#include "framework/layout/Properties.h"
#include "platform/Platform.h"
#include "services/TimerPool.h"
#include "services/ZkApplication.h"

namespace zindra {

namespace {

platform::System& SystemOf(const TComponent& starter) {
    TZkApplication::Required(starter, "TZkStarter");
    return starter.Application()->Platform().GetSystem();
}

}  // namespace

const ClassInfo& TZkStarter::StaticClass() {
    using C = TZkStarter;
    static const ClassInfo info{
        "TZkStarter",
        &TZkComponent::StaticClass(),
        [](TComponent* owner) { return new TZkStarter(owner); },
        {props::Enum<C, TZkStarterOperation>("StartOperation", &C::SetStartOperation,
                                             {"smOpen", "smPrint", "smExplore"}),
         props::Enum<C, TZkStarterOptions>(
             "StartOption", &C::SetStartOption,
             {"soSW_HIDE", "soSW_MAXIMIZE", "soSW_MINIMIZE", "soSW_RESTORE", "soSW_SHOW", "soSW_SHOWMAXIMIZED",
              "soSW_SHOWMINIMIZED", "soSW_SHOWMINNOACTIVE", "soSW_SHOWNA", "soSW_SHOWNORMAL"}),
         props::String<C>("Command", &C::SetCommand), props::String<C>("Parameters", &C::SetParameters),
         props::String<C>("DefaultDir", &C::SetDefaultDir), props::Bool<C>("AutoStart", &C::SetAutoStart),
         props::Object<C>("StartTime", &C::StartTimeObject, TZkDateTime::StaticClass()),
         props::Bool<C>("Wait", &C::SetWait), props::Event<C, TNotifyEvent>("OnBeforeStart", &C::SetOnBeforeStart),
         props::Event<C, TNotifyEvent>("OnAfterStart", &C::SetOnAfterStart),
         props::Event<C, TNotifyEvent>("OnError", &C::SetOnError),
         props::Event<C, TNotifyEvent>("OnFinished", &C::SetOnFinished)}};
    return info;
}
const ClassInfo& TZkStarter::ClassType() const {
    return StaticClass();
}

TZkStarter::TZkStarter(TComponent* owner) : TZkComponent(owner), system_(SystemOf(*this)) {
    TZkTimerPool& pool = Pool();
    autoId_ = pool.AddTimer(kAutoStartCheckMs, [this] { AutoStartCheck(); });
    if (autoId_ == 0) throw EOutOfResources(kSNotEnoughTimers);
    pool.Find(autoId_)->SetEnabled(false);
}

TZkStarter::~TZkStarter() {
    // The pool is gone already when the program's TZkApplication went first.
    if (TZkApplication* zk = TZkApplication::Of(*this)) {
        TZkTimerPool& pool = zk->TimerPool();
        DropWatch(pool);
        pool.RemoveTimer(autoId_);
    }
    // No OnFinished: a process still running goes on; only the handle is given back.
    ReleaseProcess();
}

TZkTimerPool& TZkStarter::Pool() const {
    return TZkApplication::Required(*this, "TZkStarter").TimerPool();
}

void TZkStarter::SetText(int index, const std::string& text) {
    std::string& current = texts_[index];
    if (current != text) current = text;
}

void TZkStarter::SetAutoStart(bool autoStart) {
    if (autoStart == autoStart_) return;
    autoStart_ = autoStart;
    if (TZkTimerItem* item = Pool().Find(autoId_)) {
        if (autoStart) item->SetInterval(kAutoStartCheckMs);
        item->SetEnabled(autoStart);
    }
}

const char* TZkStarter::VerbOf(TZkStarterOperation operation) {
    switch (operation) {
        case TZkStarterOperation::smPrint:
            return "print";
        case TZkStarterOperation::smExplore:
            return "explore";
        default:
            return "open";
    }
}

int TZkStarter::ShowCommandOf(TZkStarterOptions option) {
    using namespace platform;
    static constexpr int kCommands[] = {SW_HIDE,   SW_MAXIMIZE,      SW_MINIMIZE,      SW_RESTORE,
                                        SW_SHOW,   SW_SHOWMAXIMIZED, SW_SHOWMINIMIZED, SW_SHOWMINNOACTIVE,
                                        SW_SHOWNA, SW_SHOWNORMAL};
    return kCommands[static_cast<std::size_t>(option)];
}

bool TZkStarter::IsShellFailure(std::uintptr_t instApp) {
    // SE_ERR_FNF, _PNF, _ACCESSDENIED, _OOM, _SHARE, _ASSOCINCOMPLETE, _DDETIMEOUT, _DDEFAIL,
    // _DDEBUSY, _NOASSOC, _DLLNOTFOUND.
    static constexpr std::uintptr_t kFailures[] = {2, 3, 5, 8, 26, 27, 28, 29, 30, 31, 32};
    return std::find(std::begin(kFailures), std::end(kFailures), instApp) != std::end(kFailures);
}

std::string TZkStarter::ExploreFolderOf(const std::string& command) {
    const auto end = command.find_last_of("\\:");
    std::string folder = end == std::string::npos ? std::string() : command.substr(0, end + 1);
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

platform::WindowHandle TZkStarter::OwnerWindow() const {
    TApplication* app = Application();
    // NOTE: before the main window exists (an automatic start during start-up) the shell's
    // messages belong to the application window.
    if (TCustomForm* main = app->MainForm()) return main->Handle();
    return app->Handle();
}

void TZkStarter::Execute() {
    if (OnBeforeStart) OnBeforeStart(this);
    const bool explore = operation_ == TZkStarterOperation::smExplore;
    const std::string file = explore ? ExploreFolderOf(Command()) : Command();
    const std::string parameters = explore ? std::string() : Parameters();
    const std::string directory = explore ? std::string() : DefaultDir();
    platform::ShellExecuteRequest request;
    request.Size = 60;
    request.Mask = platform::SEE_MASK_NOCLOSEPROCESS;
    request.Owner = OwnerWindow();
    request.Verb = VerbOf(operation_);
    request.File = file.c_str();
    request.Parameters = parameters.c_str();
    request.Directory = directory.c_str();
    request.Show = ShowCommandOf(option_);
    DropWatch(Pool());
    ReleaseProcess();
    system_.ShellExecuteEx(request);  // its result is not consulted: InstApp tells
    process_ = request.Process;
    if (IsShellFailure(request.InstApp)) {
        errorCode_ = static_cast<int>(request.InstApp);
        if (OnError) OnError(nullptr);
    } else {
        if (OnFinished) StartWatch();
        if (wait_ && process_) system_.WaitForProcess(process_, platform::kInfinite);
    }
    if (OnAfterStart) OnAfterStart(this);
}

void TZkStarter::StartWatch() {
    TZkTimerPool& pool = Pool();
    pollId_ = pool.AddTimer(kFinishPollMs, [this] { FinishPoll(); });
    if (pollId_ == 0) throw EOutOfResources(kSNotEnoughTimers);
    pool.Find(pollId_)->SetEnabled(true);
}

void TZkStarter::DropWatch(TZkTimerPool& pool) {
    if (pollId_ == 0) return;
    if (TZkTimerItem* item = pool.Find(pollId_)) {
        item->SetEnabled(false);
        item->SetCallback(nullptr);
    }
    pool.RemoveTimer(pollId_);
    pollId_ = 0;
}

void TZkStarter::ReleaseProcess() {
    if (process_) system_.CloseProcess(process_);
    process_ = 0;
}

void TZkStarter::FinishPoll() {
    if (process_ && platform::ProcessRunning(system_, process_)) return;
    DropWatch(Pool());
    ReleaseProcess();
    // Last, and through a copy: the handler may start again or free this starter.
    const TNotifyEvent handler = OnFinished;
    if (handler) handler(this);
}

void TZkStarter::AutoStartCheck() {
    if (IsDesigning()) return;
    const platform::LocalTime now = Application()->Platform().GetClock().Now();
    const TZkDateTime& at = *startTime_;
    if (now.Year != at.Year() || now.Month != at.Month() || now.Day != at.Day() || now.Hour != at.Hour() ||
        now.Minute != at.Minute() || now.Second != at.Second()) {
        return;
    }
    if (autoStartedAt_ == at.SecondsSinceDayZero()) return;
    autoStartedAt_ = at.SecondsSinceDayZero();
    Execute();
}

}  // namespace zindra
