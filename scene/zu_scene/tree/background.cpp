#include "scene/zu_scene/tree/background.h"

#include "platform/core/property.h"
#include "scene/zu_scene/graphics/canvas.h"

namespace zu {

const TzuClass& TzuBackground::StaticClass() {
    using P = ZuProps<TzuBackground>;
    static const TzuPropInfo props[] = {P::Object<&TzuBackground::Fill>("Fill")};
    static const TzuClass cls = ZuClass<TzuBackground, TzuControl>("TzuBackground", props);
    return cls;
}

TzuBackground::TzuBackground(TzuComponent* owner) : TzuControl(owner) {
    m_fill.OnChange().Set([this](TzuPersistent*) { FillChanged(); });
}

void TzuBackground::Paint() {
    if (m_fill.Style() == zuBrushNone) return;
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    cv->Fill()->Assign(m_fill);
    cv->FillRect(LocalRect(), 0, 0, kAllCorners, AbsoluteOpacity(), zuCornerRound);
}

void TzuBackground::PaintChildren() {
    TzuVisualObject* style = StyleObject();
    IzuScene* scene = Scene();
    const bool transparentRoot = !Parent() && scene && scene->Root() == this && scene->Transparency();
    if (!style || !style->Visible() || (m_fill.Style() == zuBrushNone && !transparentRoot)) {
        TzuVisualObject::PaintChildren();
        return;
    }
    style->SetVisibleField(false);
    try {
        TzuVisualObject::PaintChildren();
    } catch (...) {
        style->SetVisibleField(true);
        throw;
    }
    style->SetVisibleField(true);
}

}  // namespace zu
