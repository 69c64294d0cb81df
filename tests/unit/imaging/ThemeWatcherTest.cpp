// Visual-style detection on the simulated desktop: the machine's setting at start, a switch while
// the program runs (journalled, told to the watcher, the windows repainted in the new look), no
// watcher meaning styles off, and a watcher gone no longer being told.
#include "imaging/ThemeWatcher.h"

#include <gtest/gtest.h>

#include "framework/controls/Form.h"
#include "imaging/RangeTrack.h"
#include "support/SimWorld.h"

namespace zindra {
namespace {

platform::sim::SimConfig WithStyles(bool on) {
    platform::sim::SimConfig config;
    config.VisualStyles = on;
    return config;
}

int JournalCount(testing::SimWorld& world, const std::string& fragment) {
    int n = 0;
    for (const std::string& line : world.machine.GetJournal().Lines())
        n += line.find(fragment) != std::string::npos ? 1 : 0;
    return n;
}

TEST(ThemeWatcher, StartsFromTheMachinesSetting) {
    for (const bool on : {false, true}) {
        testing::SimWorld world(WithStyles(on));
        auto* watcher = new TThemeWatcher(world.app.get());
        EXPECT_EQ(watcher->ThemesEnabled(), on);
        EXPECT_EQ(TThemeWatcher::Of(*world.app), watcher);
        EXPECT_EQ(TThemeWatcher::ThemesEnabledFor(*world.app->CreateForm<TForm>()), on);
    }
}

TEST(ThemeWatcher, WithoutAWatcherStylesCountAsOff) {
    testing::SimWorld world(WithStyles(true));
    TForm* form = world.app->CreateForm<TForm>();
    EXPECT_EQ(TThemeWatcher::Of(*form), nullptr);
    EXPECT_FALSE(TThemeWatcher::ThemesEnabledFor(*form));
}

TEST(ThemeWatcher, ASwitchIsJournalledFollowedAndRepaintsTheBars) {
    testing::SimWorld world(WithStyles(false));
    auto* watcher = new TThemeWatcher(world.app.get());
    TForm* form = world.app->CreateForm<TForm>();
    form->SetBounds(0, 0, 200, 100);
    auto* bar = new TRangeTrack(form);
    bar->SetParent(form);
    bar->SetBorderStyle(TBorderStyle::bsNone);
    bar->SetBounds(10, 10, 100, 16);
    bar->SetParams(1000, 300);
    form->Show();
    world.Settle();
    const Pixel classicButton = world.machine.Screenshot().At(12, 12);

    world.machine.Themes().SetEnabled(true);
    world.Settle();
    EXPECT_TRUE(watcher->ThemesEnabled());
    EXPECT_EQ(JournalCount(world, "\"ev\":\"visual-styles\",\"on\":true"), 1);
    EXPECT_NE(world.machine.Screenshot().At(12, 12), classicButton) << "the bar was not drawn anew";

    world.machine.Themes().SetEnabled(false);
    world.Settle();
    EXPECT_FALSE(watcher->ThemesEnabled());
    EXPECT_EQ(world.machine.Screenshot().At(12, 12), classicButton);

    world.app->DestroyComponent(watcher);
    world.machine.Themes().SetEnabled(true);  // no one is told any more
    world.Settle();
    EXPECT_FALSE(TThemeWatcher::ThemesEnabledFor(*bar));
}

}  // namespace
}  // namespace zindra
