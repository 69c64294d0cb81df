// What a layout being read offers to property setters: the root's event handlers by name, and
// errors that carry the line of the offending value.
#pragma once

#include <any>
#include <string>
#include <string_view>

#include "framework/Exception.h"
#include "framework/layout/LayoutValue.h"

namespace zindra {

class TComponent;

// A component that layouts are read into (a window): it binds its fields to the components the
// layout creates and offers its handler methods by name.
class LayoutRoot {
public:
    virtual ~LayoutRoot() = default;
    // The handler of that name as the std::function type of its event, or null.
    virtual const std::any* FindMethod(std::string_view name) const = 0;
    // Points the field of that name at the component; false when the field has another type.
    // A name without a field is fine (true).
    virtual bool BindField(const std::string& name, TComponent* component) = 0;
};

class LoadContext {
public:
    LoadContext(TComponent& root, LayoutRoot* handlers) : root_(root), handlers_(handlers) {}

    TComponent& Root() const { return root_; }

    [[noreturn]] static void Fail(const LayoutValue& value, const std::string& message) {
        throw ELayoutError("line " + std::to_string(value.Line) + ": " + message);
    }

    // The handler a layout names for an event of type E.
    template <typename E>
    E Method(const LayoutValue& value) const {
        if (value.Type != LayoutValue::Kind::Identifier) Fail(value, "an event needs a handler name");
        const std::any* method = handlers_ ? handlers_->FindMethod(value.Text) : nullptr;
        if (!method) Fail(value, "no handler named " + value.Text);
        const E* typed = std::any_cast<E>(method);
        if (!typed) Fail(value, "handler " + value.Text + " does not fit this event");
        return *typed;
    }

private:
    TComponent& root_;
    LayoutRoot* handlers_;
};

}  // namespace zindra
