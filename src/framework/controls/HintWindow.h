// The window hints appear in: a small top-most window that does not take the focus, sized to its
// text. Programs replace its look through the application's hint window class.
#pragma once

#include <string>

#include "framework/controls/Form.h"

namespace zindra {

class THintWindow : public TCustomForm {
public:
    explicit THintWindow(TComponent* owner);

    // The window rectangle (at 0, 0) that the hint text needs, at most maxWidth wide.
    virtual Rect CalcHintRect(int maxWidth, const std::string& hint);
    // Shows the hint in rect (screen coordinates).
    virtual void ActivateHint(const Rect& rect, const std::string& hint);
    void Paint(TCanvas& canvas) override;

    const std::string& HintText() const { return hint_; }

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

protected:
    void CreateParams(platform::WindowParams& params) override;
    std::string hint_;
};

}  // namespace zindra
