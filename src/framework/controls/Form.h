// Top-level windows: a borderless, double-buffered form with its stored layout, shown normally,
// minimised or modally; it dispatches the platform's input to its controls and paints them.
#pragma once

#include <any>
#include <functional>
#include <map>
#include <string>

#include "framework/Text.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Bitmap32.h"
#include "framework/layout/LoadContext.h"
#include "platform/Desktop.h"

namespace zindra {

enum class TFormBorderStyle : std::uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TPosition : std::uint8_t { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter };
enum class TWindowState : std::uint8_t { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;

// The scroll-bar settings a form keeps; borderless menu windows switch them off.
class TControlScrollBar : public TPersistent {
public:
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    bool visible_ = true;
};

class TCustomForm : public TWinControl, public LayoutRoot {
public:
    // owner: the application (a form needs one to reach the desktop).
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    platform::WindowHandle Handle();

    // Reads the built-in layout of that name into this form, then raises OnCreate (an exception
    // there goes to the application's report and creation goes on).
    void LoadLayout(const std::string& resourceName);
    const std::any* FindMethod(std::string_view name) const override;
    bool BindField(const std::string& name, TComponent* component) override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style) { borderStyle_ = style; }
    void SetClientWidth(int width) { SetWidth(width); }
    void SetClientHeight(int height) { SetHeight(height); }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state);
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
    void SetScaled(bool value) { scaled_ = value; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    TControlScrollBar* HorzScrollBar() { return &horzScrollBar_; }
    TControlScrollBar* VertScrollBar() { return &vertScrollBar_; }

    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    void Close();
    // Shows the form and runs a nested message loop until ModalResult is set (or the
    // application terminates), then hides it and returns the result.
    TModalResult ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    bool Active() const { return active_; }

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    TControl* CaptureControl() const { return captureControl_; }
    void SetCaptureControl(TControl* control);
    Point ClientOrigin() const { return {Left(), Top()}; }

    // Painting: the dirty area (client coordinates) is painted at the next idle moment, or now.
    void InvalidateRect(const Rect& rect);
    bool NeedsPaint() const;
    void PaintNow();

    void Notification(TComponent* component, bool removing) override;
    // Told by controls as they go away or hide, so no stale pointer stays behind.
    void ControlGoing(TControl* control);
    void ControlHidden(TControl* control);
    // An event of the platform for this form's window.
    void HandleEvent(const platform::Event& event);

    TNotifyEvent OnCreate, OnDestroy, OnActivate, OnDeactivate, OnShow, OnHide;
    TCloseEvent OnClose;

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

protected:
    // Binds a handler method by the name layouts use for it.
    template <typename F, typename... A>
    void Method(const std::string& name, void (F::*method)(A...)) {
        F* self = static_cast<F*>(this);
        methods_[LowerCase(name)] = std::function<void(A...)>([self, method](A... args) { (self->*method)(args...); });
    }
    // Binds a field to the component a layout creates under that name; the field is cleared when
    // that component goes.
    template <typename T>
    void Field(const std::string& name, T*& field) {
        fields_[LowerCase(name)] = {[&field](TComponent* c) {
                                        T* typed = dynamic_cast<T*>(c);
                                        if (typed) field = typed;
                                        return typed != nullptr;
                                    },
                                    [&field] { field = nullptr; }};
    }
    // Raises OnDestroy once, with every component already marked as being destroyed.
    void DoDestroy();
    // DoDestroy, then the components, clearing the fields bound to them as they go. The most
    // derived destructor calls it while its fields and handlers still live.
    void DestroyForm();
    virtual void CreateParams(platform::WindowParams& params);

private:
    void DispatchMouse(const platform::Event& event);
    void DispatchKey(const platform::Event& event);
    void DispatchWheel(const platform::Event& event);
    void Activated(bool active);
    void ShowWindowNow();
    void CloseModal();
    TWinControl* FirstFocusable(TWinControl* within) const;

    platform::WindowHandle handle_ = 0;
    std::string caption_;
    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    TPosition position_ = TPosition::poDesigned;
    TWindowState windowState_ = TWindowState::wsNormal;
    bool doubleBuffered_ = false;
    bool scaled_ = true;
    bool keyPreview_ = false;
    bool modal_ = false;
    bool active_ = false;
    bool destroyed_ = false;
    bool created_ = true;  // false while a layout is being read into the form
    bool shownBefore_ = false;
    TModalResult modalResult_ = TModalResult::mrNone;
    TControlScrollBar horzScrollBar_;
    TControlScrollBar vertScrollBar_;
    TWinControl* activeControl_ = nullptr;
    TControl* captureControl_ = nullptr;
    Bitmap32 backBuffer_;
    Rect dirty_;
    std::map<std::string, std::any> methods_;
    struct FieldBinding {
        std::function<bool(TComponent*)> Bind;
        std::function<void()> Clear;
        TComponent* Bound = nullptr;
    };
    std::map<std::string, FieldBinding> fields_;
};

// A form class with nothing of its own: windows derive from it.
class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();
};

}  // namespace zindra
