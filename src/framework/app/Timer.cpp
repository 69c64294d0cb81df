// Window timers as components, and the plain message boxes of the kit.
#include "framework/app/Timer.h"

#include "framework/Exception.h"
#include "framework/app/Application.h"
#include "framework/layout/Properties.h"

namespace zindra {

const ClassInfo& TTimer::StaticClass() {
    using C = TTimer;
    static const ClassInfo info{
        "TTimer",
        &TComponent::StaticClass(),
        [](TComponent* owner) { return new TTimer(owner); },
        {props::Bool<C>("Enabled", &C::SetEnabled), props::Int<C>("Interval", &C::SetIntervalInt),
         props::Event<C, TNotifyEvent>("OnTimer", &C::SetOnTimer)}};
    return info;
}
const ClassInfo& TTimer::ClassType() const {
    return StaticClass();
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    TApplication* app = Application();
    if (!app) throw EInvalidOperation("A timer needs an application");
    // A tick dispatched while the timer is being destroyed (by a message loop its owner's
    // destruction handler runs) is dropped: the handler may belong to that owner.
    window_ = app->AllocateHWnd([this](TMessage& m) {
        if (m.Msg == platform::WM_TIMER && enabled_ && onTimer_ && !IsDestroying()) onTimer_(this);
    });
}

TTimer::~TTimer() {
    if (TApplication* app = Application()) app->DeallocateHWnd(window_);
}

void TTimer::Update() {
    TApplication* app = Application();
    app->KillTimer(window_, 1);
    if (interval_ != 0 && enabled_ && onTimer_) app->SetTimer(window_, 1, interval_);
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Update();
}

void TTimer::SetInterval(std::uint32_t interval) {
    if (interval == interval_) return;
    interval_ = interval;
    Update();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    onTimer_ = std::move(handler);
    Update();
}

int ShowMessageBox(TComponent& anyComponent, const std::string& text, std::uint32_t iconFlags) {
    TApplication* app = anyComponent.Application();
    if (!app) throw EInvalidOperation("No application to show: " + text);
    return app->MessageBox(text, app->Title(), platform::MB_OK | iconFlags);
}

}  // namespace zindra
