#include "scene/zu_layouts/layout.h"

#include "platform/core/property.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/tree/design_outline.h"

namespace zu {

void PaintDesignOutline(TzuVisualObject* object) {
    IzuScene* scene = object->Scene();
    TzuCanvas* cv = object->Canvas();
    if (!cv || !scene || !scene->IsDesigning() || object->Locked()) return;
    DrawDesignOutline(*cv, object->LocalRect(), object->AbsoluteOpacity());
}

// ---- TzuLayout ----

const TzuClass& TzuLayout::StaticClass() {
    static const TzuClass cls = ZuClass<TzuLayout, TzuVisualObject>("TzuLayout");
    return cls;
}

TzuLayout::TzuLayout(TzuComponent* owner) : TzuVisualObject(owner) { SetHitTest(false); }

void TzuLayout::Paint() { PaintDesignOutline(this); }

// ---- TzuSplitLayout ----

const TzuClass& TzuSplitLayout::StaticClass() {
    static const TzuClass cls = ZuClass<TzuSplitLayout, TzuVisualObject>("TzuSplitLayout");
    return cls;
}

TzuSplitLayout::TzuSplitLayout(TzuComponent* owner) : TzuVisualObject(owner) { SetHitTest(false); }

// ---- TzuScaledLayout ----

const TzuClass& TzuScaledLayout::StaticClass() {
    using P = ZuProps<TzuScaledLayout>;
    static const TzuPropInfo props[] = {
        P::Float<&TzuScaledLayout::OriginalWidth, &TzuScaledLayout::SetOriginalWidth>("OriginalWidth"),
        P::Float<&TzuScaledLayout::OriginalHeight, &TzuScaledLayout::SetOriginalHeight>("OriginalHeight"),
    };
    static const TzuClass cls = ZuClass<TzuScaledLayout, TzuVisualObject>("TzuScaledLayout", props);
    return cls;
}

TzuScaledLayout::TzuScaledLayout(TzuComponent* owner)
    : TzuVisualObject(owner), m_originalWidth(Width()), m_originalHeight(Height()) {}

void TzuScaledLayout::SetOriginalWidth(float value) {
    if (value < 1) value = 1;
    if (value == m_originalWidth) return;
    m_originalWidth = value;
    ChildrenMatrixChanged();
}

void TzuScaledLayout::SetOriginalHeight(float value) {
    if (value < 1) value = 1;
    if (value == m_originalHeight) return;
    m_originalHeight = value;
    ChildrenMatrixChanged();
}

void TzuScaledLayout::SetWidth(float value) {
    TzuVisualObject::SetWidth(value);
    if (IsSceneDesigning())
        SetOriginalWidth(Width());
    else
        ChildrenMatrixChanged();
}

void TzuScaledLayout::SetHeight(float value) {
    TzuVisualObject::SetHeight(value);
    if (IsSceneDesigning())
        SetOriginalHeight(Height());
    else
        ChildrenMatrixChanged();
}

TzuMatrix TzuScaledLayout::ChildrenMatrix() {
    // At design time the children show unscaled and the design size follows the object.
    if (IsSceneDesigning()) {
        m_originalWidth = Width() < 1 ? 1 : Width();
        m_originalHeight = Height() < 1 ? 1 : Height();
    }
    TzuMatrix m = IdentityMatrix;
    m.m11 = Width() / m_originalWidth;
    m.m22 = Height() / m_originalHeight;
    return m;
}

namespace {
TzuScaledLayout::TzuRealignHoldHook g_realignHold = nullptr;
}

void TzuScaledLayout::SetRealignHoldHook(TzuRealignHoldHook hook) { g_realignHold = hook; }

void TzuScaledLayout::Realign() {
    if (g_realignHold && Parent() && g_realignHold(Parent())) return;
    TzuVisualObject::Realign();
    if (!IsSceneDesigning()) ChildrenMatrixChanged();
}

void TzuScaledLayout::ChildrenMatrixChanged() {
    if (IsLoading()) return;
    for (int i = 0; i < ChildrenCount(); ++i) {
        if (auto* v = As<TzuVisualObject>(Children(i))) v->InvalidateAbsoluteMatrix();
    }
    // The children's area within this object moved with them: the old one goes, the new
    // one paints.
    Repaint();
    InvalidateUpdateRect();
    Repaint();
}

void TzuScaledLayout::Paint() { PaintDesignOutline(this); }

}  // namespace zu
