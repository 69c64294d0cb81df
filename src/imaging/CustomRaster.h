// A raster's size: SetDimensions with its change and resize notifications, storage left to the
// class that holds the pixels.
#pragma once

#include <cstdint>

#include "imaging/LockedPersistent.h"

namespace zindra {

class TCustomRaster : public TLockedPersistent {
public:
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }

    // Negative sides count as 0. Returns false and does nothing for the current size; otherwise
    // ResizeStorage, NotifyChange, NotifyResize (not held back by an update batch), true.
    virtual bool SetDimensions(std::int32_t width, std::int32_t height);
    void SetWidth(std::int32_t width) { SetDimensions(width, height_); }
    void SetHeight(std::int32_t height) { SetDimensions(width_, height); }
    // Sets the size to 0 x 0.
    virtual void ClearAll() { SetDimensions(0, 0); }
    virtual bool IsEmpty() const { return width_ == 0 || height_ == 0; }

    // Calls OnResize(this) when set.
    virtual void NotifyResize();

    TNotifyEvent OnResize;

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

protected:
    // Makes storage for the new size and stores it into width and height; a failure leaves 0 x 0
    // there before it throws.
    virtual void ResizeStorage(std::int32_t& width, std::int32_t& height, std::int32_t newWidth,
                               std::int32_t newHeight) = 0;

    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
};

}  // namespace zindra
