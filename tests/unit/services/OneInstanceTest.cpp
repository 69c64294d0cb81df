// The single-instance guard: one a program, and the hand-over between two programs on one machine.
#include "services/OneInstance.h"

#include <gtest/gtest.h>

#include "framework/controls/Form.h"
#include "framework/layout/ClassInfo.h"
#include "framework/layout/LayoutReader.h"
#include "unit/services/ServiceWorld.h"

namespace zindra {
namespace {

using testing::ExitCalled;
using testing::JsonField;
using testing::OtherProgram;
using testing::ServiceWorld;

constexpr const char* kTitle = "Zindra Menu";

class GuardedForm : public TForm {
public:
    explicit GuardedForm(TComponent* owner) : TForm(owner) {
        Method("Custom", &GuardedForm::Custom);
        Field("ZkOneInstance1", guard);
    }
    void Custom(TObject* sender) { customSender = sender; }
    TZkOneInstance* guard = nullptr;
    TObject* customSender = nullptr;
    const ClassInfo& ClassType() const override { return StaticClass(); }
    static const ClassInfo& StaticClass() {
        static const ClassInfo info{"TGuardedForm", &TForm::StaticClass(), {}, {}};
        return info;
    }
};

std::string Layout(const std::string& properties) {
    return "object Menu: TGuardedForm\n  object ZkOneInstance1: TZkOneInstance\n" + properties + "  end\nend\n";
}

TEST(TZkOneInstance, OnlyOneAProgram) {
    ServiceWorld world;
    auto* first = new TZkOneInstance(world.app.get());
    EXPECT_TRUE(first->Enabled());
    EXPECT_EQ(first->Mode(), TZkOneInstanceMode::oiActivateOnly);
    try {
        new TZkOneInstance(world.app.get());
        FAIL() << "a second guard was made";
    } catch (const EZkOneInstError& e) {
        EXPECT_STREQ(e.what(), "TZkOneInstance:\rAlready one TZkOneInstance control in this project!");
    }
    EXPECT_EQ(TZkOneInstance::LiveCount(*world.app), 1);
    EXPECT_EQ(world.app->ComponentCount(), 2);  // the TZkApplication and the first guard
    // Another program keeps its own count.
    {
        OtherProgram other(world.machine, kTitle);
        EXPECT_NO_THROW(new TZkOneInstance(other.app.get()));
        EXPECT_EQ(TZkOneInstance::LiveCount(*other.app), 1);
    }
    world.app->DestroyComponent(first);
    EXPECT_EQ(TZkOneInstance::LiveCount(*world.app), 0);
    EXPECT_NO_THROW(new TZkOneInstance(world.app.get()));
    EXPECT_STREQ(EZkOneInstError("TZkShapedHint", EZkOneInstError::kInvalidOwner).what(),
                 "TZkShapedHint:\rInvalid owner (<>TForm) or second instance on a form");
}

TEST(TZkOneInstance, TheFirstInstanceCarriesOn) {
    ServiceWorld world;
    world.app->SetTitle(kTitle);
    auto* form = world.app->CreateForm<GuardedForm>();
    EXPECT_NO_THROW(ReadLayoutText(*form, form, Layout("")));
    EXPECT_FALSE(world.app->Terminated());
}

struct HandOver : ::testing::Test {
    ServiceWorld world;
    GuardedForm* firstForm = nullptr;
    OtherProgram second{world.machine, kTitle};
    GuardedForm* secondForm = nullptr;

    void SetUp() override {
        world.app->SetTitle(kTitle);
        firstForm = world.app->CreateForm<GuardedForm>();
        firstForm->Show();
        firstForm->SetWindowState(TWindowState::wsMinimized);
        world.Settle();
        ASSERT_TRUE(FirstIconic());
        ASSERT_TRUE(second.zk->SecondInstance());
        secondForm = second.app->CreateForm<GuardedForm>();
    }
    bool FirstIconic() { return world.process.GetDesktop().IsIconic(world.app->Handle()); }
    // Reads the second program's window; true when that program ended itself with code 0.
    bool SecondEnds(const std::string& properties) {
        try {
            ReadLayoutText(*secondForm, secondForm, Layout(properties));
        } catch (const ExitCalled& exit) {
            EXPECT_EQ(exit.Code, 0u);
            EXPECT_TRUE(second.app->Terminated());
            return true;
        }
        return false;
    }
    bool SecondShowedAWindow() {
        for (const std::string& line : world.Journal("window")) {
            if (JsonField(line, "class") == "TGuardedForm" && JsonField(line, "title") != "") return true;
        }
        return !world.machine.Windows().Get(second.app->Handle())->Title.empty() || secondForm->Visible();
    }
};

TEST_F(HandOver, TheSecondRestoresTheMinimisedFirstAndEnds) {
    EXPECT_TRUE(SecondEnds(""));
    EXPECT_FALSE(FirstIconic());
    EXPECT_FALSE(SecondShowedAWindow());
    EXPECT_TRUE(world.Journal("message-box").empty());
    // The first program learns of the restore and shows its main window normally again.
    world.Settle();
    EXPECT_EQ(firstForm->WindowState(), TWindowState::wsNormal);
}

TEST_F(HandOver, TheDefaultMessageComesBeforeTheFirstIsRestored) {
    EXPECT_TRUE(SecondEnds("    Mode = oiDefaultMessage\n"));
    EXPECT_FALSE(FirstIconic());
    const auto lines = world.machine.GetJournal().Lines();
    int box = -1, restore = -1;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        if (lines[i].find("\"ev\":\"message-box\"") != std::string::npos) box = i;
        if (lines[i].find("\"class\":\"TApplication\"") != std::string::npos &&
            JsonField(lines[i], "state") == "normal") {
            restore = i;
        }
    }
    ASSERT_GE(box, 0);
    EXPECT_LT(box, restore);
    EXPECT_EQ(JsonField(lines[box], "text"), "\"Zindra Menu\" was already started...");
    EXPECT_EQ(JsonField(lines[box], "kind"), "information");
    EXPECT_EQ(JsonField(lines[box], "buttons"), "ok");
}

TEST_F(HandOver, CustomModeRaisesOnCustomInsteadAndStillEnds) {
    EXPECT_TRUE(SecondEnds("    Mode = oiCustom\n    OnCustom = Custom\n"));
    EXPECT_EQ(secondForm->customSender, secondForm->guard);
    EXPECT_TRUE(FirstIconic());  // the handler chose not to bring it forward
}

TEST_F(HandOver, CustomModeWithoutHandlerBringsTheFirstForward) {
    EXPECT_TRUE(SecondEnds("    Mode = oiCustom\n"));
    EXPECT_FALSE(FirstIconic());
}

TEST_F(HandOver, ADisabledGuardLetsTheSecondRun) {
    EXPECT_FALSE(SecondEnds("    Enabled = False\n"));
    EXPECT_FALSE(second.app->Terminated());
    EXPECT_TRUE(FirstIconic());
}

TEST_F(HandOver, NoFirstWindowUnderThatTitleStillEnds) {
    world.app->SetTitle("Renamed");
    EXPECT_TRUE(SecondEnds(""));
    EXPECT_TRUE(FirstIconic());
}

}  // namespace
}  // namespace zindra
