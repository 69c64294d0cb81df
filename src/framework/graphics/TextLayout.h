// Text runs and DrawText's lines (prefixes, tabs, word breaks, alignment); internal to the font engine.
#pragma once

#include <cstdint>
#include <string_view>

#include "framework/graphics/Bitmap32.h"
#include "framework/graphics/FontEngine.h"
#include "framework/graphics/FontInstance.h"
#include "platform/Geometry.h"

namespace zindra::text {

// The advance of a run as TextOut moves the pen: every character's advance plus extraSpacing.
std::int64_t MeasureRun(FontInstance& font, std::string_view text, int extraSpacing);

// TextOut with the top-left of the first cell at (x, y), decorated as request asks; area is on dst.
void DrawRun(FontInstance& font, const FontDescription& request, Bitmap32& dst, int x, int y, std::string_view text,
             Pixel color, int extraSpacing, const platform::Rect& area);

// FontEngine::DrawTextFormatted once the font is resolved.
int DrawFormatted(FontInstance& font, const FontDescription& request, Bitmap32& dst, platform::Rect& rect,
                  std::string_view text, std::uint32_t format, Pixel color, int extraSpacing,
                  const platform::Rect& clip);

}  // namespace zindra::text
