// Controls on a simulated window: the edit box's keys and case, focus for typing, modal loops,
// message boxes, the exception report and hints.
#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

#include "framework/app/Timer.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/HintWindow.h"
#include "framework/controls/Image.h"
#include "framework/graphics/FontEngine.h"
#include "support/SimWorld.h"

namespace zindra {
namespace {

struct ControlsTest : ::testing::Test {
    testing::SimWorld world;
    TForm* form = world.app->CreateForm<TForm>();
    void SetUp() override {
        form->SetBounds(0, 0, 300, 200);
        form->Show();
        world.Settle();
    }
    TEdit* MakeEdit() {
        auto* edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, 30);
        return edit;
    }
    std::vector<std::string> JournalWith(const std::string& part) {
        std::vector<std::string> found;
        for (const auto& line : world.machine.GetJournal().Lines()) {
            if (line.find(part) != std::string::npos) found.push_back(line);
        }
        return found;
    }
};

TEST_F(ControlsTest, TypingGoesToTheFirstFocusableBoxAndReplacesTheSelectedText) {
    TEdit* edit = MakeEdit();
    edit->SetText("ZINDRA");
    world.machine.Input().Type("ann");
    world.Settle();
    EXPECT_EQ(edit->Text(), "ann");
    edit->SetCharCase(TEditCharCase::ecUpperCase);
    EXPECT_EQ(edit->Text(), "ANN");
    world.machine.Input().Type("a");
    world.machine.Input().Key(platform::VK_BACK, 0);
    world.machine.Input().Key(platform::VK_BACK, 0);
    world.machine.Input().Key(platform::VK_RETURN, 0);
    world.Settle();
    EXPECT_EQ(edit->Text(), "AN");
}

TEST_F(ControlsTest, KeyPressSeesTheTextBeforeTheKeyAndMaySwallowIt) {
    TEdit* edit = MakeEdit();
    std::vector<std::string> seen;
    edit->OnKeyPress = [&](TObject*, char& key) {
        seen.push_back(edit->Text());
        if (key == '"') key = 0;
    };
    edit->SetText("");
    world.machine.Input().Type("a\"b");
    world.Settle();
    EXPECT_EQ(edit->Text(), "ab");
    EXPECT_EQ(seen, (std::vector<std::string>{"", "a", "a"}));
}

TEST_F(ControlsTest, DeleteAndCaretKeysEditInPlace) {
    TEdit* edit = MakeEdit();
    edit->SetText("ABCD");
    edit->SetFocus();
    world.machine.Input().Key(platform::VK_HOME, 0);
    world.machine.Input().Key(platform::VK_RIGHT, 0);
    world.machine.Input().Key(platform::VK_DELETE, 0);
    world.machine.Input().Type("x");
    world.Settle();
    EXPECT_EQ(edit->Text(), "AxCD");
}

TEST_F(ControlsTest, AClickPutsTheCaretAfterTheLettersLeftOfItAndSelectsNothing) {
    TEdit* edit = MakeEdit();
    edit->Font()->SetSize(24);  // letters wide enough that the margins cannot decide the answer
    edit->SetText("ABCD");
    const auto width = [&](const char* head) {
        return FontEngine::Instance().TextExtent(edit->Font()->Description(), head).Width;
    };
    const auto clickAt = [&](int xInBox) {
        world.machine.Input().Click(10 + xInBox, 25, platform::MouseButton::Left);
        world.Settle();
        return std::pair{edit->SelStart(), edit->SelLength()};
    };
    EXPECT_EQ(clickAt((width("AB") + width("ABC")) / 2), (std::pair{2, 0}));
    EXPECT_EQ(clickAt(0), (std::pair{0, 0}));
    EXPECT_EQ(clickAt(195), (std::pair{4, 0}));
}

TEST_F(ControlsTest, FocusingAnInvisibleBoxFailsClearly) {
    TEdit* edit = MakeEdit();
    edit->SetVisible(false);
    EXPECT_THROW(edit->SetFocus(), EInvalidOperation);
}

TEST_F(ControlsTest, ShowModalRunsANestedLoopUntilClosedAndBlocksTheOwner) {
    auto* dialog = world.app->CreateForm<TForm>();
    dialog->SetBounds(50, 50, 100, 80);
    int timerTicks = 0;
    auto* timer = new TTimer(form);
    timer->SetInterval(100);
    timer->SetOnTimer([&](TObject*) {
        if (++timerTicks == 3) dialog->Close();
    });
    int clicksOnOwner = 0;
    form->OnClick = [&](TObject*) { ++clicksOnOwner; };
    world.machine.Input().MoveTo(5, 190);
    const TModalResult result = dialog->ShowModal();
    EXPECT_EQ(result, TModalResult::mrCancel);
    EXPECT_EQ(timerTicks, 3);
    EXPECT_EQ(world.Now(), 300);
    EXPECT_FALSE(dialog->Visible());
    world.machine.Input().Click(5, 190, platform::MouseButton::Left);
    world.Settle();
    EXPECT_EQ(clicksOnOwner, 1);  // enabled again after the modal loop
}

TEST_F(ControlsTest, TerminateEndsAModalLoop) {
    auto* dialog = world.app->CreateForm<TForm>();
    auto* timer = new TTimer(dialog);
    timer->SetInterval(50);
    timer->SetOnTimer([&](TObject*) { world.app->Terminate(); });
    EXPECT_EQ(dialog->ShowModal(), TModalResult::mrCancel);
}

TEST_F(ControlsTest, AnExceptionInAHandlerIsReportedWithTheTitleAndAFullStop) {
    world.app->SetTitle("Zindra Gr 67");
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetBounds(0, 0, 50, 50);
    image->OnClick = [](TObject*) { throw std::runtime_error("Cannot open file x.jpg"); };
    world.machine.Input().Click(10, 10, platform::MouseButton::Left);
    world.Settle();
    const auto boxes = JournalWith("message-box");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(R"("kind":"error","caption":"Zindra Gr 67","text":"Cannot open file x.jpg.")"),
              std::string::npos)
        << boxes[0];
}

struct LoudHint : THintWindow {
    using THintWindow::THintWindow;
    static int made;
    Rect CalcHintRect(int maxWidth, const std::string& hint) override {
        ++made;
        return THintWindow::CalcHintRect(maxWidth, hint);
    }
};
int LoudHint::made = 0;

TEST_F(ControlsTest, HintsShowAfterThePauseInTheReplaceableWindowClass) {
    world.app->SetHintWindowClass([](TApplication& app) { return new LoudHint(&app); });
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetBounds(100, 100, 50, 50);
    image->SetHint("Exit Zindra!");
    image->SetShowHint(true);
    world.machine.Input().MoveTo(120, 120);
    world.RunFor(400);
    ASSERT_TRUE(world.app->HintWindow() == nullptr || !world.app->HintWindow()->Visible());
    world.RunFor(200);
    ASSERT_NE(world.app->HintWindow(), nullptr);
    EXPECT_TRUE(world.app->HintWindow()->Visible());
    EXPECT_EQ(world.app->HintWindow()->HintText(), "Exit Zindra!");
    EXPECT_EQ(LoudHint::made, 1);
    world.RunFor(2600);
    EXPECT_FALSE(world.app->HintWindow()->Visible());
}

}  // namespace
}  // namespace zindra
