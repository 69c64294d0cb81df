// The settings objects of the shaped hint: its styles and places, the drop shadow, and the
// raised, sunken or shadowed look of its text.
#pragma once

#include <cstdint>

#include "framework/Component.h"
#include "framework/Types.h"

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

}  // namespace zindra
