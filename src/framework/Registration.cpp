// The framework's creatable classes and picture kinds.
#include "framework/Registration.h"

#include "framework/Resources.h"
#include "framework/app/Timer.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Image.h"
#include "framework/graphics/FontEngine.h"
#include "framework/graphics/Graphic.h"
#include "framework/layout/ClassInfo.h"

namespace zindra {

void RegisterFrameworkClasses() {
    ClassRegistry::Register(TImage::StaticClass());
    ClassRegistry::Register(TEdit::StaticClass());
    ClassRegistry::Register(TTimer::StaticClass());
    RegisterStandardGraphics();
    FontEngine& fonts = FontEngine::Instance();
    if (!fonts.HasFallback()) {
        const auto font = FindResource("fallback-font.ttf");
        if (!font.empty()) fonts.SetFallback(font);
    }
}

}  // namespace zindra
