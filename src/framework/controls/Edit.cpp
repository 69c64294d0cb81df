// Text editing, selection and painting of the one-line edit box.
#include "framework/controls/Edit.h"

#include <algorithm>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "framework/layout/Properties.h"
#include "platform/CodePage1252.h"
#include "platform/Win32Types.h"

namespace zindra {

namespace {
constexpr int kMargin = 1;
constexpr TColor clHighlight = kSystemColorFlag | 13;
constexpr TColor clHighlightText = kSystemColorFlag | 14;
}  // namespace

const ClassInfo& TEdit::StaticClass() {
    using C = TEdit;
    static const ClassInfo info{
        "TEdit",
        &TWinControl::StaticClass(),
        [](TComponent* owner) { return new TEdit(owner); },
        {props::Bool<C>("AutoSelect", &C::SetAutoSelect), props::Bool<C>("AutoSize", &C::SetAutoSize),
         props::Enum<C, TBorderStyle>("BorderStyle", &C::SetBorderStyle, {"bsNone", "bsSingle"}),
         props::Enum<C, TEditCharCase>("CharCase", &C::SetCharCase, {"ecNormal", "ecUpperCase", "ecLowerCase"}),
         props::Int<C>("MaxLength", &C::SetMaxLength), props::Bool<C>("ReadOnly", &C::SetReadOnly),
         props::String<C>("Text", &C::SetText), props::Event<C, TNotifyEvent>("OnChange", &C::SetOnChange)}};
    return info;
}
const ClassInfo& TEdit::ClassType() const {
    return StaticClass();
}

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    SetTabStop(true);
}

// By the ANSI code page on every back end, as the system's edit box does: "é" becomes "É".
char TEdit::Fold(char c) const {
    if (charCase_ == TEditCharCase::ecUpperCase) return platform::AnsiUpperCase(c);
    if (charCase_ == TEditCharCase::ecLowerCase) return platform::AnsiLowerCase(c);
    return c;
}

void TEdit::Changed() {
    Invalidate();
    if (OnChange) OnChange(this);
}

void TEdit::SetText(const std::string& text) {
    std::string folded;
    for (const char c : text)
        folded += Fold(c);
    if (maxLength_ > 0 && folded.size() > static_cast<std::size_t>(maxLength_)) folded.resize(maxLength_);
    if (folded == text_) return;
    text_ = folded;
    selStart_ = static_cast<int>(text_.size());
    selLength_ = 0;
    Changed();
}

void TEdit::SetCharCase(TEditCharCase value) {
    charCase_ = value;
    SetText(text_);
}

void TEdit::SetBorderStyle(TBorderStyle value) {
    borderStyle_ = value;
    Invalidate();
}

void TEdit::SelectAll() {
    selStart_ = 0;
    selLength_ = static_cast<int>(text_.size());
    Invalidate();
}

void TEdit::SetCaret(int position) {
    selStart_ = std::clamp(position, 0, static_cast<int>(text_.size()));
    selLength_ = 0;
    Invalidate();
}

void TEdit::ReplaceSelection(const std::string& with) {
    std::string next = text_;
    next.replace(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_), with);
    if (maxLength_ > 0 && next.size() > static_cast<std::size_t>(maxLength_)) return;  // the box refuses it
    text_ = next;
    selStart_ += static_cast<int>(with.size());
    selLength_ = 0;
    Changed();
}

void TEdit::KeyDown(std::uint16_t& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    const int length = static_cast<int>(text_.size());
    switch (key) {
        case platform::VK_LEFT:
            SetCaret(selLength_ ? selStart_ : selStart_ - 1);
            break;
        case platform::VK_RIGHT:
            SetCaret(selLength_ ? selStart_ + selLength_ : selStart_ + 1);
            break;
        case platform::VK_HOME:
            SetCaret(0);
            break;
        case platform::VK_END:
            SetCaret(length);
            break;
        case platform::VK_DELETE:
            if (readOnly_) break;
            if (selLength_ == 0 && selStart_ < length) selLength_ = 1;
            if (selLength_ > 0) ReplaceSelection("");
            break;
        default:
            break;
    }
}

// The key-press event comes first and may change or swallow the character.
void TEdit::KeyPress(char& key) {
    TWinControl::KeyPress(key);
    if (key == 0 || readOnly_) return;
    const auto u = static_cast<unsigned char>(key);
    if (key == '\b') {
        if (selLength_ == 0 && selStart_ > 0) {
            --selStart_;
            selLength_ = 1;
        }
        if (selLength_ > 0) ReplaceSelection("");
        return;
    }
    if (u < 0x20 || u == 0x7F) return;  // Enter, Escape, Tab and control keys type nothing
    ReplaceSelection(std::string(1, Fold(key)));
}

void TEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    // A click puts the caret where it points; only focus by keyboard or code selects everything.
    if (button == TMouseButton::mbLeft && CanFocus()) {
        const bool keepSelect = autoSelect_;
        autoSelect_ = false;
        SetFocus();
        autoSelect_ = keepSelect;
        // The caret goes after the longest head of the text that ends left of the click; heads only
        // grow, so measuring stops at the first one that reaches past it.
        const FontDescription description = Font()->Description();
        const std::string_view text(text_);
        int best = 0;
        while (best < static_cast<int>(text.size()) &&
               TextLeft() + FontEngine::Instance().TextExtent(description, text.substr(0, best + 1)).Width <= x)
            ++best;
        SetCaret(best);
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TEdit::FocusChanged(bool gained) {
    if (gained && autoSelect_) {
        SelectAll();
    } else if (!gained) {
        selLength_ = 0;
    }
    if (gained && OnEnter) OnEnter(this);
    if (!gained && OnExit) OnExit(this);
    Invalidate();
}

int TEdit::TextLeft() const {
    return borderStyle_ == TBorderStyle::bsSingle ? 2 + kMargin : kMargin;
}

void TEdit::Paint(TCanvas& canvas) {
    if (borderStyle_ == TBorderStyle::bsSingle) {
        canvas.Brush().Color = clBtnShadow;
        canvas.FrameRect(ClientRect());
    }
    const int top = TextLeft() - kMargin + 1;
    const bool focused = Focused();
    canvas.Brush().Style = TBrushStyle::bsClear;
    canvas.Font().Assign(*Font());
    const std::string_view text(text_);
    const int before = canvas.TextWidth(text.substr(0, static_cast<std::size_t>(selStart_)));
    canvas.TextOut(TextLeft(), top, text);
    if (focused && selLength_ > 0) {
        const std::string_view selected = text.substr(static_cast<std::size_t>(selStart_), selLength_);
        const Rect mark = canvas.TextRectOf(TextLeft() + before, top, selected);
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.Brush().Color = clHighlight;
        canvas.FillRect(mark);
        canvas.Brush().Style = TBrushStyle::bsClear;
        canvas.Font().SetColor(clHighlightText);
        canvas.TextOut(mark.Left, top, selected);
    } else if (focused) {
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.Brush().Color = Font()->Color();
        const int height = canvas.TextHeight("Ag");
        canvas.FillRect(Rect::FromBounds(TextLeft() + before, top, 2, height));
    }
}

}  // namespace zindra
