// The clipboard as the framework offers it: pictures go there as bitmaps, of whatever kind they
// were, and come back as bitmaps.
#pragma once

#include "framework/Component.h"

namespace zindra::platform {
class Desktop;
}

namespace zindra {

class TClipboard : public TPersistent {
public:
    explicit TClipboard(platform::Desktop& desktop) : desktop_(desktop) {}

    // Whether a picture can be read from the clipboard now.
    bool HasPicture() const;
    // Puts a picture on the clipboard, replacing what it held: a TBitmap as it is (24 or 32 bits),
    // a TPicture's graphic, any other TGraphic as its ClipboardBitmap. An empty picture, or anything
    // else, throws EConvertError; a clipboard that cannot be opened, EClipboardException.
    void Assign(const TPersistent* source);
    // Reads the clipboard's picture into a TPicture (which then holds a TBitmap), a TBitmap, or a
    // graphic of another kind through its LoadFromClipboardBitmap. Throws EInvalidGraphic when the
    // clipboard holds no picture or a damaged one, EClipboardException when it cannot be opened,
    // EConvertError for another target; the target is unchanged then.
    void AssignTo(TPersistent& target) const;

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    platform::Desktop& desktop_;
};

}  // namespace zindra
