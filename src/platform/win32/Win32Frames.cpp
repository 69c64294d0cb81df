// Pictures on the Win32 desktop: the framework's frames shown in its windows, and the screen
// read back.
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32FrameBuffer.h"

namespace zindra::platform::win32 {

// The frame is kept whole for WM_PAINT; only the dirty part is copied and shown now, unless the
// size changed, which makes all of it new.
void Win32Desktop::Present(WindowHandle window, const PixelView& frame, Rect dirty) {
    HWND handle = ToHwnd(window);
    WindowRecord* record = Find(handle);
    if (!record || record->MessageOnly || frame.Width <= 0 || frame.Height <= 0) return;
    Win32FrameBuffer& buffer = *record->Frame;
    const bool resized = buffer.Width() != frame.Width || buffer.Height() != frame.Height;
    if (resized && !buffer.Resize(frame.Width, frame.Height)) return;
    const Rect copied = buffer.CopyFrom(frame, resized ? Rect{0, 0, frame.Width, frame.Height} : dirty);
    if (copied.IsEmpty() || !::IsWindowVisible(handle) || ::IsIconic(handle)) return;
    if (HDC dc = GetDC(handle)) {
        buffer.BlitTo(dc, copied);
        ReleaseDC(handle, dc);
    }
}

PixelFrame Win32Desktop::CaptureScreen(Rect area) {
    if (area.IsEmpty()) return {};
    PixelFrame out(area.Width(), area.Height(), 0xFF000000u);
    Win32FrameBuffer buffer;
    HDC screen = GetDC(nullptr);
    if (!screen || !buffer.Resize(area.Width(), area.Height())) {
        if (screen) ReleaseDC(nullptr, screen);
        return out;
    }
    BitBlt(buffer.Dc(), 0, 0, area.Width(), area.Height(), screen, area.Left, area.Top, SRCCOPY | CAPTUREBLT);
    ReleaseDC(nullptr, screen);
    for (int y = 0; y < out.Height; ++y) {
        for (int x = 0; x < out.Width; ++x)
            out.At(x, y) = buffer.At(x, y) | 0xFF000000u;  // the screen is opaque
    }
    return out;
}

}  // namespace zindra::platform::win32
