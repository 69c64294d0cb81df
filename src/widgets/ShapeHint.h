// The shaped hint: a non-visual component that, while enabled, gives every hint of the
// application the look of the shaped hint window (a filled shape with an optional nose towards
// the pointer and a drop shadow, over a snapshot of the screen beneath). When a hint shows and
// hides stays the application's.
#pragma once

#include <cstdint>

#include "framework/app/Application.h"
#include "framework/graphics/Font.h"
#include "services/ZkComponent.h"

namespace zindra {

enum class TZkHintStyle : std::uint8_t { hsRect, hsRoundRect, hsEllipse, hsNoseRect, hsNoseRoundRect, hsNoseEllipse };
enum class TZkHintPosition : std::uint8_t { hpAboveLeft, hpAboveRight, hpBelowLeft, hpBelowRight };
enum class TZkShadowStyle : std::uint8_t { hssNone, hssSolid, hssTracing };
enum class TZkDisabledStyle : std::uint8_t { dsAuto, dsStandard, ds3d, dsNone };
enum class TZkThreeDStyle : std::uint8_t {
    tdNone,
    tdSunken,
    tdRaised,
    tdSunkenShadow,
    tdRaisedShadow,
    tdPColorSunken,
    tdPColorRaised,
    tdShadow
};

// The drop shadow: its colour, its depth in pixels (0 to 40) and how it is drawn.
class TZkShadow : public TPersistent {
public:
    static constexpr int kMaxDepth = 40;
    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }
    int Depth() const { return depth_; }
    // A depth outside 0..40 is taken as the nearer end.
    void SetDepth(int depth);
    TZkShadowStyle Style() const { return style_; }
    void SetStyle(TZkShadowStyle style) { style_ = style; }
    void Assign(const TZkShadow& other) { *this = other; }

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    TColor color_ = clBtnShadow;
    int depth_ = 6;
    TZkShadowStyle style_ = TZkShadowStyle::hssSolid;
};

// The raised, sunken or shadowed look of the hint's text, and extra pixels between characters.
class TZk3DCaption : public TPersistent {
public:
    TZkDisabledStyle DisabledStyle() const { return disabledStyle_; }
    void SetDisabledStyle(TZkDisabledStyle style) { disabledStyle_ = style; }
    int LightDepth() const { return lightDepth_; }
    void SetLightDepth(int depth);
    int ShadowDepth() const { return shadowDepth_; }
    void SetShadowDepth(int depth);
    TColor LightColor() const { return lightColor_; }
    void SetLightColor(TColor color) { lightColor_ = color; }
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor color) { shadowColor_ = color; }
    TZkThreeDStyle Style() const { return style_; }
    void SetStyle(TZkThreeDStyle style) { style_ = style; }
    int Tracing() const { return tracing_; }
    void SetTracing(int tracing) { tracing_ = tracing; }
    void Assign(const TZk3DCaption& other) { *this = other; }
    // How far the effect reaches beyond the plain text, right and down.
    int Depth() const;

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    TZkDisabledStyle disabledStyle_ = TZkDisabledStyle::dsAuto;
    int lightDepth_ = 1;
    int shadowDepth_ = 1;
    TColor lightColor_ = clBtnHighlight;
    TColor shadowColor_ = clBtnShadow;
    TZkThreeDStyle style_ = TZkThreeDStyle::tdNone;
    int tracing_ = 0;
};

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
