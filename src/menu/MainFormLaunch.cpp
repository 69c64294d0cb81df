// Starting the learning programs, the report program and the volume control: the argument line,
// minimising while a program runs, and coming back when it ends.
#include "framework/app/Application.h"
#include "framework/controls/MediaPlayer.h"
#include "menu/MainForm.h"
#include "menu/SuiteFiles.h"
#include "platform/Platform.h"
#include "services/Starter.h"
#include "services/SysInfo.h"

namespace zindra {

namespace {

constexpr const char* kMissingProgram = "The file you selected does not exists! Please re-install software!";

// One field of the argument line: quotation mark and asterisk, the value, number sign and
// quotation mark. No other quoting is done.
std::string ArgumentField(const std::string& value) {
    return "\"*" + value + "#\"";
}

std::string WithBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace

std::string TForm1::ArgumentLine() const {
    return ArgumentField(SuiteFolder) + " " + ArgumentField(PupilName) + " " + ArgumentField("") + " " +
           ArgumentField("") + " " + ArgumentField("TRUE") + " " +
           ArgumentField(Language == suite::kAfrikaans ? "AFR" : "ENG") + " " + ArgumentField(DataFolder);
}

void TForm1::Launched(const std::string& relativePath) {
    LaunchLock = true;
    LaunchProgram(relativePath);
}

void TForm1::option1Click(TObject*) {
    Launched(suite::kPrograms[0].Path);
}
void TForm1::option2Click(TObject*) {
    Launched(suite::kPrograms[1].Path);
}
void TForm1::option3Click(TObject*) {
    Launched(suite::kPrograms[2].Path);
}
void TForm1::option4Click(TObject*) {
    Launched(suite::kPrograms[3].Path);
}
void TForm1::option5Click(TObject*) {
    Launched(suite::kPrograms[4].Path);
}
void TForm1::option6Click(TObject*) {
    Launched(suite::kPrograms[5].Path);
}
void TForm1::reportbut1Click(TObject*) {
    Launched(suite::kPrograms[suite::kReportProgram].Path);
}

void TForm1::LaunchProgram(const std::string& relativePath) {
    if (ProgramRunning) return;
    // The folder ends in a backslash and the path begins with one: joined as they stand.
    ProgramPath = SuiteFolder + relativePath;
    ProgramArgs = ArgumentLine();
    if (!Platform().GetSystem().FileExists(ProgramPath)) {
        Warning(kMissingProgram);
        ProgramRunning = false;
        LaunchLock = false;  // NOTE: nothing runs, so the hover pictures come back at once
        return;
    }
    if (TrackCount > 1 && music->Mode() == TMPModes::mpPlaying) {
        MusicHeld = true;
        music->Stop();
    }
    appExe->SetCommand(ProgramPath);
    appExe->SetParameters(ProgramArgs);
    StartFailed = false;
    appExe->Execute();
}

void TForm1::appExeAfterStart(TObject*) {
    // NOTE: after a failed start the starter still reports the start as over; the menu stays
    // on the option screen, ready for another try, instead of waiting for an end that never comes.
    if (StartFailed) {
        StartFailed = false;
        return;
    }
    ProgramRunning = true;
    SetWindowState(TWindowState::wsMinimized);
    LaunchLock = true;
}

void TForm1::ProgramEnded() {
    ProgramRunning = false;
    SetWindowState(TWindowState::wsNormal);
    LaunchLock = false;
    Repaint();
    if (MusicHeld) {
        MusicHeld = false;
        PlayNextTrack();
    }
}

void TForm1::appExeFinished(TObject*) {
    ProgramEnded();
}

void TForm1::appExeError(TObject*) {
    StartFailed = true;
    ProgramEnded();
}

void TForm1::MusicKnopClick(TObject*) {
    platform::System& system = Platform().GetSystem();
    const std::string inWindows = WithBackslash(sysinfo->WinPath()) + "sndvol32.exe";
    const std::string inSystem = WithBackslash(sysinfo->WinSysPath()) + "sndvol32.exe";
    std::string path;
    if (system.FileExists(inWindows)) {
        path = inWindows;
    } else if (system.FileExists(inSystem)) {
        path = inSystem;
    } else {
        Warning("Volume control utility not found!");
        return;
    }
    if (VolumeRunning) {
        Information("Volume control allready loaded!");
        return;
    }
    SetWindowState(TWindowState::wsMinimized);
    VolumeRunning = true;
    volstarter->SetCommand(path);
    volstarter->Execute();
}

void TForm1::volstarterFinished(TObject*) {
    VolumeRunning = false;
    SetWindowState(TWindowState::wsNormal);
}

}  // namespace zindra
