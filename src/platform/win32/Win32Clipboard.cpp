// The clipboard's picture as CF_DIB. Windows makes CF_DIB out of a bitmap another program put
// there in another form, so reading asks for that one format only. The clipboard is opened for
// one of our windows: opened for none, the system would let a second opener in (Wine does), and
// what EmptyClipboard leaves would have no owner.
#include <cstring>

#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Desktop.h"

namespace zindra::platform::win32 {

namespace {

// Another program may hold the clipboard for a moment (a clipboard viewer reading what we put);
// a user would not notice a short wait, so a few tries are made before giving up.
bool OpenClipboardPatiently(HWND owner) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (::OpenClipboard(owner)) return true;
        ::Sleep(10);
    }
    return false;
}

class ClipboardOpen {
public:
    explicit ClipboardOpen(HWND owner) : open_(OpenClipboardPatiently(owner)) {}
    ~ClipboardOpen() {
        if (open_) ::CloseClipboard();
    }
    ClipboardOpen(const ClipboardOpen&) = delete;
    ClipboardOpen& operator=(const ClipboardOpen&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

}  // namespace

Desktop::ClipboardResult Win32Desktop::PutClipboardPicture(std::span<const std::uint8_t> packedDib) {
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, packedDib.size());
    if (!memory) return ClipboardResult::Unavailable;
    void* bytes = ::GlobalLock(memory);
    if (!bytes) {
        ::GlobalFree(memory);
        return ClipboardResult::Unavailable;
    }
    std::memcpy(bytes, packedDib.data(), packedDib.size());
    ::GlobalUnlock(memory);

    const ClipboardOpen clipboard(serveWindow_);
    // Once SetClipboardData succeeds the memory is the system's; until then it is ours to free.
    if (!clipboard.IsOpen() || !::EmptyClipboard() || !::SetClipboardData(CF_DIB, memory)) {
        ::GlobalFree(memory);
        return ClipboardResult::Unavailable;
    }
    return ClipboardResult::Done;
}

Desktop::ClipboardResult Win32Desktop::GetClipboardPicture(std::vector<std::uint8_t>& packedDib) {
    const ClipboardOpen clipboard(serveWindow_);
    if (!clipboard.IsOpen()) return ClipboardResult::Unavailable;
    HANDLE memory = ::GetClipboardData(CF_DIB);
    if (!memory) return ClipboardResult::NoPicture;
    const void* bytes = ::GlobalLock(memory);
    if (!bytes) return ClipboardResult::NoPicture;
    const std::size_t size = ::GlobalSize(memory);
    const auto* first = static_cast<const std::uint8_t*>(bytes);
    packedDib.assign(first, first + size);
    ::GlobalUnlock(memory);
    return ClipboardResult::Done;
}

}  // namespace zindra::platform::win32
