#include "scene/zu_controls/progress_bar.h"

#include <cmath>

#include "platform/core/property.h"
#include "scene/zu_controls/value_math.h"
#include "scene/zu_scene/tree/access_notify.h"

namespace zu {

const TzuClass& TzuProgressBar::StaticClass() {
    using P = ZuProps<TzuProgressBar>;
    using C = TzuProgressBar;
    static const TzuPropInfo props[] = {
        P::Float<&C::Min, &C::SetMin>("Min").Default(0),
        P::Float<&C::Max, &C::SetMax>("Max").Default(100),
        P::Float<&C::Value, &C::SetValue>("Value").Default(0),
        P::Enum<&C::Orientation, &C::SetOrientation>("Orientation", kOrientationEnum).Default(zuHorizontal),
    };
    static const TzuClass cls = ZuClass<TzuProgressBar, TzuControl>("TzuProgressBar", props);
    return cls;
}

TzuProgressBar::TzuProgressBar(TzuComponent* owner) : TzuControl(owner) {
    SetBounds(0, 0, 100, 20);
    SetCanFocus(false);
}

void TzuProgressBar::SetValue(float value) {
    if (value == m_value || std::isnan(value)) return;
    m_value = value;
    NotifyAccess(this, TzuAccessChange::Value);
    Realign();
}

void TzuProgressBar::SetMin(float value) {
    if (value == m_min || std::isnan(value)) return;
    m_min = value;
    Realign();
}

void TzuProgressBar::SetMax(float value) {
    if (value == m_max || std::isnan(value)) return;
    m_max = value;
    Realign();
}

void TzuProgressBar::SetOrientation(TzuOrientation value) {
    if (value == m_orientation) return;
    m_orientation = value;
    Realign();
}

void TzuProgressBar::Realign() {
    if (m_inRealign) return;
    m_inRealign = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_inRealign};
    TzuControl::Realign();
    if (IsLoading() || IsDestroying()) return;
    const bool vertical = m_orientation == zuVertical;
    auto* htrack = As<TzuVisualObject>(FindResource("htrack"));
    auto* vtrack = As<TzuVisualObject>(FindResource("vtrack"));
    if (vertical && htrack) htrack->SetVisible(false);
    if (!vertical && vtrack) vtrack->SetVisible(false);
    auto* track = vertical ? vtrack : htrack;
    if (!track) track = As<TzuVisualObject>(FindResource("track"));
    if (!track || !(m_max > m_min)) return;
    track->SetVisible(true);
    auto* hindicator = As<TzuVisualObject>(FindResource("hindicator"));
    auto* vindicator = As<TzuVisualObject>(FindResource("vindicator"));
    // Past either end the indicator stops at the end: a value is never drawn outside its track.
    const float f = std::clamp((m_value - m_min) / (m_max - m_min), 0.0f, 1.0f);
    const TzuRect m = track->MarginsRect();
    if (!vertical) {
        if (vindicator) vindicator->SetVisible(false);
        if (!hindicator) return;
        const TzuRect p = hindicator->PaddingRect();
        const float width = f * (track->Width() - m.Left - m.Right - p.Left - p.Right);
        hindicator->SetWidth(std::max(width, 0.0f));
        hindicator->SetVisible(width > 2);
    } else {
        if (hindicator) hindicator->SetVisible(false);
        if (!vindicator) return;
        const TzuRect p = vindicator->PaddingRect();
        const float height = f * (track->Height() - m.Top - m.Bottom - p.Top - p.Bottom);
        vindicator->SetHeight(std::max(height, 0.0f));
        vindicator->SetVisible(height > 2);
    }
}

TzuVariant TzuProgressBar::GetData() { return static_cast<double>(m_value); }

void TzuProgressBar::SetData(const TzuVariant& value) { SetValue(SaturatingFloat(VariantToDouble(value))); }

void TzuProgressBar::ApplyStyle() {
    TzuControl::ApplyStyle();
    const char* part = m_orientation == zuVertical ? "vindicator" : "hindicator";
    if (auto* indicator = As<TzuVisualObject>(FindResource(part))) {
        indicator->SetVisible(true);
        indicator->AnnounceState("IsVisible");
    }
    Realign();
}

}  // namespace zu
