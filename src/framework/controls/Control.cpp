// Geometry, visibility, hints, painting requests and mouse behaviour of controls.
#include "framework/controls/Control.h"

#include "framework/controls/Form.h"
#include "framework/layout/Properties.h"

namespace zindra {

const ClassInfo& TControl::StaticClass() {
    using C = TControl;
    static const ClassInfo info{
        "TControl",
        &TComponent::StaticClass(),
        {},
        {props::Int<C>("Left", &C::SetLeft), props::Int<C>("Top", &C::SetTop), props::Int<C>("Width", &C::SetWidth),
         props::Int<C>("Height", &C::SetHeight), props::Color<C>("Color", &C::SetColor),
         props::Object<C>("Font", &C::Font, TFont::StaticClass()), props::Bool<C>("ParentFont", &C::SetParentFont),
         props::Cursor<C>("Cursor", &C::SetCursor), props::String<C>("Hint", &C::SetHint),
         props::Bool<C>("ParentShowHint", &C::SetParentShowHint), props::Bool<C>("ShowHint", &C::SetShowHint),
         props::Bool<C>("Visible", &C::SetVisible), props::Bool<C>("Enabled", &C::SetEnabled),
         props::Event<C, TNotifyEvent>("OnClick", &C::SetOnClick),
         props::Event<C, TMouseEvent>("OnMouseDown", &C::SetOnMouseDown),
         props::Event<C, TMouseMoveEvent>("OnMouseMove", &C::SetOnMouseMove),
         props::Event<C, TMouseEvent>("OnMouseUp", &C::SetOnMouseUp)}};
    return info;
}
const ClassInfo& TControl::ClassType() const {
    return StaticClass();
}

const ClassInfo& TGraphicControl::StaticClass() {
    static const ClassInfo info{"TGraphicControl", &TControl::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TGraphicControl::ClassType() const {
    return StaticClass();
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
    font_.OnChange = [this](TObject*) {
        parentFont_ = false;
        FontChanged();
    };
}

TControl::~TControl() {
    if (TCustomForm* form = ParentForm()) form->ControlGoing(this);
    if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent_) {
        Invalidate();
        if (TCustomForm* form = ParentForm()) form->ControlGoing(this);
        parent_->RemoveControl(this);
    }
    if (parent) parent->InsertControl(this);  // sets parent_
    if (parent_ && parentFont_) {
        const TNotifyEvent keep = font_.OnChange;
        font_.OnChange = nullptr;
        font_.Assign(*parent_->Font());
        font_.OnChange = keep;
    }
    Invalidate();
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* winControl = dynamic_cast<TWinControl*>(parent)) SetParent(winControl);
}

TCustomForm* TControl::ParentForm() const {
    for (const TControl* c = this; c; c = c->parent_) {
        if (auto* form = dynamic_cast<TCustomForm*>(const_cast<TControl*>(c))) return form;
    }
    return nullptr;
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Invalidate();
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    if (!visible) Invalidate();
    visible_ = visible;
    if (visible) Invalidate();
    VisibleChanged();
}

void TControl::VisibleChanged() {
    if (!visible_) {
        if (TCustomForm* form = ParentForm()) form->ControlHidden(this);
    }
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->parent_) {
        if (!c->visible_) return false;
    }
    return true;
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Invalidate();
}

void TControl::SetShowHint(bool show) {
    showHint_ = show;
    parentShowHint_ = false;
}

void TControl::SetParentShowHint(bool value) {
    parentShowHint_ = value;
    if (value && parent_) showHint_ = parent_->ShowHint();
}

bool TControl::HintEnabled() const {
    if (parentShowHint_ && parent_) return parent_->HintEnabled();
    return showHint_;
}

void TControl::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    ColorChanged();
}

void TControl::SetParentFont(bool value) {
    parentFont_ = value;
    if (value && parent_) {
        font_.Assign(*parent_->Font());
        parentFont_ = true;
    }
}

Point TControl::FormOrigin() const {
    Point p{0, 0};
    for (const TControl* c = this; c && !dynamic_cast<const TCustomForm*>(c); c = c->parent_) {
        p.X += c->left_;
        p.Y += c->top_;
    }
    return p;
}

void TControl::Invalidate() {
    if (!Showing()) return;
    if (TCustomForm* form = ParentForm()) {
        const Point o = FormOrigin();
        form->InvalidateRect(Rect::FromBounds(o.X, o.Y, width_, height_));
    }
}

void TControl::Repaint() {
    Invalidate();
    if (TCustomForm* form = ParentForm()) form->PaintNow();
}

Point TControl::ClientToScreen(Point p) const {
    const TCustomForm* form = ParentForm();
    const Point o = FormOrigin();
    const Point f = form ? form->ClientOrigin() : Point{0, 0};
    return {p.X + o.X + f.X, p.Y + o.Y + f.Y};
}

Point TControl::ScreenToClient(Point p) const {
    const Point zero = ClientToScreen({0, 0});
    return {p.X - zero.X, p.Y - zero.Y};
}

bool TControl::MouseCapture() const {
    const TCustomForm* form = ParentForm();
    return form && form->CaptureControl() == this;
}

void TControl::SetMouseCapture(bool capture) {
    TCustomForm* form = ParentForm();
    if (!form) return;
    if (capture) {
        form->SetCaptureControl(this);
    } else if (form->CaptureControl() == this) {
        form->SetCaptureControl(nullptr);
    }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown && !(controlStyle_ & csNoStdEvents)) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove && !(controlStyle_ & csNoStdEvents)) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp && !(controlStyle_ & csNoStdEvents)) OnMouseUp(this, button, shift, x, y);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::MouseEnter() {
    if (parent_) parent_->ChildMouseEnter(this);
}

void TControl::MouseLeave() {
    if (parent_) parent_->ChildMouseLeave(this);
}

}  // namespace zindra
