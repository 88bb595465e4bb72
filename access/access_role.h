#pragma once
// What an assistive technology is told about one control: its role by class family, its
// name, its states, the actions it offers, its value range and its text. Plain functions
// of the control, free of the objects that carry them to the desktop (control_accessible),
// so the mapping is checked without a display.

#include <optional>
#include <string>
#include <vector>

#include <atk/atk.h>

namespace zu {

class TzuControl;
class TzuObject;

// The role of a control; ATK_ROLE_INVALID for the inner parts of other controls (a track's
// thumb, a size grip), which stay out of the tree.
AtkRole AccessRoleOf(TzuControl& control);
// Controls whose children are their own business: buttons, ranges, text controls, labels.
bool AccessRoleIsLeaf(AtkRole role);
// The control's text, else its hint; UTF-8.
std::string AccessNameOf(TzuControl& control);
// Visible along the whole chain of parents.
bool AccessShowing(TzuControl& control);
void AccessStatesOf(TzuControl& control, AtkStateSet* set);
// The ATK state that a named state announcement of the control changes, or
// ATK_STATE_INVALID.
AtkStateType AccessStateOfAnnouncement(std::string_view name);

enum class TzuAccessAction { Click, Toggle, Expand };
std::vector<TzuAccessAction> AccessActionsOf(TzuControl& control);
const char* AccessActionName(TzuAccessAction action);
// Runs it as the keyboard would; false when the control does not offer it or is disabled.
bool RunAccessAction(TzuControl& control, TzuAccessAction action);

struct TzuAccessRange {
    double min = 0;
    double max = 0;
    double value = 0;
    double step = 0;
};
// For tracks, scroll bars and progress bars.
std::optional<TzuAccessRange> AccessRangeOf(TzuControl& control);
// Sets a track's or scroll bar's value (clamped by the control); false for others.
bool SetAccessValue(TzuControl& control, double value);

// Text boxes and memos: the text as a reader may speak it (a password box gives one bullet
// per character, never the characters), the caret and the selection in UTF-16 units.
bool AccessHasText(TzuControl& control);
struct TzuAccessText {
    std::u16string text;
    int caret = 0;
    int selStart = 0;
    int selEnd = 0;
};
TzuAccessText AccessTextOf(TzuControl& control);

}  // namespace zu
