// The single-instance guard.
#include "services/OneInstance.h"

#include <map>
#include <mutex>

#include "framework/app/Application.h"
#include "framework/layout/Properties.h"
#include "platform/Platform.h"
#include "services/ZkApplication.h"

namespace zindra {

namespace {

// NOTE: "process-wide" is per program: the simulated desktop runs several programs inside one
// host process, each with its own platform, so the count is kept per platform.
std::mutex& CountMutex() {
    static std::mutex mutex;
    return mutex;
}
std::map<const void*, int>& Counts() {
    static std::map<const void*, int> counts;
    return counts;
}

const void* ProgramOf(const TComponent& component) {
    TZkApplication::Required(component, "TZkOneInstance");
    return &component.Application()->Platform();
}

}  // namespace

EZkOneInstError::EZkOneInstError(const std::string& className, int kind)
    : Exception(className + ":\r" +
                (kind == kAlreadyOne ? "Already one " + className + " control in this project!"
                                     : std::string("Invalid owner (<>TForm) or second instance on a form"))) {}

TZkOneInstance::LiveToken::LiveToken(const void* program) : program_(program) {
    std::lock_guard lock(CountMutex());
    previous_ = Counts()[program_]++;
}

TZkOneInstance::LiveToken::~LiveToken() {
    std::lock_guard lock(CountMutex());
    if (--Counts()[program_] <= 0) Counts().erase(program_);
}

const ClassInfo& TZkOneInstance::StaticClass() {
    using C = TZkOneInstance;
    static const ClassInfo info{
        "TZkOneInstance",
        &TZkComponent::StaticClass(),
        [](TComponent* owner) { return new TZkOneInstance(owner); },
        {props::Bool<C>("Enabled", &C::SetEnabled),
         props::Enum<C, TZkOneInstanceMode>("Mode", &C::SetMode, {"oiActivateOnly", "oiDefaultMessage", "oiCustom"}),
         props::Event<C, TNotifyEvent>("OnCustom", &C::SetOnCustom)}};
    return info;
}
const ClassInfo& TZkOneInstance::ClassType() const {
    return StaticClass();
}

TZkOneInstance::TZkOneInstance(TComponent* owner) : TZkComponent(owner), live_(ProgramOf(*this)) {
    if (live_.Previous() > 0) throw EZkOneInstError(StaticClass().Name, EZkOneInstError::kAlreadyOne);
}

TZkOneInstance::~TZkOneInstance() = default;

int TZkOneInstance::LiveCount(const TComponent& anyComponentOfTheProgram) {
    TApplication* app = anyComponentOfTheProgram.Application();
    if (!app) return 0;
    std::lock_guard lock(CountMutex());
    const auto it = Counts().find(&app->Platform());
    return it == Counts().end() ? 0 : it->second;
}

void TZkOneInstance::Loaded() {
    TZkComponent::Loaded();
    if (IsDesigning() || !enabled_) return;
    TZkApplication* zk = TZkApplication::Of(*this);
    if (!zk || !zk->SecondInstance()) return;
    TApplication& app = *Application();
    switch (mode_) {
        case TZkOneInstanceMode::oiActivateOnly:
            BringFirstInstanceForward();
            break;
        case TZkOneInstanceMode::oiDefaultMessage:
            app.MessageBox("\"" + app.Title() + "\" was already started...", app.Title(),
                           platform::MB_OK | platform::MB_ICONINFORMATION);
            BringFirstInstanceForward();
            break;
        case TZkOneInstanceMode::oiCustom:
            if (const TNotifyEvent handler = OnCustom) {
                // NOTE: a failing handler is reported, and the second instance still ends.
                try {
                    handler(this);
                } catch (const std::exception& e) {
                    app.HandleException(e);
                }
            } else {
                BringFirstInstanceForward();
            }
            break;
    }
    app.Terminate();
    app.Platform().GetSystem().ExitProcess(0);
}

void TZkOneInstance::BringFirstInstanceForward() {
    TZkApplication* zk = TZkApplication::Of(*this);
    if (!zk || !zk->SecondInstance()) return;
    TApplication& app = *Application();
    platform::Desktop& desktop = app.Platform().GetDesktop();
    const std::string title = app.Title();
    // Our own window must not answer the search below.
    desktop.SetWindowText(app.Handle(), "");
    const platform::WindowHandle first = desktop.FindWindow("TApplication", title.c_str());
    // With an empty title the search could still find this program's own window.
    if (first == 0 || first == app.Handle()) return;
    // NOTE: the first copy may take the front only by our leave, as the program in front; without
    // it Windows leaves its window where it is, covered.
    desktop.AllowSetForegroundWindow(first);
    if (desktop.IsIconic(first)) {
        desktop.ShowWindow(first, platform::SW_RESTORE);
    } else {
        desktop.BringWindowToTop(first);
    }
}

}  // namespace zindra
