// A key combination registered for the whole desktop, raising OnKeyDown whoever has the focus.
#pragma once

#include <cstdint>

#include "framework/Types.h"
#include "platform/Win32Types.h"
#include "services/ZkComponent.h"

namespace zindra {

struct TMessage;

// The virtual key in the low byte, modifier flags in the high byte.
using TShortCut = std::uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

std::uint16_t ShortCutKey(TShortCut shortCut);
TShiftState ShortCutShift(TShortCut shortCut);
// The shift state as RegisterHotKey modifiers (MOD_CONTROL, MOD_ALT, MOD_SHIFT).
std::uint32_t HotKeyModifiers(TShiftState shift);

// Needs an application (its hidden window receives WM_HOTKEY). A combination another program
// holds is not reported: the component then simply never fires.
// NOTE: changing HotKey while Active releases the old combination before registering the new
// one, so a replaced combination is never left taken.
class TZkGlobalHotKey : public TZkComponent {
public:
    explicit TZkGlobalHotKey(TComponent* owner);
    ~TZkGlobalHotKey() override;

    bool Active() const { return active_; }
    void SetActive(bool active);
    TShortCut HotKey() const { return hotKey_; }
    void SetHotKey(TShortCut hotKey);
    // Reports the component's current HotKey, whatever the system's message held; changing Key
    // has no effect.
    TKeyEvent OnKeyDown;
    void SetOnKeyDown(TKeyEvent handler) { OnKeyDown = std::move(handler); }

    // From a global atom named after this object's identity, held for its life.
    std::uint16_t HotKeyId() const { return id_; }
    platform::WindowHandle WindowHandle() const { return window_; }

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    void Register(TShortCut hotKey);
    void Unregister();
    void WindowProc(TMessage& message);

    TApplication& application_;
    platform::WindowHandle window_ = 0;
    std::uint16_t id_ = 0;
    bool active_ = true;
    TShortCut hotKey_ = 0;
};

}  // namespace zindra
