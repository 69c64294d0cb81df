// The exit screen's background and advert, and the pictures stored with the main window's layout.
#include "Pictures.h"

#include <algorithm>
#include <cmath>

#include "JpegOut.h"
#include "PngOut.h"

namespace zindra::suitemaker {

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kInk{25, 25, 25};

// A hand button face: pointing hand and word; the "-to" face is lit.
TRgbImage HandFace(TFontFace& font, int width, bool right, const std::string& word, bool lit) {
    TRgbImage image(width, 89);
    const Rgb top = lit ? Rgb{255, 235, 120} : Rgb{225, 230, 240};
    const Rgb bottom = lit ? Rgb{255, 170, 30} : Rgb{150, 160, 185};
    image.VerticalGradient({0, 0, width, 89}, top, bottom);
    image.Frame({0, 0, width, 89}, lit ? Rgb{200, 40, 0} : Rgb{70, 80, 100}, lit ? 4 : 2);
    font.DrawCentred(image, {0, 4, width, 52}, right ? "\u261E" : "\u261C", 40, kInk);
    font.DrawCentred(image, {0, 52, width, 84}, word, 20, kInk);
    return image;
}

// A 48x45 small button face.
TRgbImage SmallFace(TFontFace& font, const std::string& icon, Rgb base, bool lit) {
    TRgbImage image(48, 45);
    image.VerticalGradient({0, 0, 48, 45}, Mix(base, kWhite, lit ? 160 : 70), base);
    image.Frame({0, 0, 48, 45}, lit ? Rgb{255, 230, 0} : kWhite, lit ? 3 : 1);
    font.DrawCentred(image, {0, 0, 48, 45}, icon, 26, kWhite);
    return image;
}

// See-through corners of radius r around a w x h face, edges anti-aliased over one pixel.
std::vector<std::uint8_t> RoundedAlpha(int w, int h, double r) {
    std::vector<std::uint8_t> alpha;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double dx = std::max({r - (x + 0.5), (x + 0.5) - (w - r), 0.0});
            const double dy = std::max({r - (y + 0.5), (y + 0.5) - (h - r), 0.0});
            const double outside = std::hypot(dx, dy) - r + 0.5;
            alpha.push_back(static_cast<std::uint8_t>(std::lround(255.0 * std::clamp(1.0 - outside, 0.0, 1.0))));
        }
    return alpha;
}

// The exit screen's round 49x49 button faces: 0 the layout's stored picture, 1 rest, 2 hover,
// 3 pressed (darker, the cross one pixel lower and to the right).
TRgbImage ExitScreenFace(TFontFace& font, int face) {
    constexpr int kSide = 49;
    const Rgb base = face == 0 ? Rgb{120, 120, 120} : face == 3 ? Rgb{120, 15, 15} : Rgb{190, 30, 30};
    TRgbImage image(kSide, kSide);
    image.VerticalGradient({0, 0, kSide, kSide}, Mix(base, kWhite, face == 2 ? 150 : face == 3 ? 20 : 80), base);
    const Rgb ring = face == 2 ? Rgb{255, 230, 0} : kWhite;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const double d = std::hypot(x + 0.5 - kSide / 2.0, y + 0.5 - kSide / 2.0);
            if (d >= kSide / 2.0 - (face == 2 ? 4 : 2)) image.Blend(x, y, ring, 255);
        }
    const int shift = face == 3 ? 1 : 0;
    font.DrawCentred(image, {shift, shift, kSide + shift, kSide + shift}, "\u2715", 24, kWhite);
    return image;
}

// The plate behind the exit screen's button: a warm glow fading out towards its edges.
TRgbImage ExitPlate(std::vector<std::uint8_t>& alpha) {
    constexpr int kWidth = 77, kHeight = 68;
    TRgbImage image(kWidth, kHeight);
    image.VerticalGradient({0, 0, kWidth, kHeight}, {255, 215, 90}, {230, 120, 20});
    alpha.clear();
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            // The button's centre lies at (15 + 24.5, 12 + 24.5) of the plate.
            const double d = std::hypot((x + 0.5 - 39.5) / 36.0, (y + 0.5 - 36.5) / 31.0);
            alpha.push_back(static_cast<std::uint8_t>(std::lround(230.0 * std::clamp(1.0 - d, 0.0, 1.0))));
        }
    return image;
}

}  // namespace

TRgbImage ExitBackground(TFontFace& font, bool afrikaans) {
    TRgbImage image(kScreenWidth, kScreenHeight);
    image.VerticalGradient({0, 0, kScreenWidth, kScreenHeight}, {60, 20, 80}, {15, 10, 30});
    font.DrawCentred(image, {0, 8, kScreenWidth, 60}, afrikaans ? "Totsiens" : "Goodbye", 40, kWhite);
    image.Fill(kAdvertViewer, {30, 30, 30});
    image.Frame(kAdvertViewer, {255, 200, 60}, 3);
    font.DrawCentred(image, kAdvertViewer, afrikaans ? "advertensie hier (642 x 475)" : "advert here (642 x 475)", 22,
                     {160, 160, 160});
    image.RoundedBox(kExitScreenButton, 8, {190, 30, 30}, kWhite, 2);
    font.DrawCentred(image, kExitScreenButton, "\u2715", 26, kWhite);
    DrawNameTag(image, font, afrikaans ? "addback_A.jpg" : "addback_E.jpg", true);
    return image;
}

TRgbImage Advert(TFontFace& font, bool afrikaans) {
    TRgbImage image(kAdvertWidth, kAdvertHeight);
    image.VerticalGradient({0, 0, kAdvertWidth, kAdvertHeight}, {250, 240, 200}, {170, 210, 250});
    // Rulers down the left edge and along the lines so any scroll position can be read off a
    // screenshot.
    for (int x = 100; x < kAdvertWidth; x += 100)
        image.Fill({x, 90, x + 1, kAdvertHeight - 90}, {190, 190, 205});
    for (int y = 100; y < kAdvertHeight - 90; y += 100) {
        image.Fill({0, y, kAdvertWidth, y + 2}, {120, 120, 140});
        font.DrawAt(image, {8, y + 4}, "y = " + std::to_string(y), 14, kInk);
        for (int x = 200; x < kAdvertWidth; x += 200)
            font.DrawAt(image, {x + 4, y + 4}, "x = " + std::to_string(x), 12, {90, 90, 110});
    }
    image.Fill({0, 0, kAdvertWidth, 90}, {30, 120, 40});
    font.DrawCentred(image, {0, 0, kAdvertWidth, 90}, "TOP", 54, kWhite);
    image.Fill({0, kAdvertHeight - 90, kAdvertWidth, kAdvertHeight}, {150, 30, 30});
    font.DrawCentred(image, {0, kAdvertHeight - 90, kAdvertWidth, kAdvertHeight}, "BOTTOM", 54, kWhite);
    font.DrawCentred(image, {0, 420, kAdvertWidth, 500}, "Zindra Gr 6-7", 48, kInk);
    font.DrawCentred(image, {0, 500, kAdvertWidth, 560},
                     afrikaans ? "Leer, speel en oefen elke dag!" : "Learn, play and practise every day!", 26, kInk);
    font.DrawCentred(image, {0, 640, kAdvertWidth, 700}, afrikaans ? "Rol af vir meer" : "Scroll down for more", 22,
                     {60, 60, 90});
    DrawNameTag(image, font, afrikaans ? "add_A.jpg" : "add_E.jpg");
    return image;
}

void WriteExitPictures(const std::filesystem::path& outDir, TFontFace& font) {
    WriteJpeg(outDir / "addback_A.jpg", ExitBackground(font, true));
    WriteJpeg(outDir / "addback_E.jpg", ExitBackground(font, false));
    WriteJpeg(outDir / "add_A.jpg", Advert(font, true));
    WriteJpeg(outDir / "add_E.jpg", Advert(font, false));
}

void WriteLayoutPictures(const std::filesystem::path& dir, TFontFace& font) {
    TRgbImage splash(kScreenWidth, kScreenHeight);
    splash.VerticalGradient({0, 0, kScreenWidth, kScreenHeight}, {20, 30, 95}, {10, 10, 30});
    font.DrawCentred(splash, {0, 220, kScreenWidth, 320}, "Zindra Gr 6-7", 72, kWhite);
    font.DrawCentred(splash, {0, 320, kScreenWidth, 370}, "Afrikaans \u00B7 English", 26, {200, 200, 230});
    DrawNameTag(splash, font, "form1-bground.jpg", true);
    WriteJpeg(dir / "form1-bground.jpg", splash);

    WriteJpeg(dir / "lefthandbut_a-from.jpg", HandFace(font, 103, false, "Links", false));
    WriteJpeg(dir / "lefthandbut_a-to.jpg", HandFace(font, 103, false, "Links", true));
    WriteJpeg(dir / "righthandbut_a-from.jpg", HandFace(font, 104, true, "Regs", false));
    WriteJpeg(dir / "righthandbut_a-to.jpg", HandFace(font, 103, true, "Regs", true));
    WriteJpeg(dir / "lefthandbut_e-from.jpg", HandFace(font, 103, false, "Left", false));
    WriteJpeg(dir / "lefthandbut_e-to.jpg", HandFace(font, 103, false, "Left", true));
    WriteJpeg(dir / "righthandbut_e-from.jpg", HandFace(font, 104, true, "Right", false));
    WriteJpeg(dir / "righthandbut_e-to.jpg", HandFace(font, 103, true, "Right", true));

    for (const bool lit : {false, true}) {
        const std::string suffix = lit ? "-to.jpg" : "-from.jpg";
        WriteJpeg(dir / ("backbut" + suffix), SmallFace(font, "\u2190", {30, 90, 170}, lit));
    }
    // The exit and report buttons' hover pictures are PNG: RGB, and RGB with see-through corners.
    WriteJpeg(dir / "exitbut-from.jpg", SmallFace(font, "\u2715", {170, 25, 25}, false));
    WritePng(dir / "exitbut-to.png", SmallFace(font, "\u2715", {170, 25, 25}, true), {});
    WriteJpeg(dir / "reportbut-from.jpg", SmallFace(font, "\u270E", {30, 130, 60}, false));
    WritePng(dir / "reportbut-to.png", SmallFace(font, "\u270E", {30, 130, 60}, true), RoundedAlpha(48, 45, 10));
    WriteJpeg(dir / "musicknop.jpg", SmallFace(font, "\u266A", {110, 40, 140}, false));

    // The exit screen's layout: the plate behind its button, and the button's four round faces.
    std::vector<std::uint8_t> plateAlpha;
    const TRgbImage plate = ExitPlate(plateAlpha);
    WritePng(dir / "advertform-image1.png", plate, plateAlpha);
    const std::vector<std::uint8_t> round = RoundedAlpha(49, 49, 24.5);
    const char* faces[] = {"advertform-exitbut.png", "advertform-exitbut-from.png", "advertform-exitbut-to.png",
                           "advertform-exitbut-down.png"};
    for (int face = 0; face < 4; ++face)
        WritePng(dir / faces[face], ExitScreenFace(font, face), round);
}

}  // namespace zindra::suitemaker
