// Pictures into and out of the 32-bit raster: assignment both ways, loading a picture file,
// saving as BMP and comparing content.
#include <algorithm>
#include <cstring>

#include "framework/Exception.h"
#include "framework/app/Clipboard.h"
#include "framework/graphics/BitmapGraphic.h"
#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/Picture.h"
#include "framework/layout/ClassInfo.h"
#include "imaging/Raster32.h"

namespace zindra {

void TRaster32::Assign(const TPersistent* source) {
    StartUpdate();
    try {
        AssignFrom(source);
    } catch (...) {
        EndUpdate();
        NotifyChange();
        throw;
    }
    EndUpdate();
    NotifyChange();
}

void TRaster32::CopyPixelsFrom(const Bitmap32& source) {
    if (IsEmpty()) return;
    std::memcpy(pixels_.Data(), source.Data(),
                sizeof(TPixel32) * static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
}

// NOTE: the raster is cleared first, so that what a transparent picture leaves uncovered is the
// same (black once opaque) whether or not the raster already had this size.
void TRaster32::DrawGraphic(const TGraphic& graphic, int width, int height) {
    SetDimensions(width, height);
    if (IsEmpty()) return;
    pixels_.Fill(0);
    TCanvas canvas(pixels_);
    graphic.Draw(canvas, {0, 0, width_, height_});
    MakeOpaque();
}

void TRaster32::AssignFrom(const TPersistent* source) {
    if (!source) {
        SetDimensions(0, 0);
    } else if (const auto* raster = dynamic_cast<const TRaster32*>(source)) {
        if (raster == this) return;
        SetDimensions(raster->Width(), raster->Height());
        if (IsEmpty() || raster->IsEmpty()) return;
        CopyPixelsFrom(raster->pixels_);
        SetDrawMode(raster->drawMode_);
        SetMasterAlpha(raster->masterAlpha_);
        SetOuterColor(raster->outerColor_);
        SetStretchFilter(raster->stretchFilter_);
    } else if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        SetDimensions(bitmap->Width(), bitmap->Height());
        CopyPixelsFrom(bitmap->Pixels());
        if (bitmap->BitsPerPixel() != 32) MakeOpaque();
    } else if (const auto* graphic = dynamic_cast<const TGraphic*>(source)) {
        // JPEG, PNG and every other registered kind draw themselves.
        DrawGraphic(*graphic, graphic->Width(), graphic->Height());
    } else if (const auto* picture = dynamic_cast<const TPicture*>(source)) {
        if (const auto* pictureBitmap = dynamic_cast<const TBitmap*>(picture->Graphic())) {
            AssignFrom(pictureBitmap);
        } else if (picture->Graphic()) {
            DrawGraphic(*picture->Graphic(), picture->Width(), picture->Height());
        } else {
            SetDimensions(0, 0);
        }
    } else if (const auto* clipboard = dynamic_cast<const TClipboard*>(source)) {
        // The clipboard is read as a picture reads it, and drawn like any other graphic.
        TPicture fromClipboard(owner_);
        clipboard->AssignTo(fromClipboard);
        DrawGraphic(*fromClipboard.Graphic(), fromClipboard.Width(), fromClipboard.Height());
    } else {
        ThrowAssignError(source->ClassName(), "TRaster32");
    }
}

void TRaster32::AssignTo(TPersistent& target) const {
    if (auto* clipboard = dynamic_cast<TClipboard*>(&target)) {
        TBitmap bitmap;
        AssignTo(bitmap);
        clipboard->Assign(&bitmap);
        return;
    }
    TBitmap* bitmap = dynamic_cast<TBitmap*>(&target);
    if (auto* picture = dynamic_cast<TPicture*>(&target)) bitmap = picture->Bitmap();
    if (!bitmap) ThrowAssignError("TRaster32", target.ClassName());
    bitmap->SetBitsPerPixel(32);
    bitmap->SetSize(width_, height_);
    PaintToDC(bitmap->Canvas(), 0, 0);
}

void TRaster32::LoadPictureFile(const std::string& fileName) {
    TPicture picture(owner_);
    picture.LoadFromFile(fileName);
    Assign(&picture);
}

void TRaster32::LoadPictureFile(platform::System& system, const std::string& fileName) {
    TPicture picture(owner_);
    picture.LoadFromFile(system, fileName);
    Assign(&picture);
}

void TRaster32::SaveAsBmp(std::vector<std::uint8_t>& stream) const {
    if (IsEmpty()) return;
    TBitmap bitmap;
    AssignTo(bitmap);
    const std::vector<std::uint8_t> bytes = bitmap.SaveToBytes();
    stream.insert(stream.end(), bytes.begin(), bytes.end());
}

// NOTE: two BMP forms written by SaveAsBmp are equal exactly when the sizes and the pixels are
// (the header follows from those), so they are compared directly rather than written out.
bool TRaster32::SameContent(const TCustomRaster* other) const {
    if (!other) return false;
    if (IsEmpty() && other->IsEmpty()) return true;
    if (IsEmpty() || other->IsEmpty()) return false;
    const auto* raster = dynamic_cast<const TRaster32*>(other);
    if (!raster || &raster->ClassType() != &ClassType()) return false;
    return width_ == raster->width_ && height_ == raster->height_ && pixels_ == raster->pixels_;
}

}  // namespace zindra
