#pragma once
// TzuAccessNode is the scene side of one accessible object: the control it stands for (a
// weak reference, cleared by the control's free notification) and the accessibles of the
// controls below it, made on first demand. The accessible object owns its node; a node
// holds a reference on each child accessible, each child only a weak link to its parent,
// so a reader that keeps a child keeps it alone and finds it defunct once its control is
// gone. A scene's root node stands for the scene's widget and reaches the scene through it.
//
// Objects that are not controls (shapes, effects, style parts) are not in the tree; the
// controls below them count as children of the nearest control above.

#include <cstdint>
#include <string>
#include <vector>

#include <atk/atk.h>

#include "platform/core/persistent.h"

namespace zu {

class TzuControl;
class TzuCustomScene;
class TzuObject;

class TzuAccessNode : public TzuPersistent {
public:
    // A node for a control, or (control null) the root of the scene behind widget.
    TzuAccessNode(AtkObject* self, TzuControl* control, void* widget = nullptr);
    ~TzuAccessNode() override;

    AtkObject* Self() const { return m_self; }
    TzuControl* Control() const { return m_control; }
    bool IsRoot() const { return m_root; }
    bool Defunct() const { return !m_root && !m_control; }
    // Whether a reader has asked for the children.
    bool Built() const { return m_built; }
    // The scene of the control, or of the root's widget while its window lives.
    TzuCustomScene* Scene() const;
    AtkObject* Parent() const { return m_parent; }
    void SetParent(AtkObject* parent) { m_parent = parent; }

    int ChildCount();
    // A new reference, or null.
    AtkObject* RefChild(int index);
    int IndexOf(const AtkObject* child) const;
    // Brings the children up to date with the scene: new controls get accessibles, gone or
    // moved ones are dropped. Announces the changes when the children were asked for before.
    void Sync();
    // A cached name string that lives as long as the node (ATK returns names unowned).
    const char* Name();
    // The text length last told to a reader, for the change announcement.
    int& TextLength() { return m_textLength; }

    // The node standing for a control, or null when no reader has asked for it.
    static TzuAccessNode* Find(const TzuObject* control);
    // The node standing for a control, made along with its ancestors' children when
    // a reader has asked for the control's scene; null when the control is not in a tree.
    static TzuAccessNode* Ensure(TzuControl* control);
    // The root node of the scene, when a reader has asked for it.
    static TzuAccessNode* RootOf(const TzuCustomScene* scene);
    // Whether any reader has asked for any scene: until then no change is looked at.
    static bool Active();
    // The controls that stand as children of object: controls found below it, not
    // entering them, skipping the inner parts that have no role.
    static void CollectChildControls(TzuObject* object, std::vector<TzuControl*>& out);

    void FreeNotify(TzuPersistent* dying) override;

private:
    void Drop(size_t index, bool announce);
    void DropAll();
    void LoseControl();

    AtkObject* m_self;
    TzuControl* m_control;
    void* m_widget;  // the root's GtkWidget, kept by its accessible
    AtkObject* m_parent = nullptr;
    std::vector<AtkObject*> m_children;
    std::string m_name;
    uint64_t m_generation = 0;
    int m_textLength = 0;
    bool m_root;
    bool m_built = false;
};

}  // namespace zu
