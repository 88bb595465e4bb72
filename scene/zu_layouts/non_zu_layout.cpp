#include "scene/zu_layouts/non_zu_layout.h"

#include <cmath>

#include "platform/core/property.h"
#include "platform/core/timer.h"
#include "platform/core/win_control.h"

namespace zu {

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
}

TzuNonZULayout::~TzuNonZULayout() {
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

void TzuNonZULayout::Notification(TzuComponent* component, TzuOperation operation) {
    TzuLayout::Notification(component, operation);
    if (operation == TzuOperation::opRemove && component == m_control) {
        m_control = nullptr;
        if (m_timer) m_timer->SetEnabled(false);
    }
    if (operation == TzuOperation::opRemove && component == m_timer) m_timer = nullptr;
}

}  // namespace zu
