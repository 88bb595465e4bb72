// Input routing of the scene: the platform's mouse, wheel and key events go to the object
// under the mouse, the object that captured it or the object with the keyboard focus; the
// scene keeps the hovered, captured and focused objects, runs Tab navigation and moves or
// resizes its form when empty space or a size grip is dragged.

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/core/form.h"
#include "scene/zu_scene/host/focus_keys.h"
#include "scene/zu_scene/host/popup.h"
#include "scene/zu_scene/host/popup_form.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_scene/tree/size_grip.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

namespace {

TzuCursorShape CursorShapeOf(TzuCursor cursor) {
    using namespace cursors;
    switch (cursor) {
        case crArrow: return TzuCursorShape::Arrow;
        case crCross: return TzuCursorShape::Cross;
        case crIBeam: return TzuCursorShape::IBeam;
        case crSizeNESW: return TzuCursorShape::SizeNESW;
        case crSizeNS: return TzuCursorShape::SizeNS;
        case crSizeNWSE: return TzuCursorShape::SizeNWSE;
        case crSizeWE: return TzuCursorShape::SizeWE;
        case crHourGlass: return TzuCursorShape::Wait;
        case crNo: return TzuCursorShape::No;
        case crHandPoint: return TzuCursorShape::Hand;
        case crSizeAll: return TzuCursorShape::SizeAll;
        default: return TzuCursorShape::Default;
    }
}

std::vector<TzuOwnKeyHook>& OwnKeyHooks() {
    static std::vector<TzuOwnKeyHook> hooks;
    return hooks;
}

TzuVisualObject* AsVisual(TzuObject* o) {
    return o && o->IsVisual() ? static_cast<TzuVisualObject*>(o) : nullptr;
}

TzuVisualObject* VisualParentOf(TzuVisualObject* o) { return AsVisual(o->Parent()); }

bool Within(TzuObject* object, TzuObject* subtree) {
    for (TzuObject* p = object; p; p = p->Parent()) {
        if (p == subtree) return true;
    }
    return false;
}

// The keys every control gets a chance at before the focused one: default and cancel
// buttons, arrow navigation, spin steps.
bool IsDialogKey(uint16_t key) {
    switch (key) {
        case keys::Escape:
        case keys::Enter:
        case keys::Left:
        case keys::Right:
        case keys::Up:
        case keys::Down:
        case keys::Home:
        case keys::End:
        case 107:  // numeric-pad add
        case 109:  // numeric-pad subtract
            return true;
        default: return false;
    }
}

// Visible and enabled along the whole visual ancestry, and able to take the focus.
bool TabCandidate(TzuVisualObject* v) {
    if (!v->CanFocus()) return false;
    for (TzuVisualObject* o = v; o; o = VisualParentOf(o)) {
        if (!o->Visible() || !o->Enabled()) return false;
    }
    return true;
}

void AppendTabList(TzuVisualObject* parent, std::vector<TzuVisualObject*>& list) {
    const std::vector<TzuVisualObject*>* tabs = parent->TabList();
    if (!tabs) return;
    // Copied: a tab list may change while the walk builds the next level.
    const std::vector<TzuVisualObject*> entries = *tabs;
    for (TzuVisualObject* v : entries) {
        list.push_back(v);
        AppendTabList(v, list);
    }
}

}  // namespace

float TzuCustomScene::SnapToGrid(float v) const {
    if (!m_designSnapToGrid || m_gridStep == 0) return v;
    return std::trunc(v / m_gridStep) * m_gridStep;
}

TzuVisualObject* TzuCustomScene::ObjectAtPoint(float x, float y) {
    for (size_t i = m_objects.size(); i-- > 0;) {
        TzuVisualObject* v = AsVisual(m_objects[i]);
        if (!v) break;
        if (!v->Visible() && !m_designing) continue;
        if (TzuVisualObject* hit = v->ObjectAtPoint(x, y)) return hit;
    }
    return nullptr;
}

// ---- Hover, capture, focus ----

void TzuCustomScene::ChangeHovered(TzuVisualObject* object) {
    TzuObjectGuard guard(object);
    if (TzuVisualObject* old = m_hovered) {
        m_hovered = nullptr;
        old->MouseLeave();
    }
    // The leave handler may have freed the new object.
    if (!guard.Alive()) return;
    m_hovered = object;
    if (object) object->MouseEnter();
    // The tooltip follows the hovered object.
    if (Window()) Window()->HintChanged();
}

void TzuCustomScene::SetCaptured(TzuObject* object) {
    const bool had = m_captured != nullptr;
    m_captured = object;
    if (had != (object != nullptr) && Window()) Window()->SetMouseCapture(object != nullptr);
}

void TzuCustomScene::SetFocused(TzuObject* object) {
    if (object == m_focused) return;
    TzuObjectGuard guard(object);
    if (TzuVisualObject* old = AsVisual(m_focused)) {
        m_focused = nullptr;
        old->KillFocus();
    }
    m_focused = nullptr;
    if (!guard.Alive()) return;
    m_focused = object;
    if (TzuVisualObject* v = AsVisual(object)) v->EnterFocus();
    UpdateImeCaret();
}

void TzuCustomScene::ObjectLeaving(TzuObject* object) {
    if (!object || IsDestroying()) return;
    // Nothing is told: the object is in mid-removal. It only stops being hovered, focused
    // or captured, so coming back later starts clean.
    if (m_hovered && Within(m_hovered, object)) {
        m_hovered->ForgetMouseOver();
        m_hovered = nullptr;
    }
    if (m_focused && Within(m_focused, object)) {
        if (TzuVisualObject* v = AsVisual(m_focused)) v->ForgetFocus();
        m_focused = nullptr;
    }
    if (m_captured && Within(m_captured, object)) SetCaptured(nullptr);
    if (m_dragTarget && Within(m_dragTarget, object)) m_dragTarget = nullptr;
    if (m_dragSource && Within(m_dragSource, object)) m_dragSource = nullptr;
}

// ---- Window move and resize ----

void TzuCustomScene::StartWindowDrag() {
    TzuWinControl* form = ParentForm();
    if (!form || !form->Window() || !Window()) return;
    const TzuWinPoint screen = Window()->ClientToScreen({int(m_mouseDownPoint.X), int(m_mouseDownPoint.Y)});
    if (form->Window()->BeginMoveDrag(m_pressButton, screen)) return;
    m_windowDrag = true;
    m_lastPoint = m_mouseDownPoint;
}

void TzuCustomScene::StartWindowResize() {
    TzuWinControl* form = ParentForm();
    if (!form || !form->Window() || !Window()) return;
    const TzuWinPoint screen = Window()->ClientToScreen({int(m_mouseDownPoint.X), int(m_mouseDownPoint.Y)});
    if (form->Window()->BeginResizeDrag(m_pressButton, screen)) return;
    m_windowResize = true;
    m_lastPoint = m_mouseDownPoint;
    m_resizeWidth = form->Width();
    m_resizeHeight = form->Height();
}

void TzuCustomScene::ShowCursorShape(TzuCursorShape shape) {
    if (Window() && Window()->Cursor() != shape) Window()->SetCursor(shape);
}

// ---- Mouse ----

void TzuCustomScene::MouseDown(TzuMouseButton button, TzuShiftState shift, int xi, int yi, bool doubleClick) {
    if (doubleClick) shift |= ssDouble;
    const float x = float(xi), y = float(yi);
    m_pressButton = button;
    m_mouseDownPoint = {x, y};
    m_currentPoint = {SnapToGrid(x), SnapToGrid(y)};
    m_lastPoint = m_currentPoint;
    // Design-time editing takes the mouse in design mode; it is not routed to objects.
    if (m_designing) {
        DesignMouseDown(button, shift, {x, y}, doubleClick);
        return;
    }
    TzuVisualObject* o = ObjectAtPoint(m_currentPoint.X, m_currentPoint.Y);
    if (!o) {
        StartWindowDrag();
        return;
    }
    if (dynamic_cast<IzuSizeGrip*>(o)) {
        StartWindowResize();
        return;
    }
    TzuObjectGuard guard(o);
    const TzuPoint local = o->AbsoluteToLocal(m_currentPoint);
    o->MouseDown(button, shift, local.X, local.Y);
    if (guard.Alive() && o->DragMode() == zuDragAutomatic) o->BeginAutoDrag();
}

void TzuCustomScene::MouseMove(TzuShiftState shift, int xi, int yi) {
    const float x = float(xi), y = float(yi);
    if (m_designing) {
        m_currentPoint = {x, y};
        DesignMouseMove(shift, {x, y});
        return;
    }
    if (m_windowDrag) {
        // The form follows the mouse, so the pointer stays where it was in the window and
        // the last point stays too.
        if (TzuWinControl* form = ParentForm()) {
            form->SetBounds(int(std::lround(x - m_lastPoint.X + float(form->Left()))),
                            int(std::lround(y - m_lastPoint.Y + float(form->Top()))), form->Width(),
                            form->Height());
        }
        return;
    }
    if (m_windowResize) {
        m_resizeWidth = std::max(1, int(std::lround(x - m_mouseDownPoint.X + float(m_resizeWidth))));
        m_resizeHeight = std::max(1, int(std::lround(y - m_mouseDownPoint.Y + float(m_resizeHeight))));
        if (TzuWinControl* form = ParentForm())
            form->SetBounds(form->Left(), form->Top(), m_resizeWidth, m_resizeHeight);
        ShowCursorShape(TzuCursorShape::SizeNWSE);
        m_mouseDownPoint = {x, y};
        return;
    }
    const TzuPoint current{SnapToGrid(x), SnapToGrid(y)};
    const TzuPoint delta{current.X - m_lastPoint.X, current.Y - m_lastPoint.Y};
    m_currentPoint = current;
    m_lastPoint = current;
    if (m_dragSource) {
        // A drag inside the scene takes the pointer; leaving the window ends it.
        if (xi < 0 || yi < 0 || xi >= ClientWidth() || yi >= ClientHeight())
            CancelDrag();
        else
            DragMoveInside(current);
        return;
    }
    if (TzuVisualObject* captured = AsVisual(m_captured)) {
        const TzuPoint local = captured->AbsoluteToLocal(current);
        const TzuPoint d = captured->AbsoluteToLocalVector(delta);
        captured->MouseMove(shift, local.X, local.Y, d.X, d.Y);
        return;
    }
    TzuCursorShape shape = TzuCursorShape::Default;
    TzuVisualObject* o = ObjectAtPoint(current.X, current.Y);
    m_hoverPoint = current;
    if (o) {
        shape = dynamic_cast<IzuSizeGrip*>(o) ? TzuCursorShape::SizeNWSE : CursorShapeOf(o->Cursor());
        TzuObjectGuard guard(o);
        if (o != m_hovered) ChangeHovered(o);
        if (guard.Alive()) {
            const TzuPoint local = o->AbsoluteToLocal(current);
            const TzuPoint d = o->AbsoluteToLocalVector(delta);
            o->MouseMove(shift, local.X, local.Y, d.X, d.Y);
        }
    } else if (m_hovered) {
        ChangeHovered(nullptr);
    }
    ShowCursorShape(shape);
}

void TzuCustomScene::MouseUp(TzuMouseButton button, TzuShiftState shift, int /*x*/, int /*y*/,
                             bool doubleClick) {
    if (doubleClick) shift |= ssDouble;
    m_windowDrag = false;
    m_windowResize = false;
    if (m_designing) {
        if (button == mbLeft) DesignMouseUp();
        return;
    }
    if (m_dragSource) {
        DropInside(m_currentPoint);
        if (m_captured) SetCaptured(nullptr);
        return;
    }
    // The release goes where the last move left the pointer.
    TzuVisualObject* target = AsVisual(m_captured);
    if (!target) target = ObjectAtPoint(m_currentPoint.X, m_currentPoint.Y);
    if (!target) return;
    const TzuPoint local = target->AbsoluteToLocal(m_currentPoint);
    target->MouseUp(button, shift, local.X, local.Y);
}

bool TzuCustomScene::MouseWheel(TzuShiftState shift, int delta, int /*x*/, int /*y*/) {
    if (m_designing) return false;
    bool handled = false;
    if (TzuVisualObject* captured = AsVisual(m_captured)) {
        captured->MouseWheel(shift, delta, handled);
        return handled;
    }
    // Offered from the object under the last move outwards until one handles it.
    for (TzuVisualObject* o = ObjectAtPoint(m_currentPoint.X, m_currentPoint.Y); o && !handled;) {
        TzuObjectGuard guard(o);
        o->MouseWheel(shift, delta, handled);
        if (!guard.Alive()) break;
        o = VisualParentOf(o);
    }
    return handled;
}

void TzuCustomScene::MouseLeave() {
    if (m_designing) DesignSetHot(TzuDesignGrip::None);
    if (m_dragSource) CancelDrag();
    if (m_hovered) ChangeHovered(nullptr);
}

// ---- Keyboard ----

void AddOwnKeyHook(TzuOwnKeyHook hook) {
    auto& hooks = OwnKeyHooks();
    if (hook && std::find(hooks.begin(), hooks.end(), hook) == hooks.end()) hooks.push_back(hook);
}

bool FocusedTakesKey(TzuVisualObject* focused, uint16_t key, TzuShiftState shift) {
    if (!focused || key == 0) return false;
    for (TzuOwnKeyHook hook : OwnKeyHooks())
        if (hook(focused, key, shift)) return true;
    return false;
}

void TzuCustomScene::KeyDown(TzuKeyCode key, TzuShiftState shift) {
    uint16_t k = key;
    char16_t ch = 0;
    RouteKeyDown(k, ch, shift);
}

void TzuCustomScene::KeyUp(TzuKeyCode key, TzuShiftState shift) {
    uint16_t k = key;
    char16_t ch = 0;
    RouteKeyUp(k, ch, shift);
}

void TzuCustomScene::KeyChar(char16_t ch) {
    char16_t letter = 0;
    switch (ch) {
        case 1: letter = u'a'; break;
        case 3: letter = u'c'; break;
        case 22: letter = u'v'; break;
        case 24: letter = u'x'; break;
        case 26: letter = u'z'; break;
        case 13: return;  // Enter arrives as its key
        default: break;
    }
    uint16_t key = 0;
    if (letter) {
        // Clipboard and undo chords reach text controls as their letter with Control held.
        char16_t c = letter;
        RouteKeyDown(key, c, ssCtrl);
        key = 0;
        c = letter;
        RouteKeyUp(key, c, ssCtrl);
        return;
    }
    char16_t c = ch;
    RouteKeyDown(key, c, 0);
}

TzuCustomScene* TzuCustomScene::KeysGoBelow() const {
    if (m_focused) return nullptr;
    auto* form = As<TzuPopupForm>(TzuComponent::Owner());
    TzuPopup* popup = form ? form->Popup() : nullptr;
    if (!popup || popup->InModalLoop() || popup->PopupScene() != this) return nullptr;
    return As<TzuCustomScene>(popup->OriginSceneControl());
}

void TzuCustomScene::RouteKeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) {
    if (TzuCustomScene* below = KeysGoBelow()) {
        below->RouteKeyDown(key, keyChar, shift);
        return;
    }
    if (m_dragSource && key == keys::Escape) {
        key = 0;
        CancelDrag();
        return;
    }
    const bool own = FocusedTakesKey(AsVisual(m_focused), key, shift);
    if (!own && IsDialogKey(key)) {
        if (TzuVisualObject* root = AsVisual(Root())) root->DialogKey(key, shift);
    }
    // Escape cancels the form unless the focused object takes it (an open drop-down list).
    if (key == keys::Escape && !own) {
        key = 0;
        for (TzuComponent* c = TzuComponent::Owner(); c; c = c->Owner()) {
            if (auto* form = As<TzuForm>(c)) {
                form->SetModalResult(mrCancel);
                return;
            }
        }
        if (auto* form = As<TzuForm>(ParentForm())) form->SetModalResult(mrCancel);
        return;
    }
    if (!own && key == keys::Tab && Root()) {
        key = 0;
        TabNavigate(shift & ssShift);
        return;
    }
    // A key a dialog receiver took has nothing left to deliver.
    if (key == 0 && keyChar == 0) return;
    if (TzuVisualObject* focused = AsVisual(m_focused)) {
        focused->KeyDown(key, keyChar, shift);
        // Typing moves the caret; the input method's window follows it.
        UpdateImeCaret();
    }
}

void TzuCustomScene::RouteKeyUp(uint16_t& key, char16_t& keyChar, TzuShiftState shift) {
    if (TzuCustomScene* below = KeysGoBelow()) {
        below->RouteKeyUp(key, keyChar, shift);
        return;
    }
    if (m_designing && key == keys::Delete && m_designSelection) {
        key = 0;
        DesignDeleteSelection();
        return;
    }
    if (TzuVisualObject* focused = AsVisual(m_focused)) focused->KeyUp(key, keyChar, shift);
}

void TzuCustomScene::TabNavigate(bool backward) {
    TzuVisualObject* root = AsVisual(Root());
    if (!root) return;
    std::vector<TzuVisualObject*> list;
    AppendTabList(root, list);
    const int n = static_cast<int>(list.size());
    int k = -1;
    for (int i = 0; i < n; ++i) {
        if (list[size_t(i)] == m_focused) k = i;
    }
    // Every candidate is reachable and the walk wraps for any number of entries; the
    // focused object itself is the last one tried.
    auto tryFocus = [&](int i) {
        TzuVisualObject* v = list[size_t(i)];
        if (!TabCandidate(v)) return false;
        v->SetFocus();
        return true;
    };
    if (!backward) {
        const int start = k >= 0 ? k + 1 : 0;
        for (int i = start; i < n; ++i) {
            if (tryFocus(i)) return;
        }
        for (int i = 0; i < start && i < n; ++i) {
            if (tryFocus(i)) return;
        }
    } else {
        const int start = k >= 0 ? k - 1 : n - 1;
        for (int i = start; i >= 0; --i) {
            if (tryFocus(i)) return;
        }
        for (int i = n - 1; i > start; --i) {
            if (tryFocus(i)) return;
        }
    }
}

}  // namespace zu
