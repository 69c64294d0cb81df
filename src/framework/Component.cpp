// Ownership and naming of components, and their class information.
#include "framework/Component.h"
#include "framework/Text.h"

#include <algorithm>
#include <cctype>

#include "framework/app/Application.h"
#include "framework/layout/ClassInfo.h"
#include "framework/layout/Properties.h"

namespace zindra {

const ClassInfo& TObject::StaticClass() {
    static const ClassInfo info{"TObject", nullptr, {}, {}};
    return info;
}
const ClassInfo& TObject::ClassType() const {
    return StaticClass();
}
const char* TObject::ClassName() const {
    return ClassType().Name.c_str();
}

const ClassInfo& TPersistent::StaticClass() {
    static const ClassInfo info{"TPersistent", &TObject::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TPersistent::ClassType() const {
    return StaticClass();
}

const ClassInfo& TComponent::StaticClass() {
    static const ClassInfo info{
        "TComponent", &TPersistent::StaticClass(), {}, {props::Int<TComponent>("Tag", &TComponent::SetTagInt)}};
    return info;
}
const ClassInfo& TComponent::ClassType() const {
    return StaticClass();
}

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->Insert(this);
}

TComponent::~TComponent() {
    Destroying();
    DestroyComponents();
    if (owner_) owner_->Remove(this);
}

void TComponent::Destroying() {
    state_ |= csDestroying;
    for (TComponent* c : components_)
        c->Destroying();
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* last = components_.back();
        // Tell the siblings first, as the owner's other components may hold pointers to it.
        for (TComponent* other : components_) {
            if (other != last) other->Notification(last, true);
        }
        delete last;  // removes itself from components_
    }
}

void TComponent::Insert(TComponent* component) {
    component->owner_ = this;
    components_.push_back(component);
}

void TComponent::Remove(TComponent* component) {
    std::erase(components_, component);
    component->owner_ = nullptr;
    Notification(component, true);
}

void TComponent::DestroyComponent(TComponent* component) {
    if (component && component->owner_ == this) delete component;
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_) {
        if (SameTextNoCase(c->name_, name)) return c;
    }
    return nullptr;
}

void TComponent::SetLoading(bool loading) {
    if (loading) {
        state_ |= csLoading;
    } else {
        state_ &= ~static_cast<std::uint32_t>(csLoading);
    }
}

TApplication* TComponent::Application() const {
    const TComponent* c = this;
    while (c) {
        if (auto* app = dynamic_cast<TApplication*>(const_cast<TComponent*>(c))) return app;
        c = c->owner_;
    }
    return nullptr;
}

}  // namespace zindra
