#pragma once
// TzuTabOrderEditor is the design menu's "TabOrder Editor": a popup listing the controls of
// one parent in tab order, with Up and Down buttons that move the chosen one. It edits the
// live tree (each move is a design step) and keeps only a weak link to the parent, so the
// tree may change under it. The design menu owns it and makes its parts.

#include <memory>
#include <vector>

#include "scene/zu_scene/host/message_popup.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

class TzuButton;
class TzuControl;
class TzuLabel;
class TzuListBox;

class TzuTabOrderEditor : public TzuMessagePopup {
    ZU_CLASS(TzuTabOrderEditor)
public:
    explicit TzuTabOrderEditor(TzuComponent* owner);

    // Lists control's siblings with control chosen, and opens.
    void Edit(TzuControl* control);
    // Moves the chosen control one place earlier or later in the tab order; false when it
    // cannot move.
    bool MoveUp() { return Move(-1); }
    bool MoveDown() { return Move(+1); }
    // The controls listed, in tab order (empty when the parent went).
    std::vector<TzuVisualObject*> Listed() const;
    // Fired after each move.
    TzuNotifyEvent& OnMoved() { return m_onMoved; }

    TzuLabel* Title() const { return m_title; }
    TzuListBox* List() const { return m_list; }
    TzuButton* UpButton() const { return m_up; }
    TzuButton* DownButton() const { return m_down; }

private:
    bool Move(int step);
    void Fill(int chosen);

    std::unique_ptr<TzuObjectGuard> m_parent;
    TzuNotifyEvent m_onMoved;
    TzuLabel* m_title = nullptr;
    TzuListBox* m_list = nullptr;
    TzuButton* m_up = nullptr;
    TzuButton* m_down = nullptr;
    TzuButton* m_close = nullptr;
};

}  // namespace zu
