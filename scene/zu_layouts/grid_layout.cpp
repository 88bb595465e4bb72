#include "scene/zu_layouts/grid_layout.h"

#include "platform/core/property.h"

namespace zu {

namespace {
const char* const kOrientationNames[] = {"zuHorizontal", "zuVertical"};
}  // namespace
const TzuEnumInfo kOrientationEnum{"TzuOrientation", kOrientationNames, 2};

const TzuClass& TzuGridLayout::StaticClass() {
    using P = ZuProps<TzuGridLayout>;
    static const TzuPropInfo props[] = {
        P::Float<&TzuGridLayout::ItemWidth, &TzuGridLayout::SetItemWidth>("ItemWidth").Default(64),
        P::Float<&TzuGridLayout::ItemHeight, &TzuGridLayout::SetItemHeight>("ItemHeight").Default(64),
        P::Enum<&TzuGridLayout::Orientation, &TzuGridLayout::SetOrientation>("Orientation", kOrientationEnum)
            .Default(zuHorizontal),
    };
    static const TzuClass cls = ZuClass<TzuGridLayout, TzuVisualObject>("TzuGridLayout", props);
    return cls;
}

TzuGridLayout::TzuGridLayout(TzuComponent* owner) : TzuVisualObject(owner) {}

void TzuGridLayout::SetItemWidth(float value) {
    if (value == m_itemWidth) return;
    m_itemWidth = value;
    Realign();
}

void TzuGridLayout::SetItemHeight(float value) {
    if (value == m_itemHeight) return;
    m_itemHeight = value;
    Realign();
}

void TzuGridLayout::SetOrientation(TzuOrientation value) {
    if (value == m_orientation) return;
    m_orientation = value;
    Realign();
}

void TzuGridLayout::Realign() {
    if (m_flowing || IsLoading() || IsDestroying()) return;
    m_flowing = true;
    const TzuRect m = MarginsRect();
    TzuPoint p{m.Left, m.Top};
    try {
        for (int i = 0; i < ChildrenCount(); ++i) {
            auto* v = As<TzuVisualObject>(Children(i));
            if (!v) continue;
            const TzuRect pad = v->PaddingRect();
            v->SetBounds(p.X + pad.Left, p.Y + pad.Top, m_itemWidth - pad.Left - pad.Right,
                         m_itemHeight - pad.Top - pad.Bottom);
            if (m_orientation == zuHorizontal) {
                p.X += m_itemWidth;
                if (Width() - m.Left - m.Right < p.X + m_itemWidth) {
                    p.X = m.Left;
                    p.Y += m_itemHeight;
                }
            } else {
                p.Y += m_itemHeight;
                if (Height() - m.Top - m.Bottom < p.Y + m_itemHeight) {
                    p.Y = m.Top;
                    p.X += m_itemWidth;
                }
            }
        }
    } catch (...) {
        m_flowing = false;
        throw;
    }
    m_flowing = false;
    Repaint();
}

}  // namespace zu
