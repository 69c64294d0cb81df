// The image button: an image control that shows a rest picture, a hover picture while the
// pointer is over it and a disabled picture when switched off through its own switch, and that
// moves one pixel right and down while a mouse button is held on it.
#pragma once

#include <memory>

#include "framework/controls/Image.h"

namespace zindra {

class TImageBut : public TImage {
public:
    explicit TImageBut(TComponent* owner);
    ~TImageBut() override;

    // Reading gives the owned picture; loading into it directly changes nothing on screen until
    // the next enter, leave or EnableBut write.
    TPicture* PicFrom() const { return picFrom_.get(); }
    TPicture* PicTo() const { return picTo_.get(); }
    TPicture* PicDisabled() const { return picDisabled_.get(); }
    // Copies the source's graphic (when given) and shows the rest picture.
    void SetPicFrom(const TPicture* source);
    // Copy the source's graphic; nothing is shown.
    void SetPicTo(const TPicture* source);
    void SetPicDisabled(const TPicture* source);

    bool EnableButMove() const { return enableButMove_; }
    void SetEnableButMove(bool value) { enableButMove_ = value; }
    bool EnableBut() const { return enableBut_; }
    // Shows the rest or the disabled picture (even when the value does not change), then sets
    // the inherited Enabled.
    void SetEnableBut(bool value);

    void MouseEnter() override;
    void MouseLeave() override;

    // Hooks for code; the menu sets neither.
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    void Show(const TPicture& picture);
    void Press(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Release(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);

    // Declared in creation order, so they are freed PicDisabled, PicTo, PicFrom.
    std::unique_ptr<TPicture> picFrom_;
    std::unique_ptr<TPicture> picTo_;
    std::unique_ptr<TPicture> picDisabled_;
    bool enableButMove_ = true;
    bool enableBut_ = true;
    bool pressRecorded_ = false;
    int pressLeft_ = 0;
    int pressTop_ = 0;
};

}  // namespace zindra
