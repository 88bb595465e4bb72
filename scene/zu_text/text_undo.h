#pragma once
// TzuTextUndo is the undo/redo history of a text control: each step is one replacement in
// the control's text (at a position, some text removed, some inserted) with the caret and
// selection before and after it. The control owns its history and applies the steps it
// gets back; the history never touches the text itself, so flat strings and line lists can
// share it. Typing of one word and runs of Backspace or Delete merge into one step.

#include <cstddef>
#include <deque>
#include <string>

namespace zu {

// Caret and selection in the text control's own terms: the caret position, the selection
// anchor and the signed selection length (0 = no selection).
struct TzuTextSelection {
    int caret = 0;
    int anchor = 0;
    int length = 0;
    bool operator==(const TzuTextSelection&) const = default;
};

// What kind of edit a step was: only typing and runs of one deletion key merge.
enum TzuTextEditKind : int { zuEditTyping, zuEditBackspace, zuEditDelete, zuEditOther };

// One replacement: at `position` (UTF-16 units into the whole text), `removed` was taken out
// and `inserted` put in its place.
struct TzuTextEdit {
    int position = 0;
    std::u16string removed;
    std::u16string inserted;
    TzuTextSelection before;
    TzuTextSelection after;
};

class TzuTextUndo {
public:
    // Records an edit the control has just made; the redo steps are dropped. A typing edit
    // merges into the previous typing step when it continues it and does not start a new
    // word; a Backspace or Delete edit merges into a run of the same key.
    void Record(TzuTextEdit edit, TzuTextEditKind kind);
    // The next edit starts a step of its own (caret moved, focus left, text set from outside).
    void Break() { m_open = false; }
    void Clear();

    bool CanUndo() const { return m_next > 0; }
    bool CanRedo() const { return m_next < m_steps.size(); }
    // The step to revert, or nullptr: the caller replaces inserted.size() units at position
    // with removed and restores `before`. The pointer stays valid until the next call.
    const TzuTextEdit* Undo();
    // The step to apply again, or nullptr: the caller replaces removed.size() units at
    // position with inserted and restores `after`.
    const TzuTextEdit* Redo();

    // The bounds of the history: at most `steps` steps and about `units` UTF-16 units of
    // stored text; the oldest steps go first, the newest always stays.
    void SetLimits(std::size_t steps, std::size_t units);
    std::size_t StepCount() const { return m_steps.size(); }
    std::size_t StoredUnits() const { return m_units; }

private:
    bool TryMerge(const TzuTextEdit& edit, TzuTextEditKind kind);
    void Trim();

    std::deque<TzuTextEdit> m_steps;
    std::size_t m_next = 0;  // steps before this index are done, the rest undone
    std::size_t m_units = 0;
    std::size_t m_maxSteps = 1000;
    std::size_t m_maxUnits = std::size_t(1) << 22;
    TzuTextEditKind m_lastKind = zuEditOther;
    bool m_open = false;  // the last step may still take merges
};

}  // namespace zu
