// The classes the menu's stored layouts create.
#include "menu/Registration.h"

#include "framework/controls/MediaPlayer.h"
#include "framework/layout/ClassInfo.h"
#include "imaging/TrackRegistration.h"
#include "services/AudioMixer.h"
#include "services/Starter.h"
#include "services/SysInfo.h"
#include "services/Wave.h"
#include "widgets/ImageBut.h"
#include "widgets/ImageButAdvanced.h"
#include "widgets/ThreadedTimer.h"

namespace zindra {

void RegisterMenuClasses() {
    ClassRegistry::Register(TImageBut::StaticClass());
    ClassRegistry::Register(TImageButAdvanced::StaticClass());
    RegisterTrackClasses();
    ClassRegistry::Register(TThreadedTimer::StaticClass());
    RegisterMediaPlayerClass();
    RegisterSysInfoClasses();
    RegisterStarterClasses();
    RegisterWaveClasses();
    RegisterAudioMixerClass();
}

}  // namespace zindra
