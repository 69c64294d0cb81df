#include "framework/app/Clipboard.h"

#include <memory>
#include <string>
#include <vector>

#include "framework/Exception.h"
#include "framework/graphics/BitmapGraphic.h"
#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/Picture.h"
#include "framework/layout/ClassInfo.h"
#include "platform/Desktop.h"

namespace zindra {

namespace {

using Result = platform::Desktop::ClipboardResult;

void Check(Result result) {
    if (result == Result::Unavailable) throw EClipboardException(kSCannotOpenClipboard);
    if (result == Result::NoPicture) throw EInvalidGraphic(kSUnknownClipboardFormat);
}

const TGraphic* GraphicOf(const TPersistent* source) {
    if (const auto* picture = dynamic_cast<const TPicture*>(source)) return picture->Graphic();
    return dynamic_cast<const TGraphic*>(source);
}

}  // namespace

const ClassInfo& TClipboard::StaticClass() {
    static const ClassInfo info{"TClipboard", &TPersistent::StaticClass(), {}, {}};
    return info;
}

const ClassInfo& TClipboard::ClassType() const {
    return StaticClass();
}

bool TClipboard::HasPicture() const {
    std::vector<std::uint8_t> dib;
    return desktop_.GetClipboardPicture(dib) == Result::Done;
}

void TClipboard::Assign(const TPersistent* source) {
    const TGraphic* graphic = GraphicOf(source);
    if (!graphic || graphic->Empty()) ThrowAssignError(source ? source->ClassName() : "nil", "TClipboard");
    const std::unique_ptr<TBitmap> bitmap = graphic->ClipboardBitmap();
    const int bits = bitmap->BitsPerPixel() == 32 ? 32 : 24;
    Check(desktop_.PutClipboardPicture(EncodePackedDib(bitmap->Pixels(), bits)));
}

void TClipboard::AssignTo(TPersistent& target) const {
    auto* picture = dynamic_cast<TPicture*>(&target);
    auto* graphic = dynamic_cast<TGraphic*>(&target);
    if (!picture && !graphic) ThrowAssignError("TClipboard", target.ClassName());

    std::vector<std::uint8_t> dib;
    Check(desktop_.GetClipboardPicture(dib));
    DecodedBmp decoded = DecodePackedDib(dib);
    TBitmap bitmap;
    bitmap.Pixels() = std::move(decoded.Pixels);
    bitmap.SetBitsPerPixel(decoded.BitsPerPixel);
    if (picture) {
        picture->SetGraphic(&bitmap);
    } else {
        graphic->LoadFromClipboardBitmap(bitmap);
    }
}

}  // namespace zindra
