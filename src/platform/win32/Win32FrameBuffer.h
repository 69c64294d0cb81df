// A window's picture kept by the back end: a 32-bit top-down DIB section in a memory DC, filled
// from the framework's frames and copied to the screen on presentation and on WM_PAINT.
#pragma once

#include "platform/Geometry.h"
#include "platform/PixelFrame.h"
#include "platform/win32/Win32Api.h"

namespace zindra::platform::win32 {

// Owns its GDI objects; use on one thread.
class Win32FrameBuffer {
public:
    Win32FrameBuffer() = default;
    ~Win32FrameBuffer();
    Win32FrameBuffer(const Win32FrameBuffer&) = delete;
    Win32FrameBuffer& operator=(const Win32FrameBuffer&) = delete;

    // Makes the buffer width by height (contents undefined); false when GDI refuses. A size of
    // zero releases everything.
    bool Resize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return bits_ == nullptr; }
    HDC Dc() const { return dc_; }

    // Copies the part of frame inside area (frame coordinates) to the same place here; anything
    // outside either picture is left out. Returns the part copied.
    Rect CopyFrom(const PixelView& frame, Rect area);
    // Copies area of the buffer to the same place on target.
    void BlitTo(HDC target, Rect area) const;
    // The pixel at x, y (0xAARRGGBB); for tests and screen captures.
    Pixel At(int x, int y) const;

private:
    void Release();

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    Pixel* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace zindra::platform::win32
