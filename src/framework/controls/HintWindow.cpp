// The standard hint window.
#include "framework/controls/HintWindow.h"

#include "framework/graphics/Canvas.h"
#include "framework/graphics/FontEngine.h"
#include "framework/layout/ClassInfo.h"

namespace zindra {

const ClassInfo& THintWindow::StaticClass() {
    static const ClassInfo info{"THintWindow", &TCustomForm::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& THintWindow::ClassType() const {
    return StaticClass();
}

THintWindow::THintWindow(TComponent* owner) : TCustomForm(owner) {
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(platform::WindowParams& params) {
    TCustomForm::CreateParams(params);
    params.TopMost = true;
    params.NoActivate = true;
    params.ShowInTaskBar = false;
}

Rect THintWindow::CalcHintRect(int maxWidth, const std::string& hint) {
    Rect r{0, 0, maxWidth, 0};
    Bitmap32 scratch(1, 1);
    TCanvas canvas(scratch);
    canvas.Font().Assign(*Font());
    canvas.DrawText(hint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    return {0, 0, r.Right + 6, r.Bottom + 2};
}

void THintWindow::ActivateHint(const Rect& rect, const std::string& hint) {
    hint_ = hint;
    SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    InvalidateRect(ClientRect());
    Show();
}

void THintWindow::Paint(TCanvas& canvas) {
    canvas.Brush().Color = clBlack;
    canvas.FrameRect(ClientRect());
    Rect text{2, 2, Width() - 2, Height() - 2};
    canvas.Font().Assign(*Font());
    canvas.DrawText(hint_, text, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

}  // namespace zindra
