// The media player's device commands, its notification window and its class information.
#include "framework/controls/MediaPlayer.h"
#include "framework/Text.h"

#include <algorithm>
#include <cctype>

#include "framework/app/Application.h"
#include "framework/app/OwnerApplication.h"
#include "framework/layout/Properties.h"
#include "platform/Platform.h"

namespace zindra {

namespace {

// MCI codes the platform header does not name.
constexpr std::uint32_t kMciErrInvalidDeviceName = 263;
constexpr std::uint32_t kMciErrExtensionNotFound = 281;

constexpr const char* kNotOpen = "No MCI device is open.";

TMPNotifyValues NotifyValueOf(std::uintptr_t code) {
    switch (code) {
        case platform::MCI_NOTIFY_SUCCESSFUL:
            return TMPNotifyValues::nvSuccessful;
        case platform::MCI_NOTIFY_SUPERSEDED:
            return TMPNotifyValues::nvSuperseded;
        case platform::MCI_NOTIFY_ABORTED:
            return TMPNotifyValues::nvAborted;
        default:
            return TMPNotifyValues::nvFailure;
    }
}

}  // namespace

std::string MciErrorText(std::uint32_t code) {
    switch (code) {
        case platform::MCIERR_INVALID_DEVICE_ID:
            return "Invalid device ID. Use the ID the device was given when it was opened.";
        case kMciErrInvalidDeviceName:
            return "The device is not open or MCI does not recognise it.";
        case platform::MCIERR_FILE_NOT_FOUND:
            return "The file cannot be found. Make sure the path and file name are correct.";
        case kMciErrExtensionNotFound:
            return "No device type is associated with the file's extension. Choose a device type.";
        case platform::MCIERR_INVALID_FILE:
            return "The file cannot be played on the chosen MCI device. It may be corrupt or in the wrong format.";
        case platform::MCIERR_DEVICE_NOT_INSTALLED:
            return "The device is not installed on the system. Install its driver and try again.";
        default:
            return "MCI error " + std::to_string(code) + ".";
    }
}

TMPDeviceTypes DeviceTypeForFile(const std::string& fileName) {
    const std::string extension = ExtensionOf(fileName);
    if (extension == "mid" || extension == "midi" || extension == "rmi") return TMPDeviceTypes::dtSequencer;
    if (extension == "wav") return TMPDeviceTypes::dtWaveAudio;
    if (extension == "avi") return TMPDeviceTypes::dtAVIVideo;
    return TMPDeviceTypes::dtOther;
}

const ClassInfo& TMediaPlayer::StaticClass() {
    using C = TMediaPlayer;
    static const ClassInfo info{
        "TMediaPlayer",
        &TGraphicControl::StaticClass(),
        [](TComponent* owner) { return new TMediaPlayer(owner); },
        {props::String<C>("FileName", &C::SetFileName),
         props::Enum<C, TMPDeviceTypes>(
             "DeviceType", &C::SetDeviceType,
             {"dtAutoSelect", "dtAVIVideo", "dtCDAudio", "dtDAT", "dtDigitalVideo", "dtMMMovie", "dtOther", "dtOverlay",
              "dtScanner", "dtSequencer", "dtVCR", "dtVideodisc", "dtWaveAudio"}),
         props::Bool<C>("AutoOpen", &C::SetAutoOpen), props::Bool<C>("Notify", &C::SetNotify),
         props::Set<C>("VisibleButtons", &C::SetVisibleButtons,
                       {"btPlay", "btPause", "btStop", "btNext", "btPrev", "btStep", "btBack", "btRecord", "btEject"}),
         props::Event<C, TNotifyEvent>("OnNotify", &C::SetOnNotify)}};
    return info;
}
const ClassInfo& TMediaPlayer::ClassType() const {
    return StaticClass();
}

void RegisterMediaPlayerClass() {
    ClassRegistry::Register(TMediaPlayer::StaticClass());
}

TMediaPlayer::TMediaPlayer(TComponent* owner)
    : TGraphicControl(owner), application_(OwnerApplication(*this, "TMediaPlayer")) {
    window_ = application_.AllocateHWnd([this](TMessage& m) { WindowProc(m); });
}

TMediaPlayer::~TMediaPlayer() {
    Close();
    application_.DeallocateHWnd(window_);
}

void TMediaPlayer::Loaded() {
    TGraphicControl::Loaded();
    if (autoOpen_ && !IsDesigning()) Open();
}

void TMediaPlayer::Check(std::uint32_t error) {
    error_ = error;
    if (error != 0) throw EMCIDeviceError(MciErrorText(error));
}

void TMediaPlayer::RequireOpen() {
    if (device_ == 0) throw EMCIDeviceError(kNotOpen);
}

std::uint32_t TMediaPlayer::OpenDevice(std::uint32_t& device) {
    const bool chosen = deviceType_ != TMPDeviceTypes::dtAutoSelect;
    const TMPDeviceTypes type = chosen ? deviceType_ : DeviceTypeForFile(fileName_);
    if (type == TMPDeviceTypes::dtOther && !chosen) return kMciErrExtensionNotFound;
    platform::Platform& platform = application_.Platform();
    if (type != TMPDeviceTypes::dtSequencer || !platform.Has(platform::Capability::MidiSequencer)) {
        return platform::MCIERR_DEVICE_NOT_INSTALLED;
    }
    return platform.GetAudio().MidiOpen(fileName_, device);
}

void TMediaPlayer::Open() {
    Close();
    std::uint32_t device = 0;
    Check(OpenDevice(device));
    device_ = device;
}

void TMediaPlayer::Close() {
    if (device_ == 0) return;
    const std::uint32_t device = device_;
    device_ = 0;
    // NOTE: a close the driver refuses still forgets the device; there is nothing a caller
    // could do with it, and a later Open must not be blocked by it.
    error_ = application_.Platform().GetAudio().MidiClose(device);
}

void TMediaPlayer::Play() {
    RequireOpen();
    Check(application_.Platform().GetAudio().MidiPlay(device_, notify_ ? window_ : 0));
}

void TMediaPlayer::Stop() {
    RequireOpen();
    Check(application_.Platform().GetAudio().MidiStop(device_));
}

void TMediaPlayer::Rewind() {
    RequireOpen();
    Check(application_.Platform().GetAudio().MidiSeekToStart(device_));
}

std::optional<std::uint32_t> TMediaPlayer::Status(platform::MciStatusItem item) const {
    std::uint32_t value = 0;
    if (device_ == 0 || application_.Platform().GetAudio().MidiStatus(device_, item, value) != 0) return std::nullopt;
    return value;
}

TMPModes TMediaPlayer::Mode() const {
    const auto mode = Status(platform::MciStatusItem::Mode);
    if (!mode || *mode < platform::MCI_MODE_NOT_READY || *mode > platform::MCI_MODE_OPEN) return TMPModes::mpNotReady;
    return static_cast<TMPModes>(*mode - platform::MCI_MODE_NOT_READY);
}

std::uint32_t TMediaPlayer::Position() const {
    return Status(platform::MciStatusItem::Position).value_or(0);
}

std::uint32_t TMediaPlayer::Length() const {
    return Status(platform::MciStatusItem::Length).value_or(0);
}

void TMediaPlayer::WindowProc(TMessage& message) {
    if (message.Msg != platform::MM_MCINOTIFY) return;
    notifyValue_ = NotifyValueOf(message.WParam);
    // A copy: the handler may destroy this player along with its form.
    const TNotifyEvent handler = OnNotify;
    if (!handler) return;
    TApplication& application = application_;
    try {
        handler(this);
    } catch (const std::exception& e) {
        application.HandleException(e);
    }
}

}  // namespace zindra
