// The list of steps that compose an image control's back buffer, in order: what each step does
// and whether it runs while designing, at run time, or both.
#pragma once

#include <cstdint>
#include <vector>

namespace zindra {

// The kinds of step a paint stage names.
inline constexpr std::uint32_t kPaintStageCustom = 1;           // OnPaintStage(self, buffer, index)
inline constexpr std::uint32_t kPaintStageClearBuffer = 2;      // the whole buffer in the control's colour
inline constexpr std::uint32_t kPaintStageClearBackground = 3;  // what lies round the picture
inline constexpr std::uint32_t kPaintStageDrawPicture = 4;      // the picture into its rectangle
inline constexpr std::uint32_t kPaintStageDrawLayers = 5;       // layers sharing a bit with the parameter
inline constexpr std::uint32_t kPaintStageControlFrame = 6;     // a focus rectangle round the control
inline constexpr std::uint32_t kPaintStagePictureFrame = 7;     // a focus rectangle round the picture

struct TPaintStage {
    bool DsgnTime = false;
    bool RunTime = true;
    std::uint32_t Stage = 0;
    std::uint32_t Parameter = 0;
};

class TPaintStages {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    TPaintStage& operator[](int index) { return items_.at(static_cast<std::size_t>(index)); }
    const TPaintStage& operator[](int index) const { return items_.at(static_cast<std::size_t>(index)); }
    // A new record at the end: design time off, run time on, kind and parameter 0.
    TPaintStage& Add() { return items_.emplace_back(); }
    void Add(bool dsgnTime, bool runTime, std::uint32_t stage, std::uint32_t parameter = 0) {
        items_.push_back({dsgnTime, runTime, stage, parameter});
    }
    void Delete(int index) { items_.erase(items_.begin() + index); }
    void Clear() { items_.clear(); }

private:
    std::vector<TPaintStage> items_;
};

}  // namespace zindra
