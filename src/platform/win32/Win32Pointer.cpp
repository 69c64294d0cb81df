// The pointer on the Win32 desktop: capture, position, the window under it, and cursor shapes.
#include <cstring>
#include <vector>

#include "platform/win32/Win32Desktop.h"

namespace zindra::platform::win32 {

void Win32Desktop::SetCapture(WindowHandle window) {
    ::SetCapture(ToHwnd(window));
}

// Giving the capture up ourselves is no loss to report.
void Win32Desktop::ReleaseCapture() {
    releasingCapture_ = true;
    ::ReleaseCapture();
    releasingCapture_ = false;
}

Point Win32Desktop::CursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

WindowHandle Win32Desktop::WindowFromPoint(Point screen) {
    HWND window = ::WindowFromPoint(POINT{screen.X, screen.Y});
    if (!window) return 0;
    window = GetAncestor(window, GA_ROOT);
    if (!window || !::IsWindowVisible(window) || ::IsIconic(window)) return 0;
    return FromHwnd(window);
}

namespace {

// A 32-bit top-down DIB section holding the image; not selected into any DC, as the icon
// functions want it.
HBITMAP ColourBitmap(const PixelFrame& image) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.Width;
    info.bmiHeader.biHeight = -image.Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) std::memcpy(bits, image.Pixels.data(), image.Pixels.size() * sizeof(Pixel));
    return bitmap;
}

}  // namespace

// A colour bitmap with the image's alpha, and a mask that is set where the image is fully
// transparent, so the cursor looks the same with and without alpha blending.
CursorHandle Win32Desktop::CreateCursor(const CursorImage& image) {
    const int width = image.Image.Width;
    const int height = image.Image.Height;
    if (width <= 0 || height <= 0 || width > 256 || height > 256 ||
        image.Image.Pixels.size() != static_cast<std::size_t>(width) * height) {
        return 0;
    }
    PixelFrame visible = image.Image;
    const int maskStride = ((width + 15) / 16) * 2;  // bytes, rows padded to 16 bits
    std::vector<BYTE> mask(static_cast<std::size_t>(maskStride) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((visible.At(x, y) >> 24) == 0) {
                visible.At(x, y) = 0;  // transparent pixels add nothing when XORed
                mask[static_cast<std::size_t>(y) * maskStride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
            }
        }
    }
    ICONINFO info{};
    info.fIcon = FALSE;
    info.xHotspot = static_cast<DWORD>(image.HotSpot.X);
    info.yHotspot = static_cast<DWORD>(image.HotSpot.Y);
    info.hbmMask = CreateBitmap(width, height, 1, 1, mask.data());
    info.hbmColor = ColourBitmap(visible);
    // The icon keeps copies of both bitmaps.
    HICON cursor = info.hbmMask && info.hbmColor ? CreateIconIndirect(&info) : nullptr;
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (!cursor) return 0;
    cursors_.push_back(cursor);
    return reinterpret_cast<CursorHandle>(cursor);
}

void Win32Desktop::SetCursor(CursorHandle cursor) {
    cursor_ = cursor ? reinterpret_cast<HCURSOR>(cursor) : arrow_;
    // Shown at once when the pointer is over a window of ours; WM_SETCURSOR keeps it there.
    POINT p{};
    if (GetCursorPos(&p)) {
        HWND under = ::WindowFromPoint(p);
        if (under && Find(GetAncestor(under, GA_ROOT))) ::SetCursor(cursor_);
    }
}

}  // namespace zindra::platform::win32
