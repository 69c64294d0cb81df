// Makes the starter, the single-instance guard and the global hot key creatable from layouts.
#include "framework/layout/ClassInfo.h"
#include "services/GlobalHotKey.h"
#include "services/OneInstance.h"
#include "services/Starter.h"

namespace zindra {

void RegisterStarterClasses() {
    ClassRegistry::Register(TZkStarter::StaticClass());
    ClassRegistry::Register(TZkOneInstance::StaticClass());
    ClassRegistry::Register(TZkGlobalHotKey::StaticClass());
}

}  // namespace zindra
