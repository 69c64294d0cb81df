// The value types of the range tracks: their looks, axis, border, hit zones and arrow directions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Types.h"

namespace zindra {

enum class TTrackBackground : std::uint8_t { bgPattern, bgSolid };
enum class TTrackStyle : std::uint8_t { tsDefault, tsMac };
enum class TScrollBarKind : std::uint8_t { sbHorizontal, sbVertical };

// The enumerations' names in layouts, in value order.
inline const std::vector<std::string> kTrackBackgroundNames = {"bgPattern", "bgSolid"};
inline const std::vector<std::string> kTrackStyleNames = {"tsDefault", "tsMac"};
inline const std::vector<std::string> kScrollBarKindNames = {"sbHorizontal", "sbVertical"};
inline const std::vector<std::string> kBorderStyleNames = {"bsNone", "bsSingle"};

// The parts of a bar a point can fall on, numbered as the bar's timer steps know them.
enum class TTrackZone : std::uint8_t {
    None = 0,
    PrevButton = 1,
    PrevTrack = 2,
    Handle = 3,
    NextTrack = 4,
    NextButton = 5
};

// Where an arrow points; the previous button points left or up, the next one right or down.
enum class TArrowDirection : std::uint8_t { Left = 0, Up = 1, Right = 2, Down = 3 };

// What the bar's timer is doing.
enum class TTrackTimerMode : std::uint8_t { Off = 0, FirstDelay = 1, Repeating = 2, HoverTracking = 3 };

}  // namespace zindra
