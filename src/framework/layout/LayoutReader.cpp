// Applies a parsed layout to components, enforcing declaration order and known names.
#include "framework/layout/LayoutReader.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <vector>

#include "framework/Component.h"
#include "framework/Text.h"
#include "framework/layout/ClassInfo.h"
#include "framework/layout/LoadContext.h"

namespace zindra {

namespace {

[[noreturn]] void FailAt(int line, const std::string& message) {
    throw ELayoutError("line " + std::to_string(line) + ": " + message);
}

class Reader {
public:
    Reader(TComponent& root, LayoutRoot* handlers) : root_(root), context_(root, handlers), handlers_(handlers) {}

    void Read(const LayoutObject& layout) {
        const ClassInfo& rootClass = root_.ClassType();
        if (!SameTextNoCase(layout.ClassName, rootClass.Name)) {
            FailAt(layout.Line, "layout of class " + layout.ClassName + " read into a " + rootClass.Name);
        }
        root_.SetLoading(true);
        root_.SetName(layout.Name);
        loaded_.push_back(&root_);
        ApplyAll(root_, rootClass, layout.Properties);
        for (const LayoutObject& child : layout.Children)
            CreateChild(child, root_);
        for (TComponent* component : loaded_)
            component->Loaded();
    }

private:
    void CreateChild(const LayoutObject& layout, TComponent& parent) {
        const ClassInfo* info = ClassRegistry::Find(layout.ClassName);
        if (!info || !info->Create) FailAt(layout.Line, "unknown class " + layout.ClassName);
        if (root_.FindComponent(layout.Name)) FailAt(layout.Line, "a component named " + layout.Name + " exists");
        TComponent* component = info->Create(&root_);
        component->SetLoading(true);
        component->SetName(layout.Name);
        loaded_.push_back(component);
        component->SetParentComponent(&parent);
        if (handlers_ && !handlers_->BindField(layout.Name, component)) {
            FailAt(layout.Line, "field " + layout.Name + " is not a " + layout.ClassName);
        }
        ApplyAll(*component, component->ClassType(), layout.Properties);
        for (const LayoutObject& child : layout.Children)
            CreateChild(child, *component);
    }

    // Order is checked per object: every object's properties must come in declaration order,
    // and the members of a nested object must come together.
    void ApplyAll(TPersistent& target, const ClassInfo& info, const std::vector<LayoutProperty>& properties) {
        std::map<const TPersistent*, int> last;
        for (const LayoutProperty& p : properties)
            Apply(target, info, p.Name, p, last);
    }

    void Apply(TPersistent& target, const ClassInfo& info, const std::string& path, const LayoutProperty& p,
               std::map<const TPersistent*, int>& last) {
        const std::size_t dot = path.find('.');
        const std::string head = path.substr(0, dot);
        const PropertyInfo* property = nullptr;
        const int index = info.IndexOf(head, &property);
        const int line = p.Value.Line;
        if (index < 0) FailAt(line, info.Name + " has no property " + head);
        const auto found = last.find(&target);
        const int previous = found == last.end() ? -1 : found->second;
        const bool continuingNested = dot != std::string::npos && index == previous && property->Object;
        if (index <= previous && !continuingNested) {
            FailAt(line, "property " + path + " is out of declaration order in " + info.Name);
        }
        last[&target] = index;
        if (dot == std::string::npos) {
            if (!property->Set) FailAt(line, head + " is an object; set its members as " + head + ".Name");
            SetValue(target, *property, p.Value);
            return;
        }
        if (!property->Object) FailAt(line, head + " has no members");
        TPersistent* nested = property->Object(target);
        if (!nested) FailAt(line, head + " is empty");
        Apply(*nested, *property->ObjectClass, path.substr(dot + 1), p, last);
    }

    void SetValue(TPersistent& target, const PropertyInfo& property, const LayoutValue& value) {
        try {
            property.Set(target, value, context_);
        } catch (const ELayoutError&) {
            throw;
        } catch (const Exception& e) {
            FailAt(value.Line, property.Name + ": " + e.Message());
        }
    }

    TComponent& root_;
    LoadContext context_;
    LayoutRoot* handlers_;
    std::vector<TComponent*> loaded_;
};

}  // namespace

void ReadLayout(TComponent& root, LayoutRoot* handlers, const LayoutObject& layout) {
    Reader(root, handlers).Read(layout);
}

void ReadLayoutText(TComponent& root, LayoutRoot* handlers, std::string_view text) {
    ReadLayout(root, handlers, ParseLayout(text));
}

}  // namespace zindra
