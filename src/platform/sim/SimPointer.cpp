// Cursor images on the simulated machine, and the pointer in screenshots.
#include "platform/sim/SimPointer.h"

#include <string>
#include <vector>

namespace zindra::platform::sim {

namespace {

CursorImage MakeArrow() {
    // 'X' black, 'o' white, '.' transparent.
    // clang-format off
    static const char* const kRows[] = {
        "X",
        "XX",
        "XoX",
        "XooX",
        "XoooX",
        "XooooX",
        "XoooooX",
        "XooooooX",
        "XoooooooX",
        "XooooooooX",
        "XoooooXXXXX",
        "XooXooX",
        "XoX.XooX",
        "XX..XooX",
        "X....XooX",
        ".....XooX",
        "......XooX",
        "......XooX",
        ".......XX",
    };
    // clang-format on
    CursorImage arrow{PixelFrame(12, 19, 0), {0, 0}};
    for (int y = 0; y < arrow.Image.Height; ++y) {
        const std::string row = kRows[y];
        for (int x = 0; x < static_cast<int>(row.size()); ++x) {
            if (row[static_cast<std::size_t>(x)] == 'X') arrow.Image.At(x, y) = 0xFF000000u;
            if (row[static_cast<std::size_t>(x)] == 'o') arrow.Image.At(x, y) = 0xFFFFFFFFu;
        }
    }
    return arrow;
}

std::string Pair(int a, int b) {
    return "[" + std::to_string(a) + "," + std::to_string(b) + "]";
}

}  // namespace

const CursorImage& SimPointer::Arrow() {
    static const CursorImage arrow = MakeArrow();
    return arrow;
}

CursorHandle SimPointer::Create(const CursorImage& image) {
    const PixelFrame& f = image.Image;
    if (f.Width <= 0 || f.Height <= 0 || f.Width > 256 || f.Height > 256 ||
        f.Pixels.size() != static_cast<std::size_t>(f.Width) * f.Height || image.HotSpot.X < 0 || image.HotSpot.Y < 0 ||
        image.HotSpot.X >= f.Width || image.HotSpot.Y >= f.Height) {
        return 0;
    }
    std::lock_guard lock(mutex_);
    const CursorHandle handle = nextHandle_;
    nextHandle_ += 4;
    images_.emplace(handle, image);
    return handle;
}

void SimPointer::Set(CursorHandle cursor) {
    std::lock_guard lock(mutex_);
    const auto it = images_.find(cursor);
    const CursorHandle shown = it == images_.end() ? 0 : cursor;
    if (shown == current_) return;
    current_ = shown;
    const CursorImage& image = it == images_.end() ? Arrow() : it->second;
    journal_.Write("cursor", {{"handle", static_cast<std::int64_t>(shown)},
                              {"size", JsonText{Pair(image.Image.Width, image.Image.Height)}},
                              {"hotspot", JsonText{Pair(image.HotSpot.X, image.HotSpot.Y)}}});
}

CursorHandle SimPointer::Current() const {
    std::lock_guard lock(mutex_);
    return current_;
}

CursorImage SimPointer::CurrentImage() const {
    std::lock_guard lock(mutex_);
    const auto it = images_.find(current_);
    return it == images_.end() ? Arrow() : it->second;
}

void SimPointer::DrawOn(PixelFrame& screen, Point at) const {
    if (at.X < 0 || at.Y < 0 || at.X >= screen.Width || at.Y >= screen.Height) return;
    const CursorImage image = CurrentImage();
    for (int y = 0; y < image.Image.Height; ++y) {
        const int sy = at.Y - image.HotSpot.Y + y;
        if (sy < 0 || sy >= screen.Height) continue;
        for (int x = 0; x < image.Image.Width; ++x) {
            const int sx = at.X - image.HotSpot.X + x;
            const Pixel p = image.Image.At(x, y);
            // Cursors are drawn solid or not at all: the pointer has no soft edges here.
            if (sx >= 0 && sx < screen.Width && (p >> 24) >= 0x80) screen.At(sx, sy) = p | 0xFF000000u;
        }
    }
}

}  // namespace zindra::platform::sim
