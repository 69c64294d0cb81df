// The audio mixer component: choosing, opening and describing a device, and its notices.
#include "services/AudioMixer.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <limits>

#include "framework/app/Application.h"
#include "framework/app/OwnerApplication.h"
#include "framework/layout/ClassInfo.h"
#include "framework/layout/Properties.h"
#include "platform/Platform.h"

namespace zindra {

namespace {

std::string ManufacturerText(std::uint16_t id) {
    if (id == 1) return "Microsoft";
    return std::to_string(id) + " = Unknown";
}

// The read-only properties: a layout that names one must give a value of the right kind, which
// then changes nothing.
PropertyInfo ReadOnly(const char* name, bool text) {
    PropertyInfo info;
    info.Name = name;
    info.Set = [text](TPersistent&, const LayoutValue& value, LoadContext&) {
        if (text) {
            props::ReadString(value);
        } else {
            props::ReadInteger(value);
        }
    };
    return info;
}

}  // namespace

const ClassInfo& TAudioMixer::StaticClass() {
    using C = TAudioMixer;
    static const ClassInfo info{
        "TAudioMixer",
        &TComponent::StaticClass(),
        [](TComponent* owner) { return new TAudioMixer(owner); },
        {ReadOnly("DriverVersion", false), ReadOnly("ProductId", false), ReadOnly("NumberOfLine", false),
         ReadOnly("Manufacturer", true), ReadOnly("ProductName", true), props::Int<C>("MixerId", &C::SetMixerId),
         props::Event<C, TMixerChange>("OnLineChange", &C::SetOnLineChange),
         props::Event<C, TMixerChange>("OnControlChange", &C::SetOnControlChange)}};
    return info;
}
const ClassInfo& TAudioMixer::ClassType() const {
    return StaticClass();
}

void RegisterAudioMixerClass() {
    ClassRegistry::Register(TAudioMixer::StaticClass());
}

TAudioMixer::TAudioMixer(TComponent* owner) : TComponent(owner), application_(OwnerApplication(*this, "TAudioMixer")) {
    window_ = application_.AllocateHWnd([this](TMessage& m) { WindowProc(m); });
    deviceCount_ = Audio().MixerDeviceCount();
    mixerId_ = -1;
    SetMixerId(0);
}

TAudioMixer::~TAudioMixer() {
    Close();
    application_.DeallocateHWnd(window_);
}

platform::Audio& TAudioMixer::Audio() const {
    return application_.Platform().GetAudio();
}

std::string TAudioMixer::ProductName() const {
    return std::string(caps_.szPname, ::strnlen(caps_.szPname, sizeof caps_.szPname));
}

void TAudioMixer::Close() {
    if (mixerId_ >= 0) {
        Audio().MixerClose(handle_);
        handle_ = 0;
        mixerId_ = -1;
    }
    destinations_.reset();
}

void TAudioMixer::SetMixerId(int id) {
    if (deviceCount_ == 0) return;
    if (id >= 0 && static_cast<std::uint32_t>(id) >= deviceCount_) {
        id = static_cast<int>(std::min<std::uint32_t>(deviceCount_ - 1, std::numeric_limits<int>::max()));
    }
    Close();
    if (id < 0) return;
    std::uintptr_t handle = 0;
    if (Audio().MixerOpen(static_cast<std::uint32_t>(id), window_, handle) != platform::MMSYSERR_NOERROR) return;
    handle_ = handle;
    mixerId_ = id;
    ReadCapabilities();
    destinations_ = std::make_unique<TMixerDestinations>(*this);
}

void TAudioMixer::ReadCapabilities() {
    // NOTE: a device that will not describe itself reads as an unknown maker with no lines
    // rather than keeping the previous device's description.
    caps_ = platform::MixerCapsA{};
    if (Audio().MixerGetDevCaps(static_cast<std::uintptr_t>(mixerId_), caps_, sizeof caps_) !=
        platform::MMSYSERR_NOERROR) {
        caps_ = platform::MixerCapsA{};
    }
    manufacturer_ = ManufacturerText(caps_.wMid);
}

void TAudioMixer::WindowProc(TMessage& message) {
    // Every other message would go to the default window procedure, which does nothing here.
    TMixerChange handler;
    if (message.Msg == platform::MM_MIXM_LINE_CHANGE) {
        handler = OnLineChange;
    } else if (message.Msg == platform::MM_MIXM_CONTROL_CHANGE) {
        handler = OnControlChange;
    } else {
        return;
    }
    if (!handler) return;
    // The copy stays valid if the handler frees this component.
    TApplication& application = application_;
    try {
        handler(this, static_cast<std::intptr_t>(message.WParam), static_cast<int>(message.LParam));
    } catch (const std::exception& e) {
        application.HandleException(e);
    }
}

}  // namespace zindra
