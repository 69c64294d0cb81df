// What the platform reports upward: input, window and message events, each for one window.
#pragma once

#include <cstdint>

#include "platform/Win32Types.h"

namespace zindra::platform {

enum class EventKind : std::uint8_t {
    MouseMove,    // X, Y in client coordinates; Shift holds the held buttons and modifiers
    MouseDown,    // Button that went down
    MouseUp,      // Button that came up
    MouseWheel,   // X, Y in client coordinates; Delta the turn (120 a notch, positive away from the user)
    KeyDown,      // Key: virtual-key code
    KeyUp,        // Key: virtual-key code
    Char,         // Key: the ANSI character the key produced
    Close,        // someone asks the window to close
    Activate,     // the window became the active one
    Deactivate,   // the window stopped being the active one
    ShowState,    // someone else minimised or restored the window; Key: SW_MINIMIZE or SW_RESTORE
    Message,      // a window message for a hidden message window: Msg, WParam, LParam
    CaptureLost,  // the mouse capture was taken away
    Expose,       // the back end lost the window's picture; present a full frame again
    Wake,         // nothing but a wake-up of the message loop
};

enum class MouseButton : std::uint8_t { Left, Right, Middle };

// Shift-state bits, in the order the kit's shift-state sets use.
inline constexpr std::uint32_t kShiftKey = 0x01;
inline constexpr std::uint32_t kAltKey = 0x02;
inline constexpr std::uint32_t kCtrlKey = 0x04;
inline constexpr std::uint32_t kLeftButton = 0x08;
inline constexpr std::uint32_t kRightButton = 0x10;
inline constexpr std::uint32_t kMiddleButton = 0x20;

struct Event {
    EventKind Kind = EventKind::Wake;
    WindowHandle Window = 0;
    std::int64_t Time = 0;  // clock milliseconds when it happened
    int X = 0;
    int Y = 0;
    MouseButton Button = MouseButton::Left;
    std::uint32_t Key = 0;
    std::uint32_t Shift = 0;
    int Delta = 0;
    std::uint32_t Msg = 0;
    std::uintptr_t WParam = 0;
    std::intptr_t LParam = 0;
};

// What a receiver asks of a modal loop of the system's own that it was served from.
struct NestedLoopTurn {
    std::int64_t NextDueMs = INT64_MAX;  // clock time of its next due work; INT64_MAX: none
    bool EndLoop = false;                // the program is ending: the system's loop should end too
};

// The one entry point upward. Back ends call Post from any thread; the receiver queues the event
// and wakes its message loop. It never calls a component directly.
class EventSink {
public:
    virtual ~EventSink() = default;
    virtual void Post(const Event& event) = 0;
    // While a modal loop of the system's own runs on the user-interface thread (a native message
    // box, a window menu), its back end calls this from inside that loop whenever work may be
    // waiting or due, so timers, hot keys and handed-over calls keep flowing as the system's loop
    // dispatches them on Windows. Only on the user-interface thread.
    virtual NestedLoopTurn ServeNestedLoop() { return {}; }
};

}  // namespace zindra::platform
