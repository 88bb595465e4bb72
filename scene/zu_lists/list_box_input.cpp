// A list box's keys, pointer and type-ahead.

#include <algorithm>

#include "platform/core/window.h"
#include "scene/zu_lists/list_box.h"
#include "scene/zu_lists/list_box_item.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

void TzuListBox::MoveTo(int index, TzuShiftState shift) {
    const int count = Count();
    if (count == 0) return;
    index = std::clamp(index, 0, count - 1);
    TzuObjectGuard guard(this);
    if (m_multiSelect) {
        // As on the desktop: a plain move selects the one item, Shift extends from the anchor.
        if (m_anchor < 0 || !(shift & ssShift)) m_anchor = std::max(0, m_itemIndex);
        ClearSelection();
        if (!guard.Alive()) return;
        if (shift & ssShift) SelectRange(m_anchor, index);
        if (!guard.Alive()) return;
        if (index == m_itemIndex) {
            if (TzuListBoxItem* item = ItemByIndex(index)) item->SetIsSelected(true);
            return;
        }
    }
    SetItemIndex(index);
}

bool TzuListBox::TypingAhead() const { return m_typeAhead.Active(); }

int TzuListBox::TypeAhead(char16_t c) {
    return m_typeAhead.Type(c, Count(), m_itemIndex, [this](int i) -> const std::u16string* {
        TzuListBoxItem* item = ItemByIndex(i);
        return item && item->Visible() ? &item->Text() : nullptr;
    });
}

void TzuListBox::KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) {
    TzuObjectGuard guard(this);
    TzuScrollBox::KeyDown(key, keyChar, shift);
    if (!guard.Alive() || Count() == 0) return;
    const int last = Count() - 1;
    const int cols = std::max(1, m_columns);
    const int at = m_itemIndex;
    int target = -1;
    switch (key) {
        case keys::Home: target = 0; break;
        case keys::End: target = std::max(0, Count() - cols); break;
        case keys::Left: target = at > 0 ? at - 1 : -1; break;
        case keys::Right: target = at < last ? at + 1 : -1; break;
        case keys::Up: target = at > 0 ? std::max(0, at - cols) : -1; break;
        case keys::Down: target = at < last ? std::min(last, at + cols) : -1; break;
        case keys::PageUp: target = std::max(0, at - PageItems()); break;
        case keys::PageDown: target = std::min(last, std::max(0, at) + PageItems()); break;
        default: break;
    }
    if (key == keys::Home || key == keys::End || key == keys::Left || key == keys::Right || key == keys::Up ||
        key == keys::Down || key == keys::PageUp || key == keys::PageDown) {
        key = 0;
        if (target >= 0) MoveTo(target, shift);
        return;
    }
    if (key == 0 && TakesTypeAhead(keyChar, shift)) {
        const int found = TypeAhead(keyChar);
        keyChar = 0;
        if (found >= 0) MoveTo(found, 0);
    }
}

void TzuListBox::MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuScrollBox::MouseDown(button, shift, x, y);
    if (!guard.Alive() || button != mbLeft || IsSceneDesigning()) return;
    if (MouseTracking()) {
        m_trackPress = true;
        m_trackScroll = VScrollPos() + HScrollPos();
        return;
    }
    TzuListBoxItem* item = ItemAtPoint(x, y);
    if (!item) return;
    const int index = IndexOf(item);
    if (m_multiSelect) {
        if (shift & ssCtrl) {
            item->SetIsSelected(!item->IsSelected());
            if (!guard.Alive()) return;
            m_itemIndex = index;
        } else if (shift & ssShift) {
            ClearSelection();
            if (!guard.Alive()) return;
            SelectRange(std::max(0, m_itemIndex), index);
            if (!guard.Alive()) return;
            m_itemIndex = index;
            if (m_onChange) m_onChange(item);
        } else {
            ClearSelection();
            if (!guard.Alive()) return;
            m_itemIndex = -1;
            SetItemIndex(index);
        }
        if (!guard.Alive()) return;
        m_anchor = index;
    } else {
        SetItemIndex(index);
        if (!guard.Alive()) return;
        m_anchor = index;
    }
    m_dragging = true;
    item->Click();
}

void TzuListBox::MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) {
    TzuObjectGuard guard(this);
    TzuScrollBox::MouseMove(shift, x, y, dx, dy);
    if (!guard.Alive() || !m_dragging || m_anchor < 0 || !(shift & ssLeft)) return;
    TzuListBoxItem* item = ItemAtPoint(x, y);
    if (!item) return;
    const int index = IndexOf(item);
    if (index == m_itemIndex) return;
    if (!m_multiSelect) {
        SetItemIndex(index);
        return;
    }
    if (shift & ssCtrl) {
        item->SetIsSelected(!item->IsSelected());
    } else {
        ClearSelection();
        if (!guard.Alive()) return;
        SelectRange(m_anchor, index);
    }
    if (!guard.Alive()) return;
    m_itemIndex = index;
    ScrollToItem(item);
}

void TzuListBox::MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuScrollBox::MouseUp(button, shift, x, y);
    if (!guard.Alive() || button != mbLeft) return;
    m_dragging = false;
    m_anchor = -1;
    if (m_trackPress) {
        m_trackPress = false;
        // A press that did not drag the content picks the item under it.
        if (m_trackScroll == VScrollPos() + HScrollPos())
            if (TzuListBoxItem* item = ItemAtPoint(x, y)) SetItemIndex(IndexOf(item));
    }
}

}  // namespace zu
