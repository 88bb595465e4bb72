#pragma once
// TzuTextMenu is the context menu every text control shows: "Cut", "Copy", "Paste",
// "Delete" and "Select All", enabled by what the control can do at that moment. The
// control owns one, tells it its state when the menu is asked for, and runs the command
// the user picks. The menu's platform popup (a TzuPopupMenu) is owned here and is no part
// of any stream.
//
// Usage:
//   m_menu = std::make_unique<TzuTextMenu>([this](TzuTextCommand c) { RunCommand(c); });
//   m_menu->Popup(this, screenPoint, TextMenuState(hasSel, readOnly, password, allSelected));

#include <functional>
#include <memory>

#include "scene/zu_scene/types/geometry.h"

namespace zu {

class TzuPopupMenu;
class TzuVisualObject;

enum class TzuTextCommand { Cut, Copy, Paste, Delete, SelectAll };

// Which entries can be chosen.
struct TzuTextMenuState {
    bool cut = false;
    bool copy = false;
    bool paste = false;
    bool del = false;
    bool selectAll = false;
};

// The enabled rules: cutting and deleting need a selection in an editable control, copying
// a selection, pasting clipboard text and an editable control, selecting all a selection
// that is not already the whole text. A password control gives no text away: no cut, no
// copy. clipboardHasText is asked of the application unless given.
TzuTextMenuState TextMenuState(bool hasSelection, bool readOnly, bool password, bool wholeTextSelected);
TzuTextMenuState TextMenuState(bool hasSelection, bool readOnly, bool password, bool wholeTextSelected,
                               bool clipboardHasText);

class TzuTextMenu {
public:
    using Runner = std::function<void(TzuTextCommand)>;
    explicit TzuTextMenu(Runner run);
    ~TzuTextMenu();
    TzuTextMenu(const TzuTextMenu&) = delete;
    TzuTextMenu& operator=(const TzuTextMenu&) = delete;

    // Sets the entries' enabled states and pops the menu up at a screen point over the
    // scene window of source. The chosen command runs later, on the message loop.
    void Popup(TzuVisualObject* source, const TzuPoint& screen, const TzuTextMenuState& state);
    // The platform menu with its five items, in the order above.
    TzuPopupMenu* Menu() const { return m_menu.get(); }

private:
    std::unique_ptr<TzuPopupMenu> m_menu;
    Runner m_run;
};

}  // namespace zu
