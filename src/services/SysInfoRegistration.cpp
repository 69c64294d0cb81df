// The system-information component's class information: every property a layout may name, in
// declaration order. None is stored but About; a read-only one that a layout sets changes nothing.
#include <cstddef>
#include <vector>

#include "framework/layout/ClassInfo.h"
#include "framework/layout/Properties.h"
#include "services/SysInfo.h"

namespace zindra {

namespace {

constexpr const char* kStringNames[] = {
    "CurrentUser", "RegisteredCompany", "RegisteredOwner", "VersionWIN",    "WinPath",
    "WinSysPath",  "FreeGdiRes",        "FreeUsrRes",      "FreeSysRes",    "MemoryLoaded",
    "Platform",    "TempPath",          "Computername",    "ProcessorType", "DefaultLanguageString",
    "TimeZone",
};

constexpr const char* kIntegerNames[] = {
    "BuildNumber",  "MemPhysTotal", "MemPhysFree",      "MemVirtTotal",      "MemVirtFree",
    "MemPageTotal", "MemPageFree",  "ScreenSaverDelay", "DefaultLanguageID", "TimeZoneDiff",
    "ScreenWidth",  "ScreenHeight", "ScreenPPi",
};

constexpr const char* kBoolNames[] = {
    "NumLockState",     "CapsLockState", "ScrollLockState", "WindowAnimation",     "WarningBeep",
    "ScreenSaveActive", "FontSmoothing", "DragFullWindows", "SnapToDefaultButton", "PlusAvailable",
};

constexpr const char* kLocaleNames[] = {
    "LocaleCalendarType",
    "LocaleCurrencyDigits",
    "LocaleICurrency",
    "LocaleDigits",
    "LocaleFirstDayOfWeek",
    "LocaleFirstWeekOfYear",
    "LocaleZero",
    "LocaleMeasureSystem",
    "LocaleNegativeCurrencyFormat",
    "LocaleNegativeNumberFormat",
    "LocaleTime",
    "LocaleMorningSymbol",
    "LocaleAfternoonSymbol",
    "LocaleCurrencySymbol",
    "LocaleDateSeparator",
    "LocaleDecimalSeparator",
    "LocaleNumericGrouping",
    "LocaleListSeparator",
    "LocaleLongDateFormat",
    "LocaleMonthDecimalSeparator",
    "LocaleCurrencyGrouping",
    "LocaleThousandSeparator",
    "LocaleNegativeSign",
    "LocalePositiveSign",
    "LocaleShortDateFormat",
    "LocaleThousand",
    "LocaleTimeSeparator",
    "LocaleShortTimeFormat",
};

using Apply = void (*)(TZkSysInfo& target, const LayoutValue& value, int index);

PropertyInfo Indexed(const char* name, int index, Apply apply) {
    PropertyInfo info;
    info.Name = name;
    info.Set = [index, apply](TPersistent& target, const LayoutValue& value, LoadContext&) {
        apply(static_cast<TZkSysInfo&>(target), value, index);
    };
    return info;
}

// The value is still checked for its kind, so a layout with a wrong one fails as for any property.
void IgnoreString(TZkSysInfo&, const LayoutValue& value, int) {
    props::ReadString(value);
}
void IgnoreInteger(TZkSysInfo&, const LayoutValue& value, int) {
    props::ReadInteger(value);
}
void ApplyBool(TZkSysInfo& target, const LayoutValue& value, int index) {
    target.SetBoolProp(index, props::ReadBool(value));
}
void ApplyLocale(TZkSysInfo& target, const LayoutValue& value, int index) {
    target.SetLocaleProp(index, props::ReadString(value));
}

template <std::size_t N>
void AddFamily(std::vector<PropertyInfo>& list, const char* const (&names)[N], Apply apply) {
    for (std::size_t i = 0; i < N; ++i)
        list.push_back(Indexed(names[i], static_cast<int>(i), apply));
}

std::vector<PropertyInfo> Properties() {
    using C = TZkSysInfo;
    std::vector<PropertyInfo> list;
    AddFamily(list, kStringNames, IgnoreString);
    AddFamily(list, kIntegerNames, IgnoreInteger);
    AddFamily(list, kBoolNames, ApplyBool);  // writing PlusAvailable changes nothing
    AddFamily(list, kLocaleNames, ApplyLocale);
    list.push_back(Indexed("ProcessorNumber", 0, IgnoreInteger));
    list.push_back(Indexed("ColorDepth", 0, IgnoreInteger));
    list.push_back(props::Int<C>("KeyboardDelay", &C::SetKeyboardDelay));
    list.push_back(props::Int<C>("KeyboardSpeed", &C::SetKeyboardSpeed));
    return list;
}

}  // namespace

const ClassInfo& TZkSysInfo::StaticClass() {
    static const ClassInfo info{"TZkSysInfo", &TZkComponent::StaticClass(),
                                [](TComponent* owner) -> TComponent* { return new TZkSysInfo(owner); }, Properties()};
    return info;
}

const ClassInfo& TZkSysInfo::ClassType() const {
    return StaticClass();
}

void RegisterSysInfoClasses() {
    ClassRegistry::Register(TZkSysInfo::StaticClass());
}

}  // namespace zindra
