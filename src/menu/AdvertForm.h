// The exit advert screen: a second borderless window over the main one with a full-window
// background, the advert in a scrollable viewer and a button to leave, all chosen by the
// language from the suite folder. Shown modally by the main window's exit button; closing it
// (the button, or the close timer when a picture is missing) lets the main window close.
#pragma once

#include <cstdint>
#include <string>

#include "framework/app/Timer.h"
#include "framework/controls/Form.h"
#include "framework/controls/Image.h"

namespace zindra {

class TImageButAdvanced;
class TRasterView;

class Tadvertform : public TForm {
public:
    // owner: the application.
    explicit Tadvertform(TComponent* owner);
    ~Tadvertform() override;

    // Components of the stored layout, bound by name.
    TImage* bground = nullptr;
    TImage* Image1 = nullptr;
    TImageButAdvanced* exitbut = nullptr;
    TRasterView* adviewer = nullptr;
    TTimer* closetimer = nullptr;

    // Fills the screen before it is shown, for the main window's Language (1 Afrikaans, any other
    // English) from its SuiteFolder (with the trailing backslash). A missing advert switches the
    // close timer on and loads nothing; a missing background keeps the layout's hint and switches
    // it on too. Picture decoding errors reach the caller.
    void PrepareAdvert(std::int32_t language, const std::string& suiteFolder);

    // Handlers bound by the layout.
    void exitbutClick(TObject* Sender);
    void closetimerTimer(TObject* Sender);

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();
};

}  // namespace zindra
