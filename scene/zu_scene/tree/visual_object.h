#pragma once
// TzuVisualObject is the base of everything that occupies space in a scene: geometry
// (position, size, scale, rotation and the cached absolute matrix), layout of its children
// by their Align values, painting with opacity, clipping and effects, and hit testing.
// It owns its spacing and position records; rarely used state (events, hint, popup menu,
// drag settings, effect bitmap, caret) lives in a side record created on first use so
// that a plain object stays small.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/event.h"
#include "platform/core/property.h"
#include "platform/core/window.h"
#include "scene/zu_scene/tree/drag_object.h"
#include "scene/zu_scene/tree/object.h"
#include "scene/zu_scene/types/bounds.h"
#include "scene/zu_scene/types/colour.h"
#include "scene/zu_scene/types/position.h"

namespace zu {

class TzuBitmap;
class TzuCanvas;
class TzuVisualObject;

enum TzuAlign : uint8_t {
    vaNone,
    vaTopLeft,
    vaTopRight,
    vaBottomLeft,
    vaBottomRight,
    vaTop,
    vaLeft,
    vaRight,
    vaBottom,
    vaMostTop,
    vaMostBottom,
    vaMostLeft,
    vaMostRight,
    vaClient,
    vaContents,
    vaCenter,
    vaVertCenter,
    vaHorzCenter,
    vaHorizontal,
    vaVertical,
    vaScale,
    vaFit,
    vaFitLeft,
    vaFitRight,
};
extern const TzuEnumInfo kAlignEnum;

enum TzuDragMode : uint8_t { zuDragManual, zuDragAutomatic };
extern const TzuEnumInfo kDragModeEnum;

// TzuMouseButton and TzuShiftState are the platform's (window.h), shared with its input events.
// Platform cursor identifier; 0 is the default cursor.
using TzuCursor = int16_t;
namespace cursors {
inline constexpr TzuCursor crDefault = 0, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
                           crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crHourGlass = -11, crNo = -12,
                           crHandPoint = -21, crSizeAll = -22;
}  // namespace cursors

using TzuMouseEvent = TzuEvent<TzuPersistent*, TzuMouseButton, TzuShiftState, float, float>;
using TzuMouseMoveEvent = TzuEvent<TzuPersistent*, TzuShiftState, float, float, float, float>;
using TzuMouseWheelEvent = TzuEvent<TzuPersistent*, TzuShiftState, int, TzuPoint&, bool&>;
using TzuKeyEvent = TzuEvent<uint16_t&, char16_t&, TzuShiftState>;
using TzuDragEnterEvent = TzuEvent<TzuPersistent*, const TzuDragObject&, const TzuPoint&>;
using TzuDragOverEvent = TzuEvent<TzuPersistent*, const TzuDragObject&, const TzuPoint&, bool&>;
using TzuDragDropEvent = TzuEvent<TzuPersistent*, const TzuDragObject&, const TzuPoint&>;
using TzuDragLeaveEvent = TzuEvent<TzuPersistent*>;
using TOnPaintEvent = TzuEvent<TzuPersistent*, TzuCanvas*, const TzuRect&>;

// Event slots and seldom used state of a visual object, allocated on first use.
struct TzuVisualExtra {
    TzuMouseEvent onMouseUp, onMouseDown;
    TzuMouseMoveEvent onMouseMove;
    TzuMouseWheelEvent onMouseWheel;
    TzuNotifyEvent onClick, onDblClick, onMouseLeave, onMouseEnter;
    TOnPaintEvent onPaint;
    TzuDragEnterEvent onDragEnter;
    TzuDragDropEvent onDragDrop;
    TzuDragLeaveEvent onDragLeave;
    TzuDragOverEvent onDragOver;
    TzuKeyEvent onKeyDown, onKeyUp;
    std::u16string hint;
    TzuComponent* popupMenu = nullptr;
    std::unique_ptr<TzuBitmap> effectBitmap;
    int effectDeviceScale = 1;  // the canvas's device scale effectBitmap was made for
    TzuVisualObject* caret = nullptr;
    TzuCursor cursor = 0;
    TzuDragMode dragMode = zuDragManual;
    bool showHint = false;
    bool dragDisableHighlight = false;

    TzuVisualExtra();
    ~TzuVisualExtra();
};

class TzuVisualObject : public TzuObject {
    ZU_CLASS(TzuVisualObject)
public:
    explicit TzuVisualObject(TzuComponent* owner);
    ~TzuVisualObject() override;

    // ---- Geometry ----
    float Width() const { return m_width; }
    float Height() const { return m_height; }
    virtual void SetWidth(float value);
    virtual void SetHeight(float value);
    TzuAlign Align() const { return m_align; }
    virtual void SetAlign(TzuAlign value);
    float RotateAngle() const { return m_rotateAngle; }
    void SetRotateAngle(float value);
    TzuPosition* Position() const { return const_cast<TzuPosition*>(&m_position); }
    // Scale, RotateCenter, Margins and Padding are created on first access; until then
    // they hold their defaults.
    TzuPosition* Scale() const;
    TzuPosition* RotateCenter() const;
    TzuBounds* Margins() const;
    TzuBounds* Padding() const;
    TzuPoint ScalePoint() const { return m_scale ? m_scale->GetPoint() : TzuPoint{1, 1}; }
    TzuPoint RotateCenterPoint() const {
        return m_rotateCenter ? m_rotateCenter->GetPoint() : TzuPoint{0.5f, 0.5f};
    }
    TzuRect MarginsRect() const { return m_margins ? m_margins->GetRect() : TzuRect{}; }
    TzuRect PaddingRect() const { return m_padding ? m_padding->GetRect() : TzuRect{}; }
    void SetBounds(float x, float y, float width, float height);
    virtual void SetBoundsRect(const TzuRect& r);

    const TzuMatrix& LocalMatrix() const { return m_localMatrix; }
    void MatrixChanged();
    virtual TzuMatrix AbsoluteMatrix();
    virtual TzuMatrix ChildrenMatrix() { return IdentityMatrix; }
    virtual void InvalidateAbsoluteMatrix();
    void RecalcAbsoluteMatrices();
    virtual TzuRect AbsoluteRect();
    virtual TzuPoint AbsoluteScale();
    virtual TzuRect LocalRect() { return TzuRect{0, 0, m_width, m_height}; }
    virtual TzuRect BoundsRect() { return LocalRect(); }
    virtual TzuRect ParentedRect();
    virtual TzuRect ClipRect() { return LocalRect(); }
    virtual TzuPoint AbsoluteToLocal(const TzuPoint& p);
    virtual TzuPoint LocalToAbsolute(const TzuPoint& p);
    virtual TzuPoint AbsoluteToLocalVector(const TzuPoint& v);
    virtual TzuPoint LocalToAbsoluteVector(const TzuPoint& v);
    float LastLaidOutWidth() const { return m_lastWidth; }
    float LastLaidOutHeight() const { return m_lastHeight; }

    // ---- Layout ----
    void Realign() override;
    bool Realigning() const { return m_realigning; }
    // A parent that wants to hear about every size change of its children (scroll
    // contents resize their range), aligned or not.
    virtual bool RealignsOnChildResize() const { return false; }

    // ---- Visibility, opacity, enabled state ----
    bool Visible() const { return m_visible; }
    virtual void SetVisible(bool value);
    // Switches visibility without repainting or laying out, for one paint.
    void SetVisibleField(bool value) { m_visible = value; }
    bool IsVisible() const { return m_visible; }
    bool AbsoluteVisible() const;
    float Opacity() const { return m_opacity; }
    void SetOpacity(float value);
    virtual float AbsoluteOpacity();
    virtual void InvalidateOpacity();
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    virtual bool AbsoluteEnabled();
    void InvalidateEnabled();

    // ---- Painting ----
    TzuCanvas* Canvas() const;
    void SetCanvasOverride(TzuCanvas* canvas);
    void Repaint() override;
    virtual TzuRect UpdateRect();
    void InvalidateUpdateRect();
    virtual TzuRect EffectRect();
    // Marks the effect picture stale here and on every ancestor that has effects.
    void InvalidateEffects();
    bool EffectPictureStale() const { return m_effectStale; }
    TzuBitmap* EffectBitmap() const;
    virtual void BeforePaint() {}
    virtual void Paint() {}
    virtual void AfterPaint() {}
    virtual void PaintChildren();
    void PaintEffects();
    void PaintTo(TzuCanvas* target, const TzuRect& r, TzuObject* parent);
    bool PaintingOffscreen() const { return m_offscreen; }

    // ---- Hit testing ----
    virtual TzuVisualObject* ObjectAtPoint(float x, float y);
    virtual bool PointInObject(float x, float y);
    bool IsHitTestable() const;

    // ---- Culling ----
    // The box of everything this object and its subtree can paint or be hit on (its box,
    // effects and, unless it clips them, its visible children), in its parent's children
    // coordinates. It does not depend on the ancestors, so moving or scrolling them keeps
    // it. False when no such box can be given (an object with a screen outset below).
    bool LocalExtent(TzuRect& extent) {
        if (m_extentStale) return ComputeLocalExtent(extent);
        extent = m_extent;
        return m_extentKnown;
    }
    // True for objects whose area reaches a number of screen pixels beyond their box and
    // effects (grips, handles): they and their ancestors are never culled by extent.
    virtual bool HasScreenOutset() const { return false; }
    // Whether the scene draws its design-time frame and grips around this object when it
    // is the design selection; objects that are grips themselves show selection their own way.
    virtual bool HasDesignFrame() const { return true; }

    // ---- Flags ----
    bool HitTest() const { return m_hitTest; }
    void SetHitTest(bool value) {
        if (value != m_hitTest) TriggerTargetsChanged();
        m_hitTest = value;
    }
    bool ClipChildren() const { return m_clipChildren; }
    void SetClipChildren(bool value);
    bool ClipParent() const { return m_clipParent; }
    void SetClipParent(bool value);
    bool CanClipped() const { return m_canClipped; }
    void SetCanClipped(bool value);
    bool DesignHide() const { return m_designHide; }
    void SetDesignHide(bool value);
    bool Locked() const { return m_locked; }
    void SetLocked(bool value) {
        if (value != m_locked) TriggerTargetsChanged();
        m_locked = value;
    }
    bool IsPassiveStylePart() const override { return m_locked && !m_hitTest; }

    // ---- Interaction state (driven by the scene's input routing) ----
    bool CanFocus() const { return m_canFocus; }
    // Turning it off on the focused object takes the focus away.
    void SetCanFocus(bool value);
    bool IsFocused() const { return m_isFocused; }
    bool IsMouseOver() const { return m_isMouseOver; }
    bool IsDragOver() const { return m_isDragOver; }
    bool AutoCapture() const { return m_autoCapture; }
    void SetAutoCapture(bool value) { m_autoCapture = value; }
    bool DisableFocusEffect() const { return m_disableFocusEffect; }
    void SetDisableFocusEffect(bool value) { m_disableFocusEffect = value; }

    // ---- Text caret (for text controls) ----
    // A 3 x 20 blue rectangle this object owns as a hidden, locked child, made on first
    // use by its registered class name ("TzuRectangle"); with the scene's animated caret
    // it blinks through a "caret" float animation on its Opacity. Null when no rectangle
    // class is registered.
    TzuVisualObject* Caret();
    void ShowCaret();
    // Hides the caret, when there is one.
    void HideCaret();
    // Places the caret at the point rounded to whole pixels (halves to even).
    void SetCaretPos(const TzuPoint& p);
    void SetCaretSize(const TzuPoint& size);
    void SetCaretColor(TzuColor color);
    // Where typed text appears, in local coordinates: the input method shows its candidate
    // window there. The caret's box when there is one, else the top-left corner; text
    // controls that place text elsewhere override it.
    virtual TzuRect CaretRect();
    // The text an input method is composing, not yet committed, and the caret inside it
    // (UTF-16 units); empty when composition ends. The scene hands it to the focused
    // object; text controls show it at their caret in their own font.
    virtual void SetPreedit(const std::u16string& /*text*/, int /*cursor*/) {}
    // Text an input method committed, whole; true when taken. Objects that do not take it
    // receive it as typed characters, one UTF-16 unit at a time.
    virtual bool CommitText(const std::u16string& /*text*/) { return false; }

    // ---- Input (called by the scene's routing; controls override these slots) ----
    // Coordinates are local to this object. Every step that runs handler code checks that
    // the object still lives before it goes on.
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y);
    virtual void MouseMove(TzuShiftState shift, float x, float y, float dx, float dy);
    virtual void MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y);
    virtual void MouseWheel(TzuShiftState shift, int wheelDelta, bool& handled);
    virtual void Click();
    virtual void DblClick();
    // Pops the PopupMenu up at a screen point (right press, context-menu key).
    virtual void ContextMenu(const TzuPoint& screen);
    virtual void KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift);
    virtual void KeyUp(uint16_t& key, char16_t& keyChar, TzuShiftState shift);
    // Offers a dialog key (Escape, Enter, arrows, ...) to the enabled, visible children in
    // order until one takes it by setting key to 0; default and cancel buttons override it.
    virtual void DialogKey(uint16_t& key, TzuShiftState shift);
    virtual void EnterFocus();
    virtual void KillFocus();
    // Told by a descendant that gains the focus, nearest ancestor first.
    virtual void ChildFocused(TzuVisualObject* /*child*/) {}
    virtual void DragEnter(const TzuDragObject& data, const TzuPoint& point);
    virtual void DragOver(const TzuDragObject& data, const TzuPoint& point, bool& accept);
    virtual void DragDrop(const TzuDragObject& data, const TzuPoint& point);
    virtual void DragLeave();
    // The deepest object under a scene point whose DragOver accepts data, or null.
    virtual TzuVisualObject* FindDragTarget(const TzuPoint& point, const TzuDragObject& data);
    void SetFocus();
    void Capture();
    void ReleaseCapture();
    // Called by the scene after a press on an object whose DragMode is automatic.
    virtual void BeginAutoDrag();
    // Announces a state change by its property name: trigger animations first, then the
    // trigger effects.
    void AnnounceState(std::string_view name);
    // The scene drops its hover or focus on an object leaving the tree without telling
    // handlers, which must not run on an object in mid-removal.
    void ForgetMouseOver() { m_isMouseOver = false; }
    void ForgetFocus() { m_isFocused = false; }
    // Opens a popup menu for ContextMenu; installed by the unit that provides menus.
    using TzuPopupMenuHook = void (*)(TzuComponent* menu, TzuVisualObject* source, int screenX, int screenY);
    static void SetPopupMenuHook(TzuPopupMenuHook hook);
    // Told after an object's Visible changed outside loading, so that what follows the
    // visibility of a whole branch (a hosted platform control) hears of its ancestors
    // too; installed by the unit that has such objects.
    using TzuVisibilityHook = void (*)(TzuVisualObject* changed);
    static void SetVisibilityHook(TzuVisibilityHook hook);

    // ---- Seldom used published state (kept in the side record) ----
    TzuVisualExtra& Extra();
    bool HasExtra() const { return m_extra != nullptr; }
    TzuCursor Cursor() const { return m_extra ? m_extra->cursor : 0; }
    void SetCursor(TzuCursor value) {
        if (value != Cursor()) Extra().cursor = value;
    }
    TzuDragMode DragMode() const { return m_extra ? m_extra->dragMode : zuDragManual; }
    void SetDragMode(TzuDragMode value) {
        if (value != DragMode()) Extra().dragMode = value;
    }
    bool DragDisableHighlight() const { return m_extra && m_extra->dragDisableHighlight; }
    void SetDragDisableHighlight(bool value) {
        if (value != DragDisableHighlight()) Extra().dragDisableHighlight = value;
    }
    std::u16string Hint() const { return m_extra ? m_extra->hint : std::u16string(); }
    void SetHint(const std::u16string& value) {
        if (value != Hint()) Extra().hint = value;
    }
    bool ShowHint() const { return m_extra && m_extra->showHint; }
    void SetShowHint(bool value) {
        if (value != ShowHint()) Extra().showHint = value;
    }
    TzuComponent* PopupMenu() const { return m_extra ? m_extra->popupMenu : nullptr; }
    void SetPopupMenu(TzuComponent* menu);
    void Notification(TzuComponent* component, TzuOperation operation) override;

    TzuMouseEvent& OnMouseUp() { return Extra().onMouseUp; }
    TzuMouseEvent& OnMouseDown() { return Extra().onMouseDown; }
    TzuMouseMoveEvent& OnMouseMove() { return Extra().onMouseMove; }
    TzuMouseWheelEvent& OnMouseWheel() { return Extra().onMouseWheel; }
    TzuNotifyEvent& OnClick() { return Extra().onClick; }
    TzuNotifyEvent& OnDblClick() { return Extra().onDblClick; }
    TzuNotifyEvent& OnMouseLeave() { return Extra().onMouseLeave; }
    TzuNotifyEvent& OnMouseEnter() { return Extra().onMouseEnter; }
    TOnPaintEvent& OnPaint() { return Extra().onPaint; }
    TzuDragEnterEvent& OnDragEnter() { return Extra().onDragEnter; }
    TzuDragDropEvent& OnDragDrop() { return Extra().onDragDrop; }
    TzuDragLeaveEvent& OnDragLeave() { return Extra().onDragLeave; }
    TzuDragOverEvent& OnDragOver() { return Extra().onDragOver; }
    TzuKeyEvent& OnKeyDown() { return Extra().onKeyDown; }
    TzuKeyEvent& OnKeyUp() { return Extra().onKeyUp; }

    // ---- Tree and lifecycle ----
    void Loaded() override;
    void DeleteChildren() override;
    const std::vector<TzuVisualObject*>* TabList() const { return m_tabList.get(); }
    // Moves child to index within the tab list, clamped into range; false when the child
    // is not in the list.
    bool MoveInTabList(TzuVisualObject* child, int index);
    // A tab order read while loading, placed by the parent once loading is done.
    int StoredTabOrder() const { return m_tabOrder; }
    void SetStoredTabOrder(int value) { m_tabOrder = static_cast<int16_t>(std::clamp(value, -1, 32767)); }
    void ChildEffectChanged() override;

    // Stream helpers: Opacity is written only when it is not 1.
    bool OpacityStored() const { return m_opacity != 1; }

protected:
    void AfterAddObject(TzuObject* child) override;
    void BeforeRemoveObject(TzuObject* child) override;
    void InvalidateAbsoluteOpacityTree() override { InvalidateOpacity(); }
    bool IsSceneDesigning() const { return Scene() && Scene()->IsDesigning(); }
    bool UpdatingSuspended() const { return Scene() && Scene()->IsUpdating(); }

private:
    TzuVisualObject* VisualParent() const;
    void MarkUpdateRectStaleUp();
    void InvalidateUpdateRectDown();
    void InvalidateExtentDown();
    // The next invalidation walk visits every child again.
    void StopFreshTracking();
    bool ComputeLocalExtent(TzuRect& extent);
    void SetOffscreenTree(bool on);
    void InvalidateEnabledTree();
    // The focus leaves this object or a descendant holding it, as hiding, disabling or
    // no longer accepting focus demands.
    void DropFocusWithin();
    void PlaceStoredTabOrders();
    // Where children can show or be hit during one paint or hit test, in children
    // coordinates: the scene's damaged area, the clip, or a point. A child whose extent
    // misses it is passed over without touching its absolute matrix or update rectangle.
    // A child's extent as its parent keeps it for walks over many children, so that a
    // child far from the area costs one read of an array. It counts only while the child
    // at its index is still the one it was made for.
    struct ChildExtent {
        const TzuObject* child = nullptr;
        TzuRect extent{};
        bool canClipped = true;
    };
    struct ChildCull {
        TzuRect damage{}, clip{};
        TzuPoint point{};
        bool hasDamage = false, hasClip = false, hasPoint = false;
        // Kept extents in index order along one axis (1 = x, 2 = y; 0 = not ordered), and
        // whether every child clips: then a halving search finds the children to walk.
        int sortedAxis = 0;
        bool allClipped = false;
        // The child holding the focus: its ring reaches a few pixels beyond its extent.
        const TzuObject* keep = nullptr;
        // The parent's extents of its children by index, when it keeps them.
        const std::vector<ChildExtent>* extents = nullptr;
        bool Skips(TzuVisualObject* child) const;
        // Decides from the parent's kept extent alone, without reading the child; false
        // when the entry at index is not this child's.
        bool SkipsKept(int index, const TzuObject* child) const;
        bool SkipsExtent(TzuRect extent, bool canClipped) const;
        // The children [begin, end) that can meet the area; every child outside is skipped
        // by SkipsKept anyway. Children in order of position (rows of a list) cost a halving
        // search instead of a read each.
        void Range(int count, int& begin, int& end) const;
    };
    // Brings the kept extents up to date; null when this object keeps none (few children).
    const std::vector<ChildExtent>* KeptChildExtents();
    ChildCull PaintCull();
    ChildCull PointCull(float x, float y);
    // The matrix from scene coordinates to children coordinates; false when this object
    // collapses (a zero scale) and no such matrix exists.
    bool SceneToChildren(TzuMatrix& m);
    void PaintChild(TzuVisualObject* child);
    void PaintOwnContent();
    bool NeedsPainting(TzuVisualObject* child);
    void LayoutPass(TzuAlign align, TzuRect& r);
    // Lays out one child in the space left by the children before it, taking its slot off
    // that space.
    void LayoutChild(TzuVisualObject* child, TzuAlign align, TzuRect& space);
    // Where a corner-anchored child goes on the anchored axis (see PlaceWithoutSlot).
    float AnchoredX(const TzuVisualObject* child, const TzuRect& padding) const;
    float AnchoredY(const TzuVisualObject* child, const TzuRect& padding) const;
    // The alignments that place a child without a slot of the space (corner anchors,
    // contents, scale); false for the others.
    bool PlaceWithoutSlot(TzuVisualObject* child, TzuAlign align, const TzuRect& padding);
    // The slot of a fitted child: its outer box scaled into the margins, kept in proportion.
    TzuRect FitSlot(TzuVisualObject* child, TzuAlign align, const TzuRect& padding);
    void WireChange(TzuPosition& p) const;
    // Writes Position as a field: the caller rebuilds the matrix when it is done.
    // What a stored new width or height sets off: realigning and repainting.
    void SizeChanged();
    void StorePosition(float x, float y);

    // First, next to the base's tree links: what a paint or hit test reads of every child
    // it passes over.
    TzuRect m_extent{};
    bool m_hitTest : 1 = true;
    bool m_clipChildren : 1 = false;
    bool m_clipParent : 1 = false;
    bool m_canClipped : 1 = true;
    bool m_designHide : 1 = false;
    bool m_locked : 1 = false;
    bool m_visible : 1 = true;
    bool m_enabled : 1 = true;
    bool m_enabledCache : 1 = true;
    bool m_enabledStale : 1 = true;
    bool m_absoluteStale : 1 = true;
    bool m_opacityStale : 1 = true;
    bool m_updateRectStale : 1 = true;
    // Set on a hidden object whose subtree was not walked when its area went stale: the walk
    // happens when the area is next needed (shown, painted in design mode, asked).
    bool m_hiddenDownStale : 1 = false;
    bool m_extentStale : 1 = true;
    bool m_extentKnown : 1 = false;
    bool m_childExtentsStale : 1 = true;
    bool m_freshTracked : 1 = false;
    bool m_freshListed : 1 = false;
    // Some child may cut itself out of this object's own painting (ClipParent); cleared
    // when a paint finds none, so a plain parent of many children does not look each time.
    bool m_holeChild : 1 = false;
    bool m_effectStale : 1 = true;
    bool m_realigning : 1 = false;
    bool m_offscreen : 1 = false;
    bool m_canFocus : 1 = false;
    bool m_isFocused : 1 = false;
    bool m_isMouseOver : 1 = false;
    bool m_isDragOver : 1 = false;
    bool m_autoCapture : 1 = false;
    bool m_disableFocusEffect : 1 = false;
    bool m_clickPending : 1 = false;
    bool m_dblClickSeen : 1 = false;
    bool m_quietGeometry : 1 = false;
    TzuPosition m_position;
    mutable std::unique_ptr<TzuPosition> m_scale;
    mutable std::unique_ptr<TzuPosition> m_rotateCenter;
    mutable std::unique_ptr<TzuBounds> m_margins;
    mutable std::unique_ptr<TzuBounds> m_padding;
    std::unique_ptr<TzuVisualExtra> m_extra;
    std::unique_ptr<std::vector<TzuVisualObject*>> m_tabList;
    // The kept extents and the tree generation they were checked against: children are
    // only reordered when it moves on.
    struct KeptExtents {
        uint64_t generation = 0;
        std::vector<ChildExtent> list;
        int sortedAxis = 0;
        bool allClipped = false;
    };
    std::unique_ptr<KeptExtents> m_childExtents;
    // The children whose absolute matrix was refreshed since this object's last
    // invalidation walk, complete while m_freshTracked holds: the walk then visits only
    // them instead of every child. Kept only for parents of many children.
    std::unique_ptr<std::vector<TzuVisualObject*>> m_freshChildren;
    TzuCanvas* m_canvasOverride = nullptr;
    TzuMatrix m_localMatrix = IdentityMatrix;
    TzuMatrix m_absoluteMatrix = IdentityMatrix;
    TzuRect m_updateRect{};
    float m_width = 50;
    float m_height = 50;
    float m_lastWidth = 50;
    float m_lastHeight = 50;
    float m_rotateAngle = 0;
    float m_opacity = 1;
    float m_absoluteOpacity = 1;
    int16_t m_tabOrder = -1;
    TzuAlign m_align = vaNone;

protected:
    // Part of the input state that subclasses and the scene's routing update.
    void SetIsFocused(bool value) { m_isFocused = value; }
    void SetIsMouseOver(bool value) { m_isMouseOver = value; }
    void SetIsDragOver(bool value) { m_isDragOver = value; }
};

}  // namespace zu
