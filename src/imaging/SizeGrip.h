// The size grip of a window corner (the image viewer's bottom-right square): the scroll-bar
// theme's size box over a button-face fill with visual styles, the classic frame control without.
#pragma once

#include "framework/graphics/Canvas.h"

namespace zindra {

void DrawSizeGrip(TCanvas& canvas, const Rect& r, bool themed);

}  // namespace zindra
