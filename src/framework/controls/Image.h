// The image control: a windowless control that shows one picture at its natural size, stretched
// or centred, optionally taking the picture's size.
#pragma once

#include "framework/controls/Control.h"
#include "framework/graphics/Picture.h"

namespace zindra {

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);

    TPicture* Picture() { return &picture_; }
    // Copies the given picture's graphic into the shown one.
    void SetPicture(const TPicture* picture) { picture_.Assign(picture); }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    void Paint(TCanvas& canvas) override;

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

protected:
    // A new picture: take its size when auto-sizing, keeping the top-left corner; repaint.
    virtual void PictureChanged();
    Rect DestRect() const;

private:
    TPicture picture_;
    bool autoSize_ = false;
    bool stretch_ = false;
    bool center_ = false;
    bool transparent_ = false;
};

}  // namespace zindra
