// The size grip in both looks.
#include "imaging/SizeGrip.h"

#include "imaging/ClassicFrames.h"
#include "imaging/ScrollBarTheme.h"

namespace zindra {

void DrawSizeGrip(TCanvas& canvas, const Rect& r, bool themed) {
    if (!themed) {
        DrawScrollFrameControl(canvas, r, kDfcsScrollSizeGrip);
        return;
    }
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().Color = clBtnFace;
    canvas.FillRect(r);
    scrollbar_theme::DrawPart(canvas, scrollbar_theme::kSizeBox, scrollbar_theme::kNormal, r);
}

}  // namespace zindra
