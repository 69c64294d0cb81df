// The font registry: faces opened from memory, the fallback, face choice and the size cache.
#include "framework/graphics/FontEngine.h"
#include "framework/Text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cctype>
#include <map>
#include <tuple>
#include <vector>

#include "framework/Exception.h"
#include "framework/graphics/FontInstance.h"
#include "framework/graphics/RasterClip.h"
#include "framework/graphics/TextLayout.h"

namespace zindra {

namespace {

// Instances (sizes and styles) kept before the cache starts over; each holds up to 256 glyphs.
constexpr std::size_t kMaxInstances = 64;

struct FaceEntry {
    std::string Family;  // lower case
    bool Bold = false;
    bool Italic = false;
    std::unique_ptr<text::LoadedFace> Face;
};

struct InstanceKey {
    text::LoadedFace* Face;
    int Height;
    bool Bold;
    bool Italic;
    bool operator<(const InstanceKey& o) const {
        return std::tie(Face, Height, Bold, Italic) < std::tie(o.Face, o.Height, o.Bold, o.Italic);
    }
};

}  // namespace

struct FontEngine::State {
    FT_Library Library = nullptr;
    std::vector<FaceEntry> Faces;
    std::unique_ptr<text::LoadedFace> Fallback;
    std::map<InstanceKey, std::unique_ptr<text::FontInstance>> Instances;

    State() {
        if (FT_Init_FreeType(&Library) != 0) throw EOutOfResources("Cannot start the font renderer");
    }
    ~State() {
        Instances.clear();  // instances refer to faces, faces to the library
        for (FaceEntry& f : Faces)
            FT_Done_Face(f.Face->Face);
        if (Fallback) FT_Done_Face(Fallback->Face);
        FT_Done_FreeType(Library);
    }
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    std::unique_ptr<text::LoadedFace> Open(std::span<const std::uint8_t> data, const std::string& what) {
        FT_Face face = nullptr;
        if (data.empty() ||
            FT_New_Memory_Face(Library, data.data(), static_cast<FT_Long>(data.size()), 0, &face) != 0) {
            throw EInvalidGraphic("Not a usable font: " + what);
        }
        if (!FT_IS_SCALABLE(face)) {
            FT_Done_Face(face);
            throw EInvalidGraphic("Not a scalable font: " + what);
        }
        auto loaded = std::make_unique<text::LoadedFace>();
        loaded->Face = face;
        return loaded;
    }

    // The registered face that needs the least synthesis; a face whose style cannot be undone
    // (bold for a regular request) counts worse than any synthesis.
    FaceEntry* Choose(const std::string& family, bool bold, bool italic) {
        FaceEntry* best = nullptr;
        int bestCost = 0;
        for (FaceEntry& f : Faces) {
            if (f.Family != family) continue;
            const int cost = (f.Bold && !bold ? 4 : 0) + (f.Italic && !italic ? 4 : 0) + (!f.Bold && bold ? 1 : 0) +
                             (!f.Italic && italic ? 1 : 0);
            if (best == nullptr || cost < bestCost) {
                best = &f;
                bestCost = cost;
            }
        }
        return best;
    }

    text::FontInstance& Resolve(const FontDescription& request) {
        InstanceKey key{Fallback.get(), request.Height, request.Bold, request.Italic};
        if (FaceEntry* f = Choose(LowerCase(request.Family), request.Bold, request.Italic)) {
            key = {f->Face.get(), request.Height, request.Bold && !f->Bold, request.Italic && !f->Italic};
        } else if (!Fallback) {
            throw EInvalidOperation("No font to draw \"" + request.Family + "\": the fallback font is not registered");
        }
        auto it = Instances.find(key);
        if (it != Instances.end()) return *it->second;
        if (Instances.size() >= kMaxInstances) Instances.clear();
        auto instance = std::make_unique<text::FontInstance>(*key.Face, key.Height, key.Bold, key.Italic);
        return *Instances.emplace(key, std::move(instance)).first->second;
    }
};

FontEngine::FontEngine() : state_(std::make_unique<State>()) {}
FontEngine::~FontEngine() = default;

FontEngine& FontEngine::Instance() {
    static FontEngine engine;
    return engine;
}

void FontEngine::AddFont(const std::string& family, std::span<const std::uint8_t> data, bool bold, bool italic) {
    const std::lock_guard lock(mutex_);
    auto face = state_->Open(data, family);
    const std::string key = LowerCase(family);
    auto same = [&](const FaceEntry& f) { return f.Family == key && f.Bold == bold && f.Italic == italic; };
    const auto old = std::find_if(state_->Faces.begin(), state_->Faces.end(), same);
    if (old != state_->Faces.end()) {
        state_->Instances.clear();  // they may point at the face being replaced
        FT_Done_Face(old->Face->Face);
        old->Face = std::move(face);
    } else {
        state_->Faces.push_back({key, bold, italic, std::move(face)});
    }
}

void FontEngine::SetFallback(std::span<const std::uint8_t> data) {
    const std::lock_guard lock(mutex_);
    auto face = state_->Open(data, "fallback");
    state_->Instances.clear();
    if (state_->Fallback) FT_Done_Face(state_->Fallback->Face);
    state_->Fallback = std::move(face);
}

bool FontEngine::HasFallback() const {
    const std::lock_guard lock(mutex_);
    return state_->Fallback != nullptr;
}

TextMetrics FontEngine::Metrics(const FontDescription& request) {
    const std::lock_guard lock(mutex_);
    return state_->Resolve(request).Metrics();
}

Size FontEngine::TextExtent(const FontDescription& request, std::string_view text, int extraSpacing) {
    const std::lock_guard lock(mutex_);
    text::FontInstance& font = state_->Resolve(request);
    const std::int64_t width = text::MeasureRun(font, text, extraSpacing);
    return {static_cast<int>(std::clamp<std::int64_t>(width, INT32_MIN, INT32_MAX)), font.Metrics().Height};
}

void FontEngine::DrawText(Bitmap32& dst, int x, int y, const FontDescription& request, std::string_view text,
                          Pixel color, int extraSpacing, const platform::Rect& clip) {
    const std::lock_guard lock(mutex_);
    text::FontInstance& font = state_->Resolve(request);
    const platform::Rect area = raster::DrawableArea(dst, clip);
    if (!area.IsEmpty()) text::DrawRun(font, request, dst, x, y, text, color, extraSpacing, area);
}

int FontEngine::DrawTextFormatted(Bitmap32& dst, platform::Rect& rect, const FontDescription& request,
                                  std::string_view text, std::uint32_t format, Pixel color, int extraSpacing,
                                  const platform::Rect& clip) {
    const std::lock_guard lock(mutex_);
    return text::DrawFormatted(state_->Resolve(request), request, dst, rect, text, format, color, extraSpacing, clip);
}

}  // namespace zindra
