// The window timer component: ticks on the user-interface thread through its own hidden window
// while it is enabled, has a non-zero interval and a handler.
#pragma once

#include <cstdint>

#include "framework/Component.h"
#include "platform/Win32Types.h"

namespace zindra {

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    std::uint32_t Interval() const { return interval_; }
    void SetInterval(std::uint32_t interval);
    void SetIntervalInt(int interval) { SetInterval(static_cast<std::uint32_t>(interval)); }
    // Setting the handler (re)starts the timer when it is enabled, as setting the interval does.
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    void SetOnTimer(TNotifyEvent handler);

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    void Update();

    platform::WindowHandle window_ = 0;
    TNotifyEvent onTimer_;
    bool enabled_ = true;
    std::uint32_t interval_ = 1000;
};

// The kit's message boxes: the application title as caption, OK only.
int ShowMessageBox(TComponent& anyComponent, const std::string& text, std::uint32_t iconFlags);

}  // namespace zindra
