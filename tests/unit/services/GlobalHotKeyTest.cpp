// Global hot keys: registration, the event on a scripted key, conflicts, changes and destruction.
#include "services/GlobalHotKey.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/controls/Form.h"
#include "framework/layout/ClassInfo.h"
#include "framework/layout/LayoutReader.h"
#include "unit/services/ServiceWorld.h"

namespace zindra {
namespace {

using platform::MOD_ALT;
using platform::MOD_CONTROL;
using testing::JsonField;
using testing::OtherProgram;
using testing::ServiceWorld;

class KeyForm : public TForm {
public:
    explicit KeyForm(TComponent* owner) : TForm(owner) {
        Method("HotKeyDown", &KeyForm::HotKeyDown);
        Field("ZkGlobalHotKey1", close);
        Field("ZkGlobalHotKey2", swallow);
    }
    void HotKeyDown(TObject* sender, std::uint16_t& key, TShiftState shift) {
        presses.push_back({sender, key, shift});
        key = 0;  // has no effect on anything
    }
    struct Press {
        TObject* Sender;
        std::uint16_t Key;
        TShiftState Shift;
    };
    TZkGlobalHotKey* close = nullptr;
    TZkGlobalHotKey* swallow = nullptr;
    std::vector<Press> presses;
    const ClassInfo& ClassType() const override { return StaticClass(); }
    static const ClassInfo& StaticClass() {
        static const ClassInfo info{"TKeyForm", &TForm::StaticClass(), {}, {}};
        return info;
    }
};

constexpr const char* kMenuKeys = R"(object Menu: TKeyForm
  object ZkGlobalHotKey1: TZkGlobalHotKey
    HotKey = 16472
    OnKeyDown = HotKeyDown
  end
  object ZkGlobalHotKey2: TZkGlobalHotKey
    HotKey = 49242
  end
end
)";

struct HotKeyTest : ::testing::Test {
    ServiceWorld world;
    KeyForm* form = nullptr;
    void SetUp() override {
        form = world.app->CreateForm<KeyForm>();
        ReadLayoutText(*form, form, kMenuKeys);
    }
    std::vector<std::string> HotKeyLines() {
        std::vector<std::string> out;
        for (const std::string& line : world.Journal("hotkey")) {
            out.push_back(JsonField(line, "mods") + "+" + JsonField(line, "vk") + ":" + JsonField(line, "registered"));
        }
        return out;
    }
};

TEST(TShortCut, SplitsIntoKeyShiftAndModifiers) {
    EXPECT_EQ(ShortCutKey(16472), 0x58);
    EXPECT_EQ(ShortCutShift(16472), kCtrlKey);
    EXPECT_EQ(ShortCutShift(49242), kCtrlKey | kAltKey);
    EXPECT_EQ(ShortCutShift(scShift | 'A'), kShiftKey);
    EXPECT_EQ(HotKeyModifiers(kCtrlKey), 2u);
    EXPECT_EQ(HotKeyModifiers(kAltKey), 1u);
    EXPECT_EQ(HotKeyModifiers(kShiftKey), 4u);
    EXPECT_EQ(HotKeyModifiers(kCtrlKey | kAltKey | kShiftKey), 7u);
}

TEST_F(HotKeyTest, TheLayoutRegistersBothCombinations) {
    EXPECT_EQ(HotKeyLines(), (std::vector<std::string>{"2+88:true", "3+90:true"}));
    EXPECT_TRUE(form->close->Active());
    // The id is the global atom named after the object's identity.
    const std::string identity = std::to_string(reinterpret_cast<std::uintptr_t>(form->close));
    const std::uint16_t atom = world.machine.AddAtom(identity);
    EXPECT_EQ(atom, form->close->HotKeyId());
    world.machine.DeleteAtom(atom);
    EXPECT_NE(form->close->HotKeyId(), form->swallow->HotKeyId());
}

TEST_F(HotKeyTest, CtrlXRaisesOnKeyDownWithTheComponentsCombination) {
    for (int i = 0; i < 2; ++i) {
        world.machine.Input().Key('X', MOD_CONTROL);
        world.Settle();
    }
    ASSERT_EQ(form->presses.size(), 2u);
    for (const KeyForm::Press& press : form->presses) {
        EXPECT_EQ(press.Sender, form->close);
        EXPECT_EQ(press.Key, 'X');  // the handler's change of the first did nothing
        EXPECT_EQ(press.Shift, kCtrlKey);
    }
    // Ctrl+Alt+Z is taken and raises nothing.
    world.machine.Input().Key('Z', MOD_CONTROL | MOD_ALT);
    world.Settle();
    EXPECT_EQ(form->presses.size(), 2u);
}

TEST_F(HotKeyTest, TheEventReportsTheCurrentHotKeyWhateverTheMessageHolds) {
    world.process.GetDesktop().PostMessage(form->close->WindowHandle(), platform::WM_HOTKEY, 0x1234,
                                           MOD_ALT | ('Q' << 16));
    world.Settle();
    ASSERT_EQ(form->presses.size(), 1u);
    EXPECT_EQ(form->presses[0].Key, 'X');
    EXPECT_EQ(form->presses[0].Shift, kCtrlKey);
}

TEST_F(HotKeyTest, ACombinationHeldByAnotherProgramNeverFiresHere) {
    OtherProgram other(world.machine, "Other");
    auto* taker = new TZkGlobalHotKey(other.app.get());
    int fired = 0;
    taker->OnKeyDown = [&](TObject*, std::uint16_t&, TShiftState) { ++fired; };
    taker->SetHotKey(16472);
    EXPECT_EQ(HotKeyLines().back(), "2+88:false");
    world.machine.Input().Key('X', MOD_CONTROL);
    world.Settle();
    other.app->ProcessMessages();
    EXPECT_EQ(form->presses.size(), 1u);
    EXPECT_EQ(fired, 0);
}

TEST_F(HotKeyTest, ChangingTheHotKeyReleasesTheOldCombination) {
    form->close->SetHotKey(scCtrl | 'Y');
    EXPECT_EQ(HotKeyLines(), (std::vector<std::string>{"2+88:true", "3+90:true", "2+88:false", "2+89:true"}));
    world.machine.Input().Key('X', MOD_CONTROL);
    world.machine.Input().Key('Y', MOD_CONTROL);
    world.Settle();
    ASSERT_EQ(form->presses.size(), 1u);
    EXPECT_EQ(form->presses[0].Key, 'Y');
    // Another program can now have the released one.
    OtherProgram other(world.machine, "Other");
    (new TZkGlobalHotKey(other.app.get()))->SetHotKey(16472);
    EXPECT_EQ(HotKeyLines().back(), "2+88:true");
}

TEST_F(HotKeyTest, ActiveRegistersAndUnregistersTheCurrentCombination) {
    form->close->SetActive(false);
    EXPECT_EQ(HotKeyLines().back(), "2+88:false");
    world.machine.Input().Key('X', MOD_CONTROL);
    world.Settle();
    EXPECT_TRUE(form->presses.empty());
    form->close->SetHotKey(scCtrl | 'W');  // stored only while inactive
    form->close->SetActive(true);
    EXPECT_EQ(HotKeyLines().back(), "2+87:true");
    const auto before = HotKeyLines().size();
    form->close->SetHotKey(0);
    EXPECT_EQ(HotKeyLines().back(), "2+87:false");
    form->close->SetActive(false);
    form->close->SetActive(true);  // no combination: nothing to register
    EXPECT_EQ(HotKeyLines().size(), before + 1);
}

TEST_F(HotKeyTest, AnExceptionFromTheHandlerGoesToTheApplication) {
    std::vector<std::string> reported;
    world.app->OnException = [&](const std::exception& e) { reported.push_back(e.what()); };
    form->close->OnKeyDown = [](TObject*, std::uint16_t&, TShiftState) { throw std::runtime_error("closing failed"); };
    world.machine.Input().Key('X', MOD_CONTROL);
    world.Settle();
    EXPECT_EQ(reported, (std::vector<std::string>{"closing failed"}));
}

TEST_F(HotKeyTest, DestructionGivesBackCombinationAtomAndWindow) {
    const platform::WindowHandle window = form->close->WindowHandle();
    const std::uint16_t id = form->close->HotKeyId();
    form->DestroyComponent(form->close);
    EXPECT_EQ(HotKeyLines().back(), "2+88:false");
    EXPECT_FALSE(world.machine.Windows().Get(window).has_value());
    // The atom is gone: its number is handed out again.
    const std::uint16_t again = world.machine.AddAtom("probe");
    EXPECT_EQ(again, id);
    world.machine.DeleteAtom(again);
}

TEST_F(HotKeyTest, AHandlerMayFreeItsOwnComponent) {
    form->close->OnKeyDown = [this](TObject*, std::uint16_t&, TShiftState) {
        form->DestroyComponent(form->close);
        form->close = nullptr;
    };
    world.machine.Input().Key('X', MOD_CONTROL);
    world.Settle();
    EXPECT_EQ(form->close, nullptr);
    EXPECT_EQ(HotKeyLines().back(), "2+88:false");
}

}  // namespace
}  // namespace zindra
