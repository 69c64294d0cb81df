// Child controls, focus, keyboard handling and painting of container controls.
#include "framework/controls/WinControl.h"

#include <algorithm>

#include "framework/Exception.h"
#include "framework/controls/Form.h"
#include "framework/graphics/Canvas.h"
#include "framework/layout/Properties.h"

namespace zindra {

const ClassInfo& TWinControl::StaticClass() {
    using C = TWinControl;
    static const ClassInfo info{"TWinControl",
                                &TControl::StaticClass(),
                                {},
                                {props::Int<C>("TabOrder", &C::SetTabOrder), props::Bool<C>("TabStop", &C::SetTabStop),
                                 props::Event<C, TNotifyEvent>("OnEnter", &C::SetOnEnter),
                                 props::Event<C, TNotifyEvent>("OnExit", &C::SetOnExit),
                                 props::Event<C, TKeyEvent>("OnKeyDown", &C::SetOnKeyDown),
                                 props::Event<C, TKeyPressEvent>("OnKeyPress", &C::SetOnKeyPress),
                                 props::Event<C, TKeyEvent>("OnKeyUp", &C::SetOnKeyUp)}};
    return info;
}
const ClassInfo& TWinControl::ClassType() const {
    return StaticClass();
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // Children owned elsewhere outlive their parent only as orphans.
    for (TControl* child : std::vector<TControl*>(controls_))
        child->SetParent(nullptr);
}

void TWinControl::InsertControl(TControl* control) {
    if (std::find(controls_.begin(), controls_.end(), control) != controls_.end()) return;
    controls_.push_back(control);
    control->parent_ = this;
}

void TWinControl::RemoveControl(TControl* control) {
    const auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) return;
    controls_.erase(it);
    control->parent_ = nullptr;
}

TControl* TWinControl::ControlAtPos(Point p, bool allowDisabled) const {
    // Windowed children lie above windowless ones; later children above earlier ones.
    for (const bool windowed : {true, false}) {
        for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
            TControl* c = *it;
            const bool isWindowed = dynamic_cast<TWinControl*>(c) != nullptr;
            if (isWindowed != windowed || !c->Visible() || (!allowDisabled && !c->Enabled())) continue;
            if (!c->BoundsRect().Contains(p)) continue;
            if (auto* container = dynamic_cast<TWinControl*>(c)) {
                if (TControl* inner = container->ControlAtPos({p.X - c->Left(), p.Y - c->Top()}, allowDisabled)) {
                    return inner;
                }
            }
            return c;
        }
    }
    return nullptr;
}

bool TWinControl::Focused() const {
    const TCustomForm* form = ParentForm();
    return form && form->ActiveControl() == this;
}

bool TWinControl::CanFocus() const {
    return Showing() && Enabled();
}

void TWinControl::SetFocus() {
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    if (TCustomForm* form = ParentForm()) form->SetActiveControl(this);
}

void TWinControl::KeyDown(std::uint16_t& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::KeyUp(std::uint16_t& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

bool TWinControl::DoMouseWheel(TShiftState shift, int wheelDelta, Point mousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    return handled;
}

void TWinControl::PaintSelf(TCanvas& canvas) {
    canvas.Brush().Color = Color();
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.FillRect(ClientRect());
    Paint(canvas);
}

void TWinControl::PaintTree(TCanvas& canvas, const Rect& dirty) {
    const Point origin = canvas.Origin();
    PaintSelf(canvas);
    for (const bool windowed : {false, true}) {
        for (TControl* child : controls_) {
            auto* container = dynamic_cast<TWinControl*>(child);
            if ((container != nullptr) != windowed || !child->Visible()) continue;
            const Rect bounds = child->BoundsRect().Offset(origin.X, origin.Y);
            const Rect area = bounds.Intersect(dirty).Intersect(canvas.ToTarget(canvas.ClipRect()));
            if (area.IsEmpty()) continue;
            TCanvas childCanvas(canvas.Target(), {bounds.Left, bounds.Top}, area);
            childCanvas.Font().Assign(*child->Font());
            if (container) {
                container->PaintTree(childCanvas, area);
            } else {
                child->Paint(childCanvas);
            }
        }
    }
}

}  // namespace zindra
