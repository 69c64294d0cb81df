// The global hot key component.
#include "services/GlobalHotKey.h"

#include <string>

#include "framework/app/Application.h"
#include "framework/app/OwnerApplication.h"
#include "framework/layout/Properties.h"
#include "platform/Platform.h"

namespace zindra {

std::uint16_t ShortCutKey(TShortCut shortCut) {
    return shortCut & 0xFF;
}

TShiftState ShortCutShift(TShortCut shortCut) {
    TShiftState shift = 0;
    if (shortCut & scShift) shift |= kShiftKey;
    if (shortCut & scCtrl) shift |= kCtrlKey;
    if (shortCut & scAlt) shift |= kAltKey;
    return shift;
}

std::uint32_t HotKeyModifiers(TShiftState shift) {
    std::uint32_t modifiers = 0;
    if (shift & kCtrlKey) modifiers |= platform::MOD_CONTROL;
    if (shift & kAltKey) modifiers |= platform::MOD_ALT;
    if (shift & kShiftKey) modifiers |= platform::MOD_SHIFT;
    return modifiers;
}

const ClassInfo& TZkGlobalHotKey::StaticClass() {
    using C = TZkGlobalHotKey;
    static const ClassInfo info{"TZkGlobalHotKey",
                                &TZkComponent::StaticClass(),
                                [](TComponent* owner) { return new TZkGlobalHotKey(owner); },
                                {props::Bool<C>("Active", &C::SetActive),
                                 props::Make<C>(
                                     "HotKey",
                                     [](const LayoutValue& v, LoadContext&) {
                                         const std::int64_t n = props::ReadInteger(v);
                                         if (n < 0 || n > 0xFFFF) LoadContext::Fail(v, "a shortcut is a 16-bit value");
                                         return static_cast<TShortCut>(n);
                                     },
                                     &C::SetHotKey),
                                 props::Event<C, TKeyEvent>("OnKeyDown", &C::SetOnKeyDown)}};
    return info;
}
const ClassInfo& TZkGlobalHotKey::ClassType() const {
    return StaticClass();
}

TZkGlobalHotKey::TZkGlobalHotKey(TComponent* owner)
    : TZkComponent(owner), application_(OwnerApplication(*this, "TZkGlobalHotKey")) {
    const std::string identity = std::to_string(reinterpret_cast<std::uintptr_t>(this));
    id_ = application_.Platform().GetSystem().GlobalAddAtom(identity);
    window_ = application_.AllocateHWnd([this](TMessage& m) { WindowProc(m); });
}

TZkGlobalHotKey::~TZkGlobalHotKey() {
    SetHotKey(0);
    application_.Platform().GetSystem().GlobalDeleteAtom(id_);
    application_.DeallocateHWnd(window_);
}

void TZkGlobalHotKey::Register(TShortCut hotKey) {
    // The result is not examined: a combination held elsewhere just never fires.
    application_.Platform().GetDesktop().RegisterHotKey(window_, id_, HotKeyModifiers(ShortCutShift(hotKey)),
                                                        ShortCutKey(hotKey));
}

void TZkGlobalHotKey::Unregister() {
    application_.Platform().GetDesktop().UnregisterHotKey(window_, id_);
}

void TZkGlobalHotKey::SetHotKey(TShortCut hotKey) {
    if (hotKey == hotKey_) return;
    if (!IsDesigning() && active_) {
        if (hotKey_ != 0) Unregister();
        if (hotKey != 0) Register(hotKey);
    }
    hotKey_ = hotKey;
}

void TZkGlobalHotKey::SetActive(bool active) {
    if (active == active_) return;
    active_ = active;
    if (IsDesigning() || hotKey_ == 0) return;
    if (active) {
        Register(hotKey_);
    } else {
        Unregister();
    }
}

void TZkGlobalHotKey::WindowProc(TMessage& message) {
    // Every other message would go to the default window procedure, which does nothing here.
    if (message.Msg != platform::WM_HOTKEY) return;
    // A copy: the handler may close the window that owns this component.
    const TKeyEvent handler = OnKeyDown;
    if (!handler) return;
    TApplication& application = application_;
    std::uint16_t key = ShortCutKey(hotKey_);
    try {
        handler(this, key, ShortCutShift(hotKey_));
    } catch (const std::exception& e) {
        application.HandleException(e);
    }
}

}  // namespace zindra
