#include "scene/zu_scene/tree/effect.h"

#include "platform/core/property.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

namespace {
std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
    return s;
}

}  // namespace

const TzuClass& TzuEffect::StaticClass() {
    using P = ZuProps<TzuEffect>;
    static const TzuPropInfo props[] = {
        P::Bool<&TzuEffect::Enabled, &TzuEffect::SetEnabled>("Enabled").Default(1),
        P::String<&TzuEffect::Trigger, &TzuEffect::SetTrigger>("Trigger"),
    };
    static const TzuClass cls = ZuClass<TzuEffect, TzuObject>("TzuEffect", props);
    return cls;
}

void TzuEffect::SetEnabled(bool enabled) {
    if (m_enabled == enabled) return;
    m_enabled = enabled;
    if (enabled && Parent()) Parent()->InvalidateEffects();
    EffectChanged();
}

void TzuEffect::SetTrigger(const std::string& trigger) {
    if (m_trigger == trigger) return;
    m_trigger = trigger;
    if (Parent()) Parent()->InvalidateEffects();
}

void TzuEffect::EffectChanged() {
    if (IsLoading() || !Parent()) return;
    // Repaint as if enabled, so the area includes the effect's margin even when the
    // effect was just switched off and its old picture must be erased.
    bool old = m_enabled;
    m_enabled = true;
    Parent()->ChildEffectChanged();
    m_enabled = old;
    // The forced Enabled has just been cached into the parent's update rectangle; an
    // effect that is off must not keep widening it.
    if (!old && Parent()->IsVisual()) static_cast<TzuVisualObject*>(Parent())->InvalidateUpdateRect();
}

void TzuEffect::ApplyTrigger(TzuObject* instance, std::string_view trigger) {
    if (m_trigger.empty() || !instance) return;
    if (!ContainsText(m_trigger, trigger)) return;
    bool result = false;
    std::string_view rest = m_trigger;
    while (!rest.empty()) {
        size_t semi = rest.find(';');
        std::string_view cond = rest.substr(0, semi);
        rest = semi == std::string_view::npos ? std::string_view() : rest.substr(semi + 1);
        size_t eq = cond.find('=');
        std::string_view name = TrimBlanks(cond.substr(0, eq));
        std::string_view expected =
            eq == std::string_view::npos ? std::string_view() : TrimBlanks(cond.substr(eq + 1));
        const TzuPropInfo* prop = instance->ClassType().FindProperty(name);
        if (!prop || prop->kind != TzuPropKind::Enum) continue;
        result = SameText(prop->enumInfo->NameOf(prop->getOrd(instance)), expected);
    }
    SetEnabled(result);
}

}  // namespace zu
