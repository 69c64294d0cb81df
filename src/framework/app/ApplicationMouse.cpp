// Idle-time mouse tracking (enter and leave notifications), the pointer shape, and hints.
#include "framework/app/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/HintWindow.h"
#include "platform/Platform.h"

namespace zindra {

namespace {
constexpr std::uintptr_t kHintShowTimer = 1;
constexpr std::uintptr_t kHintHideTimer = 2;
constexpr int kCursorHeight = 20;
}  // namespace

// Finds the control under the pointer, disabled ones included. While a control holds the mouse
// capture only it hears of the pointer coming and going.
void TApplication::DoMouseIdle() {
    platform::Desktop& desktop = platform_.GetDesktop();
    const Point p = desktop.CursorPos();
    TControl* target = nullptr;
    const auto form = formWindows_.find(desktop.WindowFromPoint(p));
    if (form != formWindows_.end() && form->second->Enabled()) {
        TCustomForm* f = form->second;
        const Point local = f->ScreenToClient(p);
        target = f->ControlAtPos(local, true);
        if (!target) target = f;
    }
    TControl* capture = nullptr;
    for (TCustomForm* f : forms_) {
        if (f->CaptureControl()) capture = f->CaptureControl();
    }
    if (target == mouseControl_) return;
    TControl* old = mouseControl_;
    const bool tellOld = old && (!capture || old == capture);
    mouseControl_ = target;
    if (tellOld) old->MouseLeave();
    if (mouseControl_ && (!capture || mouseControl_ == capture)) mouseControl_->MouseEnter();
    if (!mouseControl_) CancelHint();
}

void TApplication::ControlGoing(TControl* control) {
    if (mouseControl_ == control) mouseControl_ = nullptr;
    if (hintControl_ == control) CancelHint();
}

void TApplication::MouseOver(TControl* control) {
    platform_.GetDesktop().SetCursor(screen_.Cursor(control->Cursor()));
    if (control == hintControl_) return;
    const bool wasShowing = hintWindow_ && hintWindow_->Visible();
    CancelHint();
    hintControl_ = control;
    if (showHint_ && control->HintEnabled() && !control->Hint().empty()) {
        StartHintTimer(wasShowing ? HintShortPause : HintPause);
    }
}

void TApplication::StartHintTimer(int delay) {
    KillTimer(ownWindow_, kHintHideTimer);
    SetTimer(ownWindow_, kHintShowTimer, static_cast<std::uint32_t>(delay));
}

void TApplication::HintTimer(TMessage& message) {
    if (message.Msg != platform::WM_TIMER) return;
    KillTimer(ownWindow_, message.WParam);
    if (message.WParam == kHintShowTimer) {
        ShowHintNow();
    } else if (hintWindow_) {
        hintWindow_->Hide();
    }
}

void TApplication::ShowHintNow() {
    if (!hintControl_ || hintControl_ != mouseControl_ || !hintControl_->Showing()) return;
    if (!hintWindow_) hintWindow_ = hintFactory_(*this);
    const Point p = platform_.GetDesktop().CursorPos();
    const Rect size = hintWindow_->CalcHintRect(300, hintControl_->Hint());
    hintWindow_->ActivateHint(size.Offset(p.X, p.Y + kCursorHeight), hintControl_->Hint());
    SetTimer(ownWindow_, kHintHideTimer, static_cast<std::uint32_t>(HintHidePause));
}

void TApplication::CancelHint() {
    KillTimer(ownWindow_, kHintShowTimer);
    KillTimer(ownWindow_, kHintHideTimer);
    if (hintWindow_ && hintWindow_->Visible()) hintWindow_->Hide();
    hintControl_ = nullptr;
}

void TApplication::SetShowHint(bool show) {
    showHint_ = show;
    if (!show) CancelHint();
}

void TApplication::SetHintWindowClass(THintWindowFactory factory) {
    CancelHint();
    if (hintWindow_) {
        THintWindow* old = hintWindow_;
        hintWindow_ = nullptr;
        delete old;
    }
    hintFactory_ = std::move(factory);
}

}  // namespace zindra
