// A picture property in a layout: the value names a picture built into the program, or holds
// the picture itself as stored data (its class name, then its bytes).
#pragma once

#include "framework/Exception.h"
#include "framework/Resources.h"
#include "framework/graphics/Picture.h"
#include "framework/layout/Properties.h"

namespace zindra::props {

// Loads the named built-in picture into the object's picture (through its setter, which copies).
template <typename C, typename Setter>
PropertyInfo Picture(std::string name, Setter set) {
    PropertyInfo info;
    info.Name = std::move(name);
    info.Set = [set](TPersistent& target, const LayoutValue& value, LoadContext&) {
        if (value.Type == LayoutValue::Kind::Binary) {
            TPicture picture;
            try {
                picture.LoadFromStoredData(value.Bytes);
            } catch (const Exception& e) {
                LoadContext::Fail(value, e.ClassName() + std::string(": ") + e.Message());
            }
            (static_cast<C&>(target).*set)(&picture);
            return;
        }
        const std::string& asset = ReadString(value);
        const auto bytes = FindResource(asset);
        if (bytes.empty()) LoadContext::Fail(value, "no built-in picture " + asset);
        TPicture picture;
        picture.LoadFromBytes(ExtensionOf(asset), bytes);
        (static_cast<C&>(target).*set)(&picture);
    };
    return info;
}

}  // namespace zindra::props
