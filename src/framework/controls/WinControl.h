// A control that can hold other controls and take the keyboard focus. Its windowless children
// are painted beneath its windowed ones, each group in creation order.
#pragma once

#include <vector>

#include "framework/controls/Control.h"

namespace zindra {

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    const std::vector<TControl*>& Controls() const { return controls_; }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // The topmost visible child under a point (client coordinates), looking into windowed
    // children; disabled children count only when allowDisabled. Null when none.
    TControl* ControlAtPos(Point p, bool allowDisabled) const;

    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int order) { tabOrder_ = order; }
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool stop) { tabStop_ = stop; }
    bool Focused() const;
    virtual bool CanFocus() const;
    // Throws EInvalidOperation "Cannot focus a disabled or invisible window" when it cannot.
    virtual void SetFocus();
    virtual void FocusChanged(bool gained) { (void)gained, Invalidate(); }

    // Keyboard handling, called by the form for the focused control.
    virtual void KeyDown(std::uint16_t& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void KeyUp(std::uint16_t& key, TShiftState shift);
    // A wheel turn over the control (mousePos in client coordinates); true when it was used. The
    // default offers it to OnMouseWheel; unused turns go on to the parent.
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, Point mousePos);

    // Paints this control and its children; canvas origin is the form's client area.
    virtual void PaintTree(TCanvas& canvas, const Rect& dirty);
    // A child's enter/leave notification, passed up the chain.
    virtual void ChildMouseEnter(TControl* child) { (void)child; }
    virtual void ChildMouseLeave(TControl* child) { (void)child; }

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TMouseWheelEvent OnMouseWheel;
    void SetOnKeyDown(TKeyEvent e) { OnKeyDown = std::move(e); }
    void SetOnKeyPress(TKeyPressEvent e) { OnKeyPress = std::move(e); }
    void SetOnKeyUp(TKeyEvent e) { OnKeyUp = std::move(e); }
    void SetOnEnter(TNotifyEvent e) { OnEnter = std::move(e); }
    void SetOnExit(TNotifyEvent e) { OnExit = std::move(e); }

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

protected:
    // The control's own face (background and content) before its children.
    virtual void PaintSelf(TCanvas& canvas);

private:
    std::vector<TControl*> controls_;  // creation order
    int tabOrder_ = -1;
    bool tabStop_ = false;
};

}  // namespace zindra
