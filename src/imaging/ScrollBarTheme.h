// The program's visual style for scroll-bar parts, used where the system's visual styles are on.
// It is drawn in software from the part and state numbers of the system's "SCROLLBAR" theme
// class, so a themed screen is the same on every back end and in every screenshot.
#pragma once

#include "framework/graphics/Canvas.h"

namespace zindra::scrollbar_theme {

// Parts.
inline constexpr int kArrowBtn = 1;
inline constexpr int kThumbBtnHorz = 2;
inline constexpr int kThumbBtnVert = 3;
inline constexpr int kLowerTrackHorz = 4;
inline constexpr int kUpperTrackHorz = 5;
inline constexpr int kLowerTrackVert = 6;
inline constexpr int kUpperTrackVert = 7;
inline constexpr int kGripperHorz = 8;
inline constexpr int kGripperVert = 9;
inline constexpr int kSizeBox = 10;

// Arrow-button states: a direction's first state (normal), then hot, pressed and disabled.
inline constexpr int kUpNormal = 1;
inline constexpr int kDownNormal = 5;
inline constexpr int kLeftNormal = 9;
inline constexpr int kRightNormal = 13;

// Thumb and track states.
inline constexpr int kNormal = 1;
inline constexpr int kHot = 2;
inline constexpr int kPressed = 3;
inline constexpr int kDisabled = 4;

// Paints the part in r, as drawing a theme's background does. Unknown parts draw nothing.
void DrawPart(TCanvas& canvas, int part, int state, const Rect& r);

}  // namespace zindra::scrollbar_theme
