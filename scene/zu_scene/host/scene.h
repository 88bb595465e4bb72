#pragma once
// TzuCustomScene hosts a tree of scene objects in a platform window. It owns the top-level
// objects (the first is the Root), an off-screen canvas the size of its client area and the
// list of rectangles waiting to be repainted. Objects report changed areas through
// IzuScene; the scene turns them into window invalidations and paints only those areas
// into the canvas, then copies them to the window - or, for a transparent scene on a
// top-level form, presents the whole frame with per-pixel alpha. TzuScene publishes its
// properties for the component stream.
//
// Input routing, popups and design-time editing keep their state here (Hovered, Focused,
// Captured, design selection and snapping) and are added by the code that implements them.

#include <memory>
#include <vector>

#include "platform/core/event.h"
#include "platform/core/win_control.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/host/design_handles.h"
#include "scene/zu_scene/tree/control.h"
#include "scene/zu_scene/tree/scene_intf.h"

namespace zu {

class TzuBrush;
class TzuTimer;

// A frame has reached the window: the scene and the clock's time (TickCount) of the frame.
using TzuFrameEvent = TzuEvent<TzuPersistent*, int64_t>;

class TzuCustomScene : public TzuWinControl, public IzuScene {
    ZU_CLASS(TzuCustomScene)
public:
    explicit TzuCustomScene(TzuComponent* owner);
    ~TzuCustomScene() override;

    // ---- IzuScene ----
    void AddObject(TzuObject* object) override;
    void RemoveObject(TzuObject* object) override;
    void BeginUpdate() override { m_updating = true; }
    void EndUpdate() override;
    void EndUpdateSilently() override { m_updating = false; }
    void AddUpdateRect(const TzuRect& rect) override;
    TzuControl* ActiveControl() const override { return m_activeControl; }
    bool IsUpdating() const override { return m_updating; }
    void SetUpdating(bool updating) override { m_updating = updating; }
    bool IsDesigning() const override { return m_designing; }
    TzuCanvas* Canvas() const override { return m_canvas.get(); }
    TzuObject* Root() const override { return m_objects.empty() ? nullptr : m_objects.front(); }
    TzuComponent* Owner() const override { return TzuComponent::Owner(); }
    TzuComponent* SceneControl() override { return this; }
    TzuResources* Style() const override { return m_style; }
    void SetStyle(TzuResources* style) override;
    bool Transparency() const override { return m_transparency; }
    void UpdateStyle() override;
    // Whether the style the scene wears is dark: its root background is (the scene's own
    // style, else the default style). The platform's menus and dialogs follow it.
    bool StyleIsDark();
    void Notification(TzuComponent* component, TzuOperation operation) override;
    void ObjectLeaving(TzuObject* object) override;
    void StartWindowDrag() override;
    void StartWindowResize() override;
    TzuObject* DesignSelection() const override { return m_designSelection; }
    TzuObject* DesignPlaceTarget() const override { return m_designPlaceTarget; }
    int UpdateRectCount() const override { return static_cast<int>(m_updateRects.size()); }
    TzuRect UpdateRect(int index) const override;
    void SetCaptured(TzuObject* object) override;
    TzuObject* Captured() const override { return m_captured; }
    void SetFocused(TzuObject* object) override;
    TzuObject* Focused() const override { return m_focused; }
    void SetDesignDblClickObject(TzuObject* object) override { m_designDblClickObject = object; }
    TzuPoint MousePos() const override { return m_currentPoint; }
    TzuPoint LocalToScreen(const TzuPoint& p) const override;
    void SetDesignSelection(TzuObject* object) override { DesignSelect(object); }
    // Starts a drag of an object inside the scene: the pointer carries it until the
    // release drops it on the target under the pointer; Escape or the pointer leaving
    // the window cancels it.
    void BeginDrag(TzuVisualObject* object) override;
    bool AnimatedCaret() const override { return m_animatedCaret; }

    // ---- Objects ----
    int ObjectCount() const { return static_cast<int>(m_objects.size()); }
    TzuObject* Objects(int i) const { return m_objects.at(static_cast<size_t>(i)); }
    TzuVisualObject* Hovered() const { return m_hovered; }
    // Makes a top-level object the first, i.e. the Root.
    void MoveObjectToFront(TzuObject* object);
    // The root always fills the client area in its own units.
    void RealignRoot();
    // The topmost visible object hit at a scene point: top-level objects last first, each
    // answering with its deepest hit-testable descendant.
    TzuVisualObject* ObjectAtPoint(float x, float y);
    bool WindowDragging() const { return m_windowDrag; }
    bool WindowResizing() const { return m_windowResize; }
    float SnapToGrid(float v) const;

    // ---- Input routing ----
    // The platform's input events (client pixels), routed to the hovered, captured or
    // focused object.
    void MouseDown(TzuMouseButton button, TzuShiftState shift, int x, int y, bool doubleClick) override;
    void MouseUp(TzuMouseButton button, TzuShiftState shift, int x, int y, bool doubleClick) override;
    void MouseMove(TzuShiftState shift, int x, int y) override;
    bool MouseWheel(TzuShiftState shift, int delta, int x, int y) override;
    void MouseLeave() override;
    void KeyDown(TzuKeyCode key, TzuShiftState shift) override;
    void KeyUp(TzuKeyCode key, TzuShiftState shift) override;
    void KeyChar(char16_t ch) override;
    // Key routing with the character: dialog keys to the Root first, Escape's modal
    // result, Tab navigation, then the focused object. key and keyChar come back as the
    // receivers left them.
    void RouteKeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift);
    void RouteKeyUp(uint16_t& key, char16_t& keyChar, TzuShiftState shift);
    // Moves the focus to the next (or previous) focusable object in tab order, wrapping.
    void TabNavigate(bool backward);
    // ---- Design-time editing (scene_design.cpp) ----
    // Turns design-time editing on or off; the design hook hears of the scene.
    void SetSceneDesigning(bool on);
    // Makes object the selection: both selection frames repaint and the hook is told.
    void DesignSelect(TzuObject* object);
    // The additionally selected objects (Ctrl+press), oldest first.
    const std::vector<TzuObject*>& DesignSelectionList() const { return m_designList; }
    // Where the last right press happened (scene point), for a new object; (-1, -1) unset.
    TzuPoint DesignDropPoint() const { return {float(m_dropPoint.X), float(m_dropPoint.Y)}; }
    void SetDesignDropPoint(const TzuPoint& p) { m_dropPoint = {int(p.X), int(p.Y)}; }
    // Frees the selection and selects its parent; refused (false) for a top-level object
    // such as the root, or when nothing is selected. Ends a design step (DesignStepDone).
    bool DesignDeleteSelection();
    // Tells the design hook that a step which changed the tree has ended.
    void DesignStepDone();
    // Whether the scene takes a mouse press at a scene point while designing: while a grip
    // is held, over an object, inside the selection, or when the scene is empty.
    bool DesignHitTest(const TzuPoint& p);
    // The handle of the selection under a scene point (None when none).
    TzuDesignGrip DesignHandleAt(const TzuPoint& p);
    TzuDesignGrip DesignGrip() const { return m_designGrip; }
    // The handle that is hot (under the mouse), None when none.
    TzuDesignGrip DesignHotHandle() const { return m_designHot; }
    // The siblings that produced snap lines during the current drag.
    const std::vector<TzuVisualObject*>& DesignSnapSiblings() const { return m_designSnapSiblings; }
    // The place-into hint shown over the target, empty when there is no target.
    std::u16string DesignPlaceHint() const;
    // The deepest design-time hit under a scene point (invisible objects included), never
    // skip or one of its descendants.
    TzuVisualObject* DesignObjectAt(const TzuPoint& p, const TzuObject* skip = nullptr);
    void SetGridStep(float value) { m_gridStep = value; }

    // ---- Drag and drop ----
    // The object a drag is over now, or null.
    TzuVisualObject* DragTarget() const { return m_dragTarget; }
    // The object being dragged inside the scene, or null.
    TzuVisualObject* DragSource() const { return m_dragSource; }
    // Ends a drag inside the scene without a drop; the target hears DragLeave.
    void CancelDrag();
    // Drops from other programs (client pixels), through the Root's FindDragTarget.
    bool DropMotion(const TzuDropData& data, int x, int y) override;
    void DropLeave() override;
    bool DropData(const TzuDropData& data, int x, int y) override;

    // ---- Input method and hints ----
    // Committed text reaches the focused object as one KeyDown(0, unit) per UTF-16 unit.
    void ImeCommit(const std::u16string& text) override;
    void ImePreedit(const std::u16string& text, int cursor) override;
    // Hands the focused object's caret to the window, for the input method's placement.
    void UpdateImeCaret();
    // The Hint of the object at (x, y) when its ShowHint is on and the hint is not empty,
    // with that object's box.
    bool QueryHint(int x, int y, std::u16string& text, TzuWinRect& area) override;

    // Lets the action of every linked control of this scene update itself; also done
    // periodically for all scenes while any control has an action.
    void UpdateActions() { UpdateActionLinks(this); }

    // ---- Properties ----
    TzuBrush* Fill() const { return m_fill.get(); }
    void SetFill(const TzuBrush& value);
    void SetTransparency(bool value);
    void SetActiveControl(TzuControl* value);
    void SetAnimatedCaret(bool value) { m_animatedCaret = value; }
    bool DesignSnapToGrid() const { return m_designSnapToGrid; }
    void SetDesignSnapToGrid(bool value) { m_designSnapToGrid = value; }
    bool DesignSnapToLines() const { return m_designSnapToLines; }
    void SetDesignSnapToLines(bool value) { m_designSnapToLines = value; }
    bool DesignSnapGridShow() const { return m_designSnapGridShow; }
    void SetDesignSnapGridShow(bool value) { m_designSnapGridShow = value; }
    float GridStep() const { return m_gridStep; }
    // A frame object that shows this scene; while set (outside design mode) the scene
    // does not paint itself.
    TzuComponent* FrameLink() const { return m_frameLink; }
    void SetFrameLink(TzuComponent* frame);

    // ---- Painting ----
    // One frame: the queued rectangles are repainted into the canvas and presented, then
    // OnFramePresented hears of it (its handler may free the scene).
    virtual void PaintScene();
    TzuFrameEvent& OnFramePresented() { return m_onFramePresented; }
    bool Painting() const { return m_painting; }
    // A transparent scene inside another control (not directly on a form).
    bool IsTransparentChild();
    // A transparent scene directly on a top-level form, presented with per-pixel alpha.
    bool IsLayered();

    // ---- Component hooks ----
    void Loaded() override;
    void GetChildren(const std::function<void(TzuComponent*)>& proc, TzuComponent* root) override;
    void WindowPaint(std::span<const TzuWinRect> rects) override;
    void WindowScaleChanged() override;

    // The snapping pseudo-properties of the stream.
    void ReadSnapGridShow(const TzuStreamValue& v);
    void ReadSnapToGrid(const TzuStreamValue& v);
    void ReadSnapToLines(const TzuStreamValue& v);
    TzuStreamValue WriteSnapGridShow() const;
    TzuStreamValue WriteSnapToGrid() const;
    TzuStreamValue WriteSnapToLines() const;

protected:
    void CreateHandle() override;
    void DestroyHandle() override;
    void BoundsChanged() override;
    void VisibleChanged() override;
    void UpdateLayered();
    // Gives the canvas the window's scale and the client area's size in device pixels.
    void FitCanvas();
    // The background of a transparent child scene where its own fill paints nothing.
    void PaintParentBackground();

private:
    // The scene of an open popup that holds no focus gives its keys to the scene the popup
    // came from, whose focused object (a combo box under its list) keeps them; a modal
    // popup keeps its keys, so Escape ends it. Null when the keys stay here.
    TzuCustomScene* KeysGoBelow() const;
    // Where the canvas shows its pixels: the scene's window.
    class WindowTarget : public TzuCanvasTarget {
    public:
        explicit WindowTarget(TzuWinControl& control) : m_control(control) {}
        void PutPixels(int x, int y, const uint32_t* pixels, int stride, int width, int height) override {
            if (IzuWindow* w = m_control.Window()) w->PutPixels(x, y, pixels, stride, width, height);
        }

    private:
        TzuWinControl& m_control;
    };
    // Paints and presents the queued rectangles; false when there was no frame to show.
    bool PaintQueued();
    void FillChanged();
    void PostDeferredRepaint();
    void LoadTimerTick();
    void ChangeHovered(TzuVisualObject* object);
    void ChangeDragTarget(TzuVisualObject* target, const TzuDragObject& data, const TzuPoint& point);
    TzuVisualObject* FindDragTargetAt(const TzuPoint& point, const TzuDragObject& data);
    void DragMoveInside(const TzuPoint& point);
    void DropInside(const TzuPoint& point);
    void ShowCursorShape(TzuCursorShape shape);
    // Design-time input and drawing (scene_design.cpp, scene_design_paint.cpp).
    void DesignMouseDown(TzuMouseButton button, TzuShiftState shift, const TzuPoint& p, bool doubleClick);
    void DesignMouseMove(TzuShiftState shift, const TzuPoint& p);
    void DesignMouseUp();
    void DesignMove(TzuShiftState shift, const TzuPoint& p);
    void DesignSnapLines(TzuVisualObject& sel, TzuPoint& pos);
    void DesignPlaceInto(TzuShiftState shift, const TzuPoint& p);
    void DesignRotate(const TzuPoint& p);
    void DesignResize(const TzuPoint& p);
    void DesignSetHot(TzuDesignGrip hot);
    void CreateDesignRoot();
    // Everything the design drawing covers now, in scene pixels; queued before and after a
    // change so the old and the new drawing are both repainted.
    TzuRect DesignOverlayArea();
    void RepaintDesignOverlay();
    void PaintDesign(TzuCanvas& canvas);

    std::unique_ptr<TzuCanvas> m_canvas;
    std::unique_ptr<WindowTarget> m_target;
    std::vector<TzuObject*> m_objects;
    std::vector<TzuRect> m_updateRects;
    std::unique_ptr<TzuBrush> m_fill;
    bool m_updating = false;
    bool m_designing = false;
    bool m_transparency = false;
    bool m_painting = false;
    bool m_animatedCaret = true;
    bool m_designSnapToGrid = false;
    bool m_designSnapToLines = true;
    bool m_designSnapGridShow = false;
    float m_gridStep = 1;

    // Design-time editing state; all references are weak and cleared when the object goes.
    TzuDesignGrip m_designGrip = TzuDesignGrip::None;
    TzuDesignGrip m_designHot = TzuDesignGrip::None;
    std::vector<TzuObject*> m_designList;
    std::vector<TzuVisualObject*> m_designSnapSiblings;
    // The lines the current drag is aligned on, in the parent's coordinates: an x for a
    // vertical line and a y for a horizontal one, each only while its flag is set.
    float m_designSnapX = 0, m_designSnapY = 0;
    bool m_designHasSnapX = false, m_designHasSnapY = false;
    // The press of the current step: the scene point, the selection's box in its parent's
    // coordinates, and the last point a rotation saw.
    TzuPoint m_designPress{};
    TzuPoint m_designLast{};
    TzuRect m_designStartBox{};
    bool m_designChanged = false;

    // Weak references, cleared by free notification.
    TzuObject* m_designSelection = nullptr;
    TzuObject* m_designPlaceTarget = nullptr;
    TzuObject* m_designDblClickObject = nullptr;
    TzuVisualObject* m_hovered = nullptr;
    TzuVisualObject* m_dragTarget = nullptr;
    TzuVisualObject* m_dragSource = nullptr;
    TzuObject* m_focused = nullptr;
    TzuObject* m_captured = nullptr;
    TzuControl* m_activeControl = nullptr;
    TzuComponent* m_frameLink = nullptr;
    TzuResources* m_style = nullptr;

    // Input routing state.
    TzuPoint m_mouseDownPoint{};
    TzuPoint m_currentPoint{};
    TzuPoint m_lastPoint{};
    // Where the last routed move found m_hovered: a hint asked for there needs no second
    // hit test (the window asks on every move).
    TzuPoint m_hoverPoint{-1, -1};
    bool m_windowDrag = false;
    bool m_windowResize = false;
    int m_resizeWidth = 0;
    int m_resizeHeight = 0;
    TzuMouseButton m_pressButton = mbLeft;
    TzuWinPoint m_dropPoint{-1, -1};

    TzuFrameEvent m_onFramePresented;
    TzuTimer* m_loadTimer = nullptr;
    uint64_t m_deferredRepaint = 0;  // id of the queued deferred repaint message, 0 when none
};

class TzuScene : public TzuCustomScene {
    ZU_CLASS(TzuScene)
public:
    using TzuCustomScene::TzuCustomScene;
};

// Every live scene, oldest first.
const std::vector<TzuCustomScene*>& SceneList();

}  // namespace zu
