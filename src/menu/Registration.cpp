// The classes the menu's stored layouts create.
#include "menu/Registration.h"

#include "framework/controls/MediaPlayer.h"
#include "framework/layout/ClassInfo.h"
#include "imaging/PngGraphic.h"
#include "imaging/RasterView.h"
#include "services/AudioMixer.h"
#include "services/Starter.h"
#include "services/SysInfo.h"
#include "services/Wave.h"
#include "widgets/ImageBut.h"
#include "widgets/ImageButAdvanced.h"
#include "widgets/MorphButton.h"
#include "widgets/ShapeHint.h"
#include "widgets/ThreadedTimer.h"

namespace zindra {

void RegisterMenuClasses() {
    RegisterPngGraphic();
    ClassRegistry::Register(TImageBut::StaticClass());
    ClassRegistry::Register(TImageButAdvanced::StaticClass());
    RegisterRasterViewClasses();
    ClassRegistry::Register(TThreadedTimer::StaticClass());
    ClassRegistry::Register(TMorphButton::StaticClass());
    ClassRegistry::Register(TZkShapeHint::StaticClass());
    RegisterMediaPlayerClass();
    RegisterSysInfoClasses();
    RegisterStarterClasses();
    RegisterWaveClasses();
    RegisterAudioMixerClass();
}

}  // namespace zindra
