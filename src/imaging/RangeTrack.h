// Range tracks: an arrow track that shows a position within a range through a visible window,
// with the handle sized and placed from them, and moves by arrow steps, pages, dragging and the
// wheel. TRangeTrack publishes it for layouts.
//
// After every change 0 <= Position <= Range - EffectiveWindow (0 when that is negative).
#pragma once

#include "imaging/ArrowTrack.h"

namespace zindra {

class TCustomRangeTrack : public TArrowTrack {
public:
    explicit TCustomRangeTrack(TComponent* owner);

    float Position() const { return position_; }
    // Clamped; a change repaints and is reported (OnChange, and OnUserChange for the user's).
    void SetPosition(float value);
    int Range() const { return range_; }
    // 0: the bar's own length.
    int Window() const { return window_; }
    int EffectiveWindow() const { return effectiveWindow_; }
    // Both at once; negative values count as 0. Keeps the centre of the view when Centered.
    // Reports no change.
    void SetParams(int range, int window);
    void SetRange(int value) { SetParams(value, window_); }
    void SetWindow(int value) { SetParams(range_, value); }
    int Increment() const { return increment_; }
    void SetIncrement(int value) { increment_ = value; }
    bool Centered() const { return centered_; }
    void SetCentered(bool value) { centered_ = value; }

    Rect GetHandleRect() const override;
    bool DrawEnabled() const override { return Enabled() && effectiveWindow_ < range_; }

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

protected:
    bool AcceptsPress() const override { return effectiveWindow_ < range_; }
    bool StartDrag() override;
    void DragTo(Point client) override;
    void Step() override;
    void WheelTurned(int wheelDelta) override;
    void Resized() override;

private:
    int OwnLength() const { return Kind() == TScrollBarKind::sbHorizontal ? Width() : Height(); }
    float Clamped(float value) const;
    // Moves by delta; false when the position stayed where it was.
    bool MoveBy(float delta);
    // The zone under the pointer, the pointer held inside the client area.
    TTrackZone ZoneUnderPointer() const;

    float position_ = 0;
    int range_ = 0;
    int window_ = 0;
    int effectiveWindow_ = 0;
    int increment_ = 8;
    bool centered_ = false;
    float positionBeforeDrag_ = 0;
};

// The range track for layouts.
class TRangeTrack : public TCustomRangeTrack {
public:
    using TCustomRangeTrack::TCustomRangeTrack;
    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();
};

}  // namespace zindra
