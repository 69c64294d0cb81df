// The advanced image button: the image button's sister that gives pressed feedback with a fourth
// picture, PicDown, shown while a mouse button is held on it, instead of moving; a release shows
// the hover picture.
#pragma once

#include <memory>

#include "framework/controls/Image.h"
#include "widgets/ImageButFaces.h"

namespace zindra {

class TImageButAdvanced : public TImage, public ImageButFaces {
public:
    explicit TImageButAdvanced(TComponent* owner);
    ~TImageButAdvanced() override;

    TPicture* PicDown() const { return picDown_.get(); }
    // Copies the source's graphic (when given); nothing is shown.
    void SetPicDown(const TPicture* source);

    void MouseEnter() override;
    void MouseLeave() override;

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    void Press(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Release(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);

    // Made after the three shared pictures and freed before them.
    std::unique_ptr<TPicture> picDown_;
};

}  // namespace zindra
