// Building blocks for a class's published properties: each turns a layout value of the right
// kind into a call of the property's setter.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "framework/Types.h"
#include "framework/layout/ClassInfo.h"
#include "framework/layout/LoadContext.h"

namespace zindra::props {

std::int64_t ReadInteger(const LayoutValue& value);
int ReadInt32(const LayoutValue& value);
bool ReadBool(const LayoutValue& value);
const std::string& ReadString(const LayoutValue& value);
TColor ReadColor(const LayoutValue& value);
TCursor ReadCursor(const LayoutValue& value);
std::uint32_t ReadSet(const LayoutValue& value, const std::vector<std::string>& bitNames);
int ReadEnum(const LayoutValue& value, const std::vector<std::string>& names);

// Wraps "read a value, then call the setter on the object as class C".
template <typename C, typename Reader, typename Setter>
PropertyInfo Make(std::string name, Reader read, Setter set) {
    PropertyInfo info;
    info.Name = std::move(name);
    info.Set = [read, set](TPersistent& target, const LayoutValue& value, LoadContext& context) {
        (static_cast<C&>(target).*set)(read(value, context));
    };
    return info;
}

template <typename C, typename Setter>
PropertyInfo Int(std::string name, Setter set) {
    return Make<C>(
        std::move(name), [](const LayoutValue& v, LoadContext&) { return ReadInt32(v); }, set);
}

template <typename C, typename Setter>
PropertyInfo Bool(std::string name, Setter set) {
    return Make<C>(
        std::move(name), [](const LayoutValue& v, LoadContext&) { return ReadBool(v); }, set);
}

template <typename C, typename Setter>
PropertyInfo String(std::string name, Setter set) {
    return Make<C>(
        std::move(name), [](const LayoutValue& v, LoadContext&) { return ReadString(v); }, set);
}

template <typename C, typename Setter>
PropertyInfo Color(std::string name, Setter set) {
    return Make<C>(
        std::move(name), [](const LayoutValue& v, LoadContext&) { return ReadColor(v); }, set);
}

template <typename C, typename Setter>
PropertyInfo Cursor(std::string name, Setter set) {
    return Make<C>(
        std::move(name), [](const LayoutValue& v, LoadContext&) { return ReadCursor(v); }, set);
}

// An enumeration whose values are named in order: names[i] stands for E(i).
template <typename C, typename E, typename Setter>
PropertyInfo Enum(std::string name, Setter set, std::vector<std::string> names) {
    return Make<C>(
        std::move(name), [names](const LayoutValue& v, LoadContext&) { return static_cast<E>(ReadEnum(v, names)); },
        set);
}

// A set whose members are named in bit order: names[i] stands for bit i.
template <typename C, typename Setter>
PropertyInfo Set(std::string name, Setter set, std::vector<std::string> names) {
    return Make<C>(
        std::move(name), [names](const LayoutValue& v, LoadContext&) { return ReadSet(v, names); }, set);
}

// An event: the value names a handler of the layout's root.
template <typename C, typename E, typename Setter>
PropertyInfo Event(std::string name, Setter set) {
    return Make<C>(
        std::move(name), [](const LayoutValue& v, LoadContext& c) { return c.Method<E>(v); }, set);
}

// A property that is an object of its own, whose properties the layout sets as Name.Sub.
template <typename C, typename Getter>
PropertyInfo Object(std::string name, Getter get, const ClassInfo& objectClass) {
    PropertyInfo info;
    info.Name = std::move(name);
    info.Object = [get](TPersistent& target) -> TPersistent* { return (static_cast<C&>(target).*get)(); };
    info.ObjectClass = &objectClass;
    return info;
}

}  // namespace zindra::props
