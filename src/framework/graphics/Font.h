// The font object of controls and canvases: family, size, style, colour and character set.
#pragma once

#include <cstdint>
#include <string>

#include "framework/Component.h"
#include "framework/Types.h"
#include "framework/graphics/FontEngine.h"

namespace zindra {

enum FontStyleBit : std::uint32_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
inline constexpr int ANSI_CHARSET = 0;
inline constexpr int DEFAULT_CHARSET = 1;

class TFont : public TPersistent {
public:
    static constexpr int kPixelsPerInch = 96;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int Height() const { return height_; }
    void SetHeight(int height);
    // Points: Size = -Height * 72 / 96.
    int Size() const;
    void SetSize(int size);
    std::uint32_t Style() const { return style_; }
    void SetStyle(std::uint32_t style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Charset() const { return charset_; }
    void SetCharset(int charset);

    void Assign(const TFont& other);
    FontDescription Description() const;

    TNotifyEvent OnChange;

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    void Changed();

    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    std::uint32_t style_ = 0;
    TColor color_ = clWindowText;
    int charset_ = DEFAULT_CHARSET;
};

}  // namespace zindra
