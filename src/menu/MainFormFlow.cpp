// The screens a pupil walks: intro animation, language choice with its hover pictures, name
// entry, hand choice, and the option screen with its hover zones and small buttons.
#include <algorithm>
#include <cctype>

#include "framework/Text.h"
#include "framework/app/Application.h"
#include "menu/MainForm.h"
#include "platform/Platform.h"
#include "widgets/ImageBut.h"
#include "widgets/ThreadedTimer.h"

namespace zindra {

namespace {

constexpr const char* kMissingFrame = "Animation frame does not exists! Uninstall and then re-install software.";
constexpr TCursor kHandCursor = 31;

bool NameContains(const TComponent& component, const char* part) {
    return LowerCase(component.Name()).find(part) != std::string::npos;
}

}  // namespace

void TForm1::FormActivate(TObject*) {
    if (Activated) return;
    Activated = true;
    ProgramRunning = false;
    SetDoubleBuffered(true);
    SuiteFolder = Platform().GetSystem().CurrentDirectory();
    if (SuiteFolder.empty() || SuiteFolder.back() != '\\') SuiteFolder += '\\';
    MenuFolder = SuiteFolder + "menu\\";
    MusicFolder = SuiteFolder + "Music\\";
    SoundFolder = SuiteFolder + "Sounds-eng\\";
    EffectsFolder = SuiteFolder + "fxsounds\\";
    PupilName.clear();
    StartFirstTrack();
    FrameNo = 1;
    Language = 0;
    ShowFrame(1, 0);
    LastFrame = 13;
    animatetimer->SetInterval(100);
    animatetimer->SetEnabled(true);
}

// The first frame stays 100 ms, every later one 150 ms; the tick after the last frame hands over
// to the timer that shows the language screen.
void TForm1::animatetimerTimer(TObject*) {
    animatetimer->SetInterval(150);
    if (FrameNo < LastFrame) {
        ++FrameNo;
        ShowFrame(FrameNo, Language);
    } else {
        animatetimer->SetEnabled(false);
        shownameedittimer->SetEnabled(true);
    }
}

void TForm1::shownameedittimerTimer(TObject*) {
    shownameedittimer->SetEnabled(false);
    ShowFrame(14, 3);
}

void TForm1::delaytimerTimer(TObject*) {
    delaytimer->SetEnabled(false);
}

void TForm1::ShowFrame(int frameNumber, int kind) {
    std::string name;
    switch (kind) {
        case 0:
            name = "intro_" + std::to_string(frameNumber) + ".jpg";
            break;
        case 1:
            name = "m_" + std::to_string(frameNumber - 13) + "a.jpg";
            break;
        case 2:
            name = "m_" + std::to_string(frameNumber - 13) + "e.jpg";
            break;
        default:
            name = "m_" + std::to_string(frameNumber - 13) + ".jpg";
            langoverlayafr->SetVisible(true);
            langoverlayeng->SetVisible(true);
            break;
    }
    LoadScreenPicture(name);  // on failure the program ends when the loop sees it; the steps below still run
    if (frameNumber == 15) {
        ShowOptions(false);
        if (kind == 1) {
            lefthandbut_a->SetVisible(true);
            righthandbut_a->SetVisible(true);
        } else if (kind == 2) {
            lefthandbut_e->SetVisible(true);
            righthandbut_e->SetVisible(true);
        }
        nameedit->SetVisible(true);
        PlayInstruction("instruk_1.wav");
    } else if (frameNumber == 16) {
        nameedit->SetVisible(false);
        for (TImageBut* hand : {lefthandbut_a, righthandbut_a, lefthandbut_e, righthandbut_e})
            hand->SetVisible(false);
        ShowOptions(true);
        exitbut->SetVisible(true);
        backbut->SetVisible(true);
        reportbut->SetVisible(true);
    }
}

void TForm1::ShowHoverPicture(const std::string& fileName) {
    LoadScreenPicture(fileName);
}

// NOTE: a picture that is there but cannot be read or decoded ends the program as a missing one
// does; let through, its error would end the intro's timer silently and stall the menu.
void TForm1::LoadScreenPicture(const std::string& fileName) {
    const std::string path = MenuFolder + fileName;
    try {
        if (Platform().GetSystem().FileExists(path)) {
            bground->Picture()->LoadFromFile(path);
            return;
        }
    } catch (const std::exception&) {
    }
    Warning(kMissingFrame);
    Application()->Terminate();
}

void TForm1::ShowOptions(bool visible) {
    for (TComponent* c : Components()) {
        auto* image = dynamic_cast<TImage*>(c);
        if (!image || !NameContains(*image, "option")) continue;
        image->SetVisible(visible);
        image->SetCursor(kHandCursor);
    }
}

void TForm1::HideControls() {
    ShowOptions(false);
    for (TControl* c :
         std::initializer_list<TControl*>{lefthandbut_a, righthandbut_a, lefthandbut_e, righthandbut_e, nameedit,
                                          langoverlayeng, langoverlayafr, reportbut, exitbut, backbut}) {
        c->SetVisible(false);
    }
}

void TForm1::ChooseLanguage(int language) {
    const bool afrikaans = language == 1;
    Language = language;
    langoverlayafr->SetVisible(false);
    langoverlayeng->SetVisible(false);
    reportbut->SetHint(afrikaans ? "Verslag" : "Report");
    backbut->SetHint(afrikaans ? "Terug na taalkeuse" : "Back to language option");
    exitbut->SetHint(afrikaans ? "Verlaat Zindra!" : "Exit Zindra!");
    musicknop->SetHint(afrikaans ? "Musiek aan/af" : "Mute music");
    SoundFolder = SuiteFolder + (afrikaans ? "Sounds-afr\\" : "Sounds-eng\\");
    ShowFrame(15, afrikaans ? 1 : 2);
}

void TForm1::langoverlayafrClick(TObject*) {
    ChooseLanguage(1);
}
void TForm1::langoverlayengClick(TObject*) {
    ChooseLanguage(2);
}

void TForm1::langoverlayafrMouseMove(TObject*, TShiftState, int, int) {
    if (LastHover == 1) return;
    LastHover = 1;
    ShowHoverPicture("m_1_1.jpg");
}

void TForm1::langoverlayengMouseMove(TObject*, TShiftState, int, int) {
    if (LastHover == 2) return;
    LastHover = 2;
    ShowHoverPicture("m_1_2.jpg");
}

// Moving off a zone restores nothing: the background keeps the last hover picture.
void TForm1::option1MouseMove(TObject* Sender, TShiftState, int, int) {
    if (LaunchLock) return;
    const auto tag = static_cast<std::int32_t>(static_cast<TComponent*>(Sender)->Tag());
    if (tag == LastHover) return;
    LastHover = tag;
    ShowHoverPicture("m_3" + std::string(Language == 1 ? "a" : "e") + "_" + std::to_string(tag) + ".jpg");
}

// The small buttons give up their pictures whenever the pointer moves over the background; their
// stored pictures stay, so each shows again as the pointer enters and leaves it.
void TForm1::bgroundMouseMove(TObject*, TShiftState, int, int) {
    for (TComponent* c : Components()) {
        auto* image = dynamic_cast<TImage*>(c);
        if (image && NameContains(*image, "but")) image->Picture()->Bitmap()->FreeImage();
    }
}

void TForm1::nameeditKeyPress(TObject*, char& Key) {
    // NOTE: a double quote could close a field of a program's argument line early, so the box
    // refuses it and such a name can never be formed.
    if (Key == '"') {
        Key = 0;
        return;
    }
    if (Key == '\r') {
        TImageBut* right = Language == 1 ? righthandbut_a : Language == 2 ? righthandbut_e : nullptr;
        if (right && right->OnClick) right->OnClick(nullptr);
    }
    // The box's text is read before the key reaches it: this plays on the key after a one-letter text.
    if (nameedit->Text().size() == 1 && !FirstKeySpoken) {
        delaytimer->SetEnabled(false);
        FirstKeySpoken = true;
        PlayInstruction("instruk_5.wav");
        delaytimer->SetEnabled(true);
    }
}

void TForm1::ChooseHand(bool left) {
    PupilName = nameedit->Text();
    if (PupilName.empty()) {
        if (nameedit->CanFocus()) nameedit->SetFocus();
        return;
    }
    nameedit->SetVisible(false);
    SwapMouseButtons(left);
    ShowFrame(16, Language);
    PlayInstruction("instruk_4.wav");
}

void TForm1::lefthandbut_1Click(TObject*) {
    ChooseHand(true);
}
void TForm1::righthandbut_1Click(TObject*) {
    ChooseHand(false);
}

void TForm1::backbut1Click(TObject*) {
    PlayEffect("back.wav");
    HideControls();
    ShowFrame(14, 3);
}

void TForm1::exitbutClick(TObject*) {
    PlayInstruction("instruk_3.wav");
    HideControls();
    ShowFrame(13, 0);
    Close();
}

void TForm1::ZkGlobalHotKey1KeyDown(TObject*, std::uint16_t&, TShiftState) {
    Close();
}

}  // namespace zindra
