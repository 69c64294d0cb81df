// What both image buttons share: the owned rest, hover and disabled pictures, the own enabled
// switch, the movement/pressed-feedback switch and the picture swap on enter and leave.
//
// NOTE: the two buttons are siblings that each derive from TImage directly, so layouts and class
// tests see TImage as the base of each and neither as a kind of the other. What they share lives
// once, in this helper base, which is no component and has no class information: the layouts
// and class tests never see it, and the buttons keep one copy of the behaviour instead of two.
#pragma once

#include <memory>
#include <vector>

#include "framework/controls/Image.h"
#include "framework/graphics/PictureProperty.h"

namespace zindra {

class ImageButFaces {
public:
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

    // Hooks for code; the menu sets neither.
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    // image: the button itself, already made. Runs the construction steps both buttons share:
    // shown, not auto-sized or stretched, enabled, the three pictures made in the order rest,
    // hover, disabled, the feedback switched on.
    explicit ImageButFaces(TImage& image);
    ~ImageButFaces();
    ImageButFaces(const ImageButFaces&) = delete;
    ImageButFaces& operator=(const ImageButFaces&) = delete;

    // The shown picture becomes a copy of the stored one, of the same kind; an empty stored
    // picture empties it. The image control then auto-sizes and repaints as for any new picture.
    void ShowFace(const TPicture& picture);
    // After the image control's own enter or leave handling: the hook, then the hover or rest
    // picture unless switched off through EnableBut.
    void PointerEntered();
    void PointerLeft();

    // The published properties in declaration order; later pictures come after PicDisabled.
    template <typename C>
    static std::vector<PropertyInfo> FaceProperties(std::vector<PropertyInfo> laterPictures = {}) {
        std::vector<PropertyInfo> list{props::Picture<C>("PicFrom", &C::SetPicFrom),
                                       props::Picture<C>("PicTo", &C::SetPicTo),
                                       props::Picture<C>("PicDisabled", &C::SetPicDisabled)};
        list.insert(list.end(), laterPictures.begin(), laterPictures.end());
        list.push_back(props::Bool<C>("EnableButMove", &C::SetEnableButMove));
        list.push_back(props::Bool<C>("EnableBut", &C::SetEnableBut));
        return list;
    }

private:
    TImage& image_;
    // Declared in creation order, so they are freed PicDisabled, PicTo, PicFrom.
    std::unique_ptr<TPicture> picFrom_;
    std::unique_ptr<TPicture> picTo_;
    std::unique_ptr<TPicture> picDisabled_;
    bool enableButMove_ = true;
    bool enableBut_ = true;
};

}  // namespace zindra
