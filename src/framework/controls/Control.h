// The base of everything visible: position and size in the parent, visibility, enabled state,
// cursor, hint, colour and font, the mouse events and the enter/leave notifications.
#pragma once

#include <cstdint>
#include <string>

#include "framework/Component.h"
#include "framework/Types.h"
#include "framework/graphics/Font.h"

namespace zindra {

class TCanvas;
class TWinControl;
class TCustomForm;

enum ControlStyleBit : std::uint32_t {
    csCaptureMouse = 1,  // a left press captures the mouse until the release
    csClickEvents = 2,   // a left press and release over the control is a click
    csOpaque = 4,        // paints every pixel of its rectangle
    csNoStdEvents = 8,   // raises no OnMouseDown, OnMouseMove or OnMouseUp
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    void SetParentComponent(TComponent* parent) override;
    TCustomForm* ParentForm() const;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    Rect BoundsRect() const { return Rect::FromBounds(left_, top_, width_, height_); }
    Rect ClientRect() const { return {0, 0, width_, height_}; }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    // Visible, and every parent up to the form visible too.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor) { cursor_ = cursor; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value);
    // Whether a hint shows for this control: its own setting, or its parent's.
    bool HintEnabled() const;

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFont* Font() { return &font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);

    std::uint32_t ControlStyle() const { return controlStyle_; }
    void SetControlStyle(std::uint32_t style) { controlStyle_ = style; }

    // Repaint requests: Invalidate marks the control for the next paint; Repaint paints now.
    void Invalidate();
    void Repaint();
    virtual void Paint(TCanvas& canvas) { (void)canvas; }

    Point ClientToScreen(Point p) const;
    Point ScreenToClient(Point p) const;
    // The control's top-left in its form's client area.
    Point FormOrigin() const;
    bool MouseCapture() const;
    void SetMouseCapture(bool capture);

    // Mouse handling, called by the form's dispatcher. Coordinates are client coordinates.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Click();
    // The pointer came onto or left the control (found when the application goes idle). The
    // default passes the notification on to the parent with this control as its argument.
    virtual void MouseEnter();
    virtual void MouseLeave();

    TNotifyEvent OnClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;

    void SetOnClick(TNotifyEvent e) { OnClick = std::move(e); }
    void SetOnMouseDown(TMouseEvent e) { OnMouseDown = std::move(e); }
    void SetOnMouseMove(TMouseMoveEvent e) { OnMouseMove = std::move(e); }
    void SetOnMouseUp(TMouseEvent e) { OnMouseUp = std::move(e); }

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

protected:
    virtual void VisibleChanged();

    virtual void FontChanged() { Invalidate(); }
    // The colour changed (SetColor with a new value).
    virtual void ColorChanged() { Invalidate(); }

    bool clicked_ = false;  // a left press happened on the control and the release is awaited

private:
    friend class TWinControl;  // keeps parent_ in step with its child list
    friend class TCustomForm;  // dispatches mouse input and tracks clicks

    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    TCursor cursor_ = crDefault;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TColor color_ = clBtnFace;
    TFont font_;
    bool parentFont_ = true;
    std::uint32_t controlStyle_ = csCaptureMouse | csClickEvents;
};

// A windowless control that paints on its parent.
class TGraphicControl : public TControl {
public:
    using TControl::TControl;
    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();
};

}  // namespace zindra
