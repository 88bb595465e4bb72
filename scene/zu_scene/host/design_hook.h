#pragma once
// The two hooks of design-time editing. IzuDesignHook is the designer program's side: a
// process-wide object it installs (and keeps alive while installed) that hears of scenes,
// selections and design steps, and answers unique names. The design menu hook is installed
// by the design unit, which sits above the scene host and builds the context menu; the
// scene only calls it on a right press while designing. Without a hook the steps that need
// it are skipped.

#include <string>
#include <string_view>
#include <vector>

#include "scene/zu_scene/types/geometry.h"

namespace zu {

class TzuCustomScene;
class TzuObject;
class TzuResources;

class IzuDesignHook {
public:
    virtual ~IzuDesignHook() = default;
    virtual void SceneCreated(TzuCustomScene& /*scene*/) {}
    virtual void SceneDestroyed(TzuCustomScene& /*scene*/) {}
    // The selection changed (null when nothing is selected).
    virtual void SelectionChanged(TzuCustomScene& /*scene*/, TzuObject* /*selection*/) {}
    // The list of additionally selected objects changed (Ctrl+press).
    virtual void SelectionListChanged(TzuCustomScene& /*scene*/, const std::vector<TzuObject*>& /*list*/) {}
    // A component name for a new object of that class, unique in the scene's owner; empty
    // leaves the object unnamed.
    virtual std::string UniqueName(TzuCustomScene& /*scene*/, std::string_view /*className*/) { return {}; }
    // Opens the designer's style editor on a style of a resources object.
    virtual void EditStyle(TzuCustomScene& /*scene*/, TzuResources* /*resources*/,
                           std::string_view /*styleName*/) {}
    // One design step ended and changed the tree (a press-move-release, a deletion, a menu
    // command): a designer keeps its undo history from these.
    virtual void DesignStepDone(TzuCustomScene& /*scene*/) {}
};

// Installs the designer's hook (null removes it); the caller keeps it alive meanwhile.
void SetDesignHook(IzuDesignHook* hook);
IzuDesignHook* DesignHook();

// Opens the design-time context menu of scene at a scene point and a screen point.
using TzuDesignMenuHook = void (*)(TzuCustomScene& scene, const TzuPoint& scenePoint, int screenX,
                                   int screenY);
void SetDesignMenuHook(TzuDesignMenuHook hook);
TzuDesignMenuHook DesignMenuHook();

}  // namespace zu
