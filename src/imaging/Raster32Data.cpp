// The 32-bit raster's published properties and its stored Data property.
#include <cstring>

#include "framework/layout/Properties.h"
#include "imaging/Raster32.h"
#include "platform/ByteOrder.h"

namespace zindra {

namespace {

constexpr std::size_t kDataHeader = 8;

// Pixels the stored size stands for; negative sides hold none, as SetDimensions makes them 0.
std::uint64_t StoredPixels(std::int32_t width, std::int32_t height) {
    if (width <= 0 || height <= 0) return 0;
    return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
}

std::int32_t ReadSide(std::span<const std::uint8_t> data, std::size_t at) {
    return static_cast<std::int32_t>(platform::GetLe32(data.data() + at));
}

PropertyInfo StoredDataProperty() {
    PropertyInfo info;
    info.Name = "Data";
    info.Set = [](TPersistent& target, const LayoutValue& value, LoadContext&) {
        if (value.Type != LayoutValue::Kind::Binary) LoadContext::Fail(value, "Data needs binary data");
        try {
            static_cast<TRaster32&>(target).ReadData(value.Bytes);
        } catch (const Exception& error) {
            LoadContext::Fail(value, error.Message());
        }
    };
    return info;
}

PropertyInfo MasterAlphaProperty() {
    return props::Make<TRaster32>(
        "MasterAlpha",
        [](const LayoutValue& v, LoadContext&) {
            const std::int64_t alpha = props::ReadInteger(v);
            if (alpha < 0 || alpha > 255) LoadContext::Fail(v, "MasterAlpha must be 0 to 255");
            return static_cast<std::uint8_t>(alpha);
        },
        &TRaster32::SetMasterAlpha);
}

}  // namespace

const ClassInfo& TRaster32::StaticClass() {
    using C = TRaster32;
    static const ClassInfo info{
        "TRaster32",
        &TCustomRaster::StaticClass(),
        {},
        {props::Enum<C, TDrawMode>("DrawMode", &C::SetDrawMode, {"dmOpaque", "dmBlend", "dmCustom"}),
         MasterAlphaProperty(),
         props::Make<C>(
             "OuterColor",
             [](const LayoutValue& v, LoadContext&) { return static_cast<TPixel32>(props::ReadInteger(v)); },
             &C::SetOuterColor),
         props::Enum<C, TStretchFilter>("StretchFilter", &C::SetStretchFilter,
                                        {"sfNearest", "sfLinear", "sfSpline", "sfLanczos", "sfMitchell"}),
         props::Event<C, TNotifyEvent>("OnChange", &C::SetOnChange),
         props::Event<C, TNotifyEvent>("OnHandleChanged", &C::SetOnHandleChanged),
         props::Event<C, TPixelCombineEvent>("OnPixelCombine", &C::SetOnPixelCombine),
         props::Event<C, TNotifyEvent>("OnResize", &C::SetOnResize), StoredDataProperty()}};
    return info;
}
const ClassInfo& TRaster32::ClassType() const {
    return StaticClass();
}

std::vector<std::uint8_t> TRaster32::WriteData() const {
    std::vector<std::uint8_t> data;
    platform::PutLe32(data, static_cast<std::uint32_t>(width_));
    platform::PutLe32(data, static_cast<std::uint32_t>(height_));
    if (IsEmpty()) return data;
    const std::size_t bytes = sizeof(TPixel32) * static_cast<std::size_t>(StoredPixels(width_, height_));
    data.resize(kDataHeader + bytes);
    // Memory order: each pixel's bytes as they lie (blue, green, red, alpha on every target we build for).
    std::memcpy(data.data() + kDataHeader, pixels_.Data(), bytes);
    return data;
}

void TRaster32::ReadData(std::span<const std::uint8_t> data) {
    // NOTE: the length is checked before anything is sized, so a claimed size the data does not
    // back never allocates, and bad data leaves the raster as it was.
    if (data.size() < kDataHeader) throw EReadError(kSReadError);
    const std::int32_t width = ReadSide(data, 0), height = ReadSide(data, 4);
    const std::uint64_t pixels = StoredPixels(width, height);
    if (pixels > (data.size() - kDataHeader) / sizeof(TPixel32) ||
        pixels * sizeof(TPixel32) != data.size() - kDataHeader) {
        throw EReadError(kSReadError);
    }
    SetDimensions(width, height);
    if (!IsEmpty()) std::memcpy(pixels_.Data(), data.data() + kDataHeader, data.size() - kDataHeader);
    NotifyChange();
}

bool TRaster32::ShouldStoreData(const TRaster32* ancestor) const {
    return ancestor ? !SameContent(ancestor) : !IsEmpty();
}

std::string TRaster32::DataProperty(const TRaster32* ancestor, const std::string& indent) const {
    if (!ShouldStoreData(ancestor)) return {};
    static constexpr char kHex[] = "0123456789ABCDEF";
    constexpr std::size_t kBytesPerLine = 32;
    const std::vector<std::uint8_t> data = WriteData();
    std::string out = indent + "Data = {";
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (i % kBytesPerLine == 0) out += "\n" + indent + "  ";
        out += kHex[data[i] >> 4];
        out += kHex[data[i] & 15];
    }
    return out + "}\n";
}

}  // namespace zindra
