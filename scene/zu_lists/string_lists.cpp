#include "scene/zu_lists/string_lists.h"

#include <algorithm>

#include "platform/core/class_registry.h"
#include "platform/core/property.h"
#include "platform/core/variant.h"
#include "scene/zu_controls/scroll_bar.h"
#include "scene/zu_lists/list_box_item.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

namespace {

struct ItemLook {
    const std::string& style;
    const TzuFont* font;
    float height;
    TzuTextAlign align;
    bool autoTranslate;
};

// Replaces the list's items by one per string, keeping the current index (clamped when
// asked) and the scroll position.
void MakeItems(TzuListBox* list, TzuComponent* owner, const TzuWideStrings& strings, const ItemLook& look,
               bool clampIndex) {
    if (!list || !list->Content()) return;
    TzuObjectGuard guard(list);
    const int index = list->ItemIndex();
    const float h = list->HScrollBar() ? list->HScrollBar()->Value() : 0;
    const float v = list->VScrollBar() ? list->VScrollBar()->Value() : 0;
    list->BeginUpdate();
    TzuScrollContent* content = list->Content();
    // From the end: each removal is then the last child's.
    for (int i = content->ChildrenCount() - 1; i >= 0; --i) delete content->Children(i);
    const int n = strings.Count();
    for (int i = 0; i < n; ++i) {
        auto* item = new TzuListBoxItem(owner);
        item->SetStored(false);
        item->SetLocked(true);
        item->SetHeight(look.height);
        item->SetAutoTranslate(look.autoTranslate);
        item->SetTextAlign(look.align);
        if (look.font) item->SetFont(*look.font);
        item->SetText(strings.Get(i));
        item->SetResourceWhenShown(look.style);
        content->AddObject(item);
    }
    if (!guard.Alive()) return;
    list->EndUpdate();
    if (!guard.Alive()) return;
    const int keep = clampIndex ? std::min(index, n - 1) : index;
    if (keep != list->ItemIndex()) {
        list->SetItemIndex(keep);
    } else if (TzuListBoxItem* item = list->ItemByIndex(keep); item && !list->MultiSelect()) {
        item->SetIsSelected(true);
    }
    if (!guard.Alive()) return;
    if (TzuScrollBar* bar = list->HScrollBar(); bar && bar->Visible()) bar->SetValue(h);
    if (TzuScrollBar* bar = list->VScrollBar(); bar && bar->Visible()) bar->SetValue(v);
}

}  // namespace

// ---- TzuStringListBox ----

const TzuClass& TzuStringListBox::StaticClass() {
    using P = ZuProps<TzuStringListBox>;
    using C = TzuStringListBox;
    static const TzuPropInfo props[] = {
        P::Object<&C::Items>("Items"),
        P::Object<&C::Font>("Font"),
        P::Enum<&C::TextAlign, &C::SetTextAlign>("TextAlign", kTextAlignEnum).Default(zuTextAlignNear),
        P::Bool<&C::AutoTranslate, &C::SetAutoTranslate>("AutoTranslate").Default(1),
        P::Float<&C::ItemHeight, &C::SetItemHeight>("ItemHeight").Default(19),
    };
    static const TzuClass cls = ZuClass<TzuStringListBox, TzuListBox>("TzuStringListBox", props);
    return cls;
}

TzuStringListBox::TzuStringListBox(TzuComponent* owner) : TzuListBox(owner) {
    SetAutoTranslate(true);
    SetItemHeight(19);
    SetResourceWhenShown("listboxstyle");
    m_items.OnChange().Set([this](TzuPersistent*) { RebuildItems(); });
    m_font.OnChange().Set([this](TzuPersistent*) { RebuildItems(); });
}

TzuStringListBox::~TzuStringListBox() {
    m_items.OnChange().Clear();
    m_font.OnChange().Clear();
}

void TzuStringListBox::SetTextAlign(TzuTextAlign value) {
    if (value == m_textAlign) return;
    m_textAlign = value;
    RebuildItems();
}

void TzuStringListBox::SetItemStyle(const std::string& value) {
    if (value == m_itemStyle) return;
    m_itemStyle = value;
    RebuildItems();
}

void TzuStringListBox::RebuildItems() {
    if (IsLoading() || IsDestroying()) return;
    MakeItems(this, this, m_items, ItemLook{m_itemStyle, &m_font, ItemHeight(), m_textAlign, AutoTranslate()},
              false);
}

void TzuStringListBox::Loaded() {
    TzuListBox::Loaded();
    RebuildItems();
}

TzuVariant TzuStringListBox::GetData() {
    const int i = ItemIndex();
    return i >= 0 && i < m_items.Count() ? TzuVariant(m_items.Get(i)) : TzuVariant(std::u16string());
}

void TzuStringListBox::SetData(const TzuVariant& value) {
    const auto* text = std::get_if<std::string>(&value);
    if (std::holds_alternative<std::u16string>(value) || (text && !text->starts_with("zumet"))) {
        const int found = m_items.IndexOf(VariantToWide(value));
        if (found >= 0) SetItemIndex(found);
        return;
    }
    TzuListBox::SetData(value);
}

// ---- TzuStringComboBox ----

const TzuClass& TzuStringComboBox::StaticClass() {
    using P = ZuProps<TzuStringComboBox>;
    using C = TzuStringComboBox;
    static const TzuPropInfo props[] = {
        P::Object<&C::Items>("Items"),
        P::Float<&C::ItemHeight, &C::SetItemHeight>("ItemHeight").Default(19),
        P::Enum<&C::TextAlign, &C::SetTextAlign>("TextAlign", kTextAlignEnum).Default(zuTextAlignNear),
        P::Bool<&C::AutoTranslate, &C::SetAutoTranslate>("AutoTranslate").Default(1),
    };
    static const TzuClass cls = ZuClass<TzuStringComboBox, TzuComboBox>("TzuStringComboBox", props);
    return cls;
}

TzuStringComboBox::TzuStringComboBox(TzuComponent* owner) : TzuComboBox(owner) {
    SetAutoTranslate(true);
    SetResourceWhenShown("comboboxstyle");
    if (ListBox()) ListBox()->SetItemHeight(m_itemHeight);
    m_items.OnChange().Set([this](TzuPersistent*) { RebuildItems(); });
}

TzuStringComboBox::~TzuStringComboBox() { m_items.OnChange().Clear(); }

void TzuStringComboBox::SetItemHeight(float value) {
    if (value == m_itemHeight) return;
    m_itemHeight = value;
    if (ListBox()) ListBox()->SetItemHeight(value);
    RebuildItems();
}

void TzuStringComboBox::SetTextAlign(TzuTextAlign value) {
    if (value == m_textAlign) return;
    m_textAlign = value;
    RebuildItems();
}

void TzuStringComboBox::SetItemStyle(const std::string& value) {
    if (value == m_itemStyle) return;
    m_itemStyle = value;
    RebuildItems();
}

void TzuStringComboBox::RebuildItems() {
    if (IsLoading() || IsDestroying() || !ListBox()) return;
    TzuObjectGuard guard(this);
    MakeItems(ListBox(), this, m_items,
              ItemLook{m_itemStyle, nullptr, m_itemHeight, m_textAlign, AutoTranslate()}, true);
    if (guard.Alive()) Repaint();
}

void TzuStringComboBox::Loaded() {
    TzuComboBox::Loaded();
    RebuildItems();
}

TzuVariant TzuStringComboBox::GetData() {
    const int i = ItemIndex();
    return i >= 0 && i < m_items.Count() ? TzuVariant(m_items.Get(i)) : TzuVariant(std::u16string());
}

void TzuStringComboBox::SetData(const TzuVariant& value) {
    const auto* text = std::get_if<std::string>(&value);
    if (std::holds_alternative<std::u16string>(value) || (text && !text->starts_with("zumet"))) {
        const int found = m_items.IndexOf(VariantToWide(value));
        if (found >= 0) SetItemIndex(found);
        return;
    }
    TzuComboBox::SetData(value);
}

// ---- HUD kinds ----

const TzuClass& TzuHudStringListBox::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudStringListBox, TzuStringListBox>("TzuHudStringListBox");
    return cls;
}

TzuHudStringListBox::TzuHudStringListBox(TzuComponent* owner) : TzuStringListBox(owner) {
    SetResourceWhenShown("hudlistboxstyle");
    SetItemStyle("hudlistboxitemstyle");
}

const TzuClass& TzuHudStringComboBox::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudStringComboBox, TzuStringComboBox>("TzuHudStringComboBox");
    return cls;
}

TzuHudStringComboBox::TzuHudStringComboBox(TzuComponent* owner) : TzuStringComboBox(owner) {
    SetResourceWhenShown("hudcomboboxstyle");
    if (ListBox()) ListBox()->SetResourceWhenShown("hudcombolistboxstyle");
    SetItemStyle("hudlistboxitemstyle");
}

}  // namespace zu
