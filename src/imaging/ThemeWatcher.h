// Whether the system's visual styles are on, for the range tracks' default look and the image
// viewer's size grip. One for the program, owned by the application: made at start-up, freed
// at exit. It owns a hidden window the desktop tells of theme switches; on a switch it asks
// again and has every window repaint.
//
// NOTE: where the answer comes from is the desktop's business: on Windows the back end loads the
// theme library at run time and asks it (styles count as off where it is missing); on the
// simulated desktop it is one of the machine's settings.
#pragma once

#include "framework/Component.h"
#include "platform/Win32Types.h"

namespace zindra {

struct TMessage;

class TThemeWatcher : public TComponent {
public:
    // owner: the application, or a component of it.
    explicit TThemeWatcher(TComponent* owner);
    ~TThemeWatcher() override;

    bool ThemesEnabled() const { return enabled_; }

    // The watcher among the application's components of any component, or null (styles off).
    static TThemeWatcher* Of(const TComponent& anyComponent);
    // Whether the component's application has a watcher that finds styles on.
    static bool ThemesEnabledFor(const TComponent& anyComponent);

private:
    void WindowMethod(TMessage& message);
    void RepaintForms();

    platform::WindowHandle window_ = 0;
    bool enabled_ = false;
};

}  // namespace zindra
