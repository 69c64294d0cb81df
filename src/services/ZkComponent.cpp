// Class information of the kit's component base.
#include "services/ZkComponent.h"

#include "framework/layout/Properties.h"

namespace zindra {

const ClassInfo& TZkCustomComponent::StaticClass() {
    static const ClassInfo info{"TZkCustomComponent",
                                &TComponent::StaticClass(),
                                {},
                                {props::String<TZkCustomComponent>("About", &TZkCustomComponent::SetAbout)}};
    return info;
}
const ClassInfo& TZkCustomComponent::ClassType() const {
    return StaticClass();
}

const ClassInfo& TZkComponent::StaticClass() {
    static const ClassInfo info{"TZkComponent", &TZkCustomComponent::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TZkComponent::ClassType() const {
    return StaticClass();
}

}  // namespace zindra
