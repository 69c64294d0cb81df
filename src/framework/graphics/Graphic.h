// Pictures of one kind each (JPEG, Windows bitmap, later PNG) behind one interface, and the
// registry that picks the kind for a file by its extension.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Component.h"
#include "framework/Text.h"
#include "framework/Types.h"
#include "framework/graphics/Bitmap32.h"

namespace zindra {

class TBitmap;
class TCanvas;

class TGraphic : public TPersistent {
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }
    virtual bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool transparent);
    // Draws the picture stretched into dest (canvas coordinates).
    virtual void Draw(TCanvas& canvas, const Rect& dest) const = 0;
    // Replaces the picture with decoded data; throws the kind's own exception for bad data and
    // leaves the picture as it was.
    virtual void LoadFromBytes(std::span<const std::uint8_t> bytes) = 0;
    virtual std::unique_ptr<TGraphic> Clone() const = 0;
    // The picture as opaque or alpha-carrying pixels, for code that works on pixels.
    virtual Bitmap32 ToPixels() const = 0;
    // Copies this picture into a graphic of another kind in its own way; false when it has
    // none for that kind (the destination then takes the pixels).
    virtual bool AssignTo(TGraphic& destination) const {
        (void)destination;
        return false;
    }

    // The clipboard carries bitmaps. What this picture puts there: by default, the picture drawn
    // on a bitmap of its size.
    virtual std::unique_ptr<TBitmap> ClipboardBitmap() const;
    // Takes a bitmap read off the clipboard; a kind that cannot be made from one throws
    // EInvalidGraphic("Unsupported clipboard format").
    virtual void LoadFromClipboardBitmap(const TBitmap& bitmap);

    TNotifyEvent OnChange;

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

protected:
    void Changed();
    bool transparent_ = false;
};

using GraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

// Registers a picture kind for a file extension (without the dot, any case), with the kind's
// description for file choosers.
void RegisterGraphicClass(const std::string& extension, GraphicFactory factory, const std::string& description = {});
// A new empty picture of the kind for that extension, or null.
std::unique_ptr<TGraphic> CreateGraphicForExtension(std::string_view extension);
// The description registered with the extension; empty when none.
std::string GraphicDescription(std::string_view extension);

// Registers the class name a stored layout picture names its kind by ("TPngGraphic").
void RegisterGraphicClassName(const std::string& className, GraphicFactory factory);
// A new empty picture of the named class (exact name), or null.
std::unique_ptr<TGraphic> CreateGraphicForClassName(std::string_view className);

// Registers JPEG ("jpg", "jpeg") and Windows bitmaps ("bmp").
void RegisterStandardGraphics();

}  // namespace zindra
