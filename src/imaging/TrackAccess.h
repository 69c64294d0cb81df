// One set of look settings for two range tracks at once (a viewer's horizontal and vertical
// bars): reading gives the master bar's value; writing sets the master, then the slave.
#pragma once

#include "framework/Component.h"
#include "imaging/TrackTypes.h"

namespace zindra {

class TArrowTrack;

class TArrowTrackAccess : public TPersistent {
public:
    // The bars must outlive this object; slave may be null.
    explicit TArrowTrackAccess(TArrowTrack& master, TArrowTrack* slave = nullptr) : master_(master), slave_(slave) {}

    TColor Color() const;
    void SetColor(TColor value);
    TTrackBackground Backgnd() const;
    void SetBackgnd(TTrackBackground value);
    int ButtonSize() const;
    void SetButtonSize(int value);
    TColor HandleColor() const;
    void SetHandleColor(TColor value);
    bool ShowArrows() const;
    void SetShowArrows(bool value);
    bool ShowHandleGrip() const;
    void SetShowHandleGrip(bool value);
    TTrackStyle Style() const;
    void SetStyle(TTrackStyle value);

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

protected:
    TArrowTrack& Master() const { return master_; }
    TArrowTrack* Slave() const { return slave_; }

private:
    // Applies a change to the master, then to the slave.
    template <typename Change>
    void ForBoth(Change change) {
        change(master_);
        if (slave_) change(*slave_);
    }

    TArrowTrack& master_;
    TArrowTrack* slave_;
};

}  // namespace zindra
