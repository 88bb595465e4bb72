// Drag and drop, the input method and hints of the scene: drops from other programs and
// drags of objects inside the scene go to the object FindDragTarget picks; typed text an
// input method commits reaches the focused object key by key, with the candidate window
// kept at that object's caret; the hint shown is the one of the object under the pointer.

#include <algorithm>
#include <cmath>

#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

namespace {

TzuVisualObject* AsVisual(TzuObject* o) {
    return o && o->IsVisual() ? static_cast<TzuVisualObject*>(o) : nullptr;
}

TzuDragObject DragObjectOf(const TzuDropData& data) {
    TzuDragObject d;
    d.Files = data.Files;
    if (!data.Files.empty())
        d.Data = data.Files.front();
    else if (data.HasText)
        d.Data = data.Text;
    return d;
}

}  // namespace

// ---- Targets ----

void TzuCustomScene::ChangeDragTarget(TzuVisualObject* target, const TzuDragObject& data,
                                      const TzuPoint& point) {
    if (target == m_dragTarget) return;
    TzuObjectGuard guard(target);
    if (TzuVisualObject* old = m_dragTarget) {
        m_dragTarget = nullptr;
        old->DragLeave();
    }
    // The leave handler may have freed the new target.
    if (!guard.Alive()) return;
    m_dragTarget = target;
    if (target) target->DragEnter(data, point);
}

TzuVisualObject* TzuCustomScene::FindDragTargetAt(const TzuPoint& point, const TzuDragObject& data) {
    TzuVisualObject* root = AsVisual(Root());
    return root ? root->FindDragTarget(point, data) : nullptr;
}

// ---- Drops from other programs ----

bool TzuCustomScene::DropMotion(const TzuDropData& data, int x, int y) {
    if (m_designing || !AsVisual(Root())) return false;
    const TzuPoint point{float(x), float(y)};
    const TzuDragObject drag = DragObjectOf(data);
    ChangeDragTarget(FindDragTargetAt(point, drag), drag, point);
    return m_dragTarget != nullptr;
}

void TzuCustomScene::DropLeave() { ChangeDragTarget(nullptr, {}, {}); }

bool TzuCustomScene::DropData(const TzuDropData& data, int x, int y) {
    const TzuPoint point{float(x), float(y)};
    const TzuDragObject drag = DragObjectOf(data);
    // A drop without a motion before it (or after the target went) looks for one now.
    if (!m_dragTarget && !m_designing) ChangeDragTarget(FindDragTargetAt(point, drag), drag, point);
    TzuVisualObject* target = m_dragTarget;
    m_dragTarget = nullptr;
    if (!target) return false;
    target->DragDrop(drag, point);
    return true;
}

// ---- Drags inside the scene ----

void TzuCustomScene::BeginDrag(TzuVisualObject* object) {
    if (!object || m_designing) return;
    if (m_dragSource) CancelDrag();
    m_dragSource = object;
}

void TzuCustomScene::CancelDrag() {
    m_dragSource = nullptr;
    ChangeDragTarget(nullptr, {}, {});
}

void TzuCustomScene::DragMoveInside(const TzuPoint& point) {
    TzuDragObject drag;
    drag.Source = m_dragSource;
    TzuVisualObject* target = FindDragTargetAt(point, drag);
    // Freed by a DragOver handler: the drag is over.
    if (!m_dragSource) {
        CancelDrag();
        return;
    }
    // An object is never dropped onto itself; the current target stays.
    if (target == m_dragSource) return;
    ChangeDragTarget(target, drag, point);
    ShowCursorShape(m_dragTarget ? TzuCursorShape::Default : TzuCursorShape::No);
}

void TzuCustomScene::DropInside(const TzuPoint& point) {
    TzuDragObject drag;
    drag.Source = m_dragSource;
    TzuVisualObject* target = m_dragTarget;
    m_dragSource = nullptr;
    m_dragTarget = nullptr;
    ShowCursorShape(TzuCursorShape::Default);
    if (target) target->DragDrop(drag, point);
}

// ---- Input method ----

void TzuCustomScene::ImeCommit(const std::u16string& text) {
    if (TzuCustomScene* below = KeysGoBelow()) {
        below->ImeCommit(text);
        return;
    }
    // A text control takes the text whole; elsewhere each UTF-16 unit is one typed
    // character, surrogates as two.
    TzuVisualObject* focused = AsVisual(m_focused);
    if (focused && focused->CommitText(text)) {
        UpdateImeCaret();
        return;
    }
    for (char16_t unit : text) {
        uint16_t key = 0;
        char16_t ch = unit;
        RouteKeyDown(key, ch, 0);
    }
    UpdateImeCaret();
}

void TzuCustomScene::ImePreedit(const std::u16string& text, int cursor) {
    if (TzuCustomScene* below = KeysGoBelow()) {
        below->ImePreedit(text, cursor);
        return;
    }
    if (TzuVisualObject* focused = AsVisual(m_focused)) focused->SetPreedit(text, cursor);
    UpdateImeCaret();
}

void TzuCustomScene::UpdateImeCaret() {
    if (!Window()) return;
    TzuVisualObject* focused = AsVisual(m_focused);
    if (!focused) return;
    const TzuRect caret = focused->CaretRect();
    const TzuPoint a = focused->LocalToAbsolute({caret.Left, caret.Top});
    const TzuPoint b = focused->LocalToAbsolute({caret.Left, caret.Bottom});
    const int x = int(std::trunc(a.X)), y = int(std::trunc(a.Y));
    Window()->SetImeCaret({x, y, x + 1, std::max(y + 1, int(std::trunc(b.Y)))});
}

// ---- Hints ----

bool TzuCustomScene::QueryHint(int x, int y, std::u16string& text, TzuWinRect& area) {
    if (m_designing) return false;
    // The tooltip follows the hovered object; at the point of the last routed move that is
    // what a hit test would find.
    const bool hovering =
        m_hovered && !m_captured && !m_dragSource && m_hoverPoint.X == float(x) && m_hoverPoint.Y == float(y);
    TzuVisualObject* o = hovering ? m_hovered : ObjectAtPoint(float(x), float(y));
    if (!o || !o->ShowHint() || o->Hint().empty()) return false;
    text = o->Hint();
    const TzuRect r = o->AbsoluteRect();
    area = {int(std::trunc(r.Left)), int(std::trunc(r.Top)), int(std::trunc(r.Right)),
            int(std::trunc(r.Bottom))};
    return true;
}

}  // namespace zu
