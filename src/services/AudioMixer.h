// A non-visual component that opens one of the system's mixer devices, describes it (maker,
// product, driver version, destinations, sources, controls) and reports its change notices.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/Component.h"
#include "platform/MixerRecords.h"
#include "platform/Win32Types.h"
#include "services/MixerTree.h"

namespace zindra::platform {
class Audio;
}

namespace zindra {

struct TMessage;

// MixerH: the handle the notice came from; ID: the line or control id, its 32 bits as an int.
using TMixerChange = std::function<void(TObject* sender, std::intptr_t mixerH, int id)>;

// Needs an application among its owners (for the platform and its hidden window, which receives
// the notices on the user-interface thread). Failures are silent: with no device every MixerId
// change does nothing; a device that will not open leaves the component closed; lines and
// controls the system will not describe are left out of the tree.
class TAudioMixer : public TComponent {
public:
    // Opens device 0 when the machine has a mixer.
    explicit TAudioMixer(TComponent* owner);
    ~TAudioMixer() override;

    // From the last device opened (zero before any).
    std::uint32_t DriverVersion() const { return caps_.vDriverVersion; }
    std::uint16_t ProductId() const { return caps_.wPid; }
    int NumberOfLine() const { return static_cast<int>(caps_.cDestinations); }
    // "Microsoft" for manufacturer id 1, otherwise "<id> = Unknown"; empty before any open.
    const std::string& Manufacturer() const { return manufacturer_; }
    std::string ProductName() const;

    // -1 when closed. Setting it closes the open device first, every time, even for the same
    // value; a value past the last device opens the last one; a negative one only closes.
    int MixerId() const { return mixerId_; }
    void SetMixerId(int id);

    TMixerChange OnLineChange;
    TMixerChange OnControlChange;
    void SetOnLineChange(TMixerChange handler) { OnLineChange = std::move(handler); }
    void SetOnControlChange(TMixerChange handler) { OnControlChange = std::move(handler); }

    // The open device's description; null while closed.
    const TMixerDestinations* Destinations() const { return destinations_.get(); }
    std::uintptr_t MixerHandle() const { return handle_; }
    // How many devices the machine had when the component was made.
    std::uint32_t DeviceCount() const { return deviceCount_; }
    platform::WindowHandle WindowHandle() const { return window_; }
    // What the tree is described through.
    platform::Audio& Audio() const;

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    void Close();
    void ReadCapabilities();
    void WindowProc(TMessage& message);

    TApplication& application_;
    platform::WindowHandle window_ = 0;
    std::uint32_t deviceCount_ = 0;
    std::uintptr_t handle_ = 0;
    int mixerId_ = -1;
    platform::MixerCapsA caps_;
    std::string manufacturer_;
    std::unique_ptr<TMixerDestinations> destinations_;
};

// Makes TAudioMixer creatable from layouts.
void RegisterAudioMixerClass();

}  // namespace zindra
