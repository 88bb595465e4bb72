// The text caret of a visual object: a rectangle child made by class name, since shapes
// live in a unit above the tree, with an optional blinking float animation.

#include <cmath>

#include "platform/core/class_registry.h"
#include "platform/core/property.h"
#include "scene/zu_scene/tree/animation.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

namespace {
void SetByPath(TzuPersistent* obj, std::string_view path, std::string_view text) {
    SetPropText(ResolveProperty(obj, path), text);
}

// The caret's blinking animation: its child bound as "caret".
TzuAnimation* CaretAnimation(TzuVisualObject* caret) {
    for (int i = 0; i < caret->ChildrenCount(); ++i) {
        auto* a = As<TzuAnimation>(caret->Children(i));
        if (a && SameText(a->BindingName(), "caret")) return a;
    }
    return nullptr;
}
}  // namespace

TzuVisualObject* TzuVisualObject::Caret() {
    if (m_extra && m_extra->caret) return m_extra->caret;
    auto* caret = As<TzuVisualObject>(CreateObject("TzuRectangle", this));
    if (!caret) return nullptr;
    caret->SetWidth(3);
    caret->SetHeight(20);
    caret->SetStored(false);
    caret->SetHitTest(false);
    caret->SetLocked(true);
    SetByPath(caret, "Fill.Color", "#FF0000FF");
    SetByPath(caret, "Stroke.Style", "zuBrushNone");
    caret->SetVisible(false);
    caret->SetParent(this);
    // Told when the caret goes (with this object or by whoever frees children).
    caret->FreeNotification(this);
    Extra().caret = caret;
    if (Scene() && Scene()->AnimatedCaret()) {
        if (auto* blink = As<TzuAnimation>(CreateObject("TzuFloatAnimation", this))) {
            blink->SetBindingName("caret");
            SetByPath(blink, "StartValue", "1");
            SetByPath(blink, "StopValue", "0");
            blink->SetDuration(0.1f);
            blink->SetPropertyName("Opacity");
            blink->SetAutoReverse(true);
            blink->SetLoop(true);
            blink->SetEnabled(false);
            blink->SetParent(caret);
        }
    }
    return caret;
}

void TzuVisualObject::ShowCaret() {
    TzuVisualObject* caret = Caret();
    if (!caret) return;
    caret->SetVisible(true);
    // Off a scene a start would only apply the end value (an invisible caret).
    TzuAnimation* blink = CaretAnimation(caret);
    if (blink && !blink->Running() && caret->Scene()) blink->Start();
}

void TzuVisualObject::HideCaret() {
    if (m_extra && m_extra->caret) m_extra->caret->SetVisible(false);
}

void TzuVisualObject::SetCaretPos(const TzuPoint& p) {
    if (TzuVisualObject* caret = Caret())
        caret->Position()->SetPoint({std::nearbyint(p.X), std::nearbyint(p.Y)});
}

void TzuVisualObject::SetCaretSize(const TzuPoint& size) {
    if (TzuVisualObject* caret = Caret()) {
        caret->SetWidth(size.X);
        caret->SetHeight(size.Y);
    }
}

void TzuVisualObject::SetCaretColor(TzuColor color) {
    if (TzuVisualObject* caret = Caret()) SetByPath(caret, "Fill.Color", ColorToText(color));
}

TzuRect TzuVisualObject::CaretRect() {
    const TzuVisualObject* caret = m_extra ? m_extra->caret : nullptr;
    if (!caret) return {0, 0, 0, 0};
    const TzuPoint p = caret->Position()->GetPoint();
    return {p.X, p.Y, p.X + caret->Width(), p.Y + caret->Height()};
}

}  // namespace zu
