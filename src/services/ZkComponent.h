// The base of the kit's service components: a plain component with a design-time About text.
#pragma once

#include <string>

#include "framework/Component.h"

namespace zindra {

// Design-time information only; it has no effect when the program runs.
using TZkAboutVar = std::string;

class TZkCustomComponent : public TComponent {
public:
    using TComponent::TComponent;
    const TZkAboutVar& About() const { return about_; }
    void SetAbout(const TZkAboutVar& about) { about_ = about; }
    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    TZkAboutVar about_;
};

class TZkComponent : public TZkCustomComponent {
public:
    using TZkCustomComponent::TZkCustomComponent;
    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();
};

}  // namespace zindra
