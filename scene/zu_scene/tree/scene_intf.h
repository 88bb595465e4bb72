#pragma once
// IzuScene is what every object of a tree holds to reach the scene hosting it: update
// rectangles, update suspension, the root, the canvas, styles, focus and capture. The
// scene host implements it; tests implement small doubles of it.

#include "platform/core/component.h"
#include "scene/zu_scene/types/geometry.h"

namespace zu {

class TzuObject;
class TzuVisualObject;
class TzuControl;
class TzuCanvas;
class TzuResources;

class IzuScene {
public:
    virtual ~IzuScene() = default;

    virtual void AddObject(TzuObject* object) = 0;
    virtual void RemoveObject(TzuObject* object) = 0;
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual void EndUpdateSilently() = 0;
    virtual void StartWindowDrag() {}
    virtual void StartWindowResize() {}
    virtual void AddUpdateRect(const TzuRect& rect) = 0;
    virtual TzuObject* InsertObject(const char* /*className*/) { return nullptr; }
    virtual TzuControl* ActiveControl() const { return nullptr; }
    virtual bool IsUpdating() const = 0;
    virtual void SetUpdating(bool updating) = 0;
    virtual bool IsDesigning() const { return false; }
    virtual TzuCanvas* Canvas() const = 0;
    virtual TzuObject* Root() const = 0;
    virtual TzuComponent* Owner() const { return nullptr; }
    virtual TzuComponent* SceneControl() = 0;
    virtual TzuResources* Style() const { return nullptr; }
    virtual void SetStyle(TzuResources* /*style*/) {}
    virtual bool Transparency() const { return false; }
    virtual void UpdateStyle() {}
    // Told when an object of the tree goes, so the scene drops references to it.
    virtual void Notification(TzuComponent* component, TzuOperation operation) = 0;
    // Told when an object and everything below it leaves the tree (removed or its parent
    // freeing it), so the scene drops hover, capture and focus held inside it.
    virtual void ObjectLeaving(TzuObject* /*object*/) {}
    virtual TzuObject* DesignSelection() const { return nullptr; }
    virtual TzuObject* DesignPlaceTarget() const { return nullptr; }
    virtual int UpdateRectCount() const = 0;
    virtual TzuRect UpdateRect(int index) const = 0;
    virtual void SetCaptured(TzuObject* /*object*/) {}
    virtual TzuObject* Captured() const { return nullptr; }
    virtual void SetFocused(TzuObject* /*object*/) {}
    virtual TzuObject* Focused() const { return nullptr; }
    virtual void SetDesignDblClickObject(TzuObject* /*object*/) {}
    virtual TzuPoint MousePos() const { return {0, 0}; }
    virtual TzuPoint LocalToScreen(const TzuPoint& p) const { return p; }
    virtual void BeginDrag(TzuVisualObject* /*object*/) {}
    virtual void SetDesignSelection(TzuObject* /*object*/) {}
    virtual bool AnimatedCaret() const { return true; }
};

}  // namespace zu
