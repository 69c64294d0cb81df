// The morph button: a windowless picture button that cross-fades from its first face to its
// second while the pointer enters it, and back as it leaves, step by step inside the enter and
// leave handling. Creating one installs the program's hand pointer as cursor 31.
#pragma once

#include <memory>

#include "framework/controls/Control.h"
#include "framework/graphics/Picture.h"
#include "widgets/MorphFace.h"

namespace zindra {

class TMorphButton : public TGraphicControl {
public:
    // The cursor number the hand pointer is installed under, and its built-in resource.
    static constexpr TCursor kHandCursor = 31;
    static constexpr const char* kHandCursorResource = "CUR";

    explicit TMorphButton(TComponent* owner);
    ~TMorphButton() override;

    // The faces' pictures; writing copies the source's graphic (null empties the picture).
    TPicture* MorphPic1() const { return pic1_.get(); }
    TPicture* MorphPic2() const { return pic2_.get(); }
    void SetMorphPic1(const TPicture* source) { pic1_->Assign(source); }
    void SetMorphPic2(const TPicture* source) { pic2_->Assign(source); }
    TColor MorphColor1() const { return color1_; }
    TColor MorphColor2() const { return color2_; }
    void SetMorphColor1(TColor color);
    void SetMorphColor2(TColor color);
    // Fade steps less one, kept in 1..255.
    int MorphRate() const { return morphRate_; }
    void SetMorphRate(int rate);
    // Faces stretched to the control; when false the control takes the first picture's size.
    bool StretchToFit() const { return stretchToFit_; }
    void SetStretchToFit(bool value);
    // Pending window messages are handled between fade steps.
    bool ProcessMsgs() const { return processMsgs_; }
    void SetProcessMsgs(bool value) { processMsgs_ = value; }

    // Settings the menu never changes: ending a running fade after its current step, a pause
    // after a forward fade, and no fades on hover at all.
    bool StopMorph = false;
    bool PauseAfterMorph = false;
    int PauseSeconds = 1;
    bool NoHoverMorph = false;
    // Hooks, each with the button as sender: after every face rebuild, before a forward fade's
    // first step, after a forward fade (and after a stopped fade of either direction).
    TNotifyEvent OnFacesBuilt;
    TNotifyEvent OnMorphStart;
    TNotifyEvent OnMorphEnd;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // What Paint shows now, and what a fade ends on.
    const TMorphFace& DisplayFace() const { return display_; }
    const TMorphFace& TargetFace() const { return target_; }

    void Paint(TCanvas& canvas) override;
    // A new position or size rebuilds the faces.
    void SetBounds(int left, int top, int width, int height) override;
    void MouseEnter() override;
    void MouseLeave() override;

    const ClassInfo& ClassType() const override;
    static const ClassInfo& StaticClass();

private:
    enum class Direction { Forward, Backward };

    void PictureChanged();
    void SetFaceColor(TColor& stored, TMorphFace& face, TColor color);
    void BuildFaces();
    void UndoExchange();
    void BuildStretched(TMorphFace& face, const TPicture& picture, int width, int height);
    void BuildUnstretched(TMorphFace& face, const TPicture& picture);
    void BuildPlain(TMorphFace& face, int width, int height);
    void BuildAtPictureSize();
    void ExchangePictures();
    void Morph(Direction direction);
    void MorphForward();
    void MorphBackward();
    bool RunSteps();

    // Declared in the order they are freed in.
    std::unique_ptr<TPicture> pic1_;
    std::unique_ptr<TPicture> pic2_;
    TMorphFace display_;
    TMorphFace target_;
    TMorphFace work_;
    TColor color1_ = clBlack;
    TColor color2_ = clWhite;
    int morphRate_ = 250;
    bool stretchToFit_ = true;
    bool savedStretch_ = true;
    bool processMsgs_ = true;
    bool swapped_ = false;
    bool morphing_ = false;
    // A fade asked for while one runs (from a nested message loop): done when it ends.
    bool pending_ = false;
    Direction pendingDirection_ = Direction::Forward;
    // Cleared by the destructor, so a fade handling messages sees its button go.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace zindra
