#include "platform/core/action.h"

#include <algorithm>

#include "platform/core/custom_image_list.h"
#include "platform/core/property.h"

namespace zu {

const TzuClass& TzuAction::StaticClass() {
    using P = ZuProps<TzuAction>;
    static const TzuPropInfo props[] = {
        P::WString<&TzuAction::Caption, &TzuAction::SetCaption>("Caption"),
        P::Bool<&TzuAction::Checked, &TzuAction::SetChecked>("Checked").Default(0),
        P::Bool<&TzuAction::Enabled, &TzuAction::SetEnabled>("Enabled").Default(1),
        P::WString<&TzuAction::Hint, &TzuAction::SetHint>("Hint"),
        P::Int<&TzuAction::ImageIndex, &TzuAction::SetImageIndex>("ImageIndex").Default(-1),
        P::Reference<&TzuAction::ImageList, &TzuAction::SetImageList>("ImageList"),
        P::Bool<&TzuAction::Visible, &TzuAction::SetVisible>("Visible").Default(1),
        P::Event<static_cast<TzuNotifyEvent& (TzuAction::*)()>(&TzuAction::OnExecute)>("OnExecute"),
        P::Event<&TzuAction::OnUpdate>("OnUpdate"),
    };
    static const TzuClass cls = ZuClass<TzuAction, TzuComponent>("TzuAction", props);
    return cls;
}

TzuAction::TzuAction(TzuComponent* owner) : TzuComponent(owner) {}

TzuAction::~TzuAction() {
    if (m_imageList) m_imageList->RemoveFreeNotification(this);
    // Links outlive the action only as empty links; their clients hear of the free through
    // free notification.
    for (TzuActionLink* link : m_links) link->m_action = nullptr;
}

template <class F>
void TzuAction::ForEachLink(F&& fn) {
    // A client may drop its link while it is told (a handler clears its Action).
    const std::vector<TzuActionLink*> links = m_links;
    for (TzuActionLink* link : links) {
        if (std::find(m_links.begin(), m_links.end(), link) != m_links.end()) fn(*link);
    }
}

void TzuAction::SetCaption(const std::u16string& value) {
    if (value == m_caption) return;
    ForEachLink([&](TzuActionLink& l) {
        if (l.IsCaptionLinked()) l.SetCaption(value);
    });
    m_caption = value;
    Change();
}

void TzuAction::SetEnabled(bool value) {
    if (value == m_enabled) return;
    ForEachLink([&](TzuActionLink& l) {
        if (l.IsEnabledLinked()) l.SetEnabled(value);
    });
    m_enabled = value;
    Change();
}

void TzuAction::SetVisible(bool value) {
    if (value == m_visible) return;
    ForEachLink([&](TzuActionLink& l) {
        if (l.IsVisibleLinked()) l.SetVisible(value);
    });
    m_visible = value;
    Change();
}

void TzuAction::SetChecked(bool value) {
    if (value == m_checked) return;
    ForEachLink([&](TzuActionLink& l) {
        if (l.IsCheckedLinked()) l.SetChecked(value);
    });
    m_checked = value;
    Change();
}

void TzuAction::SetHint(const std::u16string& value) {
    if (value == m_hint) return;
    ForEachLink([&](TzuActionLink& l) {
        if (l.IsHintLinked()) l.SetHint(value);
    });
    m_hint = value;
    Change();
}

void TzuAction::SetImageIndex(int value) {
    if (value == m_imageIndex) return;
    ForEachLink([&](TzuActionLink& l) {
        if (l.IsImageIndexLinked()) l.SetImageIndex(value);
    });
    m_imageIndex = value;
    Change();
}

void TzuAction::SetImageList(TzuCustomImageList* value) {
    if (value == m_imageList) return;
    if (m_imageList) m_imageList->RemoveFreeNotification(this);
    m_imageList = value;
    if (m_imageList) m_imageList->FreeNotification(this);
    Change();
}

void TzuAction::Notification(TzuComponent* component, TzuOperation operation) {
    TzuComponent::Notification(component, operation);
    if (operation == TzuOperation::opRemove && component == m_imageList) {
        m_imageList = nullptr;
        Change();
    }
}

void TzuAction::Change() {
    // While loading the values are not final; Loaded tells the links once.
    if (IsLoading()) return;
    ForEachLink([&](TzuActionLink& l) {
        if (l.OnChange) l.OnChange(this);
    });
    if (m_onChange) m_onChange(this);
}

void TzuAction::Loaded() {
    TzuComponent::Loaded();
    Change();
}

bool TzuAction::Update() {
    if (!m_onUpdate) return false;
    m_onUpdate(this);
    return true;
}

bool TzuAction::Execute() {
    Update();
    if (!m_enabled || !m_onExecute) return false;
    m_onExecute(this);
    return true;
}

// ---- Link ----

TzuActionLink::~TzuActionLink() { SetAction(nullptr); }

void TzuActionLink::SetAction(TzuAction* action) {
    if (action == m_action) return;
    if (m_action) std::erase(m_action->m_links, this);
    m_action = action;
    if (m_action) m_action->m_links.push_back(this);
}

bool TzuActionLink::Execute() { return m_action && m_action->Execute(); }

bool TzuActionLink::Update() { return m_action && m_action->Update(); }

}  // namespace zu
