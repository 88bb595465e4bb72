#include "scene/zu_trees/tree_view_item.h"

#include "platform/core/class_registry.h"
#include "platform/core/property.h"
#include "scene/zu_controls/check_box.h"
#include "scene/zu_controls/custom_button.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_trees/tree_view.h"

namespace zu {

const TzuClass& TzuTreeViewItem::StaticClass() {
    using P = ZuProps<TzuTreeViewItem>;
    using C = TzuTreeViewItem;
    static const TzuPropInfo props[] = {
        P::Bool<&C::IsExpanded, &C::SetIsExpanded>("IsExpanded").Default(0),
        P::Bool<&C::IsChecked, &C::SetIsChecked>("IsChecked").Default(0),
        P::Bool<&C::IsSelected, &C::SetIsSelected>("IsSelected").Default(0),
        P::Bool<&C::AutoTranslate, &C::SetAutoTranslate>("AutoTranslate").Default(1),
        P::Object<&C::Font>("Font"),
        P::WString<&C::Text, &C::SetText>("Text"),
        P::Enum<&C::TextAlign, &C::SetTextAlign>("TextAlign", kTextAlignEnum).Default(zuTextAlignNear),
    };
    static const TzuClass cls = ZuClass<TzuTreeViewItem, TzuTextControl>("TzuTreeViewItem", props);
    return cls;
}

TzuTreeViewItem::TzuTreeViewItem(TzuComponent* owner) : TzuTextControl(owner) {
    SetBounds(0, 0, 100, 19);
    SetHitTest(false);
    SetCanFocus(false);
    SetTextAlign(zuTextAlignNear);
    SetAutoTranslate(true);
}

TzuTreeViewItem::~TzuTreeViewItem() {
    if (m_selectedIn) m_selectedIn->ForgetItem(this);
    m_selectedIn = nullptr;
}

TzuTreeView* TzuTreeViewItem::TreeView() const {
    for (TzuObject* o = Parent(); o; o = o->Parent())
        if (auto* tree = As<TzuTreeView>(o)) return tree;
    return nullptr;
}

TzuTreeViewItem* TzuTreeViewItem::ParentItem() const { return As<TzuTreeViewItem>(Parent()); }

int TzuTreeViewItem::SubItemCount() const {
    int n = 0;
    for (int i = 0; i < ChildrenCount(); ++i) n += As<TzuTreeViewItem>(Children(i)) != nullptr;
    return n;
}

TzuTreeViewItem* TzuTreeViewItem::SubItem(int index) const {
    for (int i = 0; i < ChildrenCount(); ++i)
        if (auto* item = As<TzuTreeViewItem>(Children(i)); item && index-- == 0) return item;
    return nullptr;
}

bool TzuTreeViewItem::DefersChildStyle(const TzuObject* child) const {
    return As<TzuTreeViewItem>(const_cast<TzuObject*>(child)) != nullptr;
}

int TzuTreeViewItem::Level() const {
    int level = 0;
    for (TzuTreeViewItem* p = ParentItem(); p; p = p->ParentItem()) ++level;
    return level;
}

int TzuTreeViewItem::VisibleNumber() const {
    TzuTreeView* tree = m_selectedIn ? m_selectedIn : TreeView();
    return tree && m_pass == tree->LayoutPass() ? m_number : -1;
}

void TzuTreeViewItem::SetIsExpanded(bool value) {
    if (value == m_isExpanded) return;
    m_isExpanded = value;
    // Only the direct sub-items change: a hidden item hides all below it.
    for (int i = 0; i < ChildrenCount(); ++i)
        if (auto* sub = As<TzuTreeViewItem>(Children(i))) sub->SetVisible(value);
    TzuObjectGuard guard(this);
    UpdateButton();
    if (!guard.Alive() || IsLoading()) return;
    if (TzuTreeView* tree = TreeView()) tree->Realign();
}

void TzuTreeViewItem::SetIsSelected(bool value) {
    if (value == m_isSelected) return;
    m_isSelected = value;
    TzuObjectGuard guard(this);
    AnnounceState("IsSelected");
    if (!guard.Alive() || IsLoading()) return;
    if (TzuTreeView* tree = TreeView()) tree->ItemSelectionChanged(this);
}

void TzuTreeViewItem::SetIsChecked(bool value) {
    if (value == m_isChecked) return;
    m_isChecked = value;
    if (m_check && m_check->IsChecked() != value) {
        m_syncingCheck = true;
        m_check->SetIsChecked(value);
        m_syncingCheck = false;
    }
    AnnounceState("IsChecked");
}

void TzuTreeViewItem::CheckClicked() {
    if (!m_check || m_syncingCheck) return;
    TzuObjectGuard guard(this);
    SetIsChecked(m_check->IsChecked());
    if (!guard.Alive()) return;
    if (TzuTreeView* tree = TreeView()) tree->ItemCheckClicked(this);
}

void TzuTreeViewItem::ShowButton(bool show) {
    // A leaf keeps the expander's room, so its text lines up with its siblings' texts.
    m_button->SetOpacity(show ? 1 : 0);
    m_button->SetHitTest(show);
}

void TzuTreeViewItem::UpdateButton() {
    if (!m_button) return;
    ShowButton(SubItemCount() > 0);
    // Its own style (the arrows that show the state) must be there to hear the trigger.
    m_button->ApplyStyleLookup();
    m_button->StartTriggerAnimation(this, "IsExpanded");
}

void TzuTreeViewItem::AddObject(TzuObject* child) {
    auto* sub = As<TzuTreeViewItem>(child);
    if (sub) sub->SetVisible(m_isExpanded);
    TzuTextControl::AddObject(child);
    if (!sub || IsLoading()) return;
    UpdateButton();
    if (m_isExpanded)
        if (TzuTreeView* tree = TreeView()) tree->Realign();
}

void TzuTreeViewItem::BeforeRemoveObject(TzuObject* child) {
    TzuTextControl::BeforeRemoveObject(child);
    if (!As<TzuTreeViewItem>(child) || IsDestroying()) return;
    // The expander goes once the last sub-item has.
    if (m_button && SubItemCount() <= 1) ShowButton(false);
}

void TzuTreeViewItem::ApplyStyle() {
    TzuTextControl::ApplyStyle();
    // The tree answers the pointer for its rows (the style's root is a plain shape); the
    // expander and check box inside still take their own clicks.
    if (StyleObject()) StyleObject()->SetHitTest(false);
    m_button = As<TzuCustomButton>(FindResource("button"));
    if (m_button) {
        m_button->FreeNotification(this);
        m_button->OnClick().Set([this](TzuPersistent*) { SetIsExpanded(!m_isExpanded); });
        UpdateButton();
    }
    m_check = As<TzuCheckBox>(FindResource("check"));
    if (m_check) {
        m_check->FreeNotification(this);
        TzuTreeView* tree = TreeView();
        m_check->SetVisible(tree && tree->ShowCheckboxes());
        m_syncingCheck = true;
        m_check->SetIsChecked(m_isChecked);
        m_syncingCheck = false;
        m_check->OnChange().Set([this](TzuPersistent*) { CheckClicked(); });
    }
    if (m_isSelected) AnnounceState("IsSelected");
}

void TzuTreeViewItem::FreeStyle() {
    if (m_button) {
        m_button->OnClick().Clear();
        m_button->RemoveFreeNotification(this);
    }
    if (m_check) {
        m_check->OnChange().Clear();
        m_check->RemoveFreeNotification(this);
    }
    m_button = nullptr;
    m_check = nullptr;
    TzuTextControl::FreeStyle();
}

void TzuTreeViewItem::Notification(TzuComponent* component, TzuOperation operation) {
    TzuTextControl::Notification(component, operation);
    if (operation != TzuOperation::opRemove) return;
    if (component == m_button) m_button = nullptr;
    if (component == m_check) m_check = nullptr;
}

}  // namespace zu
