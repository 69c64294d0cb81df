// The shaped hint: a non-visual component that, while enabled, gives every hint of the
// application the look of the shaped hint window (a filled shape with an optional nose towards
// the pointer and a drop shadow, over a snapshot of the screen beneath). When a hint shows and
// hides stays the application's.
#pragma once

#include "framework/app/Application.h"
#include "framework/graphics/Font.h"
#include "services/ZkComponent.h"
#include "widgets/HintSettings.h"

namespace zindra {

// A hint component: installs its hint window class in the application while enabled.
class TZkCustomHint : public TZkComponent {
public:
    explicit TZkCustomHint(TComponent* owner);
    bool Enabled() const { return enabled_; }
    // Switches the application's hint window class to this component's (true) or the plain one
    // (false); the application drops the hint window it has, so the next hint takes the new look.
    virtual void SetEnabled(bool value);
    // The end of loading installs the class when the component is enabled.
    void Loaded() override;

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

protected:
    THintWindowFactory hintWindowClass_;

private:
    bool enabled_ = true;  // stored without installing anything until the first write or load
};

// The settings of the shaped hint window; plain stores, taken at each hint's activation.
class TZkCustomShapeHint : public TZkCustomHint {
public:
    explicit TZkCustomShapeHint(TComponent* owner);

    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor color) { borderColor_ = color; }
    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }
    TFont* Font() { return &font_; }
    const TFont& GetFont() const { return font_; }
    void SetFont(const TFont& font) { font_.Assign(font); }
    TZk3DCaption* Font3D() { return &font3D_; }
    const TZk3DCaption& GetFont3D() const { return font3D_; }
    void SetFont3D(const TZk3DCaption& caption) { font3D_.Assign(caption); }
    // Wrapping width: pixels when 0 or more; -n is the screen width divided by n.
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int width) { maxWidth_ = width; }
    TZkHintPosition Position() const { return position_; }
    void SetPosition(TZkHintPosition position) { position_ = position; }
    TZkShadow* Shadow() { return &shadow_; }
    const TZkShadow& GetShadow() const { return shadow_; }
    void SetShadow(const TZkShadow& shadow) { shadow_.Assign(shadow); }
    TZkHintStyle Style() const { return style_; }
    void SetStyle(TZkHintStyle style) { style_ = style; }

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    TColor borderColor_ = clBlack;
    TColor color_ = clInfoBk;
    TFont font_;
    TZk3DCaption font3D_;
    int maxWidth_ = -4;
    TZkHintPosition position_ = TZkHintPosition::hpAboveRight;
    TZkShadow shadow_;
    TZkHintStyle style_ = TZkHintStyle::hsNoseRoundRect;
};

// The component a layout holds. The one enabled last is the active shape hint, whose settings
// every shaped hint window of the process uses; user-interface thread only.
class TZkShapeHint : public TZkCustomShapeHint {
public:
    explicit TZkShapeHint(TComponent* owner);
    ~TZkShapeHint() override;

    void SetEnabled(bool value) override;
    // The active shape hint, or null: then the shaped window behaves as the plain one.
    static TZkShapeHint* Active();

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();
};

}  // namespace zindra
