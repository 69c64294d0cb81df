// The suite's pictures: the menu screens, the exit screens and the pictures stored with the main window.
#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "Draw.h"
#include "LayoutBounds.h"

namespace zindra::suitemaker {

inline constexpr int kScreenWidth = 800;
inline constexpr int kScreenHeight = 600;
inline constexpr int kIntroFrames = 13;
// Where the exit screen's advert viewer and exit button sit (fixed by the exit window, not the layout).
inline constexpr Rect kAdvertViewer = {77, 64, 77 + 642, 64 + 475};
inline constexpr Rect kExitScreenButton = {738, 546, 738 + 49, 546 + 49};
// Larger than the viewer both ways, so both of its bars show.
inline constexpr int kAdvertWidth = 900;
inline constexpr int kAdvertHeight = 1200;

// The hot zones of the main window, in window pixels, as the layout places them.
struct MenuZones {
    std::array<Rect, 6> Options;
    Rect Afrikaans, English;
    Rect LeftHand, RightHand, NameEdit;
    Rect Music, Report, Back, Exit;

    // Throws SuiteError naming the first object the layout lacks.
    static MenuZones FromLayout(const LayoutBounds& bounds);
};

// Which zone a screen shows under the mouse; 0 for none. Language: 1 Afrikaans, 2 English.
// Options: 1..6.
struct ScreenState {
    std::string Name;  // the file name, drawn in the corner
    bool Afrikaans = false;
    int Hover = 0;
};

TRgbImage IntroFrame(TFontFace& font, int frame);
TRgbImage LanguageScreen(TFontFace& font, const MenuZones& zones, const ScreenState& state);
TRgbImage NameScreen(TFontFace& font, const MenuZones& zones, const ScreenState& state);
TRgbImage OptionScreen(TFontFace& font, const MenuZones& zones, const ScreenState& state);
TRgbImage ExitBackground(TFontFace& font, bool afrikaans);
TRgbImage Advert(TFontFace& font, bool afrikaans);

// Every menu/ picture under outDir/menu.
void WriteMenuPictures(const std::filesystem::path& outDir, TFontFace& font, const MenuZones& zones);
// addback_A/E.jpg and add_A/E.jpg in outDir.
void WriteExitPictures(const std::filesystem::path& outDir, TFontFace& font);
// The pictures the layout names: form1-bground.jpg and the hand and small button faces.
void WriteLayoutPictures(const std::filesystem::path& dir, TFontFace& font);

// Shared look: the file name in a dark tag at the top-left corner (or bottom-left), and a zone.
void DrawNameTag(TRgbImage& image, TFontFace& font, const std::string& name, bool bottom = false);
struct ZoneStyle {
    Rgb Fill, Border, Text;
};
void DrawZone(TRgbImage& image, TFontFace& font, const Rect& zone, const std::string& label,
              const std::string& objectName, bool hover, const ZoneStyle& style, int textSize);

}  // namespace zindra::suitemaker
