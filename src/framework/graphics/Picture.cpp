// Loading, copying and change reporting of pictures.
#include "framework/graphics/Picture.h"

#include "framework/Exception.h"
#include "framework/app/Application.h"
#include "framework/layout/ClassInfo.h"
#include "platform/Platform.h"

namespace zindra {

const ClassInfo& TPicture::StaticClass() {
    static const ClassInfo info{"TPicture", &TPersistent::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TPicture::ClassType() const {
    return StaticClass();
}

void TPicture::Changed() {
    if (OnChange) OnChange(this);
}

void TPicture::Take(std::unique_ptr<TGraphic> graphic) {
    graphic_ = std::move(graphic);
    if (graphic_) graphic_->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::SetGraphic(const TGraphic* graphic) {
    Take(graphic ? graphic->Clone() : nullptr);
}

void TPicture::Assign(const TPicture* source) {
    SetGraphic(source ? source->Graphic() : nullptr);
}

TBitmap* TPicture::Bitmap() {
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic_.get())) return bitmap;
    Take(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(graphic_.get());
}

void TPicture::LoadFromFile(const std::string& fileName) {
    const auto* component = dynamic_cast<const TComponent*>(owner_);
    TApplication* app = component ? component->Application() : nullptr;
    if (!app) throw EInvalidOperation("Picture has no application to read " + fileName);
    LoadFromFile(app->Platform().GetSystem(), fileName);
}

void TPicture::LoadFromFile(platform::System& system, const std::string& fileName) {
    const std::string extension = ExtensionOf(fileName);
    if (!CreateGraphicForExtension(extension)) {
        throw EInvalidGraphic("Unknown picture file extension (." + extension + ")");
    }
    const auto bytes = system.ReadFile(fileName);
    if (!bytes) throw EFOpenError(FormatMessage(kSFOpenError, fileName));
    LoadFromBytes(extension, *bytes);
}

void TPicture::LoadFromBytes(const std::string& extension, std::span<const std::uint8_t> bytes) {
    std::unique_ptr<TGraphic> graphic = CreateGraphicForExtension(extension);
    if (!graphic) throw EInvalidGraphic("Unknown picture file extension (." + extension + ")");
    graphic->LoadFromBytes(bytes);
    Take(std::move(graphic));
}

void TPicture::LoadFromStoredData(std::span<const std::uint8_t> data) {
    const std::size_t nameLength = data.empty() ? 0 : data[0];
    if (data.empty() || data.size() - 1 < nameLength) throw EInvalidGraphic("Stored picture has no class name");
    const std::string className(reinterpret_cast<const char*>(data.data()) + 1, nameLength);
    std::unique_ptr<TGraphic> graphic = CreateGraphicForClassName(className);
    if (!graphic) throw EInvalidGraphic("Unknown picture class " + className);
    graphic->LoadFromBytes(data.subspan(1 + nameLength));
    Take(std::move(graphic));
}

}  // namespace zindra
