// The one-line edit box: text with a caret and a selection, optional upper or lower case,
// optional border, colours and font; the key-press event runs before a key reaches the text.
#pragma once

#include <string>

#include "framework/controls/WinControl.h"

namespace zindra {

enum class TEditCharCase : std::uint8_t { ecNormal, ecUpperCase, ecLowerCase };

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* owner);

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value) { autoSize_ = value; }
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = value < 0 ? 0 : value; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }

    int SelStart() const { return selStart_; }
    int SelLength() const { return selLength_; }
    void SelectAll();
    void SetCaret(int position);

    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void FocusChanged(bool gained) override;
    void Paint(TCanvas& canvas) override;

    TNotifyEvent OnChange;
    void SetOnChange(TNotifyEvent e) { OnChange = std::move(e); }

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    char Fold(char c) const;
    void ReplaceSelection(const std::string& with);
    void Changed();
    int TextLeft() const;

    std::string text_;
    TEditCharCase charCase_ = TEditCharCase::ecNormal;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    bool autoSize_ = true;
    int maxLength_ = 0;
    bool readOnly_ = false;
    bool autoSelect_ = true;
    int selStart_ = 0;
    int selLength_ = 0;
};

}  // namespace zindra
