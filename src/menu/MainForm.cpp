// The main window's construction from its stored layout, and the message boxes it shows.
#include "menu/MainForm.h"

#include "framework/app/Application.h"
#include "framework/controls/MediaPlayer.h"
#include "framework/layout/ClassInfo.h"
#include "platform/Platform.h"
#include "services/GlobalHotKey.h"
#include "services/OneInstance.h"
#include "services/Starter.h"
#include "services/SysInfo.h"
#include "services/Wave.h"
#include "widgets/ImageBut.h"
#include "widgets/MorphButton.h"
#include "widgets/ShapeHint.h"
#include "widgets/ThreadedTimer.h"

namespace zindra {

const ClassInfo& TForm1::StaticClass() {
    static const ClassInfo info{"TForm1", &TForm::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TForm1::ClassType() const {
    return StaticClass();
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    Method("FormCreate", &TForm1::FormCreate);
    Method("FormDestroy", &TForm1::FormDestroy);
    Method("FormActivate", &TForm1::FormActivate);
    Method("closetimerTimer", &TForm1::closetimerTimer);
    Method("animatetimerTimer", &TForm1::animatetimerTimer);
    Method("shownameedittimerTimer", &TForm1::shownameedittimerTimer);
    Method("delaytimerTimer", &TForm1::delaytimerTimer);
    Method("langoverlayafrClick", &TForm1::langoverlayafrClick);
    Method("langoverlayengClick", &TForm1::langoverlayengClick);
    Method("langoverlayafrMouseMove", &TForm1::langoverlayafrMouseMove);
    Method("langoverlayengMouseMove", &TForm1::langoverlayengMouseMove);
    Method("option1MouseMove", &TForm1::option1MouseMove);
    Method("bgroundMouseMove", &TForm1::bgroundMouseMove);
    Method("nameeditKeyPress", &TForm1::nameeditKeyPress);
    Method("lefthandbut_1Click", &TForm1::lefthandbut_1Click);
    Method("righthandbut_1Click", &TForm1::righthandbut_1Click);
    Method("backbut1Click", &TForm1::backbut1Click);
    Method("exitbutClick", &TForm1::exitbutClick);
    Method("ZkGlobalHotKey1KeyDown", &TForm1::ZkGlobalHotKey1KeyDown);
    Method("option1Click", &TForm1::option1Click);
    Method("option2Click", &TForm1::option2Click);
    Method("option3Click", &TForm1::option3Click);
    Method("option4Click", &TForm1::option4Click);
    Method("option5Click", &TForm1::option5Click);
    Method("option6Click", &TForm1::option6Click);
    Method("reportbut1Click", &TForm1::reportbut1Click);
    Method("appExeAfterStart", &TForm1::appExeAfterStart);
    Method("appExeFinished", &TForm1::appExeFinished);
    Method("appExeError", &TForm1::appExeError);
    Method("MusicKnopClick", &TForm1::MusicKnopClick);
    Method("volstarterFinished", &TForm1::volstarterFinished);
    Method("musicNotify", &TForm1::musicNotify);
    Field("bground", bground);
    Field("option1", option1);
    Field("option2", option2);
    Field("option3", option3);
    Field("option4", option4);
    Field("option5", option5);
    Field("option6", option6);
    Field("langoverlayeng", langoverlayeng);
    Field("langoverlayafr", langoverlayafr);
    Field("lefthandbut_a", lefthandbut_a);
    Field("righthandbut_a", righthandbut_a);
    Field("lefthandbut_e", lefthandbut_e);
    Field("righthandbut_e", righthandbut_e);
    Field("exitbut", exitbut);
    Field("backbut", backbut);
    Field("reportbut", reportbut);
    Field("MorphButton1", MorphButton1);
    Field("musicknop", musicknop);
    Field("nameedit", nameedit);
    Field("music", music);
    Field("animatetimer", animatetimer);
    Field("sysinfo", sysinfo);
    Field("appExe", appExe);
    Field("closetimer", closetimer);
    Field("sound", sound);
    Field("delaytimer", delaytimer);
    Field("shownameedittimer", shownameedittimer);
    Field("ZkGlobalHotKey1", ZkGlobalHotKey1);
    Field("ZkShapeHint1", ZkShapeHint1);
    Field("volstarter", volstarter);
    Field("ZkOneInstance1", ZkOneInstance1);
    Field("ZkGlobalHotKey2", ZkGlobalHotKey2);
    LoadLayout("TForm1.layout");
}

TForm1::~TForm1() {
    // The window's own destruction steps run while its components still exist, and the
    // components go while the fields that point to them can still be cleared.
    DestroyForm();
}

platform::Platform& TForm1::Platform() {
    return Application()->Platform();
}

int TForm1::Warning(const std::string& text) {
    return Application()->MessageBox(text, "Warning", platform::MB_OK | platform::MB_ICONWARNING);
}

int TForm1::Information(const std::string& text) {
    return Application()->MessageBox(text, "Information", platform::MB_OK | platform::MB_ICONINFORMATION);
}

int TForm1::Confirmation(const std::string& text) {
    return Application()->MessageBox(text, "Confirm", platform::MB_YESNO | platform::MB_ICONQUESTION);
}

}  // namespace zindra
