// The menu's mixer: device 0 is opened while the layout is read and closed again by its stored
// MixerId, in its place among the components; without a mixer the menu starts all the same.
#include <gtest/gtest.h>

#include "flow/MenuWorld.h"
#include "framework/app/Application.h"
#include "menu/MainForm.h"

namespace zindra::testing {
namespace {

// "mixer op device", "hotkey vk" and "window" lines of the start, in order.
std::vector<std::string> StartOrder(const MenuWorld& world) {
    std::vector<std::string> order;
    for (const JournalEntry& entry : world.Journal()) {
        if (entry.Event == "mixer") {
            order.push_back("mixer " + entry.Text("op") + " " + std::to_string(entry.Number("device")));
        } else if (entry.Event == "hotkey" && entry.Flag("registered")) {
            order.push_back("hotkey " + std::to_string(entry.Number("vk")));
        } else if (entry.Event == "window" && (order.empty() || order.back() != "window")) {
            order.push_back("window");
        }
    }
    return order;
}

TEST(MixerFlow, TheLayoutOpensDeviceZeroAndItsMixerIdClosesItBeforeTheVolumeStarter) {
    // Ctrl+X (88) comes before the mixer in the layout, Ctrl+Alt+Z (90) after the volume starter.
    for (const bool mixer : {true, false}) {
        auto config = MenuWorld::DefaultConfig();
        if (!mixer) config.Mixers.clear();
        MenuWorld world(config);
        world.Start();
        const std::vector<std::string> order =
            mixer ? std::vector<std::string>{"hotkey 88", "mixer open 0", "mixer close 0", "hotkey 90", "window"}
                  : std::vector<std::string>{"hotkey 88", "hotkey 90", "window"};
        EXPECT_EQ(StartOrder(world), order) << (mixer ? "with" : "without") << " a mixer";
        world.RunFor(3000);
        EXPECT_FALSE(world.app->Terminated());
    }
}

}  // namespace
}  // namespace zindra::testing
