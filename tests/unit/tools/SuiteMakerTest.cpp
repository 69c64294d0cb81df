// The generated demo suite: every file at its name, size and format, zones as the layout puts them, same bytes twice.
#include "make-suite/SuiteMaker.h"

#include <gtest/gtest.h>
#include <jpeglib.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Stream.h"
#include "imaging/PngGraphic.h"
#include "make-suite/LayoutBounds.h"
#include "make-suite/Music.h"
#include "make-suite/Sounds.h"
#include "platform/Geometry.h"
#include "platform/MidiFile.h"

namespace zindra::suitemaker {
namespace {

namespace fs = std::filesystem;
using platform::Rect;

std::vector<std::uint8_t> ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    std::vector<std::uint8_t> bytes(in ? static_cast<std::size_t>(in.tellg()) : 0);
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

struct Decoded {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Rgb;  // empty when only the header was read
    int Sum(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * Width + x) * 3;
        return Rgb[i] + Rgb[i + 1] + Rgb[i + 2];
    }
};

[[noreturn]] void ThrowJpegError(j_common_ptr info) {
    char message[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, message);
    throw std::runtime_error(message);
}

Decoded DecodeJpeg(const fs::path& file, bool pixels) {
    const std::vector<std::uint8_t> bytes = ReadFile(file);
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    errors.error_exit = ThrowJpegError;
    jpeg_create_decompress(&info);
    Decoded out;
    try {
        jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&info, TRUE);
        out.Width = static_cast<int>(info.image_width);
        out.Height = static_cast<int>(info.image_height);
        if (pixels) {
            info.out_color_space = JCS_RGB;
            jpeg_start_decompress(&info);
            out.Rgb.resize(static_cast<std::size_t>(out.Width) * out.Height * 3);
            while (info.output_scanline < info.output_height) {
                JSAMPROW row = out.Rgb.data() + static_cast<std::size_t>(info.output_scanline) * out.Width * 3;
                jpeg_read_scanlines(&info, &row, 1);
            }
            jpeg_finish_decompress(&info);
        }
    } catch (...) {
        jpeg_destroy_decompress(&info);
        throw;
    }
    jpeg_destroy_decompress(&info);
    return out;
}

constexpr Rect kNameTag{0, 0, 220, 40};

// The box around every pixel that differs clearly between two pictures, outside `ignore`.
Rect ChangedBox(const Decoded& a, const Decoded& b, const Rect& ignore = kNameTag) {
    Rect box{a.Width, a.Height, 0, 0};
    for (int y = 0; y < a.Height; ++y) {
        for (int x = 0; x < a.Width; ++x) {
            if (ignore.Contains({x, y}) || std::abs(a.Sum(x, y) - b.Sum(x, y)) < 90) {
                continue;
            }
            box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                   std::max(box.Bottom, y + 1)};
        }
    }
    return box;
}

void ExpectNear(const Rect& actual, const Rect& expected, const std::string& what) {
    constexpr int kSlack = 2;  // JPEG ringing around the highlight's edge
    EXPECT_NEAR(actual.Left, expected.Left, kSlack) << what;
    EXPECT_NEAR(actual.Top, expected.Top, kSlack) << what;
    EXPECT_NEAR(actual.Right, expected.Right, kSlack) << what;
    EXPECT_NEAR(actual.Bottom, expected.Bottom, kSlack) << what;
}

// A fresh folder under the system's temporary one, unique to this process.
fs::path FreshFolder(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / ("zindra-" + name + "-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

// Generates once for the whole suite (ctest runs each test in its own process, so once per test there).
class GeneratedSuite : public testing::Test {
protected:
    static void SetUpTestSuite() {
        root_ = FreshFolder("suitemaker-test");
        std::ofstream(root_ / "program.bin", std::ios::binary) << "#!/bin/sh\necho demo program\n";
        std::ofstream(root_ / "recorder.bin", std::ios::binary) << "recorder stand-in";
        fs::permissions(root_ / "program.bin", fs::perms::owner_read | fs::perms::owner_write);
        summary_ = MakeSuite(Options(root_ / "suite"));
    }
    static void TearDownTestSuite() { fs::remove_all(root_); }

    static SuiteOptions Options(const fs::path& out) {
        SuiteOptions options;
        options.OutDir = out;
        options.Program = root_ / "program.bin";
        options.Recorder = root_ / "recorder.bin";
        return options;
    }
    static fs::path Suite() { return root_ / "suite"; }

    static inline fs::path root_;
    static inline SuiteSummary summary_;
};

TEST_F(GeneratedSuite, EveryPictureHasItsNameAndSize) {
    struct Expected {
        std::string Name;
        int Width, Height;
    };
    std::vector<Expected> expected = {
        {"addback_A.jpg", 800, 600}, {"addback_E.jpg", 800, 600}, {"add_A.jpg", 900, 1200}, {"add_E.jpg", 900, 1200}};
    // The adverts are wider and taller than the exit screen's 642 x 475 viewer, so both bars scroll.
    std::vector<std::string> menu = {"m_1.jpg",  "m_1_1.jpg", "m_1_2.jpg", "m_2a.jpg",
                                     "m_2e.jpg", "m_3a.jpg",  "m_3e.jpg"};
    for (int i = 1; i <= 13; ++i) {
        menu.push_back("intro_" + std::to_string(i) + ".jpg");
    }
    for (int i = 1; i <= 6; ++i) {
        menu.push_back("m_3a_" + std::to_string(i) + ".jpg");
        menu.push_back("m_3e_" + std::to_string(i) + ".jpg");
    }
    for (const auto& name : menu) {
        expected.push_back({"menu/" + name, 800, 600});
    }
    for (const auto& e : expected) {
        const Decoded d = DecodeJpeg(Suite() / e.Name, false);
        EXPECT_EQ(d.Width, e.Width) << e.Name;
        EXPECT_EQ(d.Height, e.Height) << e.Name;
    }
    std::size_t pictures = 0;
    for (const auto& entry : fs::recursive_directory_iterator(Suite())) {
        pictures += entry.path().extension() == ".jpg" ? 1 : 0;
    }
    EXPECT_EQ(pictures, expected.size()) << "a picture nobody asked for, or one at a wrong name";
}

TEST_F(GeneratedSuite, ProgramsAreExactExecutableCopies) {
    const auto program = ReadFile(root_ / "program.bin");
    std::vector<std::string> places(ProgramPlaces().begin(), ProgramPlaces().end());
    EXPECT_EQ(places, (std::vector<std::string>{"SOMME/Somme.exe", "onthou/onthou.exe", "boeke/boeke.exe",
                                                "leerwyse/leerwyse.exe", "woorde/woorde.exe", "Raaisel/raaisel.exe",
                                                "uitslae/uitslae.exe"}));
    for (const auto& place : places) {
        EXPECT_EQ(ReadFile(Suite() / place), program) << place;
        EXPECT_NE(fs::status(Suite() / place).permissions() & fs::perms::owner_exec, fs::perms::none) << place;
    }
    EXPECT_EQ(ReadFile(Suite() / "recorder/recorder.exe"), ReadFile(root_ / "recorder.bin"));
    EXPECT_NE(fs::status(Suite() / "recorder/recorder.exe").permissions() & fs::perms::owner_exec, fs::perms::none);
}

TEST_F(GeneratedSuite, MarkerFilesHoldWhatTheMenuChecks) {
    const auto settings = ReadFile(Suite() / "displaysettings.txt");
    EXPECT_EQ(std::string(settings.begin(), settings.end()), "SET=YES\r\n");
    const auto control = ReadFile(Suite() / "mp3p.ocx");
    EXPECT_GT(control.size(), 10u);
    EXPECT_LT(control.size(), 1024u);
}

TEST_F(GeneratedSuite, SoundsAreCanonicalMono22050Pcm) {
    std::vector<fs::path> files = {Suite() / "fxsounds/back.wav"};
    for (const auto& line : SpokenLines()) {
        files.push_back(Suite() / "Sounds-eng" / line.File);
        files.push_back(Suite() / "Sounds-afr" / line.File);
    }
    std::set<std::vector<std::uint8_t>> distinct;
    for (const auto& file : files) {
        const auto b = ReadFile(file);
        ASSERT_GE(b.size(), 44u + 2000u) << file;
        auto u32 = [&](std::size_t at) {
            return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
        };
        auto u16 = [&](std::size_t at) { return b[at] | b[at + 1] << 8; };
        EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF") << file;
        EXPECT_EQ(u32(4), b.size() - 8) << file;
        EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ") << file;
        EXPECT_EQ(u16(20), 1) << file << ": PCM";
        EXPECT_EQ(u16(22), 1) << file << ": mono";
        EXPECT_EQ(u32(24), 22050u) << file;
        EXPECT_EQ(u32(28), 44100u) << file;
        EXPECT_EQ(u16(34), 16) << file;
        EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data") << file;
        EXPECT_EQ(u32(40), b.size() - 44) << file;
        distinct.insert(b);
    }
    EXPECT_EQ(distinct.size(), files.size()) << "two sounds came out the same";
}

TEST_F(GeneratedSuite, MusicPlaysForTheComposedLengths) {
    const std::vector<MusicPiece> pieces = ComposeMusic();
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0].File, "mm8-select.mid");
    EXPECT_EQ(pieces[0].LengthMs, 20000u);
    for (const auto& piece : pieces) {
        const auto bytes = ReadFile(Suite() / "Music" / piece.File);
        EXPECT_EQ(bytes, piece.Bytes) << piece.File;
        EXPECT_EQ(platform::MidiLengthMs(bytes), piece.LengthMs) << piece.File;
        EXPECT_GE(piece.LengthMs, 15000u) << piece.File;
        EXPECT_LE(piece.LengthMs, 40000u) << piece.File;
    }
}

TEST_F(GeneratedSuite, HighlightsSitOnTheLayoutZones) {
    const auto bounds = ReadLayoutBounds(DefaultLayoutPath());
    for (const char* lang : {"a", "e"}) {
        const Decoded plain = DecodeJpeg(Suite() / "menu" / ("m_3" + std::string(lang) + ".jpg"), true);
        for (int k = 1; k <= 6; ++k) {
            const std::string name = "m_3" + std::string(lang) + "_" + std::to_string(k) + ".jpg";
            const Decoded lit = DecodeJpeg(Suite() / "menu" / name, true);
            ExpectNear(ChangedBox(plain, lit), BoundsOf(bounds, "option" + std::to_string(k)), name);
        }
    }
    const Decoded language = DecodeJpeg(Suite() / "menu/m_1.jpg", true);
    ExpectNear(ChangedBox(language, DecodeJpeg(Suite() / "menu/m_1_1.jpg", true)), BoundsOf(bounds, "langoverlayafr"),
               "m_1_1.jpg");
    ExpectNear(ChangedBox(language, DecodeJpeg(Suite() / "menu/m_1_2.jpg", true)), BoundsOf(bounds, "langoverlayeng"),
               "m_1_2.jpg");
}

TEST_F(GeneratedSuite, IntroMovesEveryFrame) {
    Decoded previous = DecodeJpeg(Suite() / "menu/intro_1.jpg", true);
    for (int frame = 2; frame <= 13; ++frame) {
        const Decoded current = DecodeJpeg(Suite() / "menu" / ("intro_" + std::to_string(frame) + ".jpg"), true);
        int moved = 0;  // in the band the ball flies through, above the frame label
        for (int y = 180; y < 380; ++y) {
            for (int x = 0; x < 800; ++x) {
                moved += std::abs(previous.Sum(x, y) - current.Sum(x, y)) > 90 ? 1 : 0;
            }
        }
        EXPECT_GT(moved, 1000) << "frame " << frame;
        previous = current;
    }
}

TEST_F(GeneratedSuite, SecondRunWritesTheSameBytes) {
    const SuiteSummary again = MakeSuite(Options(root_ / "again"));
    EXPECT_EQ(again.Files, summary_.Files);
    EXPECT_EQ(again.Bytes, summary_.Bytes);
    for (const auto& entry : fs::recursive_directory_iterator(Suite())) {
        if (entry.is_regular_file()) {
            const fs::path relative = fs::relative(entry.path(), Suite());
            EXPECT_EQ(ReadFile(entry.path()), ReadFile(root_ / "again" / relative)) << relative;
        }
    }
}

TEST(WriteSounds, TonesTheLinesWhenEspeakIsMissing) {
    const fs::path dir = FreshFolder("toned");
    const std::string path = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    setenv("PATH", (dir / "nothing-here").c_str(), 1);
    const bool spoken = WriteSounds(dir, true);
    setenv("PATH", path.c_str(), 1);
    EXPECT_FALSE(spoken);
    EXPECT_EQ(ReadFile(dir / "Sounds-afr/instruk_4.wav"), EncodeWav(TonePattern(4, true)));
    EXPECT_EQ(ReadFile(dir / "Sounds-eng/instruk_4.wav"), EncodeWav(TonePattern(4, false)));
    EXPECT_EQ(ReadFile(dir / "fxsounds/back.wav"), EncodeWav(BackEffect()));
    fs::remove_all(dir);
    EXPECT_NE(TonePattern(4, true), TonePattern(4, false));
    EXPECT_NE(TonePattern(1, false), TonePattern(3, false));
}

TEST(MakeLayoutAssets, PicturesAreSmallAndSized) {
    const fs::path dir = FreshFolder("layout-assets");
    MakeLayoutAssets(dir);
    const std::vector<std::pair<std::string, int>> hands = {
        {"lefthandbut_a-from.jpg", 103},  {"lefthandbut_a-to.jpg", 103},   {"righthandbut_a-from.jpg", 104},
        {"righthandbut_a-to.jpg", 103},   {"lefthandbut_e-from.jpg", 103}, {"lefthandbut_e-to.jpg", 103},
        {"righthandbut_e-from.jpg", 104}, {"righthandbut_e-to.jpg", 103}};
    for (const auto& [name, width] : hands) {
        const Decoded d = DecodeJpeg(dir / name, false);
        EXPECT_EQ(d.Width, width) << name;
        EXPECT_EQ(d.Height, 89) << name;
    }
    for (const char* name :
         {"exitbut-from.jpg", "backbut-from.jpg", "backbut-to.jpg", "reportbut-from.jpg", "musicknop.jpg"}) {
        const Decoded d = DecodeJpeg(dir / name, false);
        EXPECT_EQ(d.Width, 48) << name;
        EXPECT_EQ(d.Height, 45) << name;
    }
    // The exit and report hover pictures: PNG as the system writes them, RGB and RGB with alpha.
    for (const auto& [name, colourType] :
         std::vector<std::pair<std::string, int>>{{"exitbut-to.png", 2}, {"reportbut-to.png", 6}}) {
        TPngGraphic png;
        const auto bytes = ReadFile(dir / name);
        TBytesStream stream(bytes);
        png.LoadFromStream(stream);
        EXPECT_EQ(png.Width(), 48) << name;
        EXPECT_EQ(png.Height(), 45) << name;
        EXPECT_EQ(png.Header().ColourType, colourType) << name;
        EXPECT_EQ(png.Header().BitDepth, 8) << name;
        ASSERT_NE(png.Chunks().ItemFromClass<TChunkgAMA>(), nullptr) << name;
        EXPECT_EQ(png.Chunks().ItemFromClass<TChunkgAMA>()->Gamma(), 45455u) << "an identity gamma table";
        ASSERT_NE(png.Chunks().ItemFromClass<TChunktEXt>(), nullptr) << name;
    }
    TPngGraphic report;
    const auto reportBytes = ReadFile(dir / "reportbut-to.png");
    TBytesStream reportStream(reportBytes);
    report.LoadFromStream(reportStream);
    const Bitmap32 pixels = report.ToPixels();
    EXPECT_EQ(PixelA(pixels.At(0, 0)), 0) << "see-through corner";
    EXPECT_EQ(PixelA(pixels.At(24, 22)), 255) << "opaque middle";
    const Decoded splash = DecodeJpeg(dir / "form1-bground.jpg", false);
    EXPECT_EQ(splash.Width, 800);
    EXPECT_EQ(splash.Height, 600);
    for (const auto& entry : fs::directory_iterator(dir)) {
        EXPECT_LT(entry.file_size(), 40000u) << entry.path().filename();
    }
    // The lit face must look different at a glance, not by a JPEG rounding.
    EXPECT_GT(
        ChangedBox(DecodeJpeg(dir / "lefthandbut_a-from.jpg", true), DecodeJpeg(dir / "lefthandbut_a-to.jpg", true), {})
            .Width(),
        90);
    fs::remove_all(dir);
}

// The exit screen's stored pictures: the plate behind its button (77 x 68) and the button's four
// round faces (49 x 49), all PNG with alpha, the four faces told apart.
TEST(MakeLayoutAssets, ExitScreenPicturesArePngWithAlpha) {
    const fs::path dir = FreshFolder("exit-assets");
    MakeLayoutAssets(dir);
    const auto load = [&dir](const std::string& name) {
        TPngGraphic png;
        const auto bytes = ReadFile(dir / name);
        TBytesStream stream(bytes);
        png.LoadFromStream(stream);
        EXPECT_EQ(png.Header().ColourType, 6) << name;
        return png.ToPixels();
    };
    const Bitmap32 plate = load("advertform-image1.png");
    EXPECT_EQ(plate.Width(), 77);
    EXPECT_EQ(plate.Height(), 68);
    EXPECT_EQ(PixelA(plate.At(0, 0)), 0);
    EXPECT_GT(PixelA(plate.At(39, 36)), 200);
    std::vector<Bitmap32> faces;
    for (const char* name : {"advertform-exitbut.png", "advertform-exitbut-from.png", "advertform-exitbut-to.png",
                             "advertform-exitbut-down.png"}) {
        faces.push_back(load(name));
        EXPECT_EQ(faces.back().Width(), 49) << name;
        EXPECT_EQ(faces.back().Height(), 49) << name;
        EXPECT_EQ(PixelA(faces.back().At(0, 0)), 0) << name << ": a round face";
        EXPECT_EQ(PixelA(faces.back().At(24, 24)), 255) << name;
    }
    for (std::size_t a = 0; a < faces.size(); ++a)
        for (std::size_t b = a + 1; b < faces.size(); ++b)
            EXPECT_NE(faces[a], faces[b]) << a << " and " << b;
    fs::remove_all(dir);
}

}  // namespace
}  // namespace zindra::suitemaker
