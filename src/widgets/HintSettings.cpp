// The shaped hint's settings objects and their layout names.
#include "widgets/HintSettings.h"

#include <algorithm>

#include "framework/layout/Properties.h"

namespace zindra {

const ClassInfo& TZkShadow::StaticClass() {
    using C = TZkShadow;
    static const ClassInfo info{
        "TZkShadow",
        &TPersistent::StaticClass(),
        {},
        {props::Color<C>("Color", &C::SetColor), props::Int<C>("Depth", &C::SetDepth),
         props::Enum<C, TZkShadowStyle>("Style", &C::SetStyle, {"hssNone", "hssSolid", "hssTracing"})}};
    return info;
}
const ClassInfo& TZkShadow::ClassType() const {
    return StaticClass();
}

void TZkShadow::SetDepth(int depth) {
    depth_ = std::clamp(depth, 0, kMaxDepth);
}

const ClassInfo& TZk3DCaption::StaticClass() {
    using C = TZk3DCaption;
    static const ClassInfo info{
        "TZk3DCaption",
        &TPersistent::StaticClass(),
        {},
        {props::Enum<C, TZkDisabledStyle>("DisabledStyle", &C::SetDisabledStyle,
                                          {"dsAuto", "dsStandard", "ds3d", "dsNone"}),
         props::Int<C>("LightDepth", &C::SetLightDepth), props::Int<C>("ShadowDepth", &C::SetShadowDepth),
         props::Color<C>("LightColor", &C::SetLightColor), props::Color<C>("ShadowColor", &C::SetShadowColor),
         props::Enum<C, TZkThreeDStyle>("Style", &C::SetStyle,
                                        {"tdNone", "tdSunken", "tdRaised", "tdSunkenShadow", "tdRaisedShadow",
                                         "tdPColorSunken", "tdPColorRaised", "tdShadow"}),
         props::Int<C>("Tracing", &C::SetTracing)}};
    return info;
}
const ClassInfo& TZk3DCaption::ClassType() const {
    return StaticClass();
}

// Depths are bytes.
void TZk3DCaption::SetLightDepth(int depth) {
    lightDepth_ = std::clamp(depth, 0, 255);
}
void TZk3DCaption::SetShadowDepth(int depth) {
    shadowDepth_ = std::clamp(depth, 0, 255);
}

int TZk3DCaption::Depth() const {
    switch (style_) {
        case TZkThreeDStyle::tdSunken:
        case TZkThreeDStyle::tdRaised:
            return lightDepth_;
        case TZkThreeDStyle::tdSunkenShadow:
        case TZkThreeDStyle::tdRaisedShadow:
        case TZkThreeDStyle::tdPColorSunken:
        case TZkThreeDStyle::tdPColorRaised:
            return lightDepth_ + shadowDepth_;
        case TZkThreeDStyle::tdShadow:
            return shadowDepth_;
        case TZkThreeDStyle::tdNone:
            break;
    }
    return 0;
}

}  // namespace zindra
