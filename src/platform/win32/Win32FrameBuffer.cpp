// The DIB section behind each window's picture.
#include "platform/win32/Win32FrameBuffer.h"

#include <cstring>

namespace zindra::platform::win32 {

Win32FrameBuffer::~Win32FrameBuffer() {
    Release();
}

void Win32FrameBuffer::Release() {
    if (dc_) {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    if (bitmap_) DeleteObject(bitmap_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    previous_ = nullptr;
    bits_ = nullptr;
    width_ = height_ = 0;
}

bool Win32FrameBuffer::Resize(int width, int height) {
    if (width == width_ && height == height_ && (bits_ || width == 0 || height == 0)) return true;
    Release();
    if (width <= 0 || height <= 0) return width == 0 || height == 0;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as the framework's rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc_ = bitmap_ ? CreateCompatibleDC(nullptr) : nullptr;
    if (!bitmap_ || !dc_ || !bits) {
        Release();
        return false;
    }
    previous_ = SelectObject(dc_, bitmap_);
    bits_ = static_cast<Pixel*>(bits);
    width_ = width;
    height_ = height;
    return true;
}

Rect Win32FrameBuffer::CopyFrom(const PixelView& frame, Rect area) {
    const Rect copied = area.Intersect({0, 0, frame.Width, frame.Height}).Intersect({0, 0, width_, height_});
    if (copied.IsEmpty() || !bits_) return {};
    GdiFlush();  // GDI may still be drawing from these bits
    const auto bytes = sizeof(Pixel) * static_cast<std::size_t>(copied.Width());
    for (int y = copied.Top; y < copied.Bottom; ++y) {
        std::memcpy(bits_ + static_cast<std::size_t>(y) * width_ + copied.Left, frame.Row(y) + copied.Left, bytes);
    }
    return copied;
}

void Win32FrameBuffer::BlitTo(HDC target, Rect area) const {
    const Rect clipped = area.Intersect({0, 0, width_, height_});
    if (clipped.IsEmpty() || !dc_) return;
    BitBlt(target, clipped.Left, clipped.Top, clipped.Width(), clipped.Height(), dc_, clipped.Left, clipped.Top,
           SRCCOPY);
}

Pixel Win32FrameBuffer::At(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    GdiFlush();
    return bits_[static_cast<std::size_t>(y) * width_ + x];
}

}  // namespace zindra::platform::win32
