// The menu closed while its intro runs, on a machine whose display restore is slow: a tick of the
// intro's timer that waits to be handed over while the window goes must never reach its handlers.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "flow/MenuWorld.h"
#include "framework/app/Application.h"
#include "menu/MainForm.h"
#include "widgets/ThreadedTimer.h"

namespace zindra::testing {
namespace {

constexpr std::uint32_t kSlowDisplayMs = 1000;  // far longer than a frame's 150 ms

struct Ending {
    const char* Name;
    std::function<void(MenuWorld&)> Prepare;  // before the start
    std::function<void(MenuWorld&)> End;      // with frame 13 on the screen
};

TEST(Shutdown, ATickThatArrivesWhileTheWindowGoesNeverReachesItsHandler) {
    const Ending endings[] = {
        {"Ctrl+X", [](MenuWorld&) {}, [](MenuWorld& w) { w.Key('X', platform::MOD_CONTROL); }},
        {"missing frame 13", [](MenuWorld& w) { std::filesystem::remove(w.Suite() / "menu" / "intro_13.jpg"); },
         [](MenuWorld&) {}},
    };
    for (const Ending& ending : endings) {
        SCOPED_TRACE(ending.Name);
        platform::sim::SimConfig config = MenuWorld::DefaultConfig();
        config.DisplayChangeMs = kSlowDisplayMs;
        MenuWorld world(config);
        ending.Prepare(world);
        world.Start();
        ASSERT_EQ(world.machine.Screen().Current().Width, 800);
        while (world.form->FrameNo < 13 && !world.app->Terminated())
            world.RunFor(10);
        ASSERT_EQ(world.form->FrameNo, 13);
        ending.End(world);
        ASSERT_TRUE(world.app->Terminated());

        // Watch the handlers without changing what they do.
        bool going = false;
        int lateTicks = 0;
        const TNotifyEvent destroy = world.form->OnDestroy;
        world.form->OnDestroy = [&, destroy](TObject* sender) {
            going = true;
            destroy(sender);
        };
        TThreadedTimer* timer = world.form->animatetimer;
        const TNotifyEvent tick = timer->OnTimer;
        timer->OnTimer = [&, tick](TObject* sender) {
            lateTicks += going;
            tick(sender);
        };
        // Frame 13 came at most 10 ms ago, so the next tick falls due while the window goes.
        const std::int64_t closedAt = world.Now();
        world.Close();
        ASSERT_GE(world.Now(), closedAt + 150);
        EXPECT_EQ(lateTicks, 0);
        EXPECT_EQ(world.machine.Screen().Current().Width, 1024);
        EXPECT_TRUE(world.Journal("taskbar").back().Flag("visible"));
    }
}

}  // namespace
}  // namespace zindra::testing
