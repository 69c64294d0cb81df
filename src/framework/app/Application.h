// The application object: the root owner of a program's windows, its message loop (events,
// handed-over calls, painting, window timers, idle-time mouse tracking), its hidden message
// windows, hints, cursors, message boxes and the standard exception report.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/app/Clipboard.h"
#include "framework/app/MessageQueue.h"
#include "framework/app/Screen.h"
#include "framework/app/WindowTimers.h"

namespace zindra::platform {
class Platform;
}

namespace zindra {

class TCustomForm;
class TControl;
class THintWindow;

// A message for a hidden window.
struct TMessage {
    std::uint32_t Msg = 0;
    std::uintptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};
using TWindowMethod = std::function<void(TMessage& message)>;
using THintWindowFactory = std::function<THintWindow*(TApplication& application)>;

class TApplication : public TComponent {
public:
    explicit TApplication(platform::Platform& platform);
    ~TApplication() override;

    platform::Platform& Platform() { return platform_; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);
    // The hidden application window ("TApplication", titled with the title).
    platform::WindowHandle Handle() const { return handle_; }

    TCustomForm* MainForm() const { return mainForm_; }
    // Creates a form owned by the application; the first becomes the main form.
    template <typename F, typename... Args>
    F* CreateForm(Args&&... args) {
        F* form = new F(this, std::forward<Args>(args)...);
        if (!mainForm_) mainForm_ = form;
        return form;
    }

    // Shows the main form and handles messages until Terminate.
    void Run();
    // One message, or an idle moment and a wait for the next one. Modal loops call this.
    void HandleMessage();
    // Every message waiting now, without waiting for more.
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return terminated_; }

    void HandleException(const std::exception& error);
    void ShowException(const std::exception& error);
    std::function<void(const std::exception&)> OnException;
    // A modal message box through the desktop, owned by the active form.
    int MessageBox(const std::string& text, const std::string& caption, std::uint32_t flags);

    // Worker threads: runs call on this thread and waits for it (exceptions come back).
    void Synchronize(std::function<void()> call) { queue_.Send(std::move(call)); }
    MessageQueue& Queue() { return queue_; }
    // Runs work at the next turn of the message loop (or when the application ends), for clean-up
    // that cannot happen inside the call that asks for it.
    void Defer(std::function<void()> work);
    // Waits for the event while running handed-over calls, so a worker waiting on this thread
    // can finish.
    void WaitServingCalls(platform::WaitableEvent& event);

    platform::WindowHandle AllocateHWnd(TWindowMethod method);
    void DeallocateHWnd(platform::WindowHandle window);
    bool SetTimer(platform::WindowHandle window, std::uintptr_t id, std::uint32_t intervalMs);
    bool KillTimer(platform::WindowHandle window, std::uintptr_t id);

    TScreen& Screen() { return screen_; }
    // The desktop's clipboard; made at the first use.
    TClipboard& Clipboard();
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);
    int HintPause = 500;
    int HintShortPause = 50;
    int HintHidePause = 2500;
    // Makes the hint windows; replacing it changes the look of every hint from the next one on.
    void SetHintWindowClass(THintWindowFactory factory);
    void CancelHint();
    THintWindow* HintWindow() const { return hintWindow_; }

    // For forms.
    void RegisterForm(TCustomForm* form);
    void UnregisterForm(TCustomForm* form);
    void WindowCreated(TCustomForm* form, platform::WindowHandle window);
    void SetActiveForm(TCustomForm* form) { activeForm_ = form; }
    TCustomForm* ActiveForm() const { return activeForm_; }
    void MainFormStateChanged(bool minimised);
    void DisableWindowsExcept(TCustomForm* form);
    void EnableWindows();
    void Release(TCustomForm* form);
    void MouseOver(TControl* control);
    void ControlGoing(TControl* control);
    TControl* MouseControl() const { return mouseControl_; }

private:
    bool ProcessMessage();
    platform::NestedLoopTurn ServeNestedLoop();
    void Idle();
    void Dispatch(const platform::Event& event);
    void DispatchMessage(platform::WindowHandle window, TMessage& message);
    bool PaintOne();
    void DoMouseIdle();
    void HintTimer(TMessage& message);
    void ShowHintNow();
    void StartHintTimer(int delay);

    platform::Platform& platform_;
    std::unique_ptr<TClipboard> clipboard_;
    MessageQueue queue_;
    WindowTimers timers_;
    TScreen screen_;
    std::string title_;
    platform::WindowHandle handle_ = 0;
    platform::WindowHandle ownWindow_ = 0;  // the application's hidden window for its timers
    TCustomForm* mainForm_ = nullptr;
    TCustomForm* activeForm_ = nullptr;
    std::vector<TCustomForm*> forms_;
    std::vector<TCustomForm*> released_;
    std::vector<std::function<void()>> deferred_;
    std::vector<platform::WindowHandle> disabledWindows_;
    std::map<platform::WindowHandle, TCustomForm*> formWindows_;
    std::map<platform::WindowHandle, TWindowMethod> hiddenWindows_;
    bool terminated_ = false;
    TControl* mouseControl_ = nullptr;
    TControl* hintControl_ = nullptr;
    THintWindow* hintWindow_ = nullptr;
    THintWindowFactory hintFactory_;
    bool showHint_ = true;
};

}  // namespace zindra
