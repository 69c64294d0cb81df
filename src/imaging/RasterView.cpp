// The viewer's layout, bar ranges, picture placement, scrolling and corner square.
#include "imaging/RasterView.h"

#include <algorithm>
#include <utility>

#include "framework/app/Application.h"
#include "framework/controls/Form.h"
#include "framework/layout/Properties.h"
#include "imaging/SizeGrip.h"
#include "imaging/ThemeWatcher.h"
#include "imaging/TrackRegistration.h"
#include "platform/Platform.h"

namespace zindra {

namespace {

constexpr int kFallbackBarSize = 16;              // SM_CYHSCROLL where no desktop answers
constexpr std::uint32_t kNcLButtonDown = 0x00A1;  // WM_NCLBUTTONDOWN
constexpr std::uintptr_t kHitBottomRight = 17;    // HTBOTTOMRIGHT

}  // namespace

// ---- Scroll lock ----

class TCustomRasterView::ScrollLock {
public:
    explicit ScrollLock(TCustomRasterView& view) : view_(view) { view_.scrollLock_ = true; }
    ~ScrollLock() { view_.scrollLock_ = false; }
    ScrollLock(const ScrollLock&) = delete;
    ScrollLock& operator=(const ScrollLock&) = delete;

private:
    TCustomRasterView& view_;
};

// ---- Creation ----

TCustomRasterView::TCustomRasterView(TComponent* owner) : TCustomRasterImage(owner) {
    auto makeBar = [this](TScrollBarKind kind) {
        auto* bar = new TRangeTrack(this);
        bar->SetParent(this);
        bar->SetKind(kind);
        bar->SetBorderStyle(TBorderStyle::bsNone);
        bar->SetCentered(centered_);
        // NOTE: the viewer follows every move of a bar it did not make itself, so a wheel turn
        // over a bar (which reports only a plain change) scrolls the picture too.
        bar->SetOnChange([this, bar](TObject*) { BarMoved(*bar); });
        return bar;
    };
    hScroll_ = makeBar(TScrollBarKind::sbHorizontal);
    vScroll_ = makeBar(TScrollBarKind::sbVertical);
    scrollBars_ = std::make_unique<TViewScrollProperties>(*this, *hScroll_, *vScroll_);
    AlignAll();
    UpdateScrollBars();
    UpdateImage();
}

TCustomRasterView::~TCustomRasterView() {
    scrollBars_.reset();
    delete std::exchange(hScroll_, nullptr);
    delete std::exchange(vScroll_, nullptr);
}

// ---- Geometry ----

int TCustomRasterView::ScrollBarSize() const {
    if (barSize_ != 0) return barSize_;
    TApplication* app = Application();
    return app ? app->Platform().GetDesktop().GetSystemMetrics(platform::SM_CYHSCROLL) : kFallbackBarSize;
}

Rect TCustomRasterView::GetViewportRect() const {
    const int s = ScrollBarSize();
    return {0, 0, Width() - s, Height() - s};
}

Rect TCustomRasterView::GetSizeGripRect() const {
    const int s = ScrollBarSize();
    return {Width() - s, Height() - s, Width(), Height()};
}

// NOTE: the framework has no alignment, so no viewer fills its parent by alignment and sgAuto
// never shows the grip (the exit screen's viewer is not aligned either).
bool TCustomRasterView::IsSizeGripVisible() const {
    return sizeGrip_ == TSizeGripStyle::sgAlways;
}

void TCustomRasterView::AlignAll() {
    if (!hScroll_ || !vScroll_) return;
    const int s = ScrollBarSize();
    const int w = Width(), h = Height();
    hScroll_->SetBounds(0, h - s, std::max(w - s, 0), s);
    vScroll_->SetBounds(w - s, 0, s, std::max(h - s, 0));
    hScroll_->Invalidate();
    vScroll_->Invalidate();
}

void TCustomRasterView::UpdateScrollBars() {
    if (!hScroll_ || !vScroll_) return;
    const Size size = GetBitmapSize();
    hScroll_->SetRange(size.Width);
    vScroll_->SetRange(size.Height);
}

// The picture is centred along an axis where it is smaller than the view, else it follows the bar.
void TCustomRasterView::UpdateImage() {
    if (!hScroll_ || !vScroll_) return;
    const Size size = GetBitmapSize();
    const Rect view = GetViewportRect();
    float horz = -hScroll_->Position();
    float vert = -vScroll_->Position();
    if (centered_) {
        if (size.Width < view.Width()) horz = static_cast<float>(view.Width() - size.Width) / 2;
        if (size.Height < view.Height()) vert = static_cast<float>(view.Height() - size.Height) / 2;
    }
    StartUpdate();
    SetOffsets(horz, vert);
    EndUpdate();
    Changed();
}

// ---- Settings ----

void TCustomRasterView::SetCentered(bool value) {
    InvalidateCache();
    centered_ = value;
    hScroll_->SetCentered(value);
    vScroll_->SetCentered(value);
    UpdateScrollBars();
    UpdateImage();
    if (value) {
        CenterOn(static_cast<float>(Bitmap()->Width() / 2), static_cast<float>(Bitmap()->Height() / 2));
    } else {
        CenterOn(0, 0);
    }
}

void TCustomRasterView::SetSizeGrip(TSizeGripStyle value) {
    if (value == sizeGrip_) return;
    sizeGrip_ = value;
    Invalidate();
}

void TCustomRasterView::SetParentColor(bool value) {
    parentColor_ = value;
    if (value && Parent()) {
        SetColor(Parent()->Color());
        parentColor_ = true;
    }
}

void TCustomRasterView::SetParent(TWinControl* parent) {
    TCustomRasterImage::SetParent(parent);
    if (parentColor_ && parent) {
        SetColor(parent->Color());
        parentColor_ = true;
    }
}

// A colour of its own ends taking the parent's (SetParentColor puts the flag back after).
void TCustomRasterView::ColorChanged() {
    parentColor_ = false;
    TCustomRasterImage::ColorChanged();
}

void TCustomRasterView::ScaleChanged() {
    UpdateScrollBars();
    UpdateImage();
}

// ---- Scrolling ----

void TCustomRasterView::ScrollBy(float dx, float dy) {
    {
        ScrollLock lock(*this);
        hScroll_->SetPosition(hScroll_->Position() + dx);
        vScroll_->SetPosition(vScroll_->Position() + dy);
    }
    UpdateImage();
}

void TCustomRasterView::CenterOn(float x, float y) {
    {
        ScrollLock lock(*this);
        AlignAll();
        const Rect view = GetViewportRect();
        hScroll_->SetPosition(x * Scale() - static_cast<float>(view.Width()) / 2);
        vScroll_->SetPosition(y * Scale() - static_cast<float>(view.Height()) / 2);
    }
    UpdateImage();
}

void TCustomRasterView::BarMoved(TCustomRangeTrack& bar) {
    if (scrollLock_) return;
    bar.Repaint();
    UpdateImage();
    if (OnScroll) OnScroll(this);
    Repaint();
}

// ---- Size, picture, loading ----

void TCustomRasterView::Resize() {
    AlignAll();
    Invalidate();  // the corner square with it
    InvalidateCache();
    UpdateScrollBars();
    UpdateImage();
    TCustomRasterImage::Resize();
}

void TCustomRasterView::BitmapResized() {
    TCustomRasterImage::BitmapResized();
    UpdateScrollBars();
    if (centered_) {
        CenterOn(static_cast<float>(Bitmap()->Width() / 2), static_cast<float>(Bitmap()->Height() / 2));
    } else {
        {
            ScrollLock lock(*this);
            hScroll_->SetPosition(0);
            vScroll_->SetPosition(0);
        }
        UpdateImage();
    }
}

void TCustomRasterView::Loaded() {
    AlignAll();
    InvalidateBuffer();
    UpdateScrollBars();
    if (centered_) {
        CenterOn(static_cast<float>(Bitmap()->Width() / 2), static_cast<float>(Bitmap()->Height() / 2));
    }
    TCustomRasterImage::Loaded();
}

// ---- Painting and the corner ----

void TCustomRasterView::PaintCorner(TCanvas& canvas) {
    const Rect corner = GetSizeGripRect();
    if (corner.IsEmpty()) return;
    if (IsSizeGripVisible()) {
        DrawSizeGrip(canvas, corner, TThemeWatcher::ThemesEnabledFor(*this));
        return;
    }
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().Color = clBtnFace;
    canvas.FillRect(corner);
}

void TCustomRasterView::Paint(TCanvas& canvas) {
    PaintCorner(canvas);
    TCustomRasterImage::Paint(canvas);
}

// A press on a visible grip hands the drag to the form's bottom-right sizing edge.
void TCustomRasterView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomForm* form = dynamic_cast<TCustomForm*>(Owner());
    if (button == TMouseButton::mbLeft && form && IsSizeGripVisible() && GetSizeGripRect().Contains({x, y})) {
        Application()->ProcessMessages();
        SetMouseCapture(false);
        const Point p = ClientToScreen({x, y});
        const auto lParam = static_cast<std::intptr_t>((p.Y & 0xFFFF) << 16 | (p.X & 0xFFFF));
        Application()->Platform().GetDesktop().PostMessage(form->Handle(), kNcLButtonDown, kHitBottomRight, lParam);
        return;
    }
    TCustomRasterImage::MouseDown(button, shift, x, y);
}

// ---- Scroll properties ----

TViewScrollProperties::TViewScrollProperties(TCustomRasterView& view, TCustomRangeTrack& horizontal,
                                             TCustomRangeTrack& vertical)
    : TArrowTrackAccess(horizontal, &vertical), view_(view), horizontal_(horizontal) {}

int TViewScrollProperties::Increment() const {
    return horizontal_.Increment();
}

void TViewScrollProperties::SetIncrement(int value) {
    view_.HorzBar().SetIncrement(value);
    view_.VertBar().SetIncrement(value);
}

int TViewScrollProperties::Size() const {
    return view_.barSize_;
}

void TViewScrollProperties::SetSize(int value) {
    if (value == view_.barSize_) return;
    view_.barSize_ = value;
    view_.Resize();
}

// ---- Class information ----

const ClassInfo& TViewScrollProperties::StaticClass() {
    using C = TViewScrollProperties;
    static const ClassInfo info{"TViewScrollProperties",
                                &TArrowTrackAccess::StaticClass(),
                                {},
                                {props::Int<C>("Increment", &C::SetIncrement), props::Int<C>("Size", &C::SetSize)}};
    return info;
}
const ClassInfo& TViewScrollProperties::ClassType() const {
    return StaticClass();
}

const ClassInfo& TCustomRasterView::StaticClass() {
    static const ClassInfo info{"TCustomRasterView", &TCustomRasterImage::StaticClass(), {}, {}};
    return info;
}
const ClassInfo& TCustomRasterView::ClassType() const {
    return StaticClass();
}

const ClassInfo& TRasterView::StaticClass() {
    using C = TRasterView;
    static const ClassInfo info{
        "TRasterView",
        &TCustomRasterView::StaticClass(),
        [](TComponent* owner) { return new TRasterView(owner); },
        {props::Bool<C>("AutoSize", &C::SetAutoSize),
         props::Object<C>("Bitmap", static_cast<TRaster32* (TCustomRasterImage::*)()>(&C::Bitmap),
                          TRaster32::StaticClass()),
         props::Bool<C>("Centered", &C::SetCentered), props::Bool<C>("ParentColor", &C::SetParentColor),
         // NOTE: layouts hold whole numbers only, so a stored scale is a whole one.
         props::Make<C>(
             "Scale", [](const LayoutValue& v, LoadContext&) { return static_cast<float>(props::ReadInt32(v)); },
             &C::SetScale),
         props::Object<C>("ScrollBars", &C::ScrollBars, TViewScrollProperties::StaticClass()),
         props::Enum<C, TSizeGripStyle>("SizeGrip", &C::SetSizeGrip, kSizeGripStyleNames),
         props::Event<C, TNotifyEvent>("OnBitmapResize", &C::SetOnBitmapResize),
         props::Event<C, TNotifyEvent>("OnChange", &C::SetOnChange),
         props::Event<C, TNotifyEvent>("OnGDIOverlay", &C::SetOnGDIOverlay),
         props::Event<C, TNotifyEvent>("OnInitStages", &C::SetOnInitStages),
         props::Event<C, TNotifyEvent>("OnMouseEnter", &C::SetOnMouseEnter),
         props::Event<C, TNotifyEvent>("OnMouseLeave", &C::SetOnMouseLeave),
         props::Event<C, TPaintStageEvent>("OnPaintStage", &C::SetOnPaintStage),
         props::Event<C, TNotifyEvent>("OnScroll", &C::SetOnScroll)}};
    return info;
}
const ClassInfo& TRasterView::ClassType() const {
    return StaticClass();
}

void RegisterRasterViewClasses() {
    RegisterTrackClasses();
    ClassRegistry::Register(TRasterView::StaticClass());
}

}  // namespace zindra
