// Forms: their window on the desktop, layout binding, showing, closing and modal loops.
#include "framework/controls/Form.h"

#include <cctype>

#include "framework/Exception.h"
#include "framework/Resources.h"
#include "framework/Text.h"
#include "framework/app/Application.h"
#include "framework/graphics/Canvas.h"
#include "framework/layout/LayoutReader.h"
#include "framework/layout/Properties.h"
#include "platform/Platform.h"

namespace zindra {

const ClassInfo& TControlScrollBar::StaticClass() {
    static const ClassInfo info{"TControlScrollBar",
                                &TPersistent::StaticClass(),
                                {},
                                {props::Bool<TControlScrollBar>("Visible", &TControlScrollBar::SetVisible)}};
    return info;
}
const ClassInfo& TControlScrollBar::ClassType() const {
    return StaticClass();
}

const ClassInfo& TCustomForm::StaticClass() {
    using C = TCustomForm;
    auto event = [](const char* name, TNotifyEvent C::*member) {
        PropertyInfo info;
        info.Name = name;
        info.Set = [member](TPersistent& target, const LayoutValue& value, LoadContext& context) {
            static_cast<C&>(target).*member = context.Method<TNotifyEvent>(value);
        };
        return info;
    };
    static const ClassInfo info{
        "TCustomForm",
        &TWinControl::StaticClass(),
        {},
        {props::Enum<C, TFormBorderStyle>(
             "BorderStyle", &C::SetBorderStyle,
             {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}),
         props::String<C>("Caption", &C::SetCaption), props::Int<C>("ClientHeight", &C::SetClientHeight),
         props::Int<C>("ClientWidth", &C::SetClientWidth),
         props::Object<C>("HorzScrollBar", &C::HorzScrollBar, TControlScrollBar::StaticClass()),
         props::Bool<C>("KeyPreview", &C::SetKeyPreview),
         props::Enum<C, TPosition>(
             "Position", &C::SetPosition,
             {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter"}),
         props::Bool<C>("Scaled", &C::SetScaled),
         props::Object<C>("VertScrollBar", &C::VertScrollBar, TControlScrollBar::StaticClass()),
         props::Enum<C, TWindowState>("WindowState", &C::SetWindowState, {"wsNormal", "wsMinimized", "wsMaximized"}),
         event("OnActivate", &C::OnActivate), event("OnCreate", &C::OnCreate), event("OnDeactivate", &C::OnDeactivate),
         event("OnDestroy", &C::OnDestroy), event("OnHide", &C::OnHide), event("OnShow", &C::OnShow)}};
    return info;
}
const ClassInfo& TCustomForm::ClassType() const {
    return StaticClass();
}

const ClassInfo& TForm::StaticClass() {
    static const ClassInfo info{"TForm", &TCustomForm::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TForm::ClassType() const {
    return StaticClass();
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    TApplication* app = Application();
    if (!app) throw EInvalidOperation("A form needs an application as its owner");
    TWinControl::SetVisible(false);
    SetBounds(0, 0, 320, 240);
    app->RegisterForm(this);
}

TCustomForm::~TCustomForm() {
    DoDestroy();
    // The fields of a derived form that did not call DestroyForm have gone with it.
    fields_.clear();
    // Components go while the form is still whole: controls tell their form as they go.
    DestroyComponents();
    if (TApplication* app = Application()) {
        app->UnregisterForm(this);
        if (handle_) app->Platform().GetDesktop().DestroyWindow(handle_);
    }
}

void TCustomForm::DoDestroy() {
    Destroying();
    // A form whose construction failed never ran its creation handler; nor does it run this one,
    // whose code may belong to a part of the form that was never made.
    if (destroyed_ || !created_) return;
    destroyed_ = true;
    if (OnDestroy) OnDestroy(this);
}

void TCustomForm::DestroyForm() {
    DoDestroy();
    DestroyComponents();
}

void TCustomForm::Notification(TComponent* component, bool removing) {
    TWinControl::Notification(component, removing);
    if (!removing) return;
    for (auto& [name, field] : fields_) {
        if (field.Bound != component) continue;
        field.Clear();
        field.Bound = nullptr;
    }
}

void TCustomForm::CreateParams(platform::WindowParams& params) {
    params.ClassName = ClassName();
    params.Title = caption_;
    params.Bounds = BoundsRect();
}

platform::WindowHandle TCustomForm::Handle() {
    if (!handle_) {
        platform::WindowParams params;
        CreateParams(params);
        handle_ = Application()->Platform().GetDesktop().CreateWindow(params);
        Application()->WindowCreated(this, handle_);
    }
    return handle_;
}

void TCustomForm::LoadLayout(const std::string& resourceName) {
    created_ = false;
    ReadLayoutText(*this, this, ResourceText(resourceName));
    created_ = true;
    try {
        if (OnCreate) OnCreate(this);
    } catch (const std::exception& e) {
        Application()->HandleException(e);
    }
}

const std::any* TCustomForm::FindMethod(std::string_view name) const {
    const auto it = methods_.find(LowerCase(name));
    return it == methods_.end() ? nullptr : &it->second;
}

bool TCustomForm::BindField(const std::string& name, TComponent* component) {
    const auto it = fields_.find(LowerCase(name));
    if (it == fields_.end()) return true;
    if (!it->second.Bind(component)) return false;
    it->second.Bound = component;
    return true;
}

void TCustomForm::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (handle_) Application()->Platform().GetDesktop().SetWindowText(handle_, caption);
}

void TCustomForm::SetBounds(int left, int top, int width, int height) {
    const bool resized = width != Width() || height != Height();
    TWinControl::SetBounds(left, top, width, height);
    if (handle_) Application()->Platform().GetDesktop().SetWindowBounds(handle_, BoundsRect());
    if (resized) InvalidateRect(ClientRect());
}

void TCustomForm::ShowWindowNow() {
    platform::Desktop& desktop = Application()->Platform().GetDesktop();
    if (position_ == TPosition::poScreenCenter && !shownBefore_) {
        const int w = desktop.GetSystemMetrics(platform::SM_CXSCREEN);
        const int h = desktop.GetSystemMetrics(platform::SM_CYSCREEN);
        SetBounds((w - Width()) / 2, (h - Height()) / 2, Width(), Height());
    }
    shownBefore_ = true;
    InvalidateRect(ClientRect());
    PaintNow();
    desktop.ShowWindow(
        Handle(), windowState_ == TWindowState::wsMinimized ? platform::SW_SHOWMINIMIZED : platform::SW_SHOWNORMAL);
}

void TCustomForm::SetVisible(bool visible) {
    if (visible == Visible()) return;
    TWinControl::SetVisible(visible);
    if (visible) {
        ShowWindowNow();
        if (OnShow) OnShow(this);
    } else {
        if (OnHide) OnHide(this);
        if (handle_) Application()->Platform().GetDesktop().ShowWindow(handle_, platform::SW_HIDE);
    }
}

void TCustomForm::SetWindowState(TWindowState state) {
    if (state == TWindowState::wsMaximized) state = TWindowState::wsNormal;  // a borderless menu never maximises
    if (state == windowState_) return;
    windowState_ = state;
    if (!Visible() || IsLoading()) return;
    const bool minimise = state == TWindowState::wsMinimized;
    Application()->Platform().GetDesktop().ShowWindow(Handle(),
                                                      minimise ? platform::SW_MINIMIZE : platform::SW_RESTORE);
    if (Application()->MainForm() == this) Application()->MainFormStateChanged(minimise);
    if (!minimise) InvalidateRect(ClientRect());
}

void TCustomForm::Close() {
    if (modal_) {
        modalResult_ = TModalResult::mrCancel;
        return;
    }
    TCloseAction action = TCloseAction::caHide;
    if (OnClose) OnClose(this, action);
    if (action == TCloseAction::caNone) return;
    TApplication* app = Application();
    if (app->MainForm() == this) {
        app->Terminate();
    } else if (action == TCloseAction::caHide) {
        Hide();
    } else if (action == TCloseAction::caMinimize) {
        SetWindowState(TWindowState::wsMinimized);
    } else {
        app->Release(this);
    }
}

void TCustomForm::CloseModal() {
    TCloseAction action = TCloseAction::caHide;
    if (OnClose) OnClose(this, action);
    if (action == TCloseAction::caNone) modalResult_ = TModalResult::mrNone;
}

TModalResult TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || modal_) throw EInvalidOperation("Cannot make a visible window modal");
    TApplication* app = Application();
    app->DisableWindowsExcept(this);
    modal_ = true;
    modalResult_ = TModalResult::mrNone;
    Show();
    while (modalResult_ == TModalResult::mrNone) {
        app->HandleMessage();
        if (app->Terminated()) {
            modalResult_ = TModalResult::mrCancel;
        } else if (modalResult_ != TModalResult::mrNone) {
            CloseModal();
        }
    }
    modal_ = false;
    Hide();
    app->EnableWindows();
    return modalResult_;
}

void TCustomForm::InvalidateRect(const Rect& rect) {
    const Rect clipped = rect.Intersect(ClientRect());
    if (!clipped.IsEmpty()) dirty_ = dirty_.Union(clipped);
}

bool TCustomForm::NeedsPaint() const {
    return !dirty_.IsEmpty() && Visible() && windowState_ != TWindowState::wsMinimized;
}

void TCustomForm::PaintNow() {
    if (dirty_.IsEmpty() || Width() == 0 || Height() == 0) return;
    if (backBuffer_.Width() != Width() || backBuffer_.Height() != Height()) {
        backBuffer_.Resize(Width(), Height());
        dirty_ = ClientRect();
    }
    const Rect area = dirty_;
    dirty_ = {};
    TCanvas canvas(backBuffer_, {0, 0}, area);
    canvas.Font().Assign(*Font());
    PaintTree(canvas, area);
    Application()->Platform().GetDesktop().Present(Handle(), backBuffer_.View(), area);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control == activeControl_) return;
    TWinControl* old = activeControl_;
    activeControl_ = control;
    if (old) old->FocusChanged(false);
    if (control) control->FocusChanged(true);
}

void TCustomForm::SetCaptureControl(TControl* control) {
    if (control == captureControl_) return;
    captureControl_ = control;
    platform::Desktop& desktop = Application()->Platform().GetDesktop();
    if (control) {
        desktop.SetCapture(Handle());
    } else {
        desktop.ReleaseCapture();
    }
}

void TCustomForm::ControlGoing(TControl* control) {
    if (captureControl_ == control) SetCaptureControl(nullptr);
    if (activeControl_ == control) activeControl_ = nullptr;
    if (TApplication* app = Application()) app->ControlGoing(control);
}

void TCustomForm::ControlHidden(TControl* control) {
    if (captureControl_ && !captureControl_->Showing()) SetCaptureControl(nullptr);
    if (activeControl_ && !activeControl_->Showing()) SetActiveControl(nullptr);
    (void)control;
}

}  // namespace zindra
