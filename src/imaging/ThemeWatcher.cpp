// Visual-style detection and theme switches.
#include "imaging/ThemeWatcher.h"

#include "framework/Exception.h"
#include "framework/app/Application.h"
#include "framework/controls/Form.h"
#include "platform/Platform.h"

namespace zindra {

TThemeWatcher::TThemeWatcher(TComponent* owner) : TComponent(owner) {
    TApplication* app = Application();
    if (!app) throw EInvalidOperation("A theme watcher needs an application");
    window_ = app->AllocateHWnd([this](TMessage& m) { WindowMethod(m); });
    platform::Desktop& desktop = app->Platform().GetDesktop();
    desktop.WatchThemeChanges(window_, true);
    enabled_ = desktop.VisualStylesEnabled();
}

TThemeWatcher::~TThemeWatcher() {
    if (TApplication* app = Application()) {
        app->Platform().GetDesktop().WatchThemeChanges(window_, false);
        app->DeallocateHWnd(window_);
    }
}

TThemeWatcher* TThemeWatcher::Of(const TComponent& anyComponent) {
    const TApplication* app = anyComponent.Application();
    if (!app) return nullptr;
    for (TComponent* c : app->Components()) {
        if (auto* watcher = dynamic_cast<TThemeWatcher*>(c)) return watcher;
    }
    return nullptr;
}

bool TThemeWatcher::ThemesEnabledFor(const TComponent& anyComponent) {
    const TThemeWatcher* watcher = Of(anyComponent);
    return watcher && watcher->ThemesEnabled();
}

void TThemeWatcher::WindowMethod(TMessage& message) {
    if (message.Msg != platform::WM_THEMECHANGED) return;
    enabled_ = Application()->Platform().GetDesktop().VisualStylesEnabled();
    RepaintForms();
}

// Every window hears of a switch on Windows and draws itself anew; here the watcher says so.
void TThemeWatcher::RepaintForms() {
    for (TComponent* c : Application()->Components()) {
        if (auto* form = dynamic_cast<TCustomForm*>(c)) form->InvalidateRect(form->ClientRect());
    }
}

}  // namespace zindra
