#include "scene/zu_scene/tree/content.h"

namespace zu {

const TzuClass& TzuContent::StaticClass() {
    static const TzuClass cls = ZuClass<TzuContent, TzuVisualObject>("TzuContent");
    return cls;
}

void TzuContent::Realign() {
    TzuObject* parent = Parent();
    if (parent && !parent->IsLoading()) TzuVisualObject::Realign();
    if (m_realigningParent || IsLoading()) return;
    auto* visualParent = As<TzuVisualObject>(parent);
    if (!visualParent) return;
    m_realigningParent = true;
    try {
        visualParent->Realign();
    } catch (...) {
        m_realigningParent = false;
        throw;
    }
    m_realigningParent = false;
}

void TzuContent::SetPainter(IzuContentPainter* painter) {
    if (painter == m_painter) return;
    m_painter = painter;
    Repaint();
}

void TzuContent::Paint() {
    if (m_painter) m_painter->PaintContent(*this);
}

}  // namespace zu
