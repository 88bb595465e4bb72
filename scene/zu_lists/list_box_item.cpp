#include "scene/zu_lists/list_box_item.h"

#include "platform/core/class_registry.h"
#include "platform/core/property.h"
#include "scene/zu_controls/check_box.h"
#include "scene/zu_lists/combo_box.h"
#include "scene/zu_lists/list_box.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

const TzuClass& TzuListBoxItem::StaticClass() {
    using P = ZuProps<TzuListBoxItem>;
    using C = TzuListBoxItem;
    static const TzuPropInfo props[] = {
        P::Bool<&C::IsChecked, &C::SetIsChecked>("IsChecked").Default(0),
        P::Bool<&C::IsSelected, &C::SetIsSelected>("IsSelected").Default(0),
        P::Bool<&C::AutoTranslate, &C::SetAutoTranslate>("AutoTranslate").Default(1),
        P::Object<&C::Font>("Font"),
        P::WString<&C::Text, &C::SetText>("Text"),
        P::Enum<&C::TextAlign, &C::SetTextAlign>("TextAlign", kTextAlignEnum).Default(zuTextAlignNear),
        P::Bool<&C::WordWrap, &C::SetWordWrap>("WordWrap").Default(0),
    };
    static const TzuClass cls = ZuClass<TzuListBoxItem, TzuTextControl>("TzuListBoxItem", props);
    return cls;
}

TzuListBoxItem::TzuListBoxItem(TzuComponent* owner) : TzuTextControl(owner) {
    SetBounds(0, 0, 19, 19);
    SetHitTest(false);
    SetTextAlign(zuTextAlignNear);
    SetAutoTranslate(true);
}

TzuListBoxItem::~TzuListBoxItem() {
    if (m_selectedIn) m_selectedIn->ForgetSelected(this);
    m_selectedIn = nullptr;
}

TzuListBox* TzuListBoxItem::ListBox() const {
    for (TzuObject* o = Parent(); o; o = o->Parent()) {
        if (auto* list = As<TzuListBox>(o)) return list;
        if (auto* combo = As<TzuComboBox>(o)) return combo->ListBox();
    }
    return nullptr;
}

void TzuListBoxItem::SetIsSelected(bool value) {
    if (value == m_isSelected) return;
    m_isSelected = value;
    TzuObjectGuard guard(this);
    AnnounceState("IsSelected");
    if (!guard.Alive() || IsLoading()) return;
    if (TzuListBox* list = ListBox()) list->ItemSelectionChanged(this);
}

void TzuListBoxItem::SetIsChecked(bool value) {
    if (value == m_isChecked) return;
    m_isChecked = value;
    if (m_check && m_check->IsChecked() != value) {
        m_syncingCheck = true;
        m_check->SetIsChecked(value);
        m_syncingCheck = false;
    }
    AnnounceState("IsChecked");
}

void TzuListBoxItem::CheckClicked() {
    if (!m_check || m_syncingCheck) return;
    TzuObjectGuard guard(this);
    SetIsChecked(m_check->IsChecked());
    if (!guard.Alive()) return;
    if (TzuListBox* list = ListBox()) list->ItemCheckClicked(this);
}

void TzuListBoxItem::ApplyStyle() {
    TzuTextControl::ApplyStyle();
    // The list answers the pointer for its rows; the check box inside takes its own clicks.
    if (StyleObject()) StyleObject()->SetHitTest(false);
    m_check = As<TzuCheckBox>(FindResource("check"));
    if (m_check) {
        m_check->FreeNotification(this);
        TzuListBox* list = ListBox();
        m_check->SetVisible(list && list->ShowCheckboxes());
        m_syncingCheck = true;
        m_check->SetIsChecked(m_isChecked);
        m_syncingCheck = false;
        m_check->OnChange().Set([this](TzuPersistent*) { CheckClicked(); });
    }
    // A style applied late (the row scrolled into view) shows the state the item has.
    if (m_isSelected) AnnounceState("IsSelected");
}

void TzuListBoxItem::FreeStyle() {
    if (m_check) {
        m_check->OnChange().Clear();
        m_check->RemoveFreeNotification(this);
    }
    m_check = nullptr;
    TzuTextControl::FreeStyle();
}

void TzuListBoxItem::Notification(TzuComponent* component, TzuOperation operation) {
    TzuTextControl::Notification(component, operation);
    if (operation == TzuOperation::opRemove && component == m_check) m_check = nullptr;
}

void TzuListBoxItem::ParentChanged() {
    TzuTextControl::ParentChanged();
    // Moved to another list (or out of any): the old list's selection lets go of it.
    if (m_selectedIn && m_selectedIn != ListBox()) {
        m_selectedIn->ForgetSelected(this);
        m_selectedIn = nullptr;
    }
    if (m_isSelected && !IsLoading())
        if (TzuListBox* list = ListBox()) list->ItemSelectionChanged(this);
}

}  // namespace zu
