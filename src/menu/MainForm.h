// The menu's main window: what it does to the machine at start and undoes at the end, the
// screens a pupil walks from the intro to the option screen, the programs it starts and the
// music and spoken instructions that go with it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/app/Timer.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/Image.h"
#include "platform/Win32Types.h"

namespace zindra::platform {
class Platform;
}

namespace zindra {

class TImageBut;
class TMediaPlayer;
class TMorphButton;
class TThreadedTimer;
class TZkGlobalHotKey;
class TZkOneInstance;
class TZkShapeHint;
class TZkStarter;
class TZkSysInfo;
class TZkWaveComp;

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);
    ~TForm1() override;

    // Components of the stored layout, bound by name.
    TImage* bground = nullptr;
    TImage* option1 = nullptr;
    TImage* option2 = nullptr;
    TImage* option3 = nullptr;
    TImage* option4 = nullptr;
    TImage* option5 = nullptr;
    TImage* option6 = nullptr;
    TImage* langoverlayeng = nullptr;
    TImage* langoverlayafr = nullptr;
    TImageBut* lefthandbut_a = nullptr;
    TImageBut* righthandbut_a = nullptr;
    TImageBut* lefthandbut_e = nullptr;
    TImageBut* righthandbut_e = nullptr;
    TImageBut* exitbut = nullptr;
    TImageBut* backbut = nullptr;
    TImageBut* reportbut = nullptr;
    TMorphButton* MorphButton1 = nullptr;
    TImage* musicknop = nullptr;
    TEdit* nameedit = nullptr;
    TMediaPlayer* music = nullptr;
    TThreadedTimer* animatetimer = nullptr;
    TZkSysInfo* sysinfo = nullptr;
    TZkStarter* appExe = nullptr;
    TTimer* closetimer = nullptr;
    TZkWaveComp* sound = nullptr;
    TTimer* delaytimer = nullptr;
    TTimer* shownameedittimer = nullptr;
    TZkGlobalHotKey* ZkGlobalHotKey1 = nullptr;
    TZkShapeHint* ZkShapeHint1 = nullptr;
    TZkStarter* volstarter = nullptr;
    TZkOneInstance* ZkOneInstance1 = nullptr;
    TZkGlobalHotKey* ZkGlobalHotKey2 = nullptr;

    // Start-up and screen environment.
    std::string DataFolder;
    platform::WindowHandle TaskBarWindow = 0;
    struct DisplayModeValues {
        std::int32_t RefreshRate = 0, Width = 0, Height = 0, BitsPerPixel = 0;
        friend bool operator==(const DisplayModeValues&, const DisplayModeValues&) = default;
    };
    DisplayModeValues StartMode;
    std::vector<platform::DevModeA> ModeList;
    std::int32_t StartModeNo = 0;
    bool VolumeRunning = false;
    bool Activated = false;

    // Screen flow.
    std::string SuiteFolder, MenuFolder, MusicFolder, SoundFolder, EffectsFolder;
    std::int32_t Language = 0;
    std::int32_t FrameNo = 0;
    std::int32_t LastFrame = 13;
    std::int32_t LastHover = 0;
    std::string PupilName;
    bool FirstKeySpoken = false;
    bool ProgramRunning = false;
    bool LaunchLock = false;

    // Launching.
    std::string ProgramPath;
    std::string ProgramArgs;
    bool StartFailed = false;  // the shell could not start the last program

    // Music and spoken instructions.
    static constexpr int kMaxTracks = 50;
    bool MusicHeld = false;
    std::array<std::string, kMaxTracks + 1> TrackNames;  // numbered 1 to 50
    std::int32_t TrackCount = 0;
    bool TracksListed = false;

    // Handlers bound by the layout.
    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormActivate(TObject* Sender);
    void closetimerTimer(TObject* Sender);
    void animatetimerTimer(TObject* Sender);
    void shownameedittimerTimer(TObject* Sender);
    void delaytimerTimer(TObject* Sender);
    void langoverlayafrClick(TObject* Sender);
    void langoverlayengClick(TObject* Sender);
    void langoverlayafrMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void langoverlayengMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void option1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void bgroundMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void nameeditKeyPress(TObject* Sender, char& Key);
    void lefthandbut_1Click(TObject* Sender);
    void righthandbut_1Click(TObject* Sender);
    void backbut1Click(TObject* Sender);
    void exitbutClick(TObject* Sender);
    void ZkGlobalHotKey1KeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
    void option1Click(TObject* Sender);
    void option2Click(TObject* Sender);
    void option3Click(TObject* Sender);
    void option4Click(TObject* Sender);
    void option5Click(TObject* Sender);
    void option6Click(TObject* Sender);
    void reportbut1Click(TObject* Sender);
    void appExeAfterStart(TObject* Sender);
    void appExeFinished(TObject* Sender);
    void appExeError(TObject* Sender);
    void MusicKnopClick(TObject* Sender);
    void volstarterFinished(TObject* Sender);
    void musicNotify(TObject* Sender);

    // Private operations, reachable for tests.
    std::string ResolveDataFolder();
    bool RegisterControl(const std::string& systemFolder, const std::string& fileName);
    bool RunAndWait(const std::string& file, const std::string& parameters);
    bool DisplayCheckEnabled();
    bool SwitchDisplayMode(int width, int height, int bitsPerPixel);
    std::int32_t ApplyDisplayMode(const platform::DevModeA& mode);
    void RestoreDisplayMode();
    void SwapMouseButtons(bool swap);
    void ShowFrame(int frameNumber, int kind);
    void ShowHoverPicture(const std::string& fileName);
    void ShowOptions(bool visible);
    void HideControls();
    void PlayInstruction(const std::string& fileName);
    void PlayEffect(const std::string& fileName);
    void LaunchProgram(const std::string& relativePath);
    std::string ArgumentLine() const;
    void StartFirstTrack();
    void PlayNextTrack();

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    DisplayModeValues ReadDisplayMode();
    void LoadScreenPicture(const std::string& fileName);
    void ChooseLanguage(int language);
    void ChooseHand(bool left);
    int Warning(const std::string& text);
    int Information(const std::string& text);
    int Confirmation(const std::string& text);
    void Launched(const std::string& relativePath);
    void ProgramEnded();
    void PlayFrom(const std::string& folder, const std::string& fileName);
    std::uint32_t NextRandom(std::uint32_t range);
    std::uint32_t randSeed_ = 0;
    platform::Platform& Platform();
};

}  // namespace zindra
