// The image button: an image control that shows a rest picture, a hover picture while the
// pointer is over it and a disabled picture when switched off through its own switch, and that
// moves one pixel right and down while a mouse button is held on it.
#pragma once

#include "framework/controls/Image.h"
#include "widgets/ImageButFaces.h"

namespace zindra {

class TImageBut : public TImage, public ImageButFaces {
public:
    explicit TImageBut(TComponent* owner);
    ~TImageBut() override;

    void MouseEnter() override;
    void MouseLeave() override;

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    void Press(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Release(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);

    bool pressRecorded_ = false;
    int pressLeft_ = 0;
    int pressTop_ = 0;
};

}  // namespace zindra
