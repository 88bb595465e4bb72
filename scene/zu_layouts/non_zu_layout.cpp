#include "scene/zu_layouts/non_zu_layout.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/core/property.h"
#include "platform/core/timer.h"
#include "platform/core/win_control.h"

namespace zu {

namespace {
// The layouts alive, for the visibility hook; few exist, and only they are looked at.
std::vector<TzuNonZULayout*>& LiveLayouts() {
    static std::vector<TzuNonZULayout*> list;
    return list;
}
}  // namespace

const TzuClass& TzuNonZULayout::StaticClass() {
    using P = ZuProps<TzuNonZULayout>;
    static const TzuPropInfo props[] = {
        P::Reference<&TzuNonZULayout::NonZUControl, &TzuNonZULayout::SetNonZUControl>("NonZUControl"),
    };
    static const TzuClass cls = ZuClass<TzuNonZULayout, TzuLayout>("TzuNonZULayout", props);
    return cls;
}

TzuNonZULayout::TzuNonZULayout(TzuComponent* owner) : TzuLayout(owner), m_timer(new TzuTimer(this)) {
    m_timer->SetEnabled(false);
    m_timer->SetInterval(100);
    m_timer->OnTimer().Set([this](TzuPersistent*) { UpdateControlVisibility(); });
    LiveLayouts().push_back(this);
    SetVisibilityHook(&FollowAncestorVisibility);
}

TzuNonZULayout::~TzuNonZULayout() {
    std::erase(LiveLayouts(), this);
    if (m_control) m_control->RemoveFreeNotification(this);
    m_control = nullptr;
}

void TzuNonZULayout::SetNonZUControl(TzuWinControl* control) {
    if (control == m_control) return;
    if (control && Scene() && Scene()->SceneControl() == control) return;
    if (m_control) m_control->RemoveFreeNotification(this);
    m_control = control;
    if (m_control) m_control->FreeNotification(this);
    Realign();
    UpdateControlVisibility();
}

void TzuNonZULayout::Realign() {
    TzuLayout::Realign();
    if (!m_control || !m_control->Visible() || IsLoading()) return;
    const TzuRect r = AbsoluteRect();
    m_control->SetBounds(static_cast<int>(std::lround(r.Left)), static_cast<int>(std::lround(r.Top)),
                         static_cast<int>(std::lround(r.Right - r.Left)),
                         static_cast<int>(std::lround(r.Bottom - r.Top)));
}

void TzuNonZULayout::UpdateControlVisibility() {
    if (!m_control) {
        m_timer->SetEnabled(false);
        return;
    }
    const bool visible = AbsoluteVisible() && Scene();
    if (m_control->Visible() != visible) {
        m_control->SetVisible(visible);
        if (visible) Realign();
    }
    m_timer->SetEnabled(m_control->Visible());
}

void TzuNonZULayout::SetVisible(bool value) {
    TzuLayout::SetVisible(value);
    UpdateControlVisibility();
}

void TzuNonZULayout::FollowAncestorVisibility(TzuVisualObject* changed) {
    // The layouts below the changed object are found first: following one may hide or
    // free others through its control, so each is looked up again before it follows.
    std::vector<TzuNonZULayout*> below;
    for (TzuNonZULayout* layout : LiveLayouts()) {
        if (layout == changed || !layout->m_control || layout->IsLoading()) continue;
        for (TzuObject* o = layout->Parent(); o; o = o->Parent()) {
            if (o == changed) {
                below.push_back(layout);
                break;
            }
        }
    }
    for (TzuNonZULayout* layout : below) {
        const auto& live = LiveLayouts();
        if (std::find(live.begin(), live.end(), layout) != live.end()) layout->UpdateControlVisibility();
    }
}

void TzuNonZULayout::Notification(TzuComponent* component, TzuOperation operation) {
    TzuLayout::Notification(component, operation);
    if (operation == TzuOperation::opRemove && component == m_control) {
        m_control = nullptr;
        if (m_timer) m_timer->SetEnabled(false);
    }
    if (operation == TzuOperation::opRemove && component == m_timer) m_timer = nullptr;
}

}  // namespace zu
