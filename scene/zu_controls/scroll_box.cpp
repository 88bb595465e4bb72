#include "scene/zu_controls/scroll_box.h"

#include <algorithm>

#include "platform/core/class_registry.h"
#include "platform/core/property.h"
#include "scene/zu_controls/scroll_bar.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/tree/animation.h"
#include "scene/zu_scene/tree/child_range.h"
#include "scene/zu_scene/tree/effect.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

namespace {
constexpr float kGlideSeconds = 0.7f;
// A flick glides on for this many times the last movement.
constexpr float kFlickFactor = 7;
constexpr int kWheelNotch = 120;
constexpr int kLinesPerNotch = 3;

float ClampToRange(const TzuScrollBar* bar, float value) {
    const float top = std::max(bar->Min(), bar->Max() - bar->ViewportSize());
    return std::clamp(value, bar->Min(), top);
}
}  // namespace

// ---- TzuScrollContent ----

const TzuClass& TzuScrollContent::StaticClass() {
    static const TzuClass cls = ZuClass<TzuScrollContent, TzuContent>("TzuScrollContent");
    return cls;
}

TzuScrollContent::TzuScrollContent(TzuComponent* owner) : TzuContent(owner) {
    SetClipChildren(true);
    SetStored(false);
    SetLocked(true);
    SetHitTest(false);
}

TzuScrollBox* TzuScrollContent::Box() const { return As<TzuScrollBox>(Parent()); }

TzuRect TzuScrollContent::ClipRect() {
    TzuScrollBox* box = Box();
    TzuVisualObject* viewport = box ? box->Viewport() : nullptr;
    if (!viewport) return LocalRect();
    TzuRect r = viewport->LocalRect();
    if (TzuScrollBar* v = box->VScrollBar(); v && v->Enabled()) RectOffset(r, 0, v->Value());
    if (TzuScrollBar* h = box->HScrollBar(); h && h->Enabled()) RectOffset(r, h->Value(), 0);
    return r;
}

bool TzuScrollContent::PointInObject(float x, float y) {
    if (!TzuContent::PointInObject(x, y)) return false;
    const TzuPoint p = AbsoluteToLocal(TzuPoint{x, y});
    const TzuRect r = ClipRect();
    return p.X > r.Left && p.X < r.Right && p.Y > r.Top && p.Y < r.Bottom;
}

void TzuScrollContent::Realign() {
    // While the box holds its realigns, the content waits for it as well: adding many
    // children then costs one layout at the end, not one per child.
    if (TzuScrollBox* box = Box(); box && box->UpdateCount() > 0) return;
    TzuContent::Realign();
}

void TzuScrollContent::UpdateStyle() {
    if (!m_stylesWhenShown) {
        TzuContent::UpdateStyle();
        return;
    }
    for (int i = 0; i < ChildrenCount(); ++i) {
        if (auto* c = As<TzuControl>(Children(i)))
            c->RestyleWhenShown();
        else
            Children(i)->UpdateStyle();
    }
}

void TzuScrollContent::AfterAddObject(TzuObject* child) {
    TzuContent::AfterAddObject(child);
    if (!IsLoading() && child->IsVisual()) Realign();
}

void TzuScrollContent::BeforeRemoveObject(TzuObject* child) {
    TzuContent::BeforeRemoveObject(child);
    // The range shrinks once the child is gone; the box recomputes it on its next layout.
    if (TzuScrollBox* box = Box(); box && !IsDestroying() && !box->IsDestroying() && child->IsVisual()) {
        auto* v = static_cast<TzuVisualObject*>(child);
        const bool wasVisible = v->Visible();
        v->SetVisibleField(false);
        Realign();
        v->SetVisibleField(wasVisible);
    }
}

void TzuScrollContent::Paint() {
    TzuContent::Paint();
    TzuScrollBox* box = Box();
    TzuCanvas* cv = Canvas();
    if (!box || !cv) return;
    const TzuRect r = ClipRect();
    const int saved = cv->SaveCanvas();
    cv->SetMatrix(AbsoluteMatrix());
    cv->IntersectClipRect(r);
    box->PaintContent(cv, r);
    cv->RestoreCanvas(saved);
}

// ---- TzuScrollBox ----

const TzuClass& TzuScrollBox::StaticClass() {
    using P = ZuProps<TzuScrollBox>;
    using B = TzuScrollBox;
    static const TzuPropInfo props[] = {
        P::Bool<&B::AutoHide, &B::SetAutoHide>("AutoHide").Default(1),
        P::Bool<&B::Animated, &B::SetAnimated>("Animated").Default(1),
        P::Bool<&B::DisableMouseWheel, &B::SetDisableMouseWheel>("DisableMouseWheel").Default(0),
        P::Bool<&B::MouseTracking, &B::SetMouseTracking>("MouseTracking").Default(0),
        P::Bool<&B::ShowScrollBars, &B::SetShowScrollBars>("ShowScrollBars").Default(1),
        P::Bool<&B::ShowSizeGrip, &B::SetShowSizeGrip>("ShowSizeGrip").Default(0),
        P::Bool<&B::UseSmallScrollBars, &B::SetUseSmallScrollBars>("UseSmallScrollBars").Default(0),
    };
    static const TzuClass cls = ZuClass<TzuScrollBox, TzuControl>("TzuScrollBox", props);
    return cls;
}

TzuScrollBox::TzuScrollBox(TzuComponent* owner) : TzuControl(owner) {
    SetWidth(200);
    SetHeight(200);
    m_content = new TzuScrollContent(this);
    m_content->SetBounds(0, 0, Width(), Height());
    TzuObject::AddObject(m_content);
    m_content->FreeNotification(this);
}

TzuScrollBox::~TzuScrollBox() {
    ReleaseParts();
    if (m_content) m_content->RemoveFreeNotification(this);
    m_content = nullptr;
}

void TzuScrollBox::AddObject(TzuObject* child) {
    // Effects and animations act on the box itself; everything else is content.
    if (m_content && child && child != m_content && child != StyleObject() && !As<TzuEffect>(child) &&
        !As<TzuAnimation>(child) && !IsDestroying()) {
        m_content->AddObject(child);
        return;
    }
    TzuControl::AddObject(child);
}

void TzuScrollBox::Notification(TzuComponent* component, TzuOperation operation) {
    TzuControl::Notification(component, operation);
    if (operation != TzuOperation::opRemove) return;
    if (component == m_content) m_content = nullptr;
    if (component == m_hbar) m_hbar = nullptr;
    if (component == m_vbar) m_vbar = nullptr;
    if (component == m_viewport) m_viewport = nullptr;
    if (component == m_sizeGrip) m_sizeGrip = nullptr;
    if (component == m_hAnimation) m_hAnimation = nullptr;
    if (component == m_vAnimation) m_vAnimation = nullptr;
}

void TzuScrollBox::SetAutoHide(bool value) {
    if (value == m_autoHide) return;
    m_autoHide = value;
    if (!m_autoHide) {
        if (m_hbar) m_hbar->SetVisible(true);
        if (m_vbar) m_vbar->SetVisible(true);
    }
    Realign();
}

void TzuScrollBox::SetShowScrollBars(bool value) {
    if (value == m_showScrollBars) return;
    m_showScrollBars = value;
    Realign();
}

void TzuScrollBox::SetShowSizeGrip(bool value) {
    if (value == m_showSizeGrip) return;
    m_showSizeGrip = value;
    if (m_sizeGrip) m_sizeGrip->SetVisible(m_showSizeGrip);
}

void TzuScrollBox::SetUseSmallScrollBars(bool value) {
    if (value == m_useSmallScrollBars) return;
    m_useSmallScrollBars = value;
    if (!StyleObject() || IsLoading()) return;
    BindParts();
    Realign();
}

float TzuScrollBox::HScrollPos() const { return m_hbar && m_hbar->Visible() ? m_hbar->Value() : 0; }

float TzuScrollBox::VScrollPos() const { return m_vbar && m_vbar->Visible() ? m_vbar->Value() : 0; }

void TzuScrollBox::ScrollTo(float x, float y) {
    if (m_hbar && m_hbar->Visible()) StartScroll(m_hbar, x);
    if (m_vbar && m_vbar->Visible()) StartScroll(m_vbar, y);
}

// ---- Style ----

void TzuScrollBox::ReleaseParts() {
    for (TzuComponent* c :
         {static_cast<TzuComponent*>(m_hbar), static_cast<TzuComponent*>(m_vbar),
          static_cast<TzuComponent*>(m_viewport), static_cast<TzuComponent*>(m_sizeGrip),
          static_cast<TzuComponent*>(m_hAnimation), static_cast<TzuComponent*>(m_vAnimation)}) {
        if (c) c->RemoveFreeNotification(this);
    }
    if (m_hbar) m_hbar->OnChange().Clear();
    if (m_vbar) m_vbar->OnChange().Clear();
    m_hbar = m_vbar = nullptr;
    m_viewport = m_sizeGrip = nullptr;
    m_hAnimation = m_vAnimation = nullptr;
}

void TzuScrollBox::BindParts() {
    ReleaseParts();
    if (!StyleObject()) return;
    m_sizeGrip = As<TzuVisualObject>(StyleObject()->FindResource("sizegrip"));
    if (m_sizeGrip) {
        m_sizeGrip->FreeNotification(this);
        m_sizeGrip->SetVisible(m_showSizeGrip);
    }
    TzuScrollBar* bigV = As<TzuScrollBar>(StyleObject()->FindResource("vscrollbar"));
    TzuScrollBar* bigH = As<TzuScrollBar>(StyleObject()->FindResource("hscrollbar"));
    TzuScrollBar* smallV = As<TzuScrollBar>(StyleObject()->FindResource("vsmallscrollbar"));
    TzuScrollBar* smallH = As<TzuScrollBar>(StyleObject()->FindResource("hsmallscrollbar"));
    const bool small = m_useSmallScrollBars && smallV && smallH;
    TzuScrollBar* unusedV = small ? bigV : smallV;
    TzuScrollBar* unusedH = small ? bigH : smallH;
    m_vbar = small ? smallV : bigV;
    m_hbar = small ? smallH : bigH;
    for (TzuScrollBar* unused : {unusedV, unusedH}) {
        if (unused) unused->SetVisible(false);
    }
    for (TzuScrollBar* bar : {m_vbar, m_hbar}) {
        if (!bar) continue;
        bar->SetLocked(true);
        bar->FreeNotification(this);
        // The style's alignment is kept in Tag: hiding the bars takes their Align away.
        if (bar->Tag() == 0) bar->SetTag(bar->Align());
    }
    if (m_vbar) m_vbar->OnChange().Set([this](TzuPersistent*) { VValueChanged(); });
    if (m_hbar) m_hbar->OnChange().Set([this](TzuPersistent*) { HValueChanged(); });
    m_viewport = As<TzuVisualObject>(StyleObject()->FindResource("content"));
    if (m_viewport) m_viewport->FreeNotification(this);
}

void TzuScrollBox::ApplyStyle() {
    TzuControl::ApplyStyle();
    BindParts();
    Realign();
}

void TzuScrollBox::FreeStyle() {
    StopScrollAnimations();
    ReleaseParts();
    TzuControl::FreeStyle();
}

// ---- Scrolling ----

TzuPoint TzuScrollBox::ViewportOrigin() {
    if (!m_viewport) return {};
    return AbsoluteToLocal(m_viewport->LocalToAbsolute(TzuPoint{0, 0}));
}

void TzuScrollBox::HValueChanged() {
    if (!m_hbar || !m_content || !m_viewport) return;
    const float x = ViewportOrigin().X;
    m_content->Position()->SetX(m_hbar->Visible() ? x - m_hbar->Value() : x);
    m_savedH = m_hbar->Value();
}

void TzuScrollBox::VValueChanged() {
    if (!m_vbar || !m_content || !m_viewport) return;
    const float y = ViewportOrigin().Y;
    m_content->Position()->SetY(m_vbar->Visible() ? y - m_vbar->Value() : y);
    m_savedV = m_vbar->Value();
}

TzuRect TzuScrollBox::ContentBounds() {
    if (!m_content || !m_viewport) return TzuRect{0, 0, Width(), Height()};
    TzuRect r = m_viewport->LocalRect();
    for (TzuVisualObject* child : ChildrenOf<TzuVisualObject>(*m_content)) {
        if (child->Visible()) r = RectUnion(r, child->ParentedRect());
    }
    return r;
}

void TzuScrollBox::SetContentBounds(const TzuRect& r) {
    if (!m_content) return;
    // Unchanged bounds leave the content's areas alone: renewing them walks all it holds.
    if (m_content->Position()->X() != r.Left || m_content->Position()->Y() != r.Top ||
        m_content->Width() != RectWidth(r) || m_content->Height() != RectHeight(r))
        m_content->SetBounds(r.Left, r.Top, RectWidth(r), RectHeight(r));
    m_content->Realign();
}

void TzuScrollBox::PaintContent(TzuCanvas* /*canvas*/, const TzuRect& /*r*/) {}

void TzuScrollBox::BeginUpdate() { ++m_updateCount; }

void TzuScrollBox::EndUpdate() {
    if (m_updateCount <= 0) return;
    if (--m_updateCount == 0) Realign();
}

void TzuScrollBox::Loaded() {
    TzuControl::Loaded();
    Realign();
}

void TzuScrollBox::Realign() {
    if (IsDestroying() || m_updateCount > 0) return;
    TzuControl::Realign();
    if (IsLoading() || !m_viewport || !m_content || m_inRealign) return;
    m_inRealign = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_inRealign};
    TzuObjectGuard guard(this);
    const float w = m_viewport->Width(), h = m_viewport->Height();
    ScrollBarStep();
    // Bars that appeared or went away changed the viewport: one more pass settles it.
    if (guard.Alive() && m_viewport && (m_viewport->Width() != w || m_viewport->Height() != h))
        ScrollBarStep();
}

void TzuScrollBox::PlaceBar(TzuScrollBar* bar, bool enabled, bool vertical, float hiddenAt) {
    bar->SetEnabled(enabled);
    if (m_autoHide) bar->SetVisible(enabled);
    if (m_showScrollBars) {
        bar->SetOpacity(1);
        bar->SetHitTest(true);
        bar->SetAlign(static_cast<TzuAlign>(bar->Tag()));
    } else {
        // Transparent and out of the box, so that it neither shows nor takes the pointer;
        // the wheel still scrolls through it.
        bar->SetOpacity(0);
        bar->SetHitTest(false);
        bar->SetAlign(vaNone);
        if (vertical)
            bar->Position()->SetX(hiddenAt);
        else
            bar->Position()->SetY(hiddenAt);
    }
}

void TzuScrollBox::ScrollBarStep() {
    TzuRect r = ContentBounds();
    if (RectWidth(r) * RectHeight(r) == 0) return;
    const TzuPoint origin = ViewportOrigin();
    RectOffset(r, origin.X, origin.Y);
    if (m_hbar && m_hbar->Enabled()) RectOffset(r, -m_savedH, 0);
    if (m_vbar && m_vbar->Enabled()) RectOffset(r, 0, -m_savedV);
    SetContentBounds(r);
    if (!m_viewport) return;
    const float rw = RectWidth(r), rh = RectHeight(r);

    // First the bars as the content needs them against the present viewport ...
    if (m_vbar) PlaceBar(m_vbar, rh > m_viewport->Height(), true, Width() + 100);
    if (m_hbar) {
        PlaceBar(m_hbar, rw > m_viewport->Width(), false, Height() + 100);
        const bool corner = m_showScrollBars && m_vbar && m_vbar->Enabled() && m_vbar->Visible();
        m_hbar->Padding()->SetRight(corner ? m_vbar->Width() : 0);
    }
    // ... then the viewport takes the room they leave ...
    if (auto* parent = As<TzuVisualObject>(m_viewport->Parent())) parent->Realign();
    if (!m_viewport) return;
    // ... and the bars are checked against it once more and given their ranges.
    if (TzuScrollBar* v = m_vbar) {
        PlaceBar(v, rh > m_viewport->Height(), true, Width() + 100);
        v->Realign();
        if (v->Visible()) {
            v->SetMax(rh);
            v->SetViewportSize(m_viewport->Height());
            v->SetSmallChange(v->ViewportSize() / 5);
            v->SetValue(m_savedV);
        } else {
            v->SetValue(0);
        }
        VValueChanged();
    }
    if (TzuScrollBar* h = m_hbar) {
        h->Padding()->SetRight(0);
        PlaceBar(h, rw > m_viewport->Width(), false, Height() + 100);
        if (m_showScrollBars && m_vbar && m_vbar->Enabled() && m_vbar->Visible())
            h->Padding()->SetRight(m_vbar->Width());
        h->Realign();
        if (h->Visible()) {
            h->SetMax(rw);
            h->SetViewportSize(m_viewport->Width());
            h->SetSmallChange(h->ViewportSize() / 5);
            h->SetValue(ViewportOrigin().X - m_content->Position()->X());
        } else {
            h->SetValue(0);
        }
        HValueChanged();
    }
}

TzuAnimation*& TzuScrollBox::AnimationFor(TzuScrollBar* bar) {
    return bar == m_hbar ? m_hAnimation : m_vAnimation;
}

float TzuScrollBox::GlideBase(TzuScrollBar* bar) {
    TzuAnimation* animation = AnimationFor(bar);
    if (!m_animated || !animation || !animation->Running()) return bar->Value();
    return bar == m_hbar ? m_hTarget : m_vTarget;
}

void TzuScrollBox::StartScroll(TzuScrollBar* bar, float target) {
    target = ClampToRange(bar, target);
    (bar == m_hbar ? m_hTarget : m_vTarget) = target;
    if (!m_animated) {
        bar->SetValue(target);
        return;
    }
    TzuAnimation*& animation = AnimationFor(bar);
    if (!animation) {
        // The float animation lives in a unit above the controls: made by its registered name.
        animation = As<TzuAnimation>(CreateObject("TzuFloatAnimation", bar));
        if (!animation) {
            bar->SetValue(target);
            return;
        }
        animation->SetStored(false);
        animation->SetAnimationType(zuAnimationOut);
        animation->SetInterpolation(zuInterpolationQuadratic);
        animation->SetDuration(kGlideSeconds);
        animation->SetPropertyName("Value");
        SetPropValue(ResolveProperty(animation, "StartFromCurrent"), TzuVariant(true));
        animation->SetParent(bar);
        animation->FreeNotification(this);
    }
    // A glide under way stops where it stands, so the next one starts from there.
    if (animation->Running()) animation->StopAtCurrent();
    if (!animation) return;  // freed by a finish handler
    SetPropValue(ResolveProperty(animation, "StopValue"), TzuVariant(double(target)));
    animation->Start();
}

void TzuScrollBox::StopScrollAnimations() {
    if (m_hAnimation && m_hAnimation->Running()) m_hAnimation->StopAtCurrent();
    if (m_vAnimation && m_vAnimation->Running()) m_vAnimation->StopAtCurrent();
}

// ---- Input ----

void TzuScrollBox::MouseWheel(TzuShiftState shift, int wheelDelta, bool& handled) {
    TzuObjectGuard guard(this);
    TzuControl::MouseWheel(shift, wheelDelta, handled);
    if (!guard.Alive() || handled || m_disableMouseWheel) return;
    const float notches = float(wheelDelta) / kWheelNotch;
    for (TzuScrollBar* bar : {m_vbar, m_hbar}) {
        if (!bar || !bar->Visible()) continue;
        // Notches that come faster than the glide add up: each goes on from where the
        // glide under way is heading, not from where it has got to.
        StartScroll(bar, GlideBase(bar) - notches * kLinesPerNotch * bar->SmallChange());
        handled = true;
        return;
    }
}

void TzuScrollBox::MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuControl::MouseDown(button, shift, x, y);
    if (!guard.Alive() || !m_mouseTracking || button != mbLeft) return;
    m_lastMove = {};
    m_downPoint = m_lastPoint = {x, y};
    m_tracking = true;
    StopScrollAnimations();
}

void TzuScrollBox::MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) {
    TzuObjectGuard guard(this);
    TzuControl::MouseMove(shift, x, y, dx, dy);
    if (!guard.Alive() || !m_tracking) return;
    if (m_vbar && m_vbar->Visible()) {
        m_lastMove.Y = y - m_lastPoint.Y;
        m_vbar->SetValue(m_vbar->Value() - m_lastMove.Y);
    }
    if (m_hbar && m_hbar->Visible()) {
        m_lastMove.X = x - m_lastPoint.X;
        m_hbar->SetValue(m_hbar->Value() - m_lastMove.X);
    }
    m_lastPoint = {x, y};
}

void TzuScrollBox::MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuControl::MouseUp(button, shift, x, y);
    if (!guard.Alive() || !m_tracking) return;
    m_tracking = false;
    if (!m_animated || (m_lastMove.X == 0 && m_lastMove.Y == 0)) return;
    // The content glides on in the direction of the flick.
    if (m_vbar && m_vbar->Visible()) StartScroll(m_vbar, m_vbar->Value() - kFlickFactor * m_lastMove.Y);
    if (m_hbar && m_hbar->Visible()) StartScroll(m_hbar, m_hbar->Value() - kFlickFactor * m_lastMove.X);
}

// ---- The kinds ----

const TzuClass& TzuVertScrollBox::StaticClass() {
    static const TzuClass cls = ZuClass<TzuVertScrollBox, TzuScrollBox>("TzuVertScrollBox");
    return cls;
}

TzuVertScrollBox::TzuVertScrollBox(TzuComponent* owner) : TzuScrollBox(owner) {
    SetResource("scrollboxstyle");
}

TzuRect TzuVertScrollBox::ContentBounds() {
    TzuRect r = TzuScrollBox::ContentBounds();
    if (!Content() || !Viewport()) return r;
    Content()->SetWidth(Viewport()->Width());
    // A child wider than the viewport is cut at its edge rather than scrolled to.
    r.Left = 0;
    r.Right = Viewport()->Width();
    return r;
}

const TzuClass& TzuFramedScrollBox::StaticClass() {
    static const TzuClass cls = ZuClass<TzuFramedScrollBox, TzuScrollBox>("TzuFramedScrollBox");
    return cls;
}

const TzuClass& TzuFramedVertScrollBox::StaticClass() {
    static const TzuClass cls = ZuClass<TzuFramedVertScrollBox, TzuVertScrollBox>("TzuFramedVertScrollBox");
    return cls;
}

TzuFramedVertScrollBox::TzuFramedVertScrollBox(TzuComponent* owner) : TzuVertScrollBox(owner) {
    SetResource("framedscrollboxstyle");
}

bool ScrollBoxHoldsRealign(TzuObject* parent) {
    if (auto* content = As<TzuScrollContent>(parent)) parent = content->Box();
    auto* box = As<TzuScrollBox>(parent);
    return box && box->UpdateCount() > 0;
}

}  // namespace zu
