// The picture-kind registry.
#include "framework/graphics/Graphic.h"
#include "framework/Text.h"

#include <cctype>
#include <map>
#include <mutex>

#include "framework/Exception.h"
#include "framework/graphics/BitmapGraphic.h"
#include "framework/graphics/JpegImage.h"
#include "framework/layout/ClassInfo.h"

namespace zindra {

namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, GraphicFactory> byExtension;
    std::map<std::string, std::string> descriptions;
    std::map<std::string, GraphicFactory, std::less<>> byClassName;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

const ClassInfo& TGraphic::StaticClass() {
    static const ClassInfo info{"TGraphic", &TPersistent::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TGraphic::ClassType() const {
    return StaticClass();
}

void TGraphic::SetTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    Changed();
}

void TGraphic::Changed() {
    if (OnChange) OnChange(this);
}

std::unique_ptr<TBitmap> TGraphic::ClipboardBitmap() const {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(Width(), Height());
    Draw(bitmap->Canvas(), {0, 0, Width(), Height()});
    return bitmap;
}

void TGraphic::LoadFromClipboardBitmap(const TBitmap&) {
    throw EInvalidGraphic(kSUnknownClipboardFormat);
}

void RegisterGraphicClass(const std::string& extension, GraphicFactory factory, const std::string& description) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    r.byExtension[LowerCase(extension)] = std::move(factory);
    r.descriptions[LowerCase(extension)] = description;
}

std::string GraphicDescription(std::string_view extension) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    const auto it = r.descriptions.find(LowerCase(extension));
    return it == r.descriptions.end() ? std::string() : it->second;
}

void RegisterGraphicClassName(const std::string& className, GraphicFactory factory) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    r.byClassName[className] = std::move(factory);
}

std::unique_ptr<TGraphic> CreateGraphicForClassName(std::string_view className) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    const auto it = r.byClassName.find(className);
    return it == r.byClassName.end() ? nullptr : it->second();
}

std::unique_ptr<TGraphic> CreateGraphicForExtension(std::string_view extension) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    const auto it = r.byExtension.find(LowerCase(extension));
    return it == r.byExtension.end() ? nullptr : it->second();
}

void RegisterStandardGraphics() {
    RegisterGraphicClass("jpg", [] { return std::make_unique<TJPEGImage>(); });
    RegisterGraphicClass("jpeg", [] { return std::make_unique<TJPEGImage>(); });
    RegisterGraphicClass("bmp", [] { return std::make_unique<TBitmap>(); });
}

}  // namespace zindra
