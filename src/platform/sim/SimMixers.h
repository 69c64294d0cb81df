// The mixer devices of a simulated machine, shared by its programs: the handles they hold open,
// the descriptions they ask for, and the change notices scripts and tests raise. Thread-safe.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string_view>
#include <vector>

#include "platform/MixerRecords.h"
#include "platform/Win32Types.h"
#include "platform/sim/SimMixerModel.h"

namespace zindra::platform::sim {

class Journal;
class SimWindows;

enum class SimMixerNotice { Line, Control };

// Answers as the Win32 mixer calls do (MMRESULT codes); journals opens, closes and notices as
// "mixer" events.
class SimMixers {
public:
    SimMixers(std::vector<SimMixerDevice> devices, Journal& journal, SimWindows& windows);

    std::uint32_t Count() const { return static_cast<std::uint32_t>(devices_.size()); }
    std::uint32_t Open(std::uint32_t id, WindowHandle callback, std::uintptr_t& mixer);
    std::uint32_t Close(std::uintptr_t mixer);
    std::uint32_t GetDevCaps(std::uintptr_t idOrHandle, MixerCapsA& caps, std::uint32_t size);
    std::uint32_t GetLineInfo(std::uintptr_t object, MixerLineA& line, std::uint32_t flags);
    std::uint32_t GetLineControls(std::uintptr_t object, MixerLineControlsA& controls, std::uint32_t flags);

    // Posts the notice (MM_MIXM_LINE_CHANGE or MM_MIXM_CONTROL_CHANGE, wParam the handle, lParam
    // the id) to the window of every handle open on the device and journals each one, or one
    // line with handle 0 when it reaches none. The id is passed on as given, as a driver would.
    // Returns how many windows it reached.
    int Raise(std::uint32_t device, SimMixerNotice notice, std::uint32_t id);
    std::vector<std::uintptr_t> OpenHandles(std::uint32_t device);

private:
    struct Handle {
        std::uint32_t Device = 0;
        WindowHandle Callback = 0;
    };
    struct LineEntry {
        const SimMixerLine* Line = nullptr;
        std::uint32_t Destination = 0;
        std::uint32_t Source = 0;
        bool IsSource = false;
        std::uint32_t FirstControlId = 0;
    };

    // The device an object names, or the error the system gives for it.
    std::uint32_t DeviceOf(std::uintptr_t object, std::uint32_t objectFlags, std::uint32_t& device);
    const LineEntry* FindLine(std::uint32_t device, std::uint32_t lineId) const;
    const LineEntry* FindLine(std::uint32_t device, std::uint32_t destination, std::uint32_t source,
                              bool isSource) const;
    void Describe(std::uint32_t device, const LineEntry& entry, MixerLineA& line) const;
    void Note(std::string_view op, std::uint32_t device, std::uintptr_t handle);

    std::vector<SimMixerDevice> devices_;
    std::vector<std::vector<LineEntry>> lines_;  // per device, every line in tree order
    Journal& journal_;
    SimWindows& windows_;
    std::mutex mutex_;
    std::map<std::uintptr_t, Handle> open_;
    std::uintptr_t nextHandle_ = 0x700;
};

}  // namespace zindra::platform::sim
