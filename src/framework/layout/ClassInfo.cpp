// Property lookup along a class chain and the registry of creatable classes.
#include "framework/layout/ClassInfo.h"

#include <cctype>
#include <map>
#include <mutex>

namespace zindra {

namespace {

bool SameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

struct Registry {
    std::mutex mutex;
    std::map<std::string, const ClassInfo*> classes;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

std::string Folded(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
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
        if (SameNoCase(Properties[i].Name, name)) {
            if (info)
                *info = &Properties[i];
            return base + static_cast<int>(i);
        }
    }
    return Parent ? Parent->IndexOf(name, info) : -1;
}

bool ClassInfo::InheritsFrom(const ClassInfo& other) const {
    for (const ClassInfo* c = this; c; c = c->Parent) {
        if (c == &other)
            return true;
    }
    return false;
}

void ClassRegistry::Register(const ClassInfo& info) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    r.classes[Folded(info.Name)] = &info;
}

const ClassInfo* ClassRegistry::Find(std::string_view name) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    const auto it = r.classes.find(Folded(name));
    return it == r.classes.end() ? nullptr : it->second;
}

}  // namespace zindra
