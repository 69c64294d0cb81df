// The picture object: holds one graphic of any registered kind, loads it from a file by its
// extension or from data, copies graphics between pictures and reports every change.
#pragma once

#include <memory>
#include <span>
#include <string>

#include "framework/graphics/BitmapGraphic.h"
#include "framework/graphics/Graphic.h"

namespace zindra::platform {
class System;
}

namespace zindra {

class TPicture : public TPersistent {
public:
    // owner: whoever shows the picture; its application reads files for LoadFromFile.
    explicit TPicture(TPersistent* owner = nullptr) : owner_(owner) {}
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    TPersistent* GetOwner() const override { return owner_; }

    TGraphic* Graphic() const { return graphic_.get(); }
    // Copies the graphic (null empties the picture).
    void SetGraphic(const TGraphic* graphic);
    // Copies another picture's graphic, of the same kind; null empties the picture.
    void Assign(const TPicture* source);
    // The picture as a bitmap: a picture of another kind (or none) is replaced by an empty bitmap.
    TBitmap* Bitmap();
    void Clear() { SetGraphic(nullptr); }

    // Reads through the owner's application (so the read is the program's own); throws EFOpenError
    // when the file cannot be read, EInvalidGraphic for an unknown extension, the kind's own
    // exception for bad data. On any failure the picture keeps what it held.
    void LoadFromFile(const std::string& fileName);
    void LoadFromFile(platform::System& system, const std::string& fileName);
    void LoadFromBytes(const std::string& extension, std::span<const std::uint8_t> bytes);
    // A picture as a layout stores it: its class name as a length-prefixed string, then the
    // picture's own data. Throws EInvalidGraphic for an unregistered class name.
    void LoadFromStoredData(std::span<const std::uint8_t> data);

    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }
    bool Empty() const { return !graphic_ || graphic_->Empty(); }

    TNotifyEvent OnChange;

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    void Take(std::unique_ptr<TGraphic> graphic);
    void Changed();

    TPersistent* owner_;
    std::unique_ptr<TGraphic> graphic_;
};

}  // namespace zindra
