// Property lookup along a class chain and the registry of creatable classes.
#include "framework/layout/ClassInfo.h"

#include "framework/Text.h"

#include <map>
#include <mutex>

namespace zindra {

namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, const ClassInfo*> classes;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

const char* LayoutValue::KindName() const {
    switch (Type) {
        case Kind::Integer:
            return "number";
        case Kind::String:
            return "string";
        case Kind::Identifier:
            return "identifier";
        case Kind::Set:
            return "set";
        case Kind::Binary:
            return "binary data";
    }
    return "value";
}

int ClassInfo::PropertyCount() const {
    return static_cast<int>(Properties.size()) + (Parent ? Parent->PropertyCount() : 0);
}

int ClassInfo::IndexOf(std::string_view name, const PropertyInfo** info) const {
    const int base = Parent ? Parent->PropertyCount() : 0;
    for (std::size_t i = 0; i < Properties.size(); ++i) {
        if (SameTextNoCase(Properties[i].Name, name)) {
            if (info) *info = &Properties[i];
            return base + static_cast<int>(i);
        }
    }
    return Parent ? Parent->IndexOf(name, info) : -1;
}

bool ClassInfo::InheritsFrom(const ClassInfo& other) const {
    for (const ClassInfo* c = this; c; c = c->Parent) {
        if (c == &other) return true;
    }
    return false;
}

void ClassRegistry::Register(const ClassInfo& info) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    r.classes[LowerCase(info.Name)] = &info;
}

const ClassInfo* ClassRegistry::Find(std::string_view name) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    const auto it = r.classes.find(LowerCase(name));
    return it == r.classes.end() ? nullptr : it->second;
}

}  // namespace zindra
