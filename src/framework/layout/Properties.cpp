// Conversions from layout values to property values, with the kit's colour and cursor names.
#include "framework/layout/Properties.h"

#include "framework/Text.h"

#include <cctype>
#include <cstdint>

namespace zindra::props {

namespace {

struct Named {
    const char* Name;
    std::int32_t Value;
};

constexpr Named kColors[] = {
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", 0x008080},
    {"clNavy", clNavy},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", clWhite},
    {"clNone", clNone},
    {"clWindow", clWindow},
    {"clWindowText", clWindowText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clBtnText", clBtnText},
    {"clBtnHighlight", clBtnHighlight},
    {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk},
    {"clScrollBar", clScrollBar},
    {"clWindowFrame", clWindowFrame},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
};

constexpr Named kCursors[] = {
    {"crDefault", crDefault}, {"crArrow", crArrow}, {"crHandPoint", crHandPoint}, {"crNone", -1},
    {"crCross", -3},          {"crIBeam", -4},      {"crHourGlass", -11},
};

}  // namespace

std::int64_t ReadInteger(const LayoutValue& value) {
    if (value.Type != LayoutValue::Kind::Integer) {
        LoadContext::Fail(value, std::string("expected a number, found a ") + value.KindName());
    }
    return value.Integer;
}

int ReadInt32(const LayoutValue& value) {
    const std::int64_t n = ReadInteger(value);
    if (n < INT32_MIN || n > INT32_MAX) LoadContext::Fail(value, "number out of range");
    return static_cast<int>(n);
}

bool ReadBool(const LayoutValue& value) {
    if (value.Type == LayoutValue::Kind::Identifier) {
        if (SameTextNoCase(value.Text, "True")) return true;
        if (SameTextNoCase(value.Text, "False")) return false;
    }
    LoadContext::Fail(value, "expected True or False");
}

const std::string& ReadString(const LayoutValue& value) {
    if (value.Type != LayoutValue::Kind::String) {
        LoadContext::Fail(value, std::string("expected a string, found a ") + value.KindName());
    }
    return value.Text;
}

TColor ReadColor(const LayoutValue& value) {
    if (value.Type == LayoutValue::Kind::Integer) {
        if (value.Integer < INT32_MIN || value.Integer > UINT32_MAX) LoadContext::Fail(value, "colour out of range");
        return static_cast<TColor>(static_cast<std::uint32_t>(value.Integer));
    }
    if (value.Type == LayoutValue::Kind::Identifier) {
        for (const Named& c : kColors) {
            if (SameTextNoCase(value.Text, c.Name)) return c.Value;
        }
    }
    LoadContext::Fail(value, "expected a colour");
}

TCursor ReadCursor(const LayoutValue& value) {
    if (value.Type == LayoutValue::Kind::Integer) {
        if (value.Integer < INT16_MIN || value.Integer > INT16_MAX) LoadContext::Fail(value, "cursor out of range");
        return static_cast<TCursor>(value.Integer);
    }
    if (value.Type == LayoutValue::Kind::Identifier) {
        for (const Named& c : kCursors) {
            if (SameTextNoCase(value.Text, c.Name)) return static_cast<TCursor>(c.Value);
        }
    }
    LoadContext::Fail(value, "expected a cursor");
}

std::uint32_t ReadSet(const LayoutValue& value, const std::vector<std::string>& bitNames) {
    if (value.Type != LayoutValue::Kind::Set) LoadContext::Fail(value, "expected a set");
    std::uint32_t bits = 0;
    for (const std::string& item : value.Items) {
        bool known = false;
        for (std::size_t i = 0; i < bitNames.size(); ++i) {
            if (SameTextNoCase(item, bitNames[i])) {
                bits |= 1u << i;
                known = true;
            }
        }
        if (!known) LoadContext::Fail(value, "unknown set member " + item);
    }
    return bits;
}

int ReadEnum(const LayoutValue& value, const std::vector<std::string>& names) {
    if (value.Type == LayoutValue::Kind::Identifier) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (SameTextNoCase(value.Text, names[i])) return static_cast<int>(i);
        }
        LoadContext::Fail(value, "unknown value " + value.Text);
    }
    LoadContext::Fail(value, std::string("expected a name, found a ") + value.KindName());
}

}  // namespace zindra::props
