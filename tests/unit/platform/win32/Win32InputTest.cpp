// Mouse and key messages as events: buttons, signed client coordinates and shift states.
#include "platform/win32/Win32Input.h"

#include <gtest/gtest.h>

namespace zindra::platform::win32 {
namespace {

LPARAM At(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
}

TEST(Win32Input, PressCarriesPositionButtonAndHeldModifiers) {
    HeldKeys held;
    held.Alt = true;  // mouse messages have no flag for Alt
    const auto e = TranslateInput(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, At(12, 34), held);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Kind, EventKind::MouseDown);
    EXPECT_EQ(e->Button, MouseButton::Left);
    EXPECT_EQ(e->X, 12);
    EXPECT_EQ(e->Y, 34);
    EXPECT_EQ(e->Shift, kShiftKey | kAltKey | kLeftButton);
}

TEST(Win32Input, CoordinatesLeftOfAndAboveTheWindowStayNegative) {
    const auto e = TranslateInput(WM_MOUSEMOVE, MK_LBUTTON, At(-5, -1), {});
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Kind, EventKind::MouseMove);
    EXPECT_EQ(e->X, -5);
    EXPECT_EQ(e->Y, -1);
    EXPECT_EQ(e->Shift, kLeftButton);
}

TEST(Win32Input, ReleaseNamesItsButtonWithoutItsBit) {
    const auto right = TranslateInput(WM_RBUTTONUP, MK_CONTROL, At(1, 2), {});
    ASSERT_TRUE(right);
    EXPECT_EQ(right->Kind, EventKind::MouseUp);
    EXPECT_EQ(right->Button, MouseButton::Right);
    EXPECT_EQ(right->Shift, kCtrlKey);
    const auto middle = TranslateInput(WM_MBUTTONDOWN, MK_MBUTTON | MK_RBUTTON, At(0, 0), {});
    ASSERT_TRUE(middle);
    EXPECT_EQ(middle->Button, MouseButton::Middle);
    EXPECT_EQ(middle->Shift, kMiddleButton | kRightButton);
}

TEST(Win32Input, ASecondQuickPressIsAPress) {
    const auto e = TranslateInput(WM_LBUTTONDBLCLK, MK_LBUTTON, At(3, 3), {});
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Kind, EventKind::MouseDown);
    EXPECT_EQ(e->Button, MouseButton::Left);
}

TEST(Win32Input, KeysTakeTheirShiftStateFromHeldKeysAndButtons) {
    HeldKeys held;
    held.Ctrl = true;
    held.Left = true;
    const auto down = TranslateInput(WM_KEYDOWN, 'X', 0x002D0001, held);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->Kind, EventKind::KeyDown);
    EXPECT_EQ(down->Key, static_cast<std::uint32_t>('X'));
    EXPECT_EQ(down->Shift, kCtrlKey | kLeftButton);
    const auto up = TranslateInput(WM_KEYUP, VK_RETURN, 0, {});
    ASSERT_TRUE(up);
    EXPECT_EQ(up->Kind, EventKind::KeyUp);
    EXPECT_EQ(up->Key, VK_RETURN);
    EXPECT_EQ(up->Shift, 0u);
}

TEST(Win32Input, SystemKeysAreKeysButAltMakesNoCharacter) {
    HeldKeys held;
    held.Alt = true;
    const auto down = TranslateInput(WM_SYSKEYDOWN, VK_F4, 0, held);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->Kind, EventKind::KeyDown);
    EXPECT_EQ(down->Key, VK_F4);
    EXPECT_EQ(down->Shift, kAltKey);
    EXPECT_FALSE(TranslateInput(WM_SYSCHAR, 'x', 0, held));
}

TEST(Win32Input, CharactersAreTheirAnsiByte) {
    const auto e = TranslateInput(WM_CHAR, 0xE9, 0, {});  // e acute in the Western code page
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Kind, EventKind::Char);
    EXPECT_EQ(e->Key, 0xE9u);
}

TEST(Win32Input, WheelTurnsKeepTheirSignedDeltaAndScreenPoint) {
    const auto back = TranslateInput(WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, static_cast<WORD>(-240)),
                                     MAKELPARAM(static_cast<WORD>(-5), 700), {});
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Kind, EventKind::MouseWheel);
    EXPECT_EQ(back->Delta, -240);
    EXPECT_EQ(back->X, -5);  // a second monitor left of the first
    EXPECT_EQ(back->Y, 700);
    EXPECT_EQ(back->Shift, kShiftKey);
}

TEST(Win32Input, OtherMessagesAreNotInput) {
    EXPECT_FALSE(TranslateInput(WM_PAINT, 0, 0, {}));
    EXPECT_FALSE(TranslateInput(WM_NCMOUSEMOVE, 0, 0, {}));
}

}  // namespace
}  // namespace zindra::platform::win32
