// The kit's own built-in pictures, drawn here and written as the files kept in assets/: the
// hand pointer (a Windows cursor file) and the morph button's two default faces (16-colour
// Windows bitmaps).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zindra::kitart {

// The hand as rows of text: 'X' black, 'o' white, '.' transparent; 32 by 32.
const std::vector<std::string>& HandArt();
inline constexpr int kHandHotSpotX = 5;
inline constexpr int kHandHotSpotY = 2;
inline constexpr int kFaceWidth = 120;
inline constexpr int kFaceHeight = 50;

// The bytes of assets/cursors/hand.cur.
std::vector<std::uint8_t> HandCursorFile();
// The bytes of assets/pictures/morph-face1.bmp (face 1) and morph-face2.bmp (face 2).
std::vector<std::uint8_t> FaceFile(int face);

}  // namespace zindra::kitart
