// Dispatch of the platform's events for a form: mouse to the control under the pointer (or the
// one holding the capture), keys to the focused control, activation and outside state changes.
#include "framework/app/Application.h"
#include "framework/controls/Form.h"
#include "platform/Platform.h"

namespace zindra {

namespace {

TMouseButton ButtonOf(platform::MouseButton b) {
    switch (b) {
        case platform::MouseButton::Left:
            return TMouseButton::mbLeft;
        case platform::MouseButton::Right:
            return TMouseButton::mbRight;
        default:
            return TMouseButton::mbMiddle;
    }
}

}  // namespace

void TCustomForm::HandleEvent(const platform::Event& event) {
    using platform::EventKind;
    switch (event.Kind) {
        case EventKind::MouseMove:
        case EventKind::MouseDown:
        case EventKind::MouseUp:
            DispatchMouse(event);
            break;
        case EventKind::MouseWheel:
            DispatchWheel(event);
            break;
        case EventKind::KeyDown:
        case EventKind::KeyUp:
        case EventKind::Char:
            DispatchKey(event);
            break;
        case EventKind::Close:
            Close();
            break;
        case EventKind::Activate:
            Activated(true);
            break;
        case EventKind::Deactivate:
            Activated(false);
            break;
        case EventKind::ShowState:
            windowState_ = event.Key == platform::SW_MINIMIZE ? TWindowState::wsMinimized : TWindowState::wsNormal;
            if (windowState_ == TWindowState::wsNormal) InvalidateRect(ClientRect());
            break;
        case EventKind::CaptureLost:
            captureControl_ = nullptr;
            break;
        case EventKind::Expose:
            InvalidateRect(ClientRect());
            break;
        default:
            break;
    }
}

void TCustomForm::Activated(bool active) {
    active_ = active;
    if (active) {
        Application()->SetActiveForm(this);
        if (OnActivate) OnActivate(this);
    } else if (OnDeactivate) {
        OnDeactivate(this);
    }
}

void TCustomForm::DispatchMouse(const platform::Event& event) {
    using platform::EventKind;
    const Point p{event.X, event.Y};
    TControl* target = captureControl_;
    if (!target) target = ControlAtPos(p, false);
    if (!target) target = this;
    const Point origin = target == this ? Point{0, 0} : target->FormOrigin();
    const int x = p.X - origin.X;
    const int y = p.Y - origin.Y;
    const TMouseButton button = ButtonOf(event.Button);
    TApplication* app = Application();
    if (event.Kind == EventKind::MouseMove) {
        app->MouseOver(target);
        target->MouseMove(event.Shift, x, y);
        return;
    }
    const bool left = button == TMouseButton::mbLeft;
    if (event.Kind == EventKind::MouseDown) {
        app->CancelHint();
        if (left && (target->ControlStyle() & csCaptureMouse)) target->SetMouseCapture(true);
        if (left && (target->ControlStyle() & csClickEvents)) target->clicked_ = true;
        target->MouseDown(button, event.Shift, x, y);
        return;
    }
    // Release: the click comes before the mouse-up event, while the control still looks pressed.
    if (left) {
        if (target->MouseCapture()) target->SetMouseCapture(false);
        if (target->clicked_) {
            target->clicked_ = false;
            if (target->ClientRect().Contains({x, y})) target->Click();
        }
    }
    target->MouseUp(button, event.Shift, x, y);
}

// The windowed control under the pointer (or holding the capture) hears the turn first; what it
// leaves unused goes up through its parents to the form.
void TCustomForm::DispatchWheel(const platform::Event& event) {
    TControl* under = captureControl_ ? captureControl_ : ControlAtPos({event.X, event.Y}, false);
    TWinControl* target = dynamic_cast<TWinControl*>(under);
    if (!target) target = under ? under->Parent() : this;
    for (; target; target = target->Parent()) {
        const Point origin = target == this ? Point{0, 0} : target->FormOrigin();
        if (target->DoMouseWheel(event.Shift, event.Delta, {event.X - origin.X, event.Y - origin.Y})) return;
    }
}

TWinControl* TCustomForm::FirstFocusable(TWinControl* within) const {
    TWinControl* best = nullptr;
    for (TControl* c : within->Controls()) {
        auto* w = dynamic_cast<TWinControl*>(c);
        if (!w || !w->CanFocus()) continue;
        if (w->TabStop() && (!best || w->TabOrder() < best->TabOrder())) best = w;
    }
    return best;
}

void TCustomForm::DispatchKey(const platform::Event& event) {
    using platform::EventKind;
    // Keys typed while nothing has the focus go to the first control that can take it, so a
    // pupil can type into a box that has just appeared without clicking it first.
    if (!activeControl_ || !activeControl_->CanFocus()) SetActiveControl(FirstFocusable(this));
    TWinControl* target = activeControl_ ? activeControl_ : this;
    if (event.Kind == EventKind::Char) {
        char key = static_cast<char>(event.Key);
        if (keyPreview_ && target != this) TWinControl::KeyPress(key);
        if (key) target->KeyPress(key);
        return;
    }
    auto key = static_cast<std::uint16_t>(event.Key);
    const TShiftState shift = event.Shift & (kShiftKey | kAltKey | kCtrlKey);
    if (event.Kind == EventKind::KeyDown) {
        if (keyPreview_ && target != this) TWinControl::KeyDown(key, shift);
        if (key) target->KeyDown(key, shift);
    } else {
        if (keyPreview_ && target != this) TWinControl::KeyUp(key, shift);
        if (key) target->KeyUp(key, shift);
    }
}

}  // namespace zindra
