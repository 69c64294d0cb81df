// The layers an image control may draw over its picture: option bits that say when a layer
// paints and hears the mouse, and the control's list of them, painted and hit-tested in order.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace zindra {

class TCanvas;
class TRaster32;

// Layer option bits.
inline constexpr std::uint32_t kLayerVisible = 0x80000000u;      // painted by the default draw-layers stage
inline constexpr std::uint32_t kLayerGdiOverlay = 0x40000000u;   // paints on the window after the copy
inline constexpr std::uint32_t kLayerMouseEvents = 0x20000000u;  // can be found under the pointer

class TCustomLayer {
public:
    explicit TCustomLayer(std::uint32_t options = kLayerVisible) : options_(options) {}
    virtual ~TCustomLayer() = default;

    std::uint32_t LayerOptions() const { return options_; }
    void SetLayerOptions(std::uint32_t options) { options_ = options; }

    // Into the back buffer, in control coordinates.
    virtual void Paint(TRaster32& buffer) { (void)buffer; }
    // Onto the window, after the back buffer has been copied there.
    virtual void PaintOverlay(TCanvas& canvas) { (void)canvas; }
    // Whether the point (control coordinates) falls on the layer.
    virtual bool HitTest(int x, int y) const { return (void)x, (void)y, false; }

private:
    std::uint32_t options_;
};

class TLayerCollection {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    TCustomLayer& Add(std::unique_ptr<TCustomLayer> layer) { return *items_.emplace_back(std::move(layer)); }
    void Clear() { items_.clear(); }
    bool MouseEvents() const { return mouseEvents_; }
    void SetMouseEvents(bool value) { mouseEvents_ = value; }

    // Every layer whose options share a bit with mask, first to last.
    void Paint(TRaster32& buffer, std::uint32_t mask) const {
        for (const auto& layer : items_)
            if (layer->LayerOptions() & mask) layer->Paint(buffer);
    }
    void PaintOverlay(TCanvas& canvas) const {
        for (const auto& layer : items_)
            if ((layer->LayerOptions() & (kLayerVisible | kLayerGdiOverlay)) == (kLayerVisible | kLayerGdiOverlay))
                layer->PaintOverlay(canvas);
    }
    // The topmost visible layer that hears the mouse and lies under the point; null when none (or
    // while the list's mouse events are off).
    TCustomLayer* LayerAt(int x, int y) const {
        if (!mouseEvents_) return nullptr;
        constexpr std::uint32_t kWanted = kLayerVisible | kLayerMouseEvents;
        for (auto it = items_.rbegin(); it != items_.rend(); ++it)
            if (((*it)->LayerOptions() & kWanted) == kWanted && (*it)->HitTest(x, y)) return it->get();
        return nullptr;
    }

private:
    std::vector<std::unique_ptr<TCustomLayer>> items_;
    bool mouseEvents_ = true;
};

}  // namespace zindra
