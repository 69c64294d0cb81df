// The clipboard between pictures: what goes there comes back as a bitmap, in the same program or
// another one on the machine, and every failure leaves the target as it was.
#include "framework/app/Clipboard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/Exception.h"
#include "framework/graphics/BitmapGraphic.h"
#include "framework/graphics/Picture.h"
#include "support/SimWorld.h"

namespace zindra {
namespace {

TBitmap Pattern(int width, int height, int bits) {
    TBitmap bitmap;
    bitmap.SetBitsPerPixel(bits);
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            bitmap.Pixels().At(x, y) =
                MakePixel(static_cast<std::uint8_t>(40 * x), static_cast<std::uint8_t>(30 * y), 7);
    }
    return bitmap;
}

std::string ClipboardLine(const platform::sim::SimMachine& machine) {
    const std::vector<std::string> lines = machine.GetJournal().Lines();
    const auto line = std::find_if(lines.rbegin(), lines.rend(),
                                   [](const std::string& l) { return l.find("\"clipboard\"") != std::string::npos; });
    return line == lines.rend() ? std::string() : *line;
}

TEST(Clipboard, ABitmapComesBackWithItsPixelsAndDepthInAnyProgram) {
    testing::SimWorld world;
    TClipboard& clipboard = world.app->Clipboard();
    EXPECT_FALSE(clipboard.HasPicture());
    for (int bits : {24, 32}) {
        const TBitmap original = Pattern(5, 3, bits);
        clipboard.Assign(&original);
        EXPECT_TRUE(clipboard.HasPicture());
        EXPECT_NE(ClipboardLine(world.machine).find("\"width\":5,\"height\":3"), std::string::npos)
            << ClipboardLine(world.machine);

        // Another program on the same machine reads the same picture.
        platform::sim::SimProcess other(world.machine);
        TApplication otherApp(other);
        TPicture picture;
        otherApp.Clipboard().AssignTo(picture);
        const auto* back = dynamic_cast<const TBitmap*>(picture.Graphic());
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->Pixels(), original.Pixels()) << bits;
        EXPECT_EQ(back->BitsPerPixel(), bits);
    }
}

TEST(Clipboard, FailuresLeaveTheTargetAndTheClipboardAsTheyWere) {
    testing::SimWorld world;
    TClipboard& clipboard = world.app->Clipboard();
    TBitmap target = Pattern(2, 2, 24);
    const Bitmap32 before = target.Pixels();
    auto expectMessage = [&](auto action, const std::string& message) {
        try {
            action();
            ADD_FAILURE() << "no exception; expected " << message;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), message);
        }
        EXPECT_EQ(target.Pixels(), before);
    };

    expectMessage([&] { clipboard.AssignTo(target); }, "Unsupported clipboard format");

    const TBitmap kept = Pattern(3, 1, 24);
    clipboard.Assign(&kept);
    world.machine.Clipboard().SetHeldByAnotherProgram(true);
    expectMessage([&] { clipboard.AssignTo(target); }, "Cannot open clipboard");
    expectMessage([&] { clipboard.Assign(&target); }, "Cannot open clipboard");
    EXPECT_FALSE(clipboard.HasPicture());
    world.machine.Clipboard().SetHeldByAnotherProgram(false);

    // Nothing to put, and nothing to put it into.
    const TBitmap empty;
    expectMessage([&] { clipboard.Assign(&empty); }, "Cannot assign a TBitmap to a TClipboard");
    expectMessage([&] { clipboard.Assign(nullptr); }, "Cannot assign a nil to a TClipboard");
    TPersistent unrelated;
    expectMessage([&] { clipboard.AssignTo(unrelated); }, "Cannot assign a TClipboard to a TPersistent");

    // Another program left damaged data there.
    expectMessage(
        [&] {
            const std::vector<std::uint8_t> damaged = {40, 0, 0, 0, 0xFF};
            world.machine.Clipboard().Put(damaged);
            clipboard.AssignTo(target);
        },
        "Bitmap image is not valid");

    // What was put before the failures is still what a good read gets.
    clipboard.Assign(&kept);
    clipboard.AssignTo(target);
    EXPECT_EQ(target.Pixels(), kept.Pixels());
}

TEST(Clipboard, APictureGivesItsGraphicAndABitmapGoesAsItIs) {
    testing::SimWorld world;
    TPicture picture;
    const TBitmap keyed = [] {
        TBitmap b = Pattern(4, 2, 24);
        b.SetTransparent(true);  // the key colour (bottom left) is not drawn over black
        return b;
    }();
    picture.SetGraphic(&keyed);
    world.app->Clipboard().Assign(&picture);
    TBitmap back;
    world.app->Clipboard().AssignTo(back);
    EXPECT_EQ(back.Pixels(), keyed.Pixels()) << "a bitmap goes as it is, its key colour included";
}

}  // namespace
}  // namespace zindra
