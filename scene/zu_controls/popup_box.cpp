#include "scene/zu_controls/popup_box.h"

#include <cmath>

#include "platform/core/popup_menu.h"
#include "platform/core/win_control.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_scene/tree/scene_intf.h"

namespace zu {

const TzuClass& TzuPopupBox::StaticClass() {
    using P = ZuProps<TzuPopupBox>;
    using B = TzuPopupBox;
    static const TzuPropInfo props[] = {
        P::Object<&B::Items>("Items"),
        P::Int<&B::ItemIndex, &B::SetItemIndex>("ItemIndex").Default(-1),
        P::Event<&B::OnChange>("OnChange"),
        P::Reference<&B::BindingSource, &B::SetBindingSource>("BindingSource"),
    };
    static const TzuClass cls = ZuClass<TzuPopupBox, TzuCustomButton>("TzuPopupBox", props);
    return cls;
}

TzuPopupBox::TzuPopupBox(TzuComponent* owner) : TzuCustomButton(owner) {
    SetBounds(0, 0, 80, 21);
    m_items.OnChange().Set([this](TzuPersistent*) { Repaint(); });
}

TzuPopupBox::~TzuPopupBox() = default;

void TzuPopupBox::ShowItem(int index) {
    m_itemIndex = index;
    TzuCustomButton::SetText(index >= 0 ? m_items.Get(index) : std::u16string());
}

void TzuPopupBox::SetItemIndex(int value) {
    if (value == m_itemIndex) return;
    // While loading the items may follow the index in the stream; Loaded checks it then.
    if (IsLoading()) {
        m_itemIndex = value;
        return;
    }
    ShowItem(value >= 0 && value < m_items.Count() ? value : -1);
    if (m_onChange) m_onChange(this);
}

void TzuPopupBox::SetText(const std::u16string& value) {
    if (IsLoading()) {
        TzuCustomButton::SetText(value);
        return;
    }
    ShowItem(m_items.Count() > 0 ? m_items.IndexOf(value) : -1);
}

void TzuPopupBox::Loaded() {
    TzuCustomButton::Loaded();
    // The index read may lie beyond the items read; then nothing is selected.
    const int index = m_itemIndex;
    ShowItem(index >= 0 && index < m_items.Count() ? index : -1);
}

void TzuPopupBox::SetData(const TzuVariant& value) {
    if (const auto* text = std::get_if<std::string>(&value); text && DataTextToMethod(*text, OnChange()))
        return;
    SetText(VariantToWide(value));
}

void TzuPopupBox::Click() {
    TzuObjectGuard guard(this);
    TzuCustomButton::Click();
    if (!guard.Alive()) return;
    if (!m_menu) m_menu = std::make_unique<TzuPopupMenu>(nullptr);
    TzuMenuItems* menuItems = m_menu->Items();
    menuItems->Clear();
    for (int i = 0; i < m_items.Count(); ++i) {
        TzuMenuItem* item = menuItems->AddItem(m_items.Get(i));
        item->SetChecked(i == m_itemIndex);
        item->OnClick().Set([this, i](TzuPersistent*) { SetItemIndex(i); });
    }
    if (!Scene() || m_items.Count() == 0) return;
    // Centred on the box, taking a menu item as 20 pixels high.
    const float y = std::trunc(Height() / 2 - 10 * float(m_items.Count()));
    const TzuPoint screen = Scene()->LocalToScreen(LocalToAbsolute(TzuPoint{0, y}));
    auto* host = As<TzuWinControl>(Scene()->SceneControl());
    m_menu->SetPopupComponent(this);
    m_menu->Popup(int(std::lround(screen.X)), int(std::lround(screen.Y)), host ? host->Window() : nullptr);
}

const TzuClass& TzuHudPopupBox::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudPopupBox, TzuPopupBox>("TzuHudPopupBox");
    return cls;
}

}  // namespace zu
