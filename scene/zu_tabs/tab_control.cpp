#include "scene/zu_tabs/tab_control.h"

#include <algorithm>

#include "platform/core/property.h"
#include "platform/core/window.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_tabs/tab_item.h"

namespace zu {

const TzuClass& TzuTabControl::StaticClass() {
    using P = ZuProps<TzuTabControl>;
    using C = TzuTabControl;
    static const TzuPropInfo props[] = {
        P::Int<&C::ItemIndex, &C::SetItemIndex>("ItemIndex").Default(-1),
        P::Float<&C::ItemHeight, &C::SetItemHeight>("ItemHeight").Default(0),
        P::Bool<&C::FullSize, &C::SetFullSize>("FullSize").Default(0),
        P::Event<&C::OnChange>("OnChange"),
    };
    static const TzuClass cls = ZuClass<TzuTabControl, TzuControl>("TzuTabControl", props);
    return cls;
}

const TzuClass& TzuHudTabControl::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudTabControl, TzuTabControl>("TzuHudTabControl");
    return cls;
}

TzuTabControl::TzuTabControl(TzuComponent* owner) : TzuControl(owner) {
    SetBounds(0, 0, 200, 200);
    SetCanFocus(true);
}

// ---- Tabs ----

std::vector<TzuTabItem*> TzuTabControl::VisibleTabs() const {
    std::vector<TzuTabItem*> tabs;
    for (int i = 0; i < ChildrenCount(); ++i) {
        auto* tab = As<TzuTabItem>(Children(i));
        if (tab && tab->Visible()) tabs.push_back(tab);
    }
    return tabs;
}

TzuTabItem* TzuTabControl::Tab(int index) const {
    if (index < 0) return nullptr;
    for (int i = 0; i < ChildrenCount(); ++i) {
        auto* tab = As<TzuTabItem>(Children(i));
        if (tab && tab->Visible() && index-- == 0) return tab;
    }
    return nullptr;
}

int TzuTabControl::IndexOfTab(const TzuTabItem* tab) const {
    if (!tab || !tab->Visible() || tab->Parent() != this) return -1;
    int index = 0;
    for (int i = 0; i < ChildrenCount(); ++i) {
        auto* t = As<TzuTabItem>(Children(i));
        if (t == tab) return index;
        if (t && t->Visible()) ++index;
    }
    return -1;
}

int TzuTabControl::ItemIndex() const { return IsLoading() ? m_loadIndex : IndexOfTab(m_current); }

void TzuTabControl::SetItemIndex(int value) {
    if (IsLoading()) {
        // The tabs are not all there yet: the index is checked once they are.
        m_loadIndex = value;
        return;
    }
    TzuTabItem* tab = Tab(value);
    if (tab != m_current) Select(tab);
}

void TzuTabControl::Select(TzuTabItem* tab) {
    TzuObjectGuard guard(this);
    if (TzuTabItem* old = m_current) {
        m_current = nullptr;
        old->SetSelectedState(false);
        if (!guard.Alive()) return;
    }
    m_current = tab;
    Realign();
    if (tab) {
        tab->SetSelectedState(true);
        if (!guard.Alive()) return;
    }
    Repaint();
    if (m_onChange) m_onChange(this);
}

void TzuTabControl::SelectNextTab(bool forward) {
    const int count = TabCount();
    if (count == 0) return;
    const int current = ItemIndex();
    int index;
    if (current < 0)
        index = forward ? 0 : count - 1;
    else
        index = (current + (forward ? 1 : count - 1)) % count;
    SetItemIndex(index);
}

void TzuTabControl::TabsChanged(int oldIndex) {
    if (IsDestroying()) return;
    if (m_current && !m_current->Visible()) {
        // The current tab left the strip: the tab that moved into its place takes over,
        // or the new last one; none when no tab is left.
        const int count = TabCount();
        Select(count == 0 ? nullptr : Tab(std::min(oldIndex, count - 1)));
        return;
    }
    Realign();
}

void TzuTabControl::AfterAddObject(TzuObject* child) {
    TzuControl::AfterAddObject(child);
    auto* tab = As<TzuTabItem>(child);
    if (!tab || IsLoading()) return;
    // A new tab is not current until the control makes it so.
    if (tab->IsSelected()) tab->SetSelectedState(false);
    Realign();
}

void TzuTabControl::BeforeRemoveObject(TzuObject* child) {
    TzuControl::BeforeRemoveObject(child);
    if (child == m_background) m_background = nullptr;
    auto* tab = As<TzuTabItem>(child);
    if (!tab || IsDestroying() || IsLoading()) return;
    const int oldIndex = ItemIndex();
    // The page of a tab that leaves is no longer shown.
    if (TzuVisualObject* page = tab->Layout(); page && page->Parent() == this) page->SetVisible(false);
    // Counted as hidden while it is still a child, so the strip closes up without it.
    const bool wasVisible = tab->Visible();
    tab->SetVisibleField(false);
    TzuObjectGuard guard(tab);
    try {
        TabsChanged(oldIndex);
    } catch (...) {
        if (guard.Alive()) tab->SetVisibleField(wasVisible);
        throw;
    }
    if (guard.Alive()) tab->SetVisibleField(wasVisible);
}

void TzuTabControl::Loaded() {
    TzuControl::Loaded();
    m_current = Tab(m_loadIndex);
    for (TzuTabItem* tab : VisibleTabs()) tab->m_isSelected = tab == m_current;
    Realign();
}

// ---- Layout ----

void TzuTabControl::SetItemHeight(float value) {
    value = std::max(0.0f, value);
    if (value == m_itemHeight) return;
    m_itemHeight = value;
    Realign();
}

void TzuTabControl::SetFullSize(bool value) {
    if (value == m_fullSize) return;
    m_fullSize = value;
    Realign();
}

void TzuTabControl::ApplyStyle() {
    TzuControl::ApplyStyle();
    // The control places its style below the strip itself.
    if (TzuVisualObject* style = StyleObject()) style->SetAlign(vaNone);
    m_background = As<TzuVisualObject>(FindResource("background"));
    Realign();
}

void TzuTabControl::FreeStyle() {
    m_background = nullptr;
    TzuControl::FreeStyle();
}

void TzuTabControl::Realign() {
    if (m_inRealign || IsDestroying() || IsLoading()) {
        if (IsLoading()) TzuControl::Realign();
        return;
    }
    m_inRealign = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_inRealign};
    // Children aligned by their own Align values first; tabs, pages and the style follow.
    TzuControl::Realign();

    const std::vector<TzuTabItem*> tabs = VisibleTabs();
    float strip = 0;
    for (TzuTabItem* tab : tabs) {
        const TzuRect pad = tab->PaddingRect();
        strip = std::max(strip, tab->OwnHeight() + pad.Top + pad.Bottom);
    }
    if (m_itemHeight > 0 && !tabs.empty()) strip = m_itemHeight;
    m_stripHeight = strip;

    if (TzuVisualObject* style = StyleObject()) {
        const TzuRect pad = style->PaddingRect();
        style->SetBounds(pad.Left, strip + pad.Top, std::max(0.0f, Width() - pad.Left - pad.Right),
                         std::max(0.0f, Height() - strip - pad.Top - pad.Bottom));
    }

    float stripWidth = Width();
    if (m_background) {
        const TzuRect m = m_background->MarginsRect();
        stripWidth -= m.Left + m.Right;
    }
    const float share = m_fullSize && !tabs.empty() ? stripWidth / static_cast<float>(tabs.size()) : 0;
    float x = 0;
    for (TzuTabItem* tab : tabs) {
        const TzuRect pad = tab->PaddingRect();
        // A shared width holds the tab with its padding, so the tabs fill the strip exactly.
        const float width = m_fullSize ? std::max(0.0f, share - pad.Left - pad.Right) : tab->OwnWidth();
        tab->PlaceInStrip(x + pad.Left, pad.Top, width, std::max(0.0f, strip - pad.Top - pad.Bottom));
        x += pad.Left + width + pad.Right;
    }

    // Pages: the current tab's is shown below the strip, every other one is hidden.
    const TzuRect margins = MarginsRect();
    TzuTabItem* current = CurrentTab();
    for (int i = 0; i < ChildrenCount(); ++i) {
        auto* tab = As<TzuTabItem>(Children(i));
        TzuVisualObject* page = tab ? tab->Layout() : nullptr;
        if (!page || page->Parent() != this) continue;
        const bool shown = tab == current;
        page->SetDesignHide(!shown);
        page->SetClipChildren(true);
        if (shown) {
            const TzuRect pad = page->PaddingRect();
            page->SetBounds(
                margins.Left + pad.Left, strip + margins.Top + pad.Top,
                std::max(0.0f, Width() - margins.Left - margins.Right - pad.Left - pad.Right),
                std::max(0.0f, Height() - strip - margins.Top - margins.Bottom - pad.Top - pad.Bottom));
        }
        page->SetVisible(shown);
    }
    Repaint();
}

// ---- Painting and keys ----

void TzuTabControl::PaintChildren() {
    TzuTabItem* current = CurrentTab();
    if (!current) {
        TzuControl::PaintChildren();
        return;
    }
    // Everything but the current tab, then the current tab alone above its neighbours.
    std::vector<TzuVisualObject*> others;
    for (int i = 0; i < ChildrenCount(); ++i) {
        auto* v = As<TzuVisualObject>(Children(i));
        if (v && v != current && v->Visible()) others.push_back(v);
    }
    auto restore = [&] {
        current->SetVisibleField(true);
        for (TzuVisualObject* v : others) v->SetVisibleField(true);
    };
    try {
        current->SetVisibleField(false);
        TzuControl::PaintChildren();
        current->SetVisibleField(true);
        for (TzuVisualObject* v : others) v->SetVisibleField(false);
        TzuControl::PaintChildren();
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

bool TzuTabControl::IsTabKey(uint16_t key, TzuShiftState shift) {
    if (!(shift & ssCtrl) || (shift & ssAlt)) return false;
    return key == keys::Tab || key == keys::PageUp || key == keys::PageDown;
}

void TzuTabControl::KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) {
    TzuControl::KeyDown(key, keyChar, shift);
    if (!IsTabKey(key, shift)) return;
    const bool forward = key == keys::Tab ? !(shift & ssShift) : key == keys::PageDown;
    key = 0;
    keyChar = 0;
    SelectNextTab(forward);
}

}  // namespace zu
