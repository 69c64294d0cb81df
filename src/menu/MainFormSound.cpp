// Background music (the fixed first track, then random tracks from the music folder) and the
// spoken instructions and effect.
#include "framework/app/Application.h"
#include "framework/controls/MediaPlayer.h"
#include "menu/MainForm.h"
#include "menu/SuiteFiles.h"
#include "platform/Platform.h"
#include "services/Wave.h"

namespace zindra {

namespace {

constexpr const char* kMidiQuestion =
    "The MCI driver for midi-files is not properly installed. Midi files are music files that are used for "
    "background music. Do you want to disable the music?";
constexpr const char* kMidiRemoved = "Please re-start this program. Midi-files have been removed.";

}  // namespace

void TForm1::StartFirstTrack() {
    MusicHeld = true;
    const std::string first = MusicFolder + suite::kFirstTrack;
    platform::System& system = Platform().GetSystem();
    if (!system.FileExists(first)) {
        TrackCount = 0;
        TracksListed = false;
        return;
    }
    try {
        music->SetFileName(first);
        music->Open();
        TrackCount = 0;
        TracksListed = false;
        MusicHeld = false;
        music->Play();
    } catch (const std::exception&) {
        if (Confirmation(kMidiQuestion) != platform::IDYES) return;
        for (const platform::FoundFile& file :
             system.FindFiles(MusicFolder + suite::kTrackPattern, platform::faAnyFile)) {
            system.DeleteFile(MusicFolder + file.Name);
        }
        Information(kMidiRemoved);
        Close();
    }
}

void TForm1::musicNotify(TObject*) {
    // Only a track that played to its end moves the music on; a stop falls short of the length.
    if (music->Position() == music->Length()) PlayNextTrack();
}

// As the runtime's generator: a linear congruence on 32 bits, seeded from the clock.
std::uint32_t TForm1::NextRandom(std::uint32_t range) {
    randSeed_ = randSeed_ * 134775813u + 1u;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(randSeed_) * range) >> 32);
}

void TForm1::PlayNextTrack() {
    if (MusicHeld) return;
    if (!TracksListed) {
        TrackCount = 0;
        // NOTE: a folder with more than 50 tracks gives the first 50 the search returns.
        for (const platform::FoundFile& file :
             Platform().GetSystem().FindFiles(MusicFolder + suite::kTrackPattern, platform::FILE_ATTRIBUTE_ARCHIVE)) {
            if (TrackCount == kMaxTracks) break;
            TrackNames[static_cast<std::size_t>(++TrackCount)] = file.Name;
        }
        TracksListed = true;
    }
    const platform::LocalTime now = Platform().GetClock().Now();
    randSeed_ = static_cast<std::uint32_t>(((now.Hour * 60 + now.Minute) * 60 + now.Second) * 1000 + now.Millisecond);
    if (TrackCount <= 1) return;
    if (music->Mode() == TMPModes::mpPlaying) music->Stop();
    const std::uint32_t pick = NextRandom(static_cast<std::uint32_t>(TrackCount)) + 1;
    music->SetFileName(MusicFolder + TrackNames[pick]);
    music->Open();
    music->Rewind();
    music->Play();
}

void TForm1::PlayFrom(const std::string& folder, const std::string& fileName) {
    const std::string path = folder + fileName;
    if (!Platform().GetSystem().FileExists(path)) return;  // a missing sound is skipped silently
    sound->Wave()->LoadFromFile(path);
    sound->Wave()->Play();
}

void TForm1::PlayInstruction(const std::string& fileName) {
    PlayFrom(SoundFolder, fileName);
}
void TForm1::PlayEffect(const std::string& fileName) {
    PlayFrom(EffectsFolder, fileName);
}

}  // namespace zindra
