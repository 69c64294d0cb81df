// The kit's per-program object: finding it, the instance mutex and its name.
#include "services/ZkApplication.h"

#include <gtest/gtest.h>

#include "framework/Exception.h"
#include "framework/app/Application.h"
#include "services/OneInstance.h"
#include "services/Starter.h"
#include "unit/services/ServiceWorld.h"

namespace zindra {
namespace {

using testing::JsonField;
using testing::ServiceWorld;
using testing::SimWorld;

TEST(TZkApplication, IsFoundFromAnyComponentOfTheProgram) {
    ServiceWorld world;
    auto* owner = new TComponent(world.app.get());
    auto* inner = new TComponent(owner);
    EXPECT_EQ(TZkApplication::Of(*inner), world.zk);
    EXPECT_EQ(TZkApplication::Of(*world.app), world.zk);
    TComponent loose(nullptr);
    EXPECT_EQ(TZkApplication::Of(loose), nullptr);
    EXPECT_EQ(world.zk->TimerPool().MinInterval(), 50u);
    EXPECT_EQ(TZkTimerPool::kDefaultMinInterval, 1000u);
}

TEST(TZkApplication, ComponentsThatNeedItFailClearlyWithoutIt) {
    SimWorld world;
    auto* owner = new TComponent(world.app.get());
    try {
        new TZkStarter(owner);
        FAIL() << "a starter was made without the program's TZkApplication";
    } catch (const EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "TZkStarter needs the program's TZkApplication, which has not been created");
    }
    EXPECT_THROW(new TZkOneInstance(owner), EInvalidOperation);
    EXPECT_EQ(owner->ComponentCount(), 0);  // the failed ones left their owner
    EXPECT_THROW(TZkApplication(nullptr), EInvalidOperation);
}

TEST(TZkApplication, NamesTheMutexAfterTheProgramFileAsReported) {
    auto config = testing::ServiceConfig();
    config.ProgramFile = "C:\\Program Files\\Suite\\MENU.Exe";
    ServiceWorld world(config);
    EXPECT_EQ(world.zk->MutexName(), "MENU.Exe");
    EXPECT_FALSE(world.zk->SecondInstance());
    const auto lines = world.Journal("mutex");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(JsonField(lines[0], "name"), "MENU.Exe");
    EXPECT_EQ(JsonField(lines[0], "existed"), "false");
    EXPECT_EQ(ProgramFileName("Menu.exe"), "Menu.exe");
    EXPECT_EQ(ProgramFileName("C:Menu.exe"), "Menu.exe");
}

TEST(TZkApplication, ASecondProgramOfTheSameNameIsTheSecondInstance) {
    ServiceWorld world;
    {
        platform::sim::SimProcess second(world.machine);
        TApplication app2(second);
        auto* zk2 = new TZkApplication(&app2);
        EXPECT_TRUE(zk2->SecondInstance());
        EXPECT_EQ(JsonField(world.Journal("mutex").back(), "existed"), "true");
    }
    // Another file name is another program; and the first's mutex goes with its object.
    world.machine.CreateMutex("Other.exe");
    world.app->DestroyComponent(world.zk);
    platform::sim::SimProcess third(world.machine);
    TApplication app3(third);
    EXPECT_FALSE((new TZkApplication(&app3))->SecondInstance());
}

}  // namespace
}  // namespace zindra
