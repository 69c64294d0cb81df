// The shaped hint components: installing the window class, and the process-wide active shape
// hint.
#include "widgets/ShapeHint.h"

#include "framework/controls/HintWindow.h"
#include "framework/layout/Properties.h"
#include "widgets/ShapeHintWindow.h"

namespace zindra {

namespace {

TZkShapeHint* activeShapeHint = nullptr;

THintWindow* PlainHintWindow(TApplication& application) {
    return new THintWindow(&application);
}

}  // namespace

const ClassInfo& TZkCustomHint::StaticClass() {
    static const ClassInfo info{"TZkCustomHint", &TZkComponent::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TZkCustomHint::ClassType() const {
    return StaticClass();
}

TZkCustomHint::TZkCustomHint(TComponent* owner) : TZkComponent(owner), hintWindowClass_(&PlainHintWindow) {}

void TZkCustomHint::SetEnabled(bool value) {
    enabled_ = value;
    if (IsDesigning()) return;
    TApplication* app = Application();
    if (!app) return;
    const bool showHint = app->ShowHint();
    app->SetHintWindowClass(value ? hintWindowClass_ : THintWindowFactory(&PlainHintWindow));
    // Off and on again, so the application lets go of any hint window it holds.
    app->SetShowHint(!showHint);
    app->SetShowHint(showHint);
}

void TZkCustomHint::Loaded() {
    TZkComponent::Loaded();
    if (enabled_) SetEnabled(true);
}

const ClassInfo& TZkCustomShapeHint::StaticClass() {
    static const ClassInfo info{"TZkCustomShapeHint", &TZkCustomHint::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TZkCustomShapeHint::ClassType() const {
    return StaticClass();
}

TZkCustomShapeHint::TZkCustomShapeHint(TComponent* owner) : TZkCustomHint(owner) {
    font_.SetName("MS Sans Serif");
    font_.SetSize(8);
    font_.SetColor(clInfoText);
}

const ClassInfo& TZkShapeHint::StaticClass() {
    using C = TZkShapeHint;
    static const ClassInfo info{
        "TZkShapeHint",
        &TZkCustomShapeHint::StaticClass(),
        [](TComponent* owner) { return new TZkShapeHint(owner); },
        {props::Color<C>("BorderColor", &C::SetBorderColor), props::Color<C>("Color", &C::SetColor),
         props::Object<C>("Font", &C::Font, TFont::StaticClass()),
         props::Object<C>("Font3D", &C::Font3D, TZk3DCaption::StaticClass()),
         props::Int<C>("MaxWidth", &C::SetMaxWidth),
         props::Enum<C, TZkHintPosition>("Position", &C::SetPosition,
                                         {"hpAboveLeft", "hpAboveRight", "hpBelowLeft", "hpBelowRight"}),
         props::Object<C>("Shadow", &C::Shadow, TZkShadow::StaticClass()),
         props::Enum<C, TZkHintStyle>(
             "Style", &C::SetStyle,
             {"hsRect", "hsRoundRect", "hsEllipse", "hsNoseRect", "hsNoseRoundRect", "hsNoseEllipse"}),
         props::Bool<C>("Enabled", &C::SetEnabled)}};
    return info;
}
const ClassInfo& TZkShapeHint::ClassType() const {
    return StaticClass();
}

TZkShapeHint::TZkShapeHint(TComponent* owner) : TZkCustomShapeHint(owner) {
    hintWindowClass_ = [](TApplication& application) -> THintWindow* { return new TZkShapeHintWindow(&application); };
}

// The window class stays installed: with no active shape hint it looks like the plain one.
TZkShapeHint::~TZkShapeHint() {
    if (activeShapeHint == this) activeShapeHint = nullptr;
}

void TZkShapeHint::SetEnabled(bool value) {
    TZkCustomShapeHint::SetEnabled(value);
    if (value) {
        activeShapeHint = this;
    } else if (activeShapeHint == this) {
        activeShapeHint = nullptr;
    }
}

TZkShapeHint* TZkShapeHint::Active() {
    return activeShapeHint;
}

}  // namespace zindra
