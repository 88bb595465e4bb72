// A tree view's keys and pointer: moving through the shown items, opening and closing
// them, ranges in a multiple selection, and type-ahead.

#include <algorithm>

#include "platform/core/window.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_trees/tree_view.h"
#include "scene/zu_trees/tree_view_item.h"

namespace zu {

void TzuTreeView::SelectVisibleRange(int from, int to) {
    if (from > to) std::swap(from, to);
    TzuObjectGuard guard(this);
    m_selecting = true;
    for (int n = std::max(0, from); n <= std::min(to, VisibleCount() - 1) && guard.Alive(); ++n)
        m_visible[size_t(n)]->SetIsSelected(true);
    if (guard.Alive()) m_selecting = false;
}

void TzuTreeView::MoveTo(int number, TzuShiftState shift) {
    TzuTreeViewItem* target = ItemByVisibleNumber(std::clamp(number, 0, VisibleCount() - 1));
    if (!target) return;
    TzuObjectGuard guard(this);
    if (m_multiSelect) {
        const int from = m_selected ? m_selected->VisibleNumber() : -1;
        if (!(shift & ssShift) || m_anchor < 0) m_anchor = std::max(0, from);
        // As on the desktop: a plain move selects the one item, Shift extends from the anchor.
        const std::vector<TzuTreeViewItem*> selected = m_selectedSet;
        m_selecting = true;
        for (TzuTreeViewItem* item : selected)
            if (guard.Alive() && item != target) item->SetIsSelected(false);
        if (!guard.Alive()) return;
        m_selecting = false;
        if (shift & ssShift) SelectVisibleRange(m_anchor, target->VisibleNumber());
        if (!guard.Alive()) return;
    }
    SetSelected(target);
}

void TzuTreeView::KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) {
    // The keypad's plus and minus also type their sign right after; that sign belongs to
    // the key just used, not to type-ahead.
    const char16_t swallow = m_swallowChar;
    m_swallowChar = 0;
    if (key == 0 && keyChar != 0 && keyChar == swallow) {
        keyChar = 0;
        return;
    }
    TzuObjectGuard guard(this);
    TzuScrollBox::KeyDown(key, keyChar, shift);
    if (!guard.Alive() || VisibleCount() == 0) return;
    TzuTreeViewItem* current = m_selected;
    const int at = current ? current->VisibleNumber() : -1;
    const int last = VisibleCount() - 1;
    TzuVisualObject* vp = Viewport();
    const int page =
        std::max(1, int((vp ? vp->Height() : Height()) / std::max(1.0f, m_visible[0]->Height())));
    int target = -1;
    switch (key) {
        case keys::Home: target = 0; break;
        case keys::End: target = last; break;
        case keys::Up: target = at < 0 ? 0 : std::max(0, at - 1); break;
        case keys::Down: target = at < 0 ? 0 : std::min(last, at + 1); break;
        case keys::PageUp: target = std::max(0, at - page); break;
        case keys::PageDown: target = std::min(last, std::max(0, at) + page); break;
        case keys::Add:
        case keys::Subtract:
            m_swallowChar = key == keys::Add ? u'+' : u'-';
            if (current) current->SetIsExpanded(key == keys::Add);
            key = 0;
            return;
        case keys::Left:
            // Closes an open item, else goes to its parent.
            if (current && current->IsExpanded() && current->SubItemCount() > 0)
                current->SetIsExpanded(false);
            else if (current && current->ParentItem())
                MoveTo(current->ParentItem()->VisibleNumber(), 0);
            key = 0;
            return;
        case keys::Right:
            // Opens a closed item, else goes to its first sub-item.
            if (current && current->SubItemCount() > 0) {
                if (!current->IsExpanded())
                    current->SetIsExpanded(true);
                else if (TzuTreeViewItem* first = current->SubItem(0); first && first->VisibleNumber() >= 0)
                    MoveTo(first->VisibleNumber(), 0);
            }
            key = 0;
            return;
        default: break;
    }
    if (target >= 0) {
        key = 0;
        MoveTo(target, shift);
        return;
    }
    const bool typing =
        keyChar >= u' ' && (keyChar != u' ' || m_typeAhead.Active()) && !(shift & (ssCtrl | ssAlt));
    if (key == 0 && typing) {
        const char16_t c = keyChar;
        keyChar = 0;
        const int found = m_typeAhead.Type(c, VisibleCount(), at, [this](int i) -> const std::u16string* {
            return &m_visible[size_t(i)]->Text();
        });
        if (found >= 0) MoveTo(found, 0);
    }
}

void TzuTreeView::MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuScrollBox::MouseDown(button, shift, x, y);
    if (!guard.Alive() || button != mbLeft || IsSceneDesigning()) return;
    TzuTreeViewItem* item = ItemAtPoint(x, y);
    if (!item) return;
    if (shift & ssDouble) {
        item->SetIsExpanded(!item->IsExpanded());
        return;
    }
    if (m_multiSelect && (shift & ssCtrl)) {
        m_selecting = true;
        item->SetIsSelected(!item->IsSelected());
        if (!guard.Alive()) return;
        m_selecting = false;
        if (item->IsSelected()) m_selected = item;
        m_anchor = item->VisibleNumber();
        RebuildHighlight();
        return;
    }
    if (m_multiSelect && (shift & ssShift) && m_selected) {
        const int from = m_selected->VisibleNumber();
        SelectVisibleRange(from, item->VisibleNumber());
        if (!guard.Alive()) return;
        SetSelected(item);
        return;
    }
    MoveTo(item->VisibleNumber(), 0);
}

}  // namespace zu
