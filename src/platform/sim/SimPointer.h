// The pointer's shape on the simulated machine: the cursor images its programs made, the one
// shown now (journalled as it changes), and the pointer drawn onto a picture of the screen as a
// user would see it. Thread-safe.
#pragma once

#include <map>
#include <mutex>

#include "platform/Desktop.h"
#include "platform/sim/Journal.h"

namespace zindra::platform::sim {

class SimPointer {
public:
    explicit SimPointer(Journal& journal) : journal_(journal) {}

    // A new handle for the image; 0 for an image no desktop would take (empty, over 256 a side,
    // or a hot spot outside it).
    CursorHandle Create(const CursorImage& image);
    // 0, or a handle this machine did not make, is the standard arrow.
    void Set(CursorHandle cursor);
    CursorHandle Current() const;
    // The shape shown now, with its hot spot.
    CursorImage CurrentImage() const;
    // Draws the shape shown now with its hot spot at `at`; nothing when `at` is off the screen.
    void DrawOn(PixelFrame& screen, Point at) const;

    // The standard arrow: black with a white edge, hot spot at its tip.
    static const CursorImage& Arrow();

private:
    Journal& journal_;
    mutable std::mutex mutex_;
    std::map<CursorHandle, CursorImage> images_;
    CursorHandle current_ = 0;
    CursorHandle nextHandle_ = 0x900;
};

}  // namespace zindra::platform::sim
