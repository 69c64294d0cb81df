// The menu's screens: the intro frames, language choice, name and hand, and the six options.
#include "Pictures.h"

#include <cmath>
#include <numbers>

#include "JpegOut.h"

namespace zindra::suitemaker {

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr ZoneStyle kNormalZone{{40, 60, 96}, {235, 235, 235}, kWhite};
constexpr ZoneStyle kHoverZone{{255, 222, 70}, {255, 128, 0}, {25, 25, 25}};
constexpr int kTitleSize = 40;

TRgbImage Background(Rgb top, Rgb bottom) {
    TRgbImage image(kScreenWidth, kScreenHeight);
    image.VerticalGradient({0, 0, kScreenWidth, kScreenHeight}, top, bottom);
    return image;
}

TRgbImage LanguageBackground(bool afrikaans) {
    return afrikaans ? Background({150, 70, 25}, {45, 20, 10}) : Background({25, 70, 150}, {10, 20, 45});
}

void Title(TRgbImage& image, TFontFace& font, int top, const std::string& text, int size = kTitleSize) {
    font.DrawCentred(image, {0, top, kScreenWidth, top + size * 3 / 2}, text, size, kWhite);
}

void Zone(TRgbImage& image, TFontFace& font, const Rect& zone, const std::string& label, const std::string& object,
          bool hover, int textSize = 26) {
    DrawZone(image, font, zone, label, object, hover, hover ? kHoverZone : kNormalZone, textSize);
}

// A small button's place with its caption above it.
void SmallButton(TRgbImage& image, TFontFace& font, const Rect& zone, const std::string& icon,
                 const std::string& caption) {
    Zone(image, font, zone, icon, "", false, 22);
    font.DrawCentred(image, {zone.Left - 6, zone.Top - 17, zone.Right + 6, zone.Top - 1}, caption, 12, kWhite);
}

}  // namespace

MenuZones MenuZones::FromLayout(const LayoutBounds& b) {
    MenuZones z;
    for (int i = 0; i < 6; ++i) {
        z.Options[static_cast<std::size_t>(i)] = BoundsOf(b, "option" + std::to_string(i + 1));
    }
    z.Afrikaans = BoundsOf(b, "langoverlayafr");
    z.English = BoundsOf(b, "langoverlayeng");
    z.LeftHand = BoundsOf(b, "lefthandbut_a");
    z.RightHand = BoundsOf(b, "righthandbut_a");
    z.NameEdit = BoundsOf(b, "nameedit");
    z.Music = BoundsOf(b, "musicknop");
    z.Report = BoundsOf(b, "reportbut");
    z.Back = BoundsOf(b, "backbut");
    z.Exit = BoundsOf(b, "exitbut");
    return z;
}

void DrawNameTag(TRgbImage& image, TFontFace& font, const std::string& name, bool bottom) {
    const int width = font.TextWidth(name, 15) + 16;
    const int top = bottom ? image.Height() - 30 : 6;
    const Rect tag{6, top, 6 + width, top + 24};
    image.RoundedBox(tag, 6, {0, 0, 0}, kWhite, 1);
    font.DrawCentred(image, tag, name, 15, kWhite);
}

void DrawZone(TRgbImage& image, TFontFace& font, const Rect& zone, const std::string& label,
              const std::string& objectName, bool hover, const ZoneStyle& style, int textSize) {
    image.RoundedBox(zone, 10, style.Fill, style.Border, hover ? 4 : 2);
    if (!objectName.empty()) {
        font.DrawAt(image, {zone.Left + 9, zone.Top + 4}, objectName, 10, Mix(style.Fill, style.Text, 170));
    }
    font.DrawCentred(image, zone, label, textSize, style.Text);
    if (hover) {
        const int width = font.TextWidth("hover", 13) + 14;
        const Rect tag{zone.Right - width - 7, zone.Top + 6, zone.Right - 7, zone.Top + 24};
        image.RoundedBox(tag, 5, {200, 25, 25}, {200, 25, 25}, 0);
        font.DrawCentred(image, tag, "hover", 13, kWhite);
    }
}

TRgbImage IntroFrame(TFontFace& font, int frame) {
    TRgbImage image = Background({20, 30, 95}, {85, 20, 110});
    Title(image, font, 90, "Zindra Gr 6-7", 56);
    // The ball flies along an arc, one step a frame, with a fading trail behind it.
    auto ballAt = [](int f) {
        const double t = (f - 1) / double(kIntroFrames - 1);
        return Point{80 + static_cast<int>(std::lround(640 * t)),
                     330 - static_cast<int>(std::lround(std::sin(std::numbers::pi * t) * 110))};
    };
    for (int f = 1; f < frame; ++f) {
        image.Disc(ballAt(f), 8, Mix({85, 20, 110}, {255, 210, 60}, 60 + 14 * f));
    }
    image.Disc(ballAt(frame), 30, {255, 210, 60});
    Title(image, font, 420, "Intro frame " + std::to_string(frame) + " of " + std::to_string(kIntroFrames), 34);
    for (int s = 1; s <= kIntroFrames; ++s) {
        const Rect step{114 + (s - 1) * 44, 510, 114 + (s - 1) * 44 + 38, 530};
        image.RoundedBox(step, 4, s <= frame ? Rgb{255, 210, 60} : Rgb{60, 40, 90}, kWhite, 1);
    }
    DrawNameTag(image, font, "intro_" + std::to_string(frame) + ".jpg");
    return image;
}

TRgbImage LanguageScreen(TFontFace& font, const MenuZones& zones, const ScreenState& state) {
    TRgbImage image = Background({10, 95, 105}, {5, 35, 55});
    Title(image, font, 120, "Kies jou taal");
    Title(image, font, 190, "Choose your language", 30);
    Zone(image, font, zones.Afrikaans, "AFRIKAANS", "langoverlayafr", state.Hover == 1, 40);
    Zone(image, font, zones.English, "ENGLISH", "langoverlayeng", state.Hover == 2, 40);
    DrawNameTag(image, font, state.Name);
    return image;
}

TRgbImage NameScreen(TFontFace& font, const MenuZones& zones, const ScreenState& state) {
    const bool afr = state.Afrikaans;
    TRgbImage image = LanguageBackground(afr);
    Title(image, font, 120, afr ? "Welkom by Zindra" : "Welcome to Zindra");
    const Rect& edit = zones.NameEdit;
    font.DrawCentred(image, {edit.Left, edit.Top - 56, edit.Right, edit.Top - 6},
                     afr ? "Tik jou naam" : "Type your name", 34, kWhite);
    image.Fill(edit, {0x33, 0x33, 0x33});
    image.Frame(edit, kWhite, 2);
    font.DrawAt(image, {edit.Left + 6, edit.Top + 3}, "nameedit", 10, {190, 190, 190});
    const Rect between{zones.LeftHand.Right, zones.LeftHand.Top, zones.RightHand.Left, zones.RightHand.Bottom};
    font.DrawCentred(image, between, afr ? "Kies jou hand" : "Choose your hand", 26, kWhite);
    Zone(image, font, zones.LeftHand, afr ? "Links" : "Left", afr ? "lefthandbut_a" : "lefthandbut_e", false, 24);
    Zone(image, font, zones.RightHand, afr ? "Regs" : "Right", afr ? "righthandbut_a" : "righthandbut_e", false, 24);
    DrawNameTag(image, font, state.Name);
    return image;
}

TRgbImage OptionScreen(TFontFace& font, const MenuZones& zones, const ScreenState& state) {
    static const char* const kAfrikaans[] = {"Wiskunde", "Geheue", "Lees", "Studiemetodes", "Woorde", "Logika"};
    static const char* const kEnglish[] = {"Mathematics", "Memory", "Reading", "Study methods", "Words", "Logic"};
    const bool afr = state.Afrikaans;
    TRgbImage image = LanguageBackground(afr);
    Title(image, font, 110, afr ? "Kies 'n opsie" : "Choose an option");
    for (int i = 0; i < 6; ++i) {
        const std::string label = afr ? kAfrikaans[i] : kEnglish[i];
        Zone(image, font, zones.Options[static_cast<std::size_t>(i)], label, "option" + std::to_string(i + 1),
             state.Hover == i + 1);
    }
    SmallButton(image, font, zones.Music, "\u266A", afr ? "musiek" : "music");
    SmallButton(image, font, zones.Report, "\u270E", afr ? "verslag" : "report");
    SmallButton(image, font, zones.Back, "\u2190", afr ? "terug" : "back");
    SmallButton(image, font, zones.Exit, "\u2715", afr ? "uit" : "exit");
    DrawNameTag(image, font, state.Name);
    return image;
}

void WriteMenuPictures(const std::filesystem::path& outDir, TFontFace& font, const MenuZones& zones) {
    const std::filesystem::path menu = outDir / "menu";
    auto write = [&](const TRgbImage& image, const std::string& name) { WriteJpeg(menu / name, image); };
    for (int frame = 1; frame <= kIntroFrames; ++frame) {
        write(IntroFrame(font, frame), "intro_" + std::to_string(frame) + ".jpg");
    }
    for (int hover = 0; hover <= 2; ++hover) {
        const std::string name = hover == 0 ? "m_1.jpg" : "m_1_" + std::to_string(hover) + ".jpg";
        write(LanguageScreen(font, zones, {name, false, hover}), name);
    }
    for (const bool afr : {true, false}) {
        const std::string tag = afr ? "a" : "e";
        write(NameScreen(font, zones, {"m_2" + tag + ".jpg", afr, 0}), "m_2" + tag + ".jpg");
        for (int hover = 0; hover <= 6; ++hover) {
            const std::string name = "m_3" + tag + (hover == 0 ? "" : "_" + std::to_string(hover)) + ".jpg";
            write(OptionScreen(font, zones, {name, afr, hover}), name);
        }
    }
}

}  // namespace zindra::suitemaker
