#pragma once
// TzuObject is the base of everything that lives in a scene. It is a component (an owner
// frees it) and, independently, a node of the scene tree: a parent frees its children
// even when another component owns them. Objects that hold weak references to each other
// or to value objects are told through the free-notify list when an object goes.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/component.h"
#include "platform/core/event.h"
#include "platform/core/variant.h"
#include "scene/zu_scene/tree/scene_intf.h"
#include "scene/zu_scene/types/interpolation.h"

namespace zu {

class TzuAnimation;
class TzuEffect;
class TzuControl;
struct TzuNameIndex;

class TzuObject : public TzuComponent {
    ZU_CLASS(TzuObject)
public:
    explicit TzuObject(TzuComponent* owner);
    ~TzuObject() override;

    // ---- Tree ----
    TzuObject* Parent() const { return m_parent; }
    virtual void SetParent(TzuObject* parent);
    IzuScene* Scene() const { return m_scene; }
    // Gives this object and every descendant the scene, replacing what they had.
    void SetScene(IzuScene* scene);
    int ChildrenCount() const { return m_children ? static_cast<int>(m_children->size()) : 0; }
    TzuObject* Children(int i) const {
        return i >= 0 && i < ChildrenCount() ? (*m_children)[static_cast<size_t>(i)] : nullptr;
    }
    int Index() const;
    // Moves the object within its parent's children; raises the list error when out of range.
    void SetIndex(int index);
    virtual void AddObject(TzuObject* child);
    virtual void RemoveObject(TzuObject* child);
    virtual void DeleteChildren();
    void BringToFront();
    void SendToBack();
    void SortChildren(const std::function<bool(TzuObject*, TzuObject*)>& less);
    void CollectObjects(std::vector<TzuObject*>& list);
    // The same walk keeping only controls, style parts included.
    void CollectControls(std::vector<TzuControl*>& list);
    bool IsVisual() const { return m_isVisual; }
    // Visual objects repaint their area and lay out their children; plain objects have
    // neither.
    virtual void Repaint() {}
    virtual void Realign() {}
    // Roles that tree walks ask about, answered by the classes that play them.
    virtual bool IsControl() const { return false; }
    // A container whose children are streamed as children of its parent.
    virtual bool IsContent() const { return false; }
    // A locked, non-hit-testing visual child: a part of a style that follows its
    // control's state.
    virtual bool IsPassiveStylePart() const { return false; }
    // Skipped when the stream writer asks for an object's parent.
    virtual bool SkippedAsStreamParent() const { return IsContent(); }

    bool Stored() const { return m_stored; }
    void SetStored(bool stored);
    const std::string& ResourceName() const { return m_resourceName; }
    void SetResourceName(const std::string& name);
    const std::string& BindingName() const { return m_bindingName; }
    void SetBindingName(const std::string& name) { m_bindingName = name; }

    // ---- Free notification of value objects and scene objects ----
    void AddFreeNotify(TzuPersistent* item);
    void RemoveFreeNotify(TzuPersistent* item);

    // ---- Lookups by name (ASCII case-insensitive) ----
    TzuObject* FindBinding(std::string_view name);
    // Depth first below this object, first match wins; does not enter controls (their
    // style parts are their own). Large subtrees keep a name index for this.
    virtual TzuObject* FindResource(std::string_view name);
    // Newest stored object in the process with that resource name.
    static TzuObject* FindResourceObject(std::string_view name);

    // ---- Generic data value ----
    virtual TzuVariant GetBinding(std::string_view name);
    virtual void SetBinding(std::string_view name, const TzuVariant& value);
    virtual TzuVariant GetData();
    virtual void SetData(const TzuVariant& value);
    virtual std::string ItemClass() const { return {}; }

    // ---- Styles, animations and effects ----
    // Marks every control below as needing its style and applies the styles again.
    virtual void UpdateStyle();
    // Applies the styles that are due in this subtree (controls find and clone theirs).
    // Only subtrees marked by MarkStyleDue are entered, so a walk over a large styled tree
    // with nothing due costs one step.
    virtual void ApplyStyleLookup();
    // A child whose style waits for its first paint or focus instead of this walk (rows of
    // a long list or tree): many such children cost what shows.
    virtual bool DefersChildStyle(const TzuObject* /*child*/) const { return false; }
    virtual void StartAnimation(std::u16string_view name);
    virtual void StopAnimation(std::u16string_view name);
    virtual void StartTriggerAnimation(TzuObject* instance, std::string_view trigger);
    virtual void StartTriggerAnimationWait(TzuObject* instance, std::string_view trigger);
    virtual void StopTriggerAnimation(TzuObject* instance);
    virtual void ApplyTriggerEffect(TzuObject* instance, std::string_view trigger);
    // Runs the float property path from its current value to value with a float
    // animation made by its registered class name ("TzuFloatAnimation"), owned by and
    // parented to this object; it frees itself after it has finished. Null when no such
    // class is registered.
    TzuAnimation* AnimateFloat(const std::string& propertyName, float value, float duration,
                               TzuAnimationType type = zuAnimationIn,
                               TzuInterpolationType interpolation = zuInterpolationLinear);
    // The same, waiting until it has finished, then freeing it.
    void AnimateFloatWait(const std::string& propertyName, float value, float duration,
                          TzuAnimationType type = zuAnimationIn,
                          TzuInterpolationType interpolation = zuInterpolationLinear);
    bool HasEffect();
    bool HasDisablePaintEffect() const;
    bool HasPaintAfterEffect() const;
    void InvalidateEffects() { m_effectsStale = true; }
    // Something that decides which animations and effects a state change reaches changed
    // somewhere (a child added, removed or moved, a style part made passive or not): every
    // cached trigger list is rebuilt on its next use.
    static void TriggerTargetsChanged() { ++s_triggerGeneration; }
    // Moves on whenever children anywhere are added, removed or reordered.
    static uint64_t TreeGeneration() { return s_triggerGeneration; }
    // A child effect changed: visual objects refresh their effect picture and repaint.
    virtual void ChildEffectChanged() {}

    // ---- Stream hooks ----
    void GetChildren(const std::function<void(TzuComponent*)>& proc, TzuComponent* root) override;
    TzuComponent* GetParentComponent() const override;
    void SetParentComponent(TzuComponent* parent) override;
    bool HasParent() const override { return true; }

    // The process-wide list of objects, oldest first: First() then Next().
    static TzuObject* FirstObject();
    TzuObject* NextObject() const { return m_next; }
    static size_t ObjectCount();
    // A number naming this object for its life, used by data texts instead of addresses.
    uint32_t Serial() const { return m_serial; }
    static TzuObject* FindBySerial(uint32_t serial);

    // Waits while pred holds, running the platform's pending messages. Installed by the
    // platform layer; without one the wait only yields.
    static void SetMessagePump(void (*pump)());
    static void ProcessMessages();

protected:
    // Hook run after the object has been added to a parent.
    virtual void ParentChanged() {}
    // Visual parents add their layout and repaint steps to AddObject/RemoveObject here.
    virtual void AfterAddObject(TzuObject* /*child*/) {}
    virtual void BeforeRemoveObject(TzuObject* /*child*/) {}
    // A visual child under a non-visual parent still needs its cached opacity refreshed.
    virtual void InvalidateAbsoluteOpacityTree() {}
    void MarkVisual() { m_isVisual = true; }
    // Off-screen painting hangs an object under another parent for one paint without
    // joining that parent's children.
    void SetParentField(TzuObject* parent) { m_parent = parent; }
    // Called by visual objects before they go, while their type is still whole.
    void DetachFromTree();
    // Something at or below this object waits for its style: this object and every
    // ancestor are marked, so the next lookup walk from any of them comes down here.
    void MarkStyleDue();
    // FindResource for a caller that has already searched below `searched` (a child):
    // that child's own name is still looked at, its subtree is not walked again.
    TzuObject* FindResourceOutside(std::string_view name, const TzuObject* searched);

private:
    void ObjectListAdd();
    void ObjectListRemove();

    // Name lookups (object_lookup.cpp). A subtree searched often keeps an index of the
    // first object under each name; it is valid while this object is "names clean": a
    // name or child list changing anywhere in the searched part of the subtree clears
    // that mark on the way up, so a stale index is rebuilt before it is used again.
    TzuObject* FindResourceBelow(std::string_view name, size_t& visited, const TzuObject* skip = nullptr);
    bool HasValidNameIndex() const { return m_nameIndexBuilt && m_namesClean; }
    TzuObject* IndexedLookup(std::string_view name) const;
    void IndexNamesIfWorthIt();
    void AddNamesBelow(TzuNameIndex& index);
    void NamesChanged();
    void DropNameIndex();

    // The animations and effects of this object and its passive style parts in tree
    // order, so that a hover or focus change does not walk the whole style.
    struct TriggerTargets {
        uint64_t generation = 0;
        std::vector<TzuAnimation*> animations;
        std::vector<TzuEffect*> effects;
    };
    const TriggerTargets& CurrentTriggerTargets() {
        if (m_triggerTargets && m_triggerTargets->generation == s_triggerGeneration) return *m_triggerTargets;
        return RebuildTriggerTargets();
    }
    const TriggerTargets& RebuildTriggerTargets();
    static uint64_t s_triggerGeneration;

    std::unique_ptr<std::vector<TzuObject*>> m_children;
    std::unique_ptr<std::vector<TzuPersistent*>> m_freeNotify;
    std::unique_ptr<TriggerTargets> m_triggerTargets;
    std::string m_resourceName;
    std::string m_bindingName;
    TzuObject* m_prev = nullptr;  // ObjectList links
    TzuObject* m_next = nullptr;
    // Beside the flags and the visual object's first fields: a walk over many children
    // reads these together.
    TzuObject* m_parent = nullptr;
    IzuScene* m_scene = nullptr;
    uint32_t m_serial = 0;
    bool m_stored = true;
    bool m_effectsStale = true;
    bool m_hasEffect = false;
    bool m_isVisual = false;
    bool m_styleDue = false;
    bool m_namesClean = false;
    bool m_hasNameIndex = false;  // an entry among the name indexes, built or not yet
    bool m_nameIndexBuilt = false;
};

// Data texts that carry references in data values. Text is never turned into a pointer:
// a reference resolves only to a live object (by its serial number) or to a published
// method of one.
std::string ObjectToDataText(const TzuObject* obj);
TzuObject* DataTextToObject(std::string_view text);
std::string MethodToDataText(const TzuEventBase& event);
// Binds event to the method a "zumet" text names; false (event unchanged) when it names none.
bool DataTextToMethod(std::string_view text, TzuEventBase& event);

// Registers classes under a category for scene-editing tools and with the stream's class
// registry.
void RegisterObjects(const std::string& category, std::initializer_list<const TzuClass*> classes);
// (category, class) pairs sorted by category.
const std::vector<std::pair<std::string, const TzuClass*>>& ClassRegistry();

}  // namespace zu
