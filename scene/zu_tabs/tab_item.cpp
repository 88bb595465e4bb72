#include "scene/zu_tabs/tab_item.h"

#include "platform/core/property.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_tabs/tab_control.h"

namespace zu {

const TzuClass& TzuTabItem::StaticClass() {
    using P = ZuProps<TzuTabItem>;
    using C = TzuTabItem;
    static const TzuPropInfo props[] = {
        // The control's ItemIndex is what streams; the tab's state follows it.
        P::Bool<&C::IsSelected, &C::SetIsSelected>("IsSelected").NotStored(),
        P::Bool<&C::AutoTranslate, &C::SetAutoTranslate>("AutoTranslate").Default(1),
        P::Object<&C::Font>("Font"),
        P::Enum<&C::TextAlign, &C::SetTextAlign>("TextAlign", kTextAlignEnum).Default(zuTextAlignCenter),
        P::WString<&C::Text, &C::SetText>("Text"),
        P::Reference<&C::Layout, &C::SetLayout>("Layout"),
    };
    static const TzuClass cls = ZuClass<TzuTabItem, TzuTextControl>("TzuTabItem", props);
    return cls;
}

const TzuClass& TzuHudTabItem::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudTabItem, TzuTabItem>("TzuHudTabItem");
    return cls;
}

TzuTabItem::TzuTabItem(TzuComponent* owner) : TzuTextControl(owner) {
    SetBounds(0, 0, 80, 20);
    SetAutoTranslate(true);
    SetCanFocus(false);
    // A tab is chosen by a press and release on it, not by a release dragged onto it.
    SetAutoCapture(true);
}

TzuTabItem::~TzuTabItem() {
    // Leaves the control while still a tab, so the control can pick another current one
    // and stop showing this tab's page.
    if (TzuTabControl* control = TabControl(); control && !control->IsDestroying()) SetParent(nullptr);
    if (m_layout) m_layout->RemoveFreeNotification(this);
    m_layout = nullptr;
}

TzuTabControl* TzuTabItem::TabControl() const { return As<TzuTabControl>(Parent()); }

int TzuTabItem::TabIndex() const {
    TzuTabControl* control = TabControl();
    return control ? control->IndexOfTab(this) : -1;
}

void TzuTabItem::SetIsSelected(bool value) {
    TzuTabControl* control = TabControl();
    if (!control || IsLoading()) {
        SetSelectedState(value);
        return;
    }
    if (value) {
        const int index = TabIndex();
        if (index >= 0) control->SetItemIndex(index);
    } else if (control->CurrentTab() == this) {
        control->SetItemIndex(-1);
    }
}

void TzuTabItem::SetSelectedState(bool value) {
    if (value == m_isSelected) return;
    m_isSelected = value;
    AnnounceState("IsSelected");
}

void TzuTabItem::SetLayout(TzuVisualObject* page) {
    if (page == m_layout) return;
    if (m_layout) m_layout->RemoveFreeNotification(this);
    m_layout = page;
    if (m_layout) m_layout->FreeNotification(this);
    if (TzuTabControl* control = TabControl(); control && !IsLoading()) control->Realign();
}

void TzuTabItem::Notification(TzuComponent* component, TzuOperation operation) {
    TzuTextControl::Notification(component, operation);
    if (operation == TzuOperation::opRemove && component == m_layout) m_layout = nullptr;
}

void TzuTabItem::SetVisible(bool value) {
    if (value == Visible()) return;
    TzuTabControl* control = TabControl();
    const int oldIndex = control ? control->ItemIndex() : -1;
    TzuObjectGuard guard(this);
    TzuTextControl::SetVisible(value);
    if (guard.Alive() && control && !IsLoading()) control->TabsChanged(oldIndex);
}

void TzuTabItem::MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuTextControl::MouseDown(button, shift, x, y);
    if (!guard.Alive()) return;
    // The tab takes no focus of its own: its control does, for the keys that move tabs.
    if (TzuTabControl* control = TabControl(); control && control->CanFocus() && !control->IsFocused())
        control->SetFocus();
}

void TzuTabItem::MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuTextControl::MouseUp(button, shift, x, y);
    if (!guard.Alive() || button != mbLeft) return;
    // Released over the tab it was pressed on (the press captures the pointer).
    if (x < 0 || y < 0 || x > Width() || y > Height()) return;
    const int index = TabIndex();
    if (TzuTabControl* control = TabControl(); control && index >= 0) control->SetItemIndex(index);
}

void TzuTabItem::ApplyStyle() {
    TzuTextControl::ApplyStyle();
    // A style applied after the tab became current shows it as such.
    if (TzuTabControl* control = TabControl(); control && !IsLoading())
        m_isSelected = control->CurrentTab() == this;
    if (m_isSelected) AnnounceState("IsSelected");
}

void TzuTabItem::PlaceInStrip(float x, float y, float width, float height) {
    m_ownWidth = OwnWidth();
    m_ownHeight = OwnHeight();
    SetBounds(x, y, width, height);
    m_givenWidth = Width();
    m_givenHeight = Height();
}

}  // namespace zu
