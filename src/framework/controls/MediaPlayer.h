// The media player control: opens a file on an MCI device, plays it with a notification when
// playback ends or is interrupted, and reports its mode, position and length.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "framework/Exception.h"
#include "framework/controls/Control.h"
#include "platform/Audio.h"
#include "platform/Win32Types.h"

namespace zindra {

struct TMessage;

enum class TMPDeviceTypes : std::uint8_t {
    dtAutoSelect,
    dtAVIVideo,
    dtCDAudio,
    dtDAT,
    dtDigitalVideo,
    dtMMMovie,
    dtOther,
    dtOverlay,
    dtScanner,
    dtSequencer,
    dtVCR,
    dtVideodisc,
    dtWaveAudio
};
// In the order of the MCI modes they stand for, MCI_MODE_NOT_READY (524) to MCI_MODE_OPEN (530).
enum class TMPModes : std::uint8_t { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };
enum class TMPNotifyValues : std::uint8_t { nvSuccessful, nvSuperseded, nvAborted, nvFailure };

enum MPButtonBit : std::uint32_t {
    btPlay = 1,
    btPause = 2,
    btStop = 4,
    btNext = 8,
    btPrev = 16,
    btStep = 32,
    btBack = 64,
    btRecord = 128,
    btEject = 256,
};
using TButtonSet = std::uint32_t;
inline constexpr TButtonSet kAllMPButtons = 0x1FF;

// A failed MCI command; the message is the error's text.
ZINDRA_EXCEPTION(EMCIDeviceError, Exception);

// The text for an MCI error code ("MCI error <n>" for a code without one).
std::string MciErrorText(std::uint32_t code);
// The device a file's extension calls for: .mid, .midi, .rmi the sequencer; .wav wave audio;
// .avi video; anything else dtOther.
TMPDeviceTypes DeviceTypeForFile(const std::string& fileName);

// Windowless and never shown by this program, so it draws nothing; VisibleButtons is kept for
// layouts only. Drives the MIDI sequencer only: any other device type fails to open as a device
// that is not installed. Needs an application among its owners: its hidden window receives
// MM_MCINOTIFY, so OnNotify always runs on the UI thread, from the message loop.
class TMediaPlayer : public TGraphicControl {
public:
    explicit TMediaPlayer(TComponent* owner);
    // Closes the open device; a pending notification is dropped with the window.
    ~TMediaPlayer() override;

    // Take effect at the next Open.
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& fileName) { fileName_ = fileName; }
    TMPDeviceTypes DeviceType() const { return deviceType_; }
    void SetDeviceType(TMPDeviceTypes type) { deviceType_ = type; }
    // Opens the file once the layout has been read (a failure raises out of the layout load).
    bool AutoOpen() const { return autoOpen_; }
    void SetAutoOpen(bool autoOpen) { autoOpen_ = autoOpen; }
    // Whether Play asks for a notification; it stays set until changed.
    bool Notify() const { return notify_; }
    void SetNotify(bool notify) { notify_ = notify; }
    TButtonSet VisibleButtons() const { return visibleButtons_; }
    void SetVisibleButtons(TButtonSet buttons) { visibleButtons_ = buttons & kAllMPButtons; }
    // Every MM_MCINOTIFY the window receives, with NotifyValue set first; an exception from the
    // handler goes to the application's error report.
    TNotifyEvent OnNotify;
    void SetOnNotify(TNotifyEvent handler) { OnNotify = std::move(handler); }

    // Closes any open device first; EMCIDeviceError with the MCI text when the open fails.
    void Open();
    // Closes the device if one is open; never fails.
    void Close();
    // Play from the current position; Stop halts there; Rewind seeks to the start and returns
    // when it is there. Each raises EMCIDeviceError when no device is open or MCI refuses.
    void Play();
    void Stop();
    void Rewind();

    // mpNotReady when no device is open. Position and Length are milliseconds, 0 when closed.
    TMPModes Mode() const;
    std::uint32_t Position() const;
    std::uint32_t Length() const;
    TMPNotifyValues NotifyValue() const { return notifyValue_; }
    // The last command's MCI error code, 0 for success.
    std::uint32_t Error() const { return error_; }
    std::uint32_t DeviceID() const { return device_; }
    platform::WindowHandle NotifyWindow() const { return window_; }

    void Loaded() override;

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    void Check(std::uint32_t error);
    void RequireOpen();
    std::uint32_t OpenDevice(std::uint32_t& device);
    std::optional<std::uint32_t> Status(platform::MciStatusItem item) const;
    void WindowProc(TMessage& message);

    TApplication& application_;
    platform::WindowHandle window_ = 0;
    std::uint32_t device_ = 0;
    std::uint32_t error_ = 0;
    std::string fileName_;
    TMPDeviceTypes deviceType_ = TMPDeviceTypes::dtAutoSelect;
    bool autoOpen_ = false;
    bool notify_ = true;
    TButtonSet visibleButtons_ = kAllMPButtons;
    TMPNotifyValues notifyValue_ = TMPNotifyValues::nvSuccessful;
};

// Makes TMediaPlayer creatable from layouts.
void RegisterMediaPlayerClass();

}  // namespace zindra
