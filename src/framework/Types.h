// Value types the kit's components share: colours, cursors, shift states and event signatures.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/Event.h"
#include "platform/Geometry.h"

namespace zindra {

using platform::Point;
using platform::Rect;

class TObject;

// A colour: an RGB value with red in the low byte, or a system colour (top bit set, low byte
// the system colour index).
using TColor = std::int32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor kSystemColorFlag = static_cast<TColor>(0x80000000u);
inline constexpr TColor clScrollBar = kSystemColorFlag | 0;
inline constexpr TColor clWindow = kSystemColorFlag | 5;
inline constexpr TColor clWindowFrame = kSystemColorFlag | 6;
inline constexpr TColor clWindowText = kSystemColorFlag | 8;
inline constexpr TColor clBtnFace = kSystemColorFlag | 15;
inline constexpr TColor clBtnShadow = kSystemColorFlag | 16;
inline constexpr TColor clBtnText = kSystemColorFlag | 18;
inline constexpr TColor clBtnHighlight = kSystemColorFlag | 20;
inline constexpr TColor cl3DDkShadow = kSystemColorFlag | 21;
inline constexpr TColor cl3DLight = kSystemColorFlag | 22;
inline constexpr TColor clInfoText = kSystemColorFlag | 23;
inline constexpr TColor clInfoBk = kSystemColorFlag | 24;

inline constexpr TColor RGB(int r, int g, int b) {
    return TColor(r | (g << 8) | (b << 16));
}

// Cursor numbers: 0 the default pointer, negative the standard ones, positive the program's own.
using TCursor = std::int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crHandPoint = -21;

// The shift state uses the platform's bits: kShiftKey, kAltKey, kCtrlKey, kLeftButton, ...
using TShiftState = std::uint32_t;
using platform::kAltKey;
using platform::kCtrlKey;
using platform::kLeftButton;
using platform::kMiddleButton;
using platform::kRightButton;
using platform::kShiftKey;

enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };
// A control's border: the edit box's and the range tracks'.
enum class TBorderStyle : std::uint8_t { bsNone, bsSingle };

// Event handlers: method pointers of a window, bound by name when a layout is read.
using TNotifyEvent = std::function<void(TObject* sender)>;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, std::uint16_t& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
// A wheel turn (delta 120 a notch, positive away from the user); setting handled keeps the
// control from its own wheel handling.
using TMouseWheelEvent =
    std::function<void(TObject* sender, TShiftState shift, int wheelDelta, Point mousePos, bool& handled)>;

enum class TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

}  // namespace zindra
