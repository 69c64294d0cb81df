// The kit's per-program object.
#include "services/ZkApplication.h"

#include "framework/Exception.h"
#include "framework/app/Application.h"
#include "framework/layout/ClassInfo.h"
#include "platform/Platform.h"

namespace zindra {

namespace {

TApplication& CheckedOwner(TApplication* owner) {
    if (!owner) throw EInvalidOperation("TZkApplication needs the program's TApplication as its owner");
    return *owner;
}

}  // namespace

std::string ProgramFileName(const std::string& modulePath) {
    const auto slash = modulePath.find_last_of("\\/:");
    return slash == std::string::npos ? modulePath : modulePath.substr(slash + 1);
}

const ClassInfo& TZkApplication::StaticClass() {
    static const ClassInfo info{"TZkApplication", &TComponent::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TZkApplication::ClassType() const {
    return StaticClass();
}

TZkApplication::TZkApplication(TApplication* owner) : TComponent(owner), application_(CheckedOwner(owner)) {
    pool_ = std::make_unique<TZkTimerPool>(application_, slots_, kPoolMinInterval);
    if (IsDesigning()) return;
    platform::System& system = application_.Platform().GetSystem();
    mutexName_ = ProgramFileName(system.ModuleFileName());
    const platform::MutexResult result = system.CreateMutex(mutexName_);
    mutex_ = result.Handle;
    secondInstance_ = result.Handle != 0 && result.AlreadyExisted;
}

TZkApplication::~TZkApplication() {
    pool_.reset();
    if (mutex_) application_.Platform().GetSystem().CloseMutex(mutex_);
}

TZkApplication* TZkApplication::Of(const TComponent& anyComponentOfTheProgram) {
    TApplication* app = anyComponentOfTheProgram.Application();
    if (!app) return nullptr;
    for (TComponent* component : app->Components()) {
        if (auto* found = dynamic_cast<TZkApplication*>(component)) return found;
    }
    return nullptr;
}

TZkApplication& TZkApplication::Required(const TComponent& component, const std::string& who) {
    TZkApplication* found = Of(component);
    if (!found) throw EInvalidOperation(who + " needs the program's TZkApplication, which has not been created");
    return *found;
}

}  // namespace zindra
