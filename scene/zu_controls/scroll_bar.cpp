#include "scene/zu_controls/scroll_bar.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/core/property.h"
#include "scene/zu_controls/custom_button.h"
#include "scene/zu_controls/track.h"
#include "scene/zu_controls/value_math.h"
#include "scene/zu_scene/tree/access_notify.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

namespace {
const char* const kButtonParts[4] = {"leftbutton", "rightbutton", "topbutton", "bottombutton"};
}  // namespace

const TzuClass& TzuScrollBar::StaticClass() {
    using P = ZuProps<TzuScrollBar>;
    using C = TzuScrollBar;
    static const TzuPropInfo props[] = {
        P::Float<&C::Min, &C::SetMin>("Min").Default(0),
        P::Float<&C::Max, &C::SetMax>("Max").Default(100),
        P::Float<&C::ViewportSize, &C::SetViewportSize>("ViewportSize").Default(0),
        P::Enum<&C::Orientation, &C::SetOrientation>("Orientation", kOrientationEnum).Default(zuHorizontal),
        P::Float<&C::SmallChange, &C::SetSmallChange>("SmallChange").Default(1),
        P::Float<&C::LargeChange, &C::SetLargeChange>("LargeChange").Default(0),
        P::Float<&C::Value, &C::SetValue>("Value").Default(0),
        P::Event<&C::OnChange>("OnChange"),
    };
    static const TzuClass cls = ZuClass<TzuScrollBar, TzuControl>("TzuScrollBar", props);
    return cls;
}

const TzuClass& TzuSmallScrollBar::StaticClass() {
    static const TzuClass cls = ZuClass<TzuSmallScrollBar, TzuScrollBar>("TzuSmallScrollBar");
    return cls;
}

const TzuClass& TzuHudScrollBar::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudScrollBar, TzuScrollBar>("TzuHudScrollBar");
    return cls;
}

TzuScrollBar::TzuScrollBar(TzuComponent* owner) : TzuControl(owner) { SetBounds(0, 0, 150, 18); }

TzuSmallScrollBar::TzuSmallScrollBar(TzuComponent* owner) : TzuScrollBar(owner) { SetBounds(0, 0, 150, 8); }

TzuScrollBar::~TzuScrollBar() { FreeStyle(); }

// ---- Value rules ----

void TzuScrollBar::SetValue(float value) {
    if (value == m_value || std::isnan(value)) return;
    m_value = value;
    if (m_value > m_max - m_viewportSize) m_value = m_max - m_viewportSize;
    if (m_value < m_min) m_value = m_min;
    NotifyAccess(this, TzuAccessChange::Value);
    TzuObjectGuard guard(this);
    PushBindingValue();
    if (!guard.Alive()) return;
    if (m_onChange) {
        m_onChange(this);
        if (!guard.Alive()) return;
    }
    Realign();
}

void TzuScrollBar::SetMin(float value) {
    if (value == m_min || std::isnan(value)) return;
    m_min = value;
    // A raised Min narrows the range: the viewport never spans more than the range.
    if (m_viewportSize > m_max - m_min) m_viewportSize = std::max(m_max - m_min, 0.0f);
    if (m_value < m_min) {
        TzuObjectGuard guard(this);
        SetValue(m_min);
        if (!guard.Alive()) return;
    }
    Realign();
}

void TzuScrollBar::SetMax(float value) {
    if (value == m_max || std::isnan(value)) return;
    m_max = value < m_min ? m_min + 0.001f : value;
    // The viewport shrinks with the range first, so the value is pulled back only as far
    // as the narrowed range needs.
    if (m_viewportSize > m_max - m_min) m_viewportSize = m_max - m_min;
    if (m_max - m_viewportSize < m_value) {
        TzuObjectGuard guard(this);
        SetValue(m_max - m_viewportSize);
        if (!guard.Alive()) return;
    }
    Realign();
}

void TzuScrollBar::SetViewportSize(float value) {
    if (value == m_viewportSize || std::isnan(value)) return;
    m_viewportSize = std::min(value, m_max - m_min);
    if (m_max - m_viewportSize < m_value) {
        TzuObjectGuard guard(this);
        SetValue(m_max - m_viewportSize);
        if (!guard.Alive()) return;
    }
    Realign();
}

void TzuScrollBar::SetOrientation(TzuOrientation value) {
    if (value == m_orientation) return;
    m_orientation = value;
    // A designer turning the bar expects it turned, not squeezed.
    if (IsSceneDesigning() && !IsLoading()) SetBounds(Position()->X(), Position()->Y(), Height(), Width());
    Realign();
}

void TzuScrollBar::SmallStep(int count) { SetValue(m_value + static_cast<float>(count) * m_smallChange); }

void TzuScrollBar::LargeStep(int count) {
    const float page = m_largeChange != 0 ? m_largeChange : m_viewportSize;
    SetValue(m_value + static_cast<float>(count) * page);
}

TzuCustomTrack* TzuScrollBar::Track() const { return m_orientation == zuHorizontal ? m_htrack : m_vtrack; }

// ---- Parts ----

void TzuScrollBar::Realign() {
    if (m_inRealign) return;
    m_inRealign = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_inRealign};
    TzuObjectGuard guard(this);
    const bool horizontal = m_orientation == zuHorizontal;
    // Visibility first, so the general layout gives the room of hidden parts to the track.
    for (int i = 0; i < 4; ++i) {
        if (m_buttons[i]) m_buttons[i]->SetVisible((i < 2) == horizontal);
    }
    if (m_htrack) m_htrack->SetVisible(horizontal);
    if (m_vtrack) m_vtrack->SetVisible(!horizontal);
    TzuControl::Realign();
    if (IsLoading() || IsDestroying()) return;
    // A track squeezed out by the buttons cannot lay out its own parts: left shown, they
    // would keep their design-time places and paint outside the bar.
    for (TzuCustomTrack* track : {m_htrack, m_vtrack}) {
        if (track && track->Visible() && (track->Width() < 2 || track->Height() < 2))
            track->SetVisible(false);
    }
    for (TzuCustomTrack* track : {m_htrack, m_vtrack}) {
        if (!track) continue;
        track->m_orientation = track == m_htrack ? zuHorizontal : zuVertical;
        track->m_max = m_max;
        track->m_min = m_min;
        track->m_value = m_value;
        track->SetViewportSize(m_viewportSize);
        if (!guard.Alive()) return;
        if (track->Visible()) track->Realign();
    }
}

void TzuScrollBar::WireTrack(TzuCustomTrack* track) {
    track->SetCanFocus(false);
    track->FreeNotification(this);
    track->OnChange().Set([this, track](TzuPersistent*) { SetValue(track->Value()); });
}

void TzuScrollBar::WireButton(TzuCustomButton* button, int direction) {
    button->SetCanFocus(false);
    button->FreeNotification(this);
    button->OnClick().Set([this, direction](TzuPersistent*) { SmallStep(direction); });
}

void TzuScrollBar::ApplyStyle() {
    TzuControl::ApplyStyle();
    m_htrack = As<TzuCustomTrack>(FindResource("htrack"));
    m_vtrack = As<TzuCustomTrack>(FindResource("vtrack"));
    if (m_htrack) WireTrack(m_htrack);
    if (m_vtrack && m_vtrack != m_htrack) WireTrack(m_vtrack);
    for (int i = 0; i < 4; ++i) {
        m_buttons[i] = As<TzuCustomButton>(FindResource(kButtonParts[i]));
        if (m_buttons[i]) WireButton(m_buttons[i], i % 2 == 0 ? -1 : 1);
    }
    Realign();
}

void TzuScrollBar::FreeStyle() {
    for (TzuCustomTrack* track : {m_htrack, m_vtrack}) {
        if (!track) continue;
        track->RemoveFreeNotification(this);
        track->OnChange().Clear();
    }
    for (TzuCustomButton*& button : m_buttons) {
        if (!button) continue;
        button->RemoveFreeNotification(this);
        button->OnClick().Clear();
        button = nullptr;
    }
    m_htrack = m_vtrack = nullptr;
    TzuControl::FreeStyle();
}

void TzuScrollBar::Notification(TzuComponent* component, TzuOperation operation) {
    TzuControl::Notification(component, operation);
    if (operation != TzuOperation::opRemove || !component) return;
    if (component == static_cast<TzuComponent*>(m_htrack)) m_htrack = nullptr;
    if (component == static_cast<TzuComponent*>(m_vtrack)) m_vtrack = nullptr;
    for (TzuCustomButton*& button : m_buttons) {
        if (component == static_cast<TzuComponent*>(button)) button = nullptr;
    }
}

// ---- Data ----

TzuVariant TzuScrollBar::GetData() { return static_cast<double>(m_value); }

void TzuScrollBar::SetData(const TzuVariant& value) {
    if (const auto* text = std::get_if<std::string>(&value); text && text->starts_with("zumet")) {
        DataTextToMethod(*text, m_onChange);
        return;
    }
    SetValue(SaturatingFloat(VariantToDouble(value)));
}

}  // namespace zu
