// Run-time class information: the published properties of a class in declaration order, and
// creation by class name, which is all a stored layout needs.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/layout/LayoutValue.h"

namespace zindra {

class TPersistent;
class TComponent;
class LoadContext;

struct PropertyInfo {
    std::string Name;
    // Sets the property from a layout value; throws ELayoutError for a value of the wrong kind.
    std::function<void(TPersistent& target, const LayoutValue& value, LoadContext& context)> Set;
    // For a property that is an object of its own (a font, say): the object, and its class.
    std::function<TPersistent*(TPersistent& target)> Object;
    const struct ClassInfo* ObjectClass = nullptr;
};

struct ClassInfo {
    std::string Name;
    const ClassInfo* Parent = nullptr;
    std::function<TComponent*(TComponent* owner)> Create;  // empty for classes a layout cannot create
    std::vector<PropertyInfo> Properties;                  // this class's own, in declaration order

    // The property's position among all published properties, the ancestors' first; -1 if the
    // class has no such property. Names compare without case.
    int IndexOf(std::string_view name, const PropertyInfo** info = nullptr) const;
    int PropertyCount() const;
    bool InheritsFrom(const ClassInfo& other) const;
};

// Classes a layout may name. Registration is explicit, at program start and in tests.
class ClassRegistry {
public:
    static void Register(const ClassInfo& info);
    static const ClassInfo* Find(std::string_view name);
};

}  // namespace zindra
