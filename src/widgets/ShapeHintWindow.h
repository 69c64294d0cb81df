// The shaped hint window: the application's hint window while a shaped hint component is
// enabled. Each activation places it next to the pointer, takes a snapshot of the screen where
// it goes, draws the shadow, the shape and the text onto that snapshot and shows the result in
// a top-most window that takes no activation and no input. Its content is not redrawn while it
// is shown. With no active shape hint it is the plain hint window.
#pragma once

#include "framework/controls/HintWindow.h"
#include "framework/graphics/Bitmap32.h"
#include "widgets/ShapeHint.h"

namespace zindra {

class TZkShapeHintWindow : public THintWindow {
public:
    explicit TZkShapeHintWindow(TComponent* owner);

    // The application's rectangle is not used: the place follows the pointer.
    void ActivateHint(const Rect& rect, const std::string& hint) override;
    void Paint(TCanvas& canvas) override;

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

protected:
    void CreateParams(platform::WindowParams& params) override;
    // The window's size around the text rectangle (at 0, 0) for the component's style.
    virtual Size GrowToWindow(Rect& text);
    // Draws the shadow and the shape onto the snapshot and moves the text rectangle into the
    // shape; `position` is the place the window took next to the pointer.
    virtual void DrawShape(TCanvas& canvas, TZkHintPosition position, Rect& text);

    // The component of the activation under way; valid during ActivateHint only.
    TZkCustomShapeHint* component_ = nullptr;

private:
    int WrapWidth() const;
    Rect MeasureText(const std::string& text) const;
    void DrawShadow(Bitmap32& picture, TZkHintPosition position);
    void DrawHintText(TCanvas& canvas, Rect text) const;

    Bitmap32 picture_;  // the snapshot with the hint drawn on it
};

}  // namespace zindra
