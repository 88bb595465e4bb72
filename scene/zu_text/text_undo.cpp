#include "scene/zu_text/text_undo.h"

#include <utility>

namespace zu {

namespace {

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == 0x3000; }

std::size_t UnitsOf(const TzuTextEdit& edit) { return edit.removed.size() + edit.inserted.size(); }

}  // namespace

void TzuTextUndo::Record(TzuTextEdit edit, TzuTextEditKind kind) {
    if (edit.removed.empty() && edit.inserted.empty()) return;
    // A new edit makes the undone steps unreachable.
    while (m_steps.size() > m_next) {
        m_units -= UnitsOf(m_steps.back());
        m_steps.pop_back();
    }
    if (m_open && kind == m_lastKind && !m_steps.empty() && TryMerge(edit, kind)) return;
    m_units += UnitsOf(edit);
    m_steps.push_back(std::move(edit));
    m_next = m_steps.size();
    m_lastKind = kind;
    m_open = kind != zuEditOther;
    Trim();
}

bool TzuTextUndo::TryMerge(const TzuTextEdit& edit, TzuTextEditKind kind) {
    TzuTextEdit& last = m_steps.back();
    // Only an edit that starts where the last one left the caret continues it.
    if (edit.before != last.after) return false;
    switch (kind) {
        case zuEditTyping: {
            if (!edit.removed.empty() || edit.inserted.empty() || last.inserted.empty()) return false;
            if (edit.position != last.position + int(last.inserted.size())) return false;
            // A word typed after a blank starts the next step, so one undo takes back one word.
            if (IsSpace(last.inserted.back()) && !IsSpace(edit.inserted.front())) return false;
            last.inserted += edit.inserted;
            break;
        }
        case zuEditBackspace:
            if (!edit.inserted.empty() || !last.inserted.empty()) return false;
            if (edit.position + int(edit.removed.size()) != last.position) return false;
            last.removed.insert(0, edit.removed);
            last.position = edit.position;
            break;
        case zuEditDelete:
            if (!edit.inserted.empty() || !last.inserted.empty()) return false;
            if (edit.position != last.position) return false;
            last.removed += edit.removed;
            break;
        case zuEditOther: return false;
    }
    last.after = edit.after;
    m_units += UnitsOf(edit);
    Trim();
    return true;
}

void TzuTextUndo::Clear() {
    m_steps.clear();
    m_next = 0;
    m_units = 0;
    m_open = false;
}

const TzuTextEdit* TzuTextUndo::Undo() {
    m_open = false;
    if (!CanUndo()) return nullptr;
    return &m_steps[--m_next];
}

const TzuTextEdit* TzuTextUndo::Redo() {
    m_open = false;
    if (!CanRedo()) return nullptr;
    return &m_steps[m_next++];
}

void TzuTextUndo::SetLimits(std::size_t steps, std::size_t units) {
    m_maxSteps = steps > 0 ? steps : 1;
    m_maxUnits = units;
    Trim();
}

void TzuTextUndo::Trim() {
    // The oldest done steps go first; the newest step stays even when it alone is too big,
    // since the edit the user just made is the one they are most likely to take back.
    while (m_steps.size() > 1 && m_next > 1 && (m_steps.size() > m_maxSteps || m_units > m_maxUnits)) {
        m_units -= UnitsOf(m_steps.front());
        m_steps.pop_front();
        --m_next;
    }
}

}  // namespace zu
