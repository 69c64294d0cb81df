// Font properties and their layout names.
#include "framework/graphics/Font.h"

#include <cmath>

#include "framework/layout/Properties.h"

namespace zindra {

namespace {

// Character sets by the names layouts use for them.
int ReadCharset(const LayoutValue& value) {
    if (value.Type == LayoutValue::Kind::Integer) return props::ReadInt32(value);
    static const std::pair<const char*, int> kNames[] = {{"ANSI_CHARSET", 0},
                                                         {"DEFAULT_CHARSET", 1},
                                                         {"SYMBOL_CHARSET", 2},
                                                         {"OEM_CHARSET", 255},
                                                         {"EASTEUROPE_CHARSET", 238}};
    for (const auto& [name, code] : kNames) {
        if (value.Type == LayoutValue::Kind::Identifier && value.Text == name) return code;
    }
    LoadContext::Fail(value, "expected a character set");
}

}  // namespace

const ClassInfo& TFont::StaticClass() {
    static const ClassInfo info{
        "TFont",
        &TPersistent::StaticClass(),
        {},
        {props::Make<TFont>(
             "Charset", [](const LayoutValue& v, LoadContext&) { return ReadCharset(v); }, &TFont::SetCharset),
         props::Color<TFont>("Color", &TFont::SetColor), props::Int<TFont>("Height", &TFont::SetHeight),
         props::String<TFont>("Name", &TFont::SetName), props::Int<TFont>("Size", &TFont::SetSize),
         props::Set<TFont>("Style", &TFont::SetStyle, {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"})}};
    return info;
}
const ClassInfo& TFont::ClassType() const {
    return StaticClass();
}

void TFont::Changed() {
    if (OnChange) OnChange(this);
}

void TFont::SetName(const std::string& name) {
    if (name == name_) return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == height_) return;
    height_ = height;
    Changed();
}

// As MulDiv does: rounded to the nearest, halves away from zero.
int TFont::Size() const {
    return static_cast<int>(std::lround(-height_ * 72.0 / kPixelsPerInch));
}

void TFont::SetSize(int size) {
    SetHeight(-static_cast<int>(std::lround(size * kPixelsPerInch / 72.0)));
}

void TFont::SetStyle(std::uint32_t style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TFont::SetCharset(int charset) {
    if (charset == charset_) return;
    charset_ = charset;
    Changed();
}

void TFont::Assign(const TFont& other) {
    name_ = other.name_;
    height_ = other.height_;
    style_ = other.style_;
    color_ = other.color_;
    charset_ = other.charset_;
    Changed();
}

FontDescription TFont::Description() const {
    return {name_,
            height_,
            (style_ & fsBold) != 0,
            (style_ & fsItalic) != 0,
            (style_ & fsUnderline) != 0,
            (style_ & fsStrikeOut) != 0};
}

}  // namespace zindra
