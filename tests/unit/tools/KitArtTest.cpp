// The kit's built-in pictures in assets/ are what their generator draws, and the hand's hot spot
// lies on its finger.
#include "kit-art/KitArt.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace zindra::kitart {
namespace {

std::vector<std::uint8_t> Asset(const std::string& relative) {
    std::ifstream in(std::filesystem::path(ZINDRA_SOURCE_DIR) / "assets" / relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(KitArt, TheAssetsAreWhatTheGeneratorDraws) {
    EXPECT_EQ(Asset("cursors/hand.cur"), HandCursorFile()) << "run make-kit-art assets/cursors and copy hand.cur";
    EXPECT_EQ(Asset("pictures/morph-face1.bmp"), FaceFile(1));
    EXPECT_EQ(Asset("pictures/morph-face2.bmp"), FaceFile(2));
}

TEST(KitArt, TheHotSpotIsAWhitePixelOfTheFingerTip) {
    const auto& art = HandArt();
    ASSERT_EQ(art.size(), 32u);
    EXPECT_EQ(art[kHandHotSpotY][kHandHotSpotX], 'o');
    EXPECT_EQ(art[kHandHotSpotY - 1][kHandHotSpotX], 'X');
    EXPECT_THROW(FaceFile(3), std::invalid_argument);
}

}  // namespace
}  // namespace zindra::kitart
