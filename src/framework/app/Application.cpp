// The message loop and the application's windows, forms and exception report.
#include "framework/app/Application.h"

#include <algorithm>

#include "framework/controls/Form.h"
#include "framework/controls/HintWindow.h"
#include "framework/graphics/Colors.h"
#include "framework/layout/ClassInfo.h"
#include "platform/Platform.h"

namespace zindra {

TApplication::TApplication(platform::Platform& platform)
    : TComponent(nullptr), platform_(platform), queue_(platform.GetDesktop(), platform.GetClock()) {
    platform::Desktop& desktop = platform_.GetDesktop();
    desktop.SetEventSink(&queue_);
    for (int i = 0; i < 31; ++i)
        SetSystemColor(i, desktop.GetSysColor(i));
    queue_.SetNestedLoopServer([this] { return ServeNestedLoop(); });
    platform::WindowParams params;
    params.ClassName = "TApplication";
    // Found by other programs and minimised with the main form, but never a second entry in the
    // task bar or the window switcher, and never the window that keeps the keyboard.
    params.ShowInTaskBar = false;
    params.NoActivate = true;
    handle_ = desktop.CreateWindow(params);
    ownWindow_ = AllocateHWnd([this](TMessage& m) { HintTimer(m); });
    hintFactory_ = [](TApplication& app) { return new THintWindow(&app); };
}

TClipboard& TApplication::Clipboard() {
    if (!clipboard_) clipboard_ = std::make_unique<TClipboard>(platform_.GetDesktop());
    return *clipboard_;
}

TApplication::~TApplication() {
    Destroying();
    CancelHint();
    while (!deferred_.empty()) {
        auto work = std::move(deferred_.front());
        deferred_.erase(deferred_.begin());
        work();
    }
    // Forms and other components go first, while the loop's parts are still here.
    DestroyComponents();
    platform::Desktop& desktop = platform_.GetDesktop();
    for (const auto& [window, method] : hiddenWindows_)
        desktop.DestroyWindow(window);
    desktop.DestroyWindow(handle_);
    desktop.SetEventSink(nullptr);
}

void TApplication::SetTitle(const std::string& title) {
    title_ = title;
    platform_.GetDesktop().SetWindowText(handle_, title);
}

void TApplication::Run() {
    if (mainForm_ && !mainForm_->Visible() && !terminated_) mainForm_->Show();
    while (!terminated_)
        HandleMessage();
}

void TApplication::HandleMessage() {
    if (!ProcessMessage()) Idle();
}

void TApplication::ProcessMessages() {
    // Lets the desktop hand over what it holds (a real one dispatches its window messages now),
    // without waiting for more.
    platform_.GetDesktop().WaitForEvents(platform_.GetClock().NowMs());
    while (ProcessMessage()) {
    }
}

void TApplication::Terminate() {
    terminated_ = true;
    platform_.GetDesktop().Wake();
}

// In the order Windows hands them out: sent calls, queued events, paints, then one timer.
bool TApplication::ProcessMessage() {
    try {
        if (queue_.RunSentCalls()) return true;
        if (!deferred_.empty()) {
            auto work = std::move(deferred_.front());
            deferred_.erase(deferred_.begin());
            work();
            return true;
        }
        if (!released_.empty()) {
            TCustomForm* form = released_.front();
            released_.erase(released_.begin());
            delete form;
            return true;
        }
        if (const auto event = queue_.TakeEvent()) {
            Dispatch(*event);
            return true;
        }
        if (PaintOne()) return true;
        if (const auto due = timers_.TakeDue(platform_.GetClock().NowMs())) {
            TMessage message{platform::WM_TIMER, due->Id, 0, 0};
            DispatchMessage(due->Window, message);
            return true;
        }
    } catch (const std::exception& e) {
        HandleException(e);
        return true;
    }
    return false;
}

// As the system's own loop in a message box dispatches window timers, hot keys and sent
// messages on Windows, everything waiting and due is handled here; painting too.
platform::NestedLoopTurn TApplication::ServeNestedLoop() {
    while (!terminated_ && ProcessMessage()) {
    }
    return {timers_.NextDue(), terminated_};
}

void TApplication::Idle() {
    try {
        DoMouseIdle();
    } catch (const std::exception& e) {
        HandleException(e);
    }
    if (terminated_) return;
    platform_.GetDesktop().WaitForEvents(timers_.NextDue());
}

void TApplication::WaitServingCalls(platform::WaitableEvent& event) {
    platform::Clock& clock = platform_.GetClock();
    for (;;) {
        queue_.RunSentCalls();
        if (clock.WaitAny({&event, &queue_.SentCallPending()}, platform::kInfinite) == 0) return;
    }
}

void TApplication::Dispatch(const platform::Event& event) {
    using platform::EventKind;
    if (event.Window == handle_) {
        if (event.Kind == EventKind::Close && mainForm_) mainForm_->Close();
        if (event.Kind == EventKind::ShowState && event.Key == platform::SW_RESTORE && mainForm_) {
            mainForm_->SetWindowState(TWindowState::wsNormal);
        }
        return;
    }
    if (event.Kind == EventKind::Message) {
        TMessage message{event.Msg, event.WParam, event.LParam, 0};
        DispatchMessage(event.Window, message);
        return;
    }
    const auto form = formWindows_.find(event.Window);
    if (form != formWindows_.end()) form->second->HandleEvent(event);
}

void TApplication::DispatchMessage(platform::WindowHandle window, TMessage& message) {
    const auto it = hiddenWindows_.find(window);
    if (it == hiddenWindows_.end()) return;
    const TWindowMethod method = it->second;  // the handler may deallocate its window
    method(message);
}

bool TApplication::PaintOne() {
    for (TCustomForm* form : forms_) {
        if (form->NeedsPaint()) {
            form->PaintNow();
            return true;
        }
    }
    return false;
}

void TApplication::HandleException(const std::exception& error) {
    if (OnException) {
        OnException(error);
    } else {
        ShowException(error);
    }
}

void TApplication::ShowException(const std::exception& error) {
    std::string text = error.what();
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    MessageBox(text, title_, platform::MB_OK | platform::MB_ICONERROR);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, std::uint32_t flags) {
    const platform::WindowHandle owner = activeForm_ ? activeForm_->Handle() : handle_;
    return platform_.GetDesktop().MessageBox(owner, text, caption, flags);
}

platform::WindowHandle TApplication::AllocateHWnd(TWindowMethod method) {
    const platform::WindowHandle window = platform_.GetDesktop().CreateMessageWindow();
    hiddenWindows_[window] = std::move(method);
    return window;
}

void TApplication::DeallocateHWnd(platform::WindowHandle window) {
    if (hiddenWindows_.erase(window) == 0) return;
    timers_.KillAll(window);
    platform_.GetDesktop().DestroyWindow(window);
}

bool TApplication::SetTimer(platform::WindowHandle window, std::uintptr_t id, std::uint32_t intervalMs) {
    if (!hiddenWindows_.count(window)) return false;
    timers_.Set(window, id, intervalMs, platform_.GetClock().NowMs());
    return true;
}

bool TApplication::KillTimer(platform::WindowHandle window, std::uintptr_t id) {
    return timers_.Kill(window, id);
}

void TApplication::RegisterForm(TCustomForm* form) {
    forms_.push_back(form);
}

void TApplication::UnregisterForm(TCustomForm* form) {
    std::erase(forms_, form);
    std::erase(released_, form);
    std::erase_if(formWindows_, [&](const auto& entry) { return entry.second == form; });
    if (mainForm_ == form) mainForm_ = nullptr;
    if (activeForm_ == form) activeForm_ = nullptr;
    if (hintWindow_ && form == hintWindow_) hintWindow_ = nullptr;
}

void TApplication::WindowCreated(TCustomForm* form, platform::WindowHandle window) {
    formWindows_[window] = form;
}

void TApplication::MainFormStateChanged(bool minimised) {
    platform_.GetDesktop().ShowWindow(handle_, minimised ? platform::SW_MINIMIZE : platform::SW_RESTORE);
}

void TApplication::DisableWindowsExcept(TCustomForm* form) {
    for (TCustomForm* other : forms_) {
        if (other != form && other->Visible()) {
            platform_.GetDesktop().EnableWindow(other->Handle(), false);
            disabledWindows_.push_back(other->Handle());
        }
    }
}

void TApplication::EnableWindows() {
    for (platform::WindowHandle window : disabledWindows_)
        platform_.GetDesktop().EnableWindow(window, true);
    disabledWindows_.clear();
}

void TApplication::Defer(std::function<void()> work) {
    deferred_.push_back(std::move(work));
    platform_.GetDesktop().Wake();
}

void TApplication::Release(TCustomForm* form) {
    if (std::find(released_.begin(), released_.end(), form) == released_.end()) released_.push_back(form);
    platform_.GetDesktop().Wake();
}

}  // namespace zindra
