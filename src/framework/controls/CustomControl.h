// A windowed control that draws all of its face itself: nothing is erased beneath it first, so
// its Paint must cover every pixel of its rectangle.
#pragma once

#include "framework/controls/WinControl.h"

namespace zindra {

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

protected:
    void PaintSelf(TCanvas& canvas) override { Paint(canvas); }
};

}  // namespace zindra
