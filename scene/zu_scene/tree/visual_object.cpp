#include "scene/zu_scene/tree/visual_object.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "platform/core/popup_menu.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/tree/child_range.h"

namespace zu {

namespace {
TzuVisualObject::TzuVisibilityHook g_visibilityHook = nullptr;

const char* const kAlignNames[] = {
    "vaNone",       "vaTopLeft",  "vaTopRight", "vaBottomLeft", "vaBottomRight", "vaTop",
    "vaLeft",       "vaRight",    "vaBottom",   "vaMostTop",    "vaMostBottom",  "vaMostLeft",
    "vaMostRight",  "vaClient",   "vaContents", "vaCenter",     "vaVertCenter",  "vaHorzCenter",
    "vaHorizontal", "vaVertical", "vaScale",    "vaFit",        "vaFitLeft",     "vaFitRight",
};
const char* const kDragModeNames[] = {"zuDragManual", "zuDragAutomatic"};

TzuMatrix Translation(float dx, float dy) {
    TzuMatrix m = IdentityMatrix;
    m.m31 = dx;
    m.m32 = dy;
    return m;
}
}  // namespace

const TzuEnumInfo kAlignEnum{"TzuAlign", kAlignNames, static_cast<int>(std::size(kAlignNames))};
const TzuEnumInfo kDragModeEnum{"TzuDragMode", kDragModeNames, 2};

TzuVisualExtra::TzuVisualExtra() = default;
TzuVisualExtra::~TzuVisualExtra() = default;

const TzuClass& TzuVisualObject::StaticClass() {
    using V = TzuVisualObject;
    using P = ZuProps<V>;
    static const TzuPropInfo props[] = {
        P::Enum<&V::Align, &V::SetAlign>("Align", kAlignEnum).Default(vaNone),
        P::Int<&V::Cursor, &V::SetCursor>("Cursor").Default(0),
        P::Enum<&V::DragMode, &V::SetDragMode>("DragMode", kDragModeEnum).Default(zuDragManual),
        P::Bool<&V::DragDisableHighlight, &V::SetDragDisableHighlight>("DragDisableHighlight").Default(0),
        P::Bool<&V::Enabled, &V::SetEnabled>("Enabled").Default(1),
        P::Object<&V::Position>("Position"),
        P::Float<&V::RotateAngle, &V::SetRotateAngle>("RotateAngle").Default(0),
        P::Object<&V::RotateCenter>("RotateCenter"),
        P::Bool<&V::Locked, &V::SetLocked>("Locked").Default(0),
        P::Float<&V::Width, &V::SetWidth>("Width"),
        P::Float<&V::Height, &V::SetHeight>("Height"),
        P::Object<&V::Margins>("Margins"),
        P::Object<&V::Padding>("Padding"),
        P::Float<&V::Opacity, &V::SetOpacity>("Opacity").Default(1),
        P::Bool<&V::ClipChildren, &V::SetClipChildren>("ClipChildren").Default(0),
        P::Bool<&V::ClipParent, &V::SetClipParent>("ClipParent").Default(0),
        P::Bool<&V::HitTest, &V::SetHitTest>("HitTest").Default(1),
        P::WString<&V::Hint, &V::SetHint>("Hint"),
        P::Bool<&V::ShowHint, &V::SetShowHint>("ShowHint").Default(0),
        P::Bool<&V::CanClipped, &V::SetCanClipped>("CanClipped").Default(1),
        P::Reference<&V::PopupMenu, &V::SetPopupMenu>("PopupMenu"),
        P::Object<&V::Scale>("Scale"),
        P::Bool<&V::Visible, &V::SetVisible>("Visible").Default(1),
        P::Bool<&V::DesignHide, &V::SetDesignHide>("DesignHide").Default(0),
        P::Event<&V::OnMouseUp>("OnMouseUp"),
        P::Event<&V::OnMouseDown>("OnMouseDown"),
        P::Event<&V::OnMouseMove>("OnMouseMove"),
        P::Event<&V::OnMouseWheel>("OnMouseWheel"),
        P::Event<&V::OnClick>("OnClick"),
        P::Event<&V::OnDblClick>("OnDblClick"),
        P::Event<&V::OnMouseLeave>("OnMouseLeave"),
        P::Event<&V::OnMouseEnter>("OnMouseEnter"),
        P::Event<&V::OnPaint>("OnPaint"),
        P::Event<&V::OnDragEnter>("OnDragEnter"),
        P::Event<&V::OnDragDrop>("OnDragDrop"),
        P::Event<&V::OnDragLeave>("OnDragLeave"),
        P::Event<&V::OnDragOver>("OnDragOver"),
        P::Event<&V::OnKeyDown>("OnKeyDown"),
        P::Event<&V::OnKeyUp>("OnKeyUp"),
        P::Bool<&V::IsMouseOver>("IsMouseOver").NotStored(),
        P::Bool<&V::IsDragOver>("IsDragOver").NotStored(),
        P::Bool<&V::IsFocused>("IsFocused").NotStored(),
        P::Bool<&V::IsVisible>("IsVisible").NotStored(),
    };
    static const TzuClass cls = ZuClass<V, TzuObject>("TzuVisualObject", props);
    return cls;
}

TzuVisualObject::TzuVisualObject(TzuComponent* owner) : TzuObject(owner) {
    MarkVisual();
    WireChange(m_position);
}

TzuVisualObject::~TzuVisualObject() {
    // Leave the tree while this is still a whole visual object, so the parent's removal
    // steps (tab list, repaint of the old area) see it as one. The scene hears first.
    SetStateFlag(csDestroying, true);
    if (Scene()) Scene()->Notification(this, TzuOperation::opRemove);
    DetachFromTree();
    DeleteChildren();
    SetPopupMenu(nullptr);
}

void TzuVisualObject::WireChange(TzuPosition& p) const {
    auto* self = const_cast<TzuVisualObject*>(this);
    p.OnChange().Set([self](TzuPersistent*) {
        if (!self->m_quietGeometry) self->MatrixChanged();
    });
}

void TzuVisualObject::StorePosition(float x, float y) {
    m_quietGeometry = true;
    m_position.SetPoint(TzuPoint{x, y});
    m_quietGeometry = false;
}

TzuPosition* TzuVisualObject::Scale() const {
    if (!m_scale) {
        m_scale = std::make_unique<TzuPosition>(TzuPoint{1, 1});
        WireChange(*m_scale);
    }
    return m_scale.get();
}

TzuPosition* TzuVisualObject::RotateCenter() const {
    if (!m_rotateCenter) {
        m_rotateCenter = std::make_unique<TzuPosition>(TzuPoint{0.5f, 0.5f});
        WireChange(*m_rotateCenter);
    }
    return m_rotateCenter.get();
}

TzuBounds* TzuVisualObject::Margins() const {
    if (!m_margins) {
        m_margins = std::make_unique<TzuBounds>();
        auto* self = const_cast<TzuVisualObject*>(this);
        m_margins->OnChange().Set([self](TzuPersistent*) { self->Realign(); });
    }
    return m_margins.get();
}

TzuBounds* TzuVisualObject::Padding() const {
    if (!m_padding) {
        m_padding = std::make_unique<TzuBounds>();
        m_padding->OnChange().Set([this](TzuPersistent*) {
            if (TzuVisualObject* p = VisualParent()) p->Realign();
        });
    }
    return m_padding.get();
}

TzuVisualExtra& TzuVisualObject::Extra() {
    if (!m_extra) m_extra = std::make_unique<TzuVisualExtra>();
    return *m_extra;
}

TzuVisualObject* TzuVisualObject::VisualParent() const {
    TzuObject* p = Parent();
    return p && p->IsVisual() ? static_cast<TzuVisualObject*>(p) : nullptr;
}

// ---- Size and position ----

void TzuVisualObject::SetWidth(float value) {
    if (value == m_width) return;
    Repaint();
    if (value < 0 && IsSceneDesigning()) {
        value = -value;
        Scale()->SetX(-ScalePoint().X);
    }
    m_width = value;
    SizeChanged();
}

void TzuVisualObject::SetHeight(float value) {
    if (value == m_height) return;
    Repaint();
    if (value < 0 && IsSceneDesigning()) {
        value = -value;
        Scale()->SetY(-ScalePoint().Y);
    }
    m_height = value;
    SizeChanged();
}

void TzuVisualObject::SizeChanged() {
    if (IsLoading() || !Scene()) return;
    InvalidateUpdateRect();
    if (TzuVisualObject* p = VisualParent()) {
        if (m_align != vaNone || p->RealignsOnChildResize()) p->Realign();
    }
    if (ChildrenCount() > 0) Realign();
    Repaint();
}

void TzuVisualObject::SetBounds(float x, float y, float width, float height) {
    Repaint();
    bool designing = IsSceneDesigning();
    bool sizeChanged = width != m_width || height != m_height;
    if (height < 0 && designing) {
        height = -height;
        Scale()->SetY(-ScalePoint().Y);
    }
    m_height = height;
    if (width < 0 && designing) {
        width = -width;
        Scale()->SetX(-ScalePoint().X);
    }
    m_width = width;
    if (x != m_position.X() || y != m_position.Y()) m_position.SetPoint(TzuPoint{x, y});
    if (IsLoading()) return;
    if (sizeChanged) {
        TzuVisualObject* p = VisualParent();
        if (p && (m_align != vaNone || p->RealignsOnChildResize())) p->Realign();
        if (ChildrenCount() > 0) Realign();
    }
    InvalidateUpdateRect();
    Repaint();
}

void TzuVisualObject::SetBoundsRect(const TzuRect& r) {
    Repaint();
    float w = r.Right - r.Left;
    float h = r.Bottom - r.Top;
    TzuPoint scale = ScalePoint();
    // Dragging an edge past the opposite one mirrors the object instead of turning it
    // inside out.
    if (w < 0) {
        w = -w;
        scale.X = -scale.X;
    }
    if (h < 0) {
        h = -h;
        scale.Y = -scale.Y;
    }
    m_width = w;
    m_height = h;
    TzuPoint rc = RotateCenterPoint();
    TzuPoint p = LocalToAbsolute(TzuPoint{r.Left + rc.X * w, r.Top + rc.Y * h});
    if (TzuVisualObject* parent = VisualParent()) p = parent->AbsoluteToLocal(p);
    if (scale != ScalePoint()) Scale()->SetPoint(scale);
    m_position.SetPoint(TzuPoint{p.X - scale.X * rc.X * w, p.Y - scale.Y * rc.Y * h});
    // A new size at the same place moves no matrix, but the area changed all the same.
    if (!IsLoading()) InvalidateUpdateRect();
    Realign();
    Repaint();
}

void TzuVisualObject::SetAlign(TzuAlign value) {
    if (value == m_align) return;
    m_align = value;
    if (IsLoading()) return;
    if (TzuVisualObject* p = VisualParent()) p->Realign();
}

void TzuVisualObject::SetRotateAngle(float value) {
    if (value == m_rotateAngle) return;
    float a = NormalizeAngle(value);
    if (a == m_rotateAngle) return;
    m_rotateAngle = a;
    MatrixChanged();
}

// ---- Matrices ----

void TzuVisualObject::MatrixChanged() {
    if (!m_offscreen) Repaint();
    TzuPoint scale = ScalePoint();
    TzuMatrix local = IdentityMatrix;
    local.m11 = scale.X;
    local.m22 = scale.Y;
    local.m31 = m_position.X();
    local.m32 = m_position.Y();
    if (m_rotateAngle != 0) {
        TzuPoint c = RotateCenterPoint();
        float cx = c.X * m_width, cy = c.Y * m_height;
        TzuMatrix m = MatrixMultiply(Translation(-cx, -cy), RotationMatrix(DegreesToRadians(m_rotateAngle)));
        m = MatrixMultiply(m, Translation(cx, cy));
        local = MatrixMultiply(m, local);
    }
    m_localMatrix = local;
    InvalidateAbsoluteMatrix();
    MarkUpdateRectStaleUp();
    if (!m_offscreen) Repaint();
}

void TzuVisualObject::InvalidateAbsoluteMatrix() {
    m_absoluteStale = true;
    // The area moves with the matrix; clearing it here keeps a whole moved subtree's
    // update rectangles honest without a second walk.
    m_updateRectStale = true;
    // A stale child has a stale subtree: a matrix is only ever refreshed together with
    // its ancestors', and only this walk makes one stale. So only the children refreshed
    // since the last walk need it, and a scrolled content visits the rows that showed,
    // not all it holds.
    if (m_freshTracked) {
        std::vector<TzuVisualObject*> fresh;
        fresh.swap(*m_freshChildren);
        for (TzuVisualObject* v : fresh) {
            v->m_freshListed = false;
            if (!v->m_absoluteStale) v->InvalidateAbsoluteMatrix();
        }
        fresh.clear();
        if (m_freshChildren->empty()) m_freshChildren->swap(fresh);  // keeps the capacity
        return;
    }
    for (TzuVisualObject* v : ChildrenOf<TzuVisualObject>(*this)) {
        v->m_freshListed = false;
        if (!v->m_absoluteStale) v->InvalidateAbsoluteMatrix();
    }
    // Every child is stale now and none is listed: from here the list can be complete.
    constexpr int kTrackFrom = 16;
    if (ChildrenCount() >= kTrackFrom) {
        if (!m_freshChildren) m_freshChildren = std::make_unique<std::vector<TzuVisualObject*>>();
        m_freshChildren->clear();
        m_freshTracked = true;
    }
}

void TzuVisualObject::StopFreshTracking() {
    m_freshTracked = false;
    if (m_freshChildren) m_freshChildren->clear();
}

TzuMatrix TzuVisualObject::AbsoluteMatrix() {
    if (!m_absoluteStale) return m_absoluteMatrix;
    if (TzuVisualObject* p = VisualParent()) {
        m_absoluteMatrix =
            MatrixMultiply(MatrixMultiply(m_localMatrix, p->ChildrenMatrix()), p->AbsoluteMatrix());
    } else {
        m_absoluteMatrix = m_localMatrix;
    }
    m_absoluteStale = false;
    if (TzuVisualObject* p = VisualParent(); p && p->m_freshTracked && !m_freshListed) {
        // An off-screen paint hangs objects under other parents for a moment: the parent
        // reads all its children on the next walk instead.
        if (m_offscreen) {
            p->StopFreshTracking();
        } else {
            p->m_freshChildren->push_back(this);
            m_freshListed = true;
        }
    }
    if (!m_offscreen) {
        m_effectStale = true;
        if (Scene() && !Scene()->IsUpdating()) Repaint();
    }
    return m_absoluteMatrix;
}

void TzuVisualObject::RecalcAbsoluteMatrices() {
    AbsoluteMatrix();
    for (TzuVisualObject* v : ChildrenOf<TzuVisualObject>(*this)) v->RecalcAbsoluteMatrices();
}

TzuPoint TzuVisualObject::LocalToAbsolute(const TzuPoint& p) {
    return PointFromVector(VectorTransform(TzuVector{p.X, p.Y, 1}, AbsoluteMatrix()));
}

TzuPoint TzuVisualObject::AbsoluteToLocal(const TzuPoint& p) {
    TzuMatrix m = AbsoluteMatrix();
    MatrixInvert(m);
    return PointFromVector(VectorTransform(TzuVector{p.X, p.Y, 1}, m));
}

TzuPoint TzuVisualObject::LocalToAbsoluteVector(const TzuPoint& v) {
    return PointFromVector(VectorTransform(TzuVector{v.X, v.Y, 0}, AbsoluteMatrix()));
}

TzuPoint TzuVisualObject::AbsoluteToLocalVector(const TzuPoint& v) {
    TzuMatrix m = AbsoluteMatrix();
    MatrixInvert(m);
    return PointFromVector(VectorTransform(TzuVector{v.X, v.Y, 0}, m));
}

TzuRect TzuVisualObject::AbsoluteRect() {
    TzuMatrix m = AbsoluteMatrix();
    TzuPoint pts[4];
    const TzuPoint corners[4] = {{0, 0}, {m_width, 0}, {m_width, m_height}, {0, m_height}};
    for (int i = 0; i < 4; ++i)
        pts[i] = PointFromVector(VectorTransform(TzuVector{corners[i].X, corners[i].Y, 1}, m));
    return PointsBounds(pts, 4);
}

TzuPoint TzuVisualObject::AbsoluteScale() {
    TzuPoint s = ScalePoint();
    for (TzuVisualObject* p = VisualParent(); p; p = p->VisualParent()) {
        TzuPoint ps = p->ScalePoint();
        s.X *= ps.X;
        s.Y *= ps.Y;
    }
    return s;
}

TzuRect TzuVisualObject::ParentedRect() {
    return TzuRect{m_position.X(), m_position.Y(), m_position.X() + m_width, m_position.Y() + m_height};
}

// ---- Visibility, opacity and the enabled state ----

void TzuVisualObject::SetVisible(bool value) {
    if (value == m_visible) return;
    if (m_visible && Scene()) Scene()->AddUpdateRect(UpdateRect());
    m_visible = value;
    if (!IsLoading() && m_align != vaNone) {
        if (TzuVisualObject* p = VisualParent()) p->Realign();
    }
    if (value) {
        InvalidateUpdateRect();
        if (Scene()) Scene()->AddUpdateRect(UpdateRect());
        StartTriggerAnimation(this, "IsVisible");
    } else {
        // The parent's area no longer has to cover this subtree.
        MarkUpdateRectStaleUp();
        DropFocusWithin();
    }
    if (g_visibilityHook && !IsLoading()) g_visibilityHook(this);
}

void TzuVisualObject::SetVisibilityHook(TzuVisibilityHook hook) { g_visibilityHook = hook; }

bool TzuVisualObject::AbsoluteVisible() const {
    for (const TzuVisualObject* o = this; o; o = o->VisualParent()) {
        if (!o->m_visible) return false;
    }
    return true;
}

void TzuVisualObject::SetOpacity(float value) {
    if (value == m_opacity) return;
    m_opacity = value < 0 ? 0 : value > 1 ? 1 : value;
    InvalidateOpacity();
    Repaint();
}

float TzuVisualObject::AbsoluteOpacity() {
    if (!m_opacityStale) return m_absoluteOpacity;
    TzuVisualObject* p = VisualParent();
    float o = p ? p->AbsoluteOpacity() * m_opacity : m_opacity;
    if (Scene() && !AbsoluteEnabled()) {
        TzuObject* root = Scene()->Root();
        if (this != root && Parent() != root) o *= 0.8f;
    }
    m_absoluteOpacity = o;
    m_opacityStale = false;
    return o;
}

void TzuVisualObject::InvalidateOpacity() {
    m_opacityStale = true;
    for (TzuVisualObject* v : ChildrenOf<TzuVisualObject>(*this)) v->InvalidateOpacity();
}

void TzuVisualObject::SetEnabled(bool value) {
    if (value == m_enabled) return;
    m_enabled = value;
    InvalidateEnabled();
    InvalidateOpacity();
    Repaint();
    if (!value) DropFocusWithin();
}

bool TzuVisualObject::AbsoluteEnabled() {
    if (!m_enabledStale) return m_enabledCache;
    TzuVisualObject* p = VisualParent();
    m_enabledCache = (p && !p->AbsoluteEnabled()) ? false : m_enabled;
    m_enabledStale = false;
    if (!m_enabledCache && m_canFocus && m_isFocused && Scene()) Scene()->SetFocused(nullptr);
    return m_enabledCache;
}

void TzuVisualObject::SetCanFocus(bool value) {
    if (value == m_canFocus) return;
    m_canFocus = value;
    if (!value && m_isFocused) DropFocusWithin();
}

void TzuVisualObject::DropFocusWithin() {
    IzuScene* scene = Scene();
    TzuObject* focused = scene ? scene->Focused() : nullptr;
    for (TzuObject* o = focused; o; o = o->Parent()) {
        if (o == this) {
            scene->SetFocused(nullptr);
            return;
        }
    }
    // A scene that does not keep the focus leaves it to the object.
    if (m_isFocused) KillFocus();
}

void TzuVisualObject::InvalidateEnabled() {
    m_enabledStale = true;
    for (TzuVisualObject* v : ChildrenOf<TzuVisualObject>(*this)) v->InvalidateEnabled();
}

// ---- Flags ----

void TzuVisualObject::SetClipChildren(bool value) {
    if (value == m_clipChildren) return;
    // The old area may reach beyond the clip (children sticking out) or the new one may:
    // erase the old and paint the new.
    Repaint();
    m_clipChildren = value;
    InvalidateUpdateRect();
    Repaint();
}

void TzuVisualObject::SetCanClipped(bool value) {
    m_canClipped = value;
    if (TzuVisualObject* p = VisualParent()) p->m_childExtentsStale = true;
}

void TzuVisualObject::SetClipParent(bool value) {
    if (value == m_clipParent) return;
    m_clipParent = value;
    if (TzuVisualObject* p = VisualParent()) {
        if (value) p->m_holeChild = true;
        p->Repaint();
    }
}

void TzuVisualObject::SetDesignHide(bool value) {
    if (value == m_designHide) return;
    m_designHide = value;
    if (!IsSceneDesigning() || !Parent()) return;
    if (value && Scene()->DesignSelection() == this) Scene()->SetDesignSelection(Parent());
    Parent()->Repaint();
}

void TzuVisualObject::SetPopupMenu(TzuComponent* menu) {
    if (menu == PopupMenu()) return;
    if (TzuComponent* old = PopupMenu()) {
        // Dropping the link both ways also drops the menu's hold on this object as the one
        // it was popped up for.
        if (auto* popup = As<TzuPopupMenu>(old); popup && popup->PopupComponent() == this)
            popup->SetPopupComponent(nullptr);
        old->RemoveFreeNotification(this);
    }
    Extra().popupMenu = menu;
    if (menu) menu->FreeNotification(this);
}

void TzuVisualObject::Notification(TzuComponent* component, TzuOperation operation) {
    TzuObject::Notification(component, operation);
    if (operation == TzuOperation::opRemove && m_extra && m_extra->popupMenu == component) {
        m_extra->popupMenu = nullptr;
    }
    if (operation == TzuOperation::opRemove && m_extra && m_extra->caret == component)
        m_extra->caret = nullptr;
}

// ---- Tree ----

void TzuVisualObject::AfterAddObject(TzuObject* child) {
    bool loading = IsLoading();
    m_childExtentsStale = true;
    TzuVisualObject* v = child->IsVisual() ? static_cast<TzuVisualObject*>(child) : nullptr;
    if (!loading) {
        MarkUpdateRectStaleUp();
        if (HasEffect()) {
            m_effectStale = true;
            Repaint();
        }
        if (v && v->m_align != vaNone) Realign();
    }
    if (v) {
        if (v->m_clipParent) m_holeChild = true;
        // A child coming from another place keeps nothing it derived from its old
        // ancestors: matrix, enabled state and opacity all follow the new parent. Its
        // extents may have been kept from before it left a scene, where sizes change
        // unannounced.
        v->InvalidateAbsoluteMatrix();
        v->InvalidateExtentDown();
        v->InvalidateEnabled();
        if (!loading) {
            v->InvalidateOpacity();
            v->Repaint();
        }
        if (!m_tabList) m_tabList = std::make_unique<std::vector<TzuVisualObject*>>();
        m_tabList->push_back(v);
    }
}

void TzuVisualObject::BeforeRemoveObject(TzuObject* child) {
    m_childExtentsStale = true;
    if (child->IsVisual()) {
        // The list must never hold a child that is gone.
        static_cast<TzuVisualObject*>(child)->m_freshListed = false;
        StopFreshTracking();
    }
    if (!child->IsVisual() || !m_tabList) return;
    auto* v = static_cast<TzuVisualObject*>(child);
    if (auto it = std::find(m_tabList->rbegin(), m_tabList->rend(), v); it != m_tabList->rend()) {
        m_tabList->erase(std::next(it).base());
    }
    v->Repaint();
    // This object's area no longer has to cover the child.
    MarkUpdateRectStaleUp();
}

void TzuVisualObject::DeleteChildren() {
    StopFreshTracking();
    TzuObject::DeleteChildren();
    StopFreshTracking();
    m_tabList.reset();
    if (m_childExtents) m_childExtents->list.clear();
}

bool TzuVisualObject::MoveInTabList(TzuVisualObject* child, int index) {
    if (!m_tabList) return false;
    auto it = std::find(m_tabList->begin(), m_tabList->end(), child);
    if (it == m_tabList->end()) return false;
    const int count = static_cast<int>(m_tabList->size());
    const int current = static_cast<int>(it - m_tabList->begin());
    index = std::clamp(index, 0, count - 1);
    if (index == current) return true;
    m_tabList->erase(it);
    m_tabList->insert(m_tabList->begin() + index, child);
    return true;
}

void TzuVisualObject::Loaded() {
    TzuObject::Loaded();
    m_lastWidth = m_width;
    m_lastHeight = m_height;
    MatrixChanged();
    if (ChildrenCount() > 0) Realign();
    PlaceStoredTabOrders();
}

void TzuVisualObject::PlaceStoredTabOrders() {
    if (!m_tabList || m_tabList->empty()) return;
    // A later child with the same stored order replaces an earlier one in its slot.
    const size_t count = m_tabList->size();
    std::vector<TzuVisualObject*> slots(count, nullptr);
    bool any = false;
    for (TzuVisualObject* child : *m_tabList) {
        const int t = child->m_tabOrder;
        if (t < 0 || static_cast<size_t>(t) >= count) continue;
        slots[static_cast<size_t>(t)] = child;
        any = true;
    }
    for (TzuVisualObject* child : *m_tabList) child->m_tabOrder = -1;
    if (!any) return;
    for (size_t t = 0; t < count; ++t) {
        if (slots[t]) MoveInTabList(slots[t], static_cast<int>(t));
    }
}

}  // namespace zu
