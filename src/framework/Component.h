// The component model: objects that own other components, carry a name and a tag, set their
// published properties from a stored layout and learn when loading has ended.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Types.h"

namespace zindra {

struct ClassInfo;
class TApplication;

class TObject {
public:
    virtual ~TObject() = default;
    // The class's published properties and how to create it by name.
    virtual const ClassInfo& ClassType() const;
    static const ClassInfo& StaticClass();
    const char* ClassName() const;
};

// An object that a layout can set properties on; it may belong to an owner.
class TPersistent : public TObject {
public:
    virtual TPersistent* GetOwner() const { return nullptr; }
    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();
};

enum ComponentStateFlag : std::uint32_t {
    csLoading = 1,
    csReading = 2,
    csDestroying = 4,
    csDesigning = 8,
};

// Owns its components: an owned component is destroyed with its owner, in reverse creation order.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    TPersistent* GetOwner() const override { return owner_; }
    const std::vector<TComponent*>& Components() const { return components_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* FindComponent(const std::string& name) const;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    std::intptr_t Tag() const { return tag_; }
    void SetTag(std::intptr_t tag) { tag_ = tag; }
    void SetTagInt(int tag) { tag_ = tag; }
    std::uint32_t ComponentState() const { return state_; }
    bool IsLoading() const { return state_ & csLoading; }
    bool IsDesigning() const { return state_ & csDesigning; }
    bool IsDestroying() const { return state_ & csDestroying; }
    void SetLoading(bool loading);

    // Called once a layout has set every property of every component it created.
    virtual void Loaded() { state_ &= ~static_cast<std::uint32_t>(csLoading); }
    // A layout read this component inside the object given; controls take it as their parent.
    virtual void SetParentComponent(TComponent* parent) { (void)parent; }
    // Told to every component of an owner when one of them is about to go, and to the owner as
    // it leaves (its own destructor has run by then: compare the pointer, do not use it).
    virtual void Notification(TComponent* component, bool removing) { (void)component, (void)removing; }
    // Marks this component and all it owns as being destroyed, before any of them goes, so that
    // nothing started from outside (a timer's tick) reaches a handler that is about to die.
    void Destroying();

    // The application this component lives in (the root of its owner chain), or null.
    TApplication* Application() const;

    // Takes ownership of a component created with this owner; destroys it now.
    void DestroyComponent(TComponent* component);

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

protected:
    // Destroys the owned components, last created first; derived destructors call it when their
    // components must go before their own members do.
    void DestroyComponents();

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::string name_;
    std::intptr_t tag_ = 0;
    std::uint32_t state_ = 0;
};

// Creates a component owned by owner; the owner destroys it.
template <typename T, typename... Args>
T* Create(TComponent* owner, Args&&... args) {
    return new T(owner, std::forward<Args>(args)...);
}

}  // namespace zindra
