// The exit advert screen's construction from its stored layout, its filling and its closing.
#include "menu/AdvertForm.h"

#include "framework/app/Application.h"
#include "framework/layout/ClassInfo.h"
#include "imaging/RasterView.h"
#include "menu/SuiteFiles.h"
#include "platform/Platform.h"
#include "widgets/ImageButAdvanced.h"

namespace zindra {

const ClassInfo& Tadvertform::StaticClass() {
    static const ClassInfo info{"Tadvertform", &TForm::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& Tadvertform::ClassType() const {
    return StaticClass();
}

Tadvertform::Tadvertform(TComponent* owner) : TForm(owner) {
    Method("exitbutClick", &Tadvertform::exitbutClick);
    Method("closetimerTimer", &Tadvertform::closetimerTimer);
    Field("bground", bground);
    Field("Image1", Image1);
    Field("exitbut", exitbut);
    Field("adviewer", adviewer);
    Field("closetimer", closetimer);
    LoadLayout("Tadvertform.layout");
}

Tadvertform::~Tadvertform() {
    // The components go while the fields that point to them can still be cleared.
    DestroyForm();
}

void Tadvertform::PrepareAdvert(std::int32_t language, const std::string& suiteFolder) {
    platform::System& system = Application()->Platform().GetSystem();
    const std::string advert = suiteFolder + suite::AdvertFile(language);
    if (!system.FileExists(advert)) {
        closetimer->SetEnabled(true);
        return;
    }
    const std::string background = suiteFolder + suite::AdvertBackgroundFile(language);
    if (system.FileExists(background)) {
        bground->Picture()->LoadFromFile(background);
        exitbut->SetHint(suite::AdvertLetter(language) == "A" ? "Gaan uit" : "Exit");
    } else {
        closetimer->SetEnabled(true);
    }
    adviewer->Bitmap()->LoadPictureFile(advert);
    // To the advert's top edge: the viewer clamps the position.
    adviewer->ScrollBy(0, -2500);
}

void Tadvertform::exitbutClick(TObject*) {
    Close();
}

void Tadvertform::closetimerTimer(TObject*) {
    closetimer->SetEnabled(false);
    Close();
}

}  // namespace zindra
