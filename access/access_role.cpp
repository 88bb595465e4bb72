#include "access/access_role.h"

#include <algorithm>

#include "platform/core/utf.h"
#include "scene/zu_controls/ani_indicator.h"
#include "scene/zu_controls/check_box.h"
#include "scene/zu_controls/close_button.h"
#include "scene/zu_controls/custom_button.h"
#include "scene/zu_controls/expander.h"
#include "scene/zu_controls/group_box.h"
#include "scene/zu_controls/image_control.h"
#include "scene/zu_controls/label.h"
#include "scene/zu_controls/panel.h"
#include "scene/zu_controls/popup_box.h"
#include "scene/zu_controls/progress_bar.h"
#include "scene/zu_controls/radio_button.h"
#include "scene/zu_controls/scroll_bar.h"
#include "scene/zu_controls/scroll_box.h"
#include "scene/zu_controls/size_grip.h"
#include "scene/zu_controls/splitter.h"
#include "scene/zu_controls/status_bar.h"
#include "scene/zu_controls/thumb.h"
#include "scene/zu_controls/toggle_control.h"
#include "scene/zu_controls/track.h"
#include "scene/zu_controls/window.h"
#include "scene/zu_lists/combo_box.h"
#include "scene/zu_lists/list_box.h"
#include "scene/zu_lists/list_box_item.h"
#include "scene/zu_scene/host/popup.h"
#include "scene/zu_tabs/tab_control.h"
#include "scene/zu_tabs/tab_item.h"
#include "scene/zu_text/memo.h"
#include "scene/zu_text/text_box.h"
#include "scene/zu_trees/tree_view.h"
#include "scene/zu_trees/tree_view_item.h"

namespace zu {

AtkRole AccessRoleOf(TzuControl& c) {
    // Most specific classes first: a radio button is a toggle control, a memo a scroll box.
    if (As<TzuThumb>(&c) || As<TzuSizeGrip>(&c)) return ATK_ROLE_INVALID;
    if (As<TzuRadioButton>(&c)) return ATK_ROLE_RADIO_BUTTON;
    if (As<TzuCheckBox>(&c)) return ATK_ROLE_CHECK_BOX;
    if (As<TzuToggleControl>(&c)) return ATK_ROLE_TOGGLE_BUTTON;
    if (As<TzuListBoxItem>(&c)) return ATK_ROLE_LIST_ITEM;
    if (As<TzuTreeViewItem>(&c)) return ATK_ROLE_TREE_ITEM;
    if (As<TzuTabItem>(&c)) return ATK_ROLE_PAGE_TAB;
    if (As<TzuTabControl>(&c)) return ATK_ROLE_PAGE_TAB_LIST;
    if (As<TzuTreeView>(&c)) return ATK_ROLE_TREE;
    if (As<TzuListBox>(&c)) return ATK_ROLE_LIST;
    if (As<TzuComboBox>(&c) || As<TzuPopupBox>(&c)) return ATK_ROLE_COMBO_BOX;
    if (As<TzuMemo>(&c)) return ATK_ROLE_TEXT;
    if (auto* box = As<TzuTextBox>(&c)) return box->Password() ? ATK_ROLE_PASSWORD_TEXT : ATK_ROLE_ENTRY;
    if (As<TzuCustomTrack>(&c)) return ATK_ROLE_SLIDER;
    if (As<TzuScrollBar>(&c)) return ATK_ROLE_SCROLL_BAR;
    if (As<TzuProgressBar>(&c)) return ATK_ROLE_PROGRESS_BAR;
    // An expander is a header button that shows and hides its content.
    if (As<TzuExpander>(&c)) return ATK_ROLE_TOGGLE_BUTTON;
    if (auto* button = As<TzuCustomButton>(&c))
        return button->StaysPressed() ? ATK_ROLE_TOGGLE_BUTTON : ATK_ROLE_PUSH_BUTTON;
    if (As<TzuCloseButton>(&c)) return ATK_ROLE_PUSH_BUTTON;
    if (As<TzuLabel>(&c)) return ATK_ROLE_LABEL;
    if (As<TzuWindow>(&c)) return ATK_ROLE_WINDOW;
    // A popup hosts its content in a window of its own; menus are the platform's.
    if (As<TzuPopup>(&c)) return ATK_ROLE_WINDOW;
    if (As<TzuAniIndicator>(&c)) return ATK_ROLE_ANIMATION;
    if (As<TzuStatusBar>(&c)) return ATK_ROLE_STATUSBAR;
    if (As<TzuToolBar>(&c)) return ATK_ROLE_TOOL_BAR;
    if (As<TzuImageControl>(&c)) return ATK_ROLE_IMAGE;
    if (As<TzuSplitter>(&c)) return ATK_ROLE_SEPARATOR;
    if (As<TzuScrollBox>(&c)) return ATK_ROLE_SCROLL_PANE;
    return ATK_ROLE_PANEL;
}

bool AccessRoleIsLeaf(AtkRole role) {
    switch (role) {
        case ATK_ROLE_PUSH_BUTTON:
        case ATK_ROLE_TOGGLE_BUTTON:
        case ATK_ROLE_CHECK_BOX:
        case ATK_ROLE_RADIO_BUTTON:
        case ATK_ROLE_SLIDER:
        case ATK_ROLE_SCROLL_BAR:
        case ATK_ROLE_PROGRESS_BAR:
        case ATK_ROLE_LABEL:
        case ATK_ROLE_ENTRY:
        case ATK_ROLE_PASSWORD_TEXT:
        case ATK_ROLE_TEXT:
        case ATK_ROLE_COMBO_BOX:
        case ATK_ROLE_PAGE_TAB:
        case ATK_ROLE_LIST_ITEM:
        case ATK_ROLE_IMAGE:
        case ATK_ROLE_SEPARATOR: return true;
        default: return false;
    }
}

std::string AccessNameOf(TzuControl& c) {
    std::u16string text = c.ShowsCaption() ? c.CaptionText() : std::u16string();
    if (text.empty()) text = c.Hint();
    return Utf16ToUtf8(text);
}

bool AccessShowing(TzuControl& c) {
    for (TzuObject* o = &c; o; o = o->Parent()) {
        if (auto* v = As<TzuVisualObject>(o); v && !v->Visible()) return false;
    }
    return c.Scene() != nullptr;
}

namespace {

// The checked, pressed, selected and expanded flags of the families that have them.
struct Flags {
    bool checkable = false, checked = false, pressed = false;
    bool selectable = false, selected = false, expandable = false, expanded = false;
};

Flags FlagsOf(TzuControl& c) {
    Flags f;
    if (auto* t = As<TzuToggleControl>(&c)) {
        f.checkable = true;
        f.checked = t->IsChecked();
        f.pressed = t->IsPressed();
    } else if (auto* b = As<TzuCustomButton>(&c)) {
        f.pressed = b->IsPressed();
    } else if (auto* li = As<TzuListBoxItem>(&c)) {
        f.selectable = true;
        f.selected = li->IsSelected();
        f.checked = li->IsChecked();
    } else if (auto* ti = As<TzuTreeViewItem>(&c)) {
        f.selectable = true;
        f.selected = ti->IsSelected();
        f.checked = ti->IsChecked();
        f.expandable = true;
        f.expanded = ti->IsExpanded();
    } else if (auto* tab = As<TzuTabItem>(&c)) {
        f.selectable = true;
        f.selected = tab->IsSelected();
    } else if (auto* e = As<TzuExpander>(&c)) {
        f.checked = e->ShowCheck() && e->IsChecked();
        f.expandable = true;
        f.expanded = e->IsExpanded();
    } else if (auto* combo = As<TzuComboBox>(&c)) {
        f.expandable = true;
        f.expanded = combo->IsOpen();
    }
    return f;
}

}  // namespace

void AccessStatesOf(TzuControl& c, AtkStateSet* set) {
    if (c.CanFocus()) atk_state_set_add_state(set, ATK_STATE_FOCUSABLE);
    if (c.IsFocused()) atk_state_set_add_state(set, ATK_STATE_FOCUSED);
    if (c.AbsoluteEnabled()) {
        atk_state_set_add_state(set, ATK_STATE_ENABLED);
        atk_state_set_add_state(set, ATK_STATE_SENSITIVE);
    }
    if (c.Visible()) atk_state_set_add_state(set, ATK_STATE_VISIBLE);
    if (AccessShowing(c)) atk_state_set_add_state(set, ATK_STATE_SHOWING);
    const Flags f = FlagsOf(c);
    if (f.checkable) atk_state_set_add_state(set, ATK_STATE_CHECKABLE);
    if (f.checked) atk_state_set_add_state(set, ATK_STATE_CHECKED);
    if (f.pressed) atk_state_set_add_state(set, ATK_STATE_PRESSED);
    if (f.selectable) atk_state_set_add_state(set, ATK_STATE_SELECTABLE);
    if (f.selected) atk_state_set_add_state(set, ATK_STATE_SELECTED);
    if (f.expandable) atk_state_set_add_state(set, ATK_STATE_EXPANDABLE);
    if (f.expanded) atk_state_set_add_state(set, ATK_STATE_EXPANDED);
    if (auto* box = As<TzuTextBox>(&c)) {
        atk_state_set_add_state(set, ATK_STATE_SINGLE_LINE);
        if (!box->ReadOnly()) atk_state_set_add_state(set, ATK_STATE_EDITABLE);
    } else if (auto* memo = As<TzuMemo>(&c)) {
        atk_state_set_add_state(set, ATK_STATE_MULTI_LINE);
        if (!memo->ReadOnly()) atk_state_set_add_state(set, ATK_STATE_EDITABLE);
    }
    if (auto* track = As<TzuCustomTrack>(&c))
        atk_state_set_add_state(
            set, track->Orientation() == zuHorizontal ? ATK_STATE_HORIZONTAL : ATK_STATE_VERTICAL);
}

AtkStateType AccessStateOfAnnouncement(std::string_view name) {
    if (name == "IsChecked") return ATK_STATE_CHECKED;
    if (name == "IsPressed") return ATK_STATE_PRESSED;
    if (name == "IsSelected") return ATK_STATE_SELECTED;
    if (name == "IsExpanded" || name == "IsOpen") return ATK_STATE_EXPANDED;
    if (name == "IsVisible") return ATK_STATE_SHOWING;
    return ATK_STATE_INVALID;
}

std::vector<TzuAccessAction> AccessActionsOf(TzuControl& c) {
    if (As<TzuToggleControl>(&c)) return {TzuAccessAction::Toggle};
    if (As<TzuTreeViewItem>(&c)) return {TzuAccessAction::Click, TzuAccessAction::Expand};
    if (As<TzuExpander>(&c) || As<TzuComboBox>(&c)) return {TzuAccessAction::Expand};
    if (As<TzuListBoxItem>(&c) || As<TzuTabItem>(&c) || As<TzuCustomButton>(&c) || As<TzuCloseButton>(&c))
        return {TzuAccessAction::Click};
    return {};
}

const char* AccessActionName(TzuAccessAction action) {
    switch (action) {
        case TzuAccessAction::Click: return "click";
        case TzuAccessAction::Toggle: return "toggle";
        case TzuAccessAction::Expand: return "expand";
    }
    return "";
}

bool RunAccessAction(TzuControl& c, TzuAccessAction action) {
    const auto offered = AccessActionsOf(c);
    if (std::find(offered.begin(), offered.end(), action) == offered.end() || !c.AbsoluteEnabled())
        return false;
    switch (action) {
        case TzuAccessAction::Toggle:
            if (auto* t = As<TzuToggleControl>(&c)) t->SetIsChecked(!t->IsChecked());
            return true;
        case TzuAccessAction::Expand:
            if (auto* ti = As<TzuTreeViewItem>(&c)) ti->SetIsExpanded(!ti->IsExpanded());
            if (auto* e = As<TzuExpander>(&c)) e->SetIsExpanded(!e->IsExpanded());
            if (auto* combo = As<TzuComboBox>(&c)) combo->IsOpen() ? combo->CloseUp() : combo->DropDown();
            return true;
        case TzuAccessAction::Click:
            // Items are chosen the way a press chooses them; buttons run their click.
            if (auto* li = As<TzuListBoxItem>(&c)) {
                li->SetIsSelected(true);
            } else if (auto* ti = As<TzuTreeViewItem>(&c)) {
                ti->SetIsSelected(true);
            } else if (auto* tab = As<TzuTabItem>(&c)) {
                tab->SetIsSelected(true);
            } else {
                c.Click();
            }
            return true;
    }
    return false;
}

std::optional<TzuAccessRange> AccessRangeOf(TzuControl& c) {
    if (auto* t = As<TzuCustomTrack>(&c))
        return TzuAccessRange{t->Min(), t->Max() - t->ViewportSize(), t->Value(), t->Frequency()};
    if (auto* s = As<TzuScrollBar>(&c))
        return TzuAccessRange{s->Min(), s->Max() - s->ViewportSize(), s->Value(), s->SmallChange()};
    if (auto* p = As<TzuProgressBar>(&c)) return TzuAccessRange{p->Min(), p->Max(), p->Value(), 0};
    return std::nullopt;
}

bool SetAccessValue(TzuControl& c, double value) {
    if (!c.AbsoluteEnabled()) return false;
    if (auto* t = As<TzuCustomTrack>(&c)) {
        t->SetValue(float(value));
        return true;
    }
    if (auto* s = As<TzuScrollBar>(&c)) {
        s->SetValue(float(value));
        return true;
    }
    return false;
}

bool AccessHasText(TzuControl& c) { return As<TzuTextBox>(&c) || As<TzuMemo>(&c); }

TzuAccessText AccessTextOf(TzuControl& c) {
    TzuAccessText t;
    if (auto* box = As<TzuTextBox>(&c)) {
        t.text = box->Text();
        t.caret = box->CaretPosition();
        t.selStart = box->SelStart();
        t.selEnd = t.selStart + box->SelLength();
        if (box->Password()) {
            // One bullet per character: the length is spoken, the characters never.
            auto chars = [&](int units) {
                int n = 0;
                for (int i = 0; i < units && i < int(t.text.size()); ++i)
                    if ((t.text[size_t(i)] & 0xFC00) != 0xDC00) ++n;
                return n;
            };
            t.caret = chars(t.caret);
            t.selStart = chars(t.selStart);
            t.selEnd = chars(t.selEnd);
            t.text.assign(size_t(chars(int(t.text.size()))), u'\u25CF');
        }
    } else if (auto* memo = As<TzuMemo>(&c)) {
        t.text = memo->Text();
        t.caret = memo->OffsetOf(memo->CaretPos());
        t.selStart = memo->OffsetOf(memo->SelStart());
        t.selEnd = memo->OffsetOf(memo->SelEnd());
    }
    return t;
}

}  // namespace zu
