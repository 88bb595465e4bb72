#include "access/access_node.h"

#include <algorithm>
#include <unordered_map>

#include "access/access_role.h"
#include "access/control_accessible.h"
#include "platform/gtk/gtk_accessible.h"
#include "scene/zu_scene/host/scene.h"

namespace zu {

namespace {

std::unordered_map<const TzuObject*, TzuAccessNode*>& Nodes() {
    static std::unordered_map<const TzuObject*, TzuAccessNode*> nodes;
    return nodes;
}

std::vector<TzuAccessNode*>& Roots() {
    static std::vector<TzuAccessNode*> roots;
    return roots;
}

}  // namespace

TzuAccessNode::TzuAccessNode(AtkObject* self, TzuControl* control, void* widget)
    : m_self(self), m_control(control), m_widget(widget), m_root(control == nullptr) {
    if (m_control) {
        Nodes()[m_control] = this;
        m_control->AddFreeNotify(this);
    } else {
        Roots().push_back(this);
    }
}

TzuAccessNode::~TzuAccessNode() {
    DropAll();
    if (m_control) {
        m_control->RemoveFreeNotify(this);
        if (auto it = Nodes().find(m_control); it != Nodes().end() && it->second == this) Nodes().erase(it);
    }
    if (m_root) std::erase(Roots(), this);
}

TzuCustomScene* TzuAccessNode::Scene() const {
    if (m_control)
        return m_control->Scene() ? As<TzuCustomScene>(m_control->Scene()->SceneControl()) : nullptr;
    if (!m_root || !m_widget) return nullptr;
    GtkWidget* widget = gtk_accessible_get_widget(GTK_ACCESSIBLE(m_self));
    return widget ? dynamic_cast<TzuCustomScene*>(WindowEventsOf(widget)) : nullptr;
}

void TzuAccessNode::CollectChildControls(TzuObject* object, std::vector<TzuControl*>& out) {
    for (int i = 0; i < object->ChildrenCount(); ++i) {
        TzuObject* child = object->Children(i);
        if (auto* control = As<TzuControl>(child)) {
            if (AccessRoleOf(*control) != ATK_ROLE_INVALID) out.push_back(control);
        } else {
            CollectChildControls(child, out);
        }
    }
}

void TzuAccessNode::Sync() {
    if (m_built && m_generation == TzuObject::TreeGeneration()) return;
    const bool announce = m_built;
    m_built = true;
    m_generation = TzuObject::TreeGeneration();
    std::vector<TzuControl*> found;
    if (m_control) {
        if (!AccessRoleIsLeaf(AccessRoleOf(*m_control))) CollectChildControls(m_control, found);
    } else if (TzuCustomScene* scene = Scene()) {
        for (int i = 0; i < scene->ObjectCount(); ++i) {
            TzuObject* top = scene->Objects(i);
            if (auto* control = As<TzuControl>(top)) {
                if (AccessRoleOf(*control) != ATK_ROLE_INVALID) found.push_back(control);
            } else {
                CollectChildControls(top, found);
            }
        }
    }
    // Children whose control left this place go first, then the new ones are put in order.
    for (size_t i = m_children.size(); i-- > 0;) {
        TzuControl* c = NodeOf(m_children[i])->Control();
        if (!c || std::find(found.begin(), found.end(), c) == found.end()) Drop(i, announce);
    }
    std::vector<AtkObject*> kept = std::move(m_children);
    m_children.clear();
    m_children.reserve(found.size());
    for (TzuControl* c : found) {
        auto it =
            std::find_if(kept.begin(), kept.end(), [c](AtkObject* a) { return NodeOf(a)->Control() == c; });
        AtkObject* child = nullptr;
        bool added = false;
        if (it != kept.end()) {
            child = *it;
            kept.erase(it);
        } else if (TzuAccessNode* elsewhere = Find(c)) {
            // A control that moved here from another parent keeps its accessible.
            child = elsewhere->Self();
            g_object_ref(child);
            if (AtkObject* old = elsewhere->Parent())
                if (TzuAccessNode* oldNode = NodeOf(old)) {
                    const int at = oldNode->IndexOf(child);
                    if (at >= 0) oldNode->Drop(size_t(at), oldNode->m_built);
                }
            added = true;
        } else {
            child = NewControlAccessible(c);
            added = true;
        }
        NodeOf(child)->SetParent(m_self);
        m_children.push_back(child);
        if (added && announce)
            g_signal_emit_by_name(m_self, "children-changed::add", int(m_children.size() - 1), child);
    }
}

void TzuAccessNode::Drop(size_t index, bool announce) {
    AtkObject* child = m_children[index];
    m_children.erase(m_children.begin() + std::ptrdiff_t(index));
    if (announce) g_signal_emit_by_name(m_self, "children-changed::remove", int(index), child);
    if (TzuAccessNode* node = NodeOf(child); node && node->m_parent == m_self) node->m_parent = nullptr;
    g_object_unref(child);
}

void TzuAccessNode::DropAll() {
    while (!m_children.empty()) Drop(m_children.size() - 1, false);
    m_built = false;
}

int TzuAccessNode::ChildCount() {
    Sync();
    return int(m_children.size());
}

AtkObject* TzuAccessNode::RefChild(int index) {
    Sync();
    if (index < 0 || size_t(index) >= m_children.size()) return nullptr;
    return ATK_OBJECT(g_object_ref(m_children[size_t(index)]));
}

int TzuAccessNode::IndexOf(const AtkObject* child) const {
    auto it = std::find(m_children.begin(), m_children.end(), child);
    return it == m_children.end() ? -1 : int(it - m_children.begin());
}

const char* TzuAccessNode::Name() {
    if (!m_control) return nullptr;
    m_name = AccessNameOf(*m_control);
    return m_name.c_str();
}

void TzuAccessNode::FreeNotify(TzuPersistent* dying) {
    if (dying == m_control) LoseControl();
}

void TzuAccessNode::LoseControl() {
    // The accessible may go with the last reference dropped below; keep it to the end.
    g_object_ref(m_self);
    Nodes().erase(m_control);
    m_control = nullptr;
    DropAll();
    atk_object_notify_state_change(m_self, ATK_STATE_DEFUNCT, TRUE);
    if (m_parent)
        if (TzuAccessNode* parent = NodeOf(m_parent)) {
            const int at = parent->IndexOf(m_self);
            if (at >= 0) parent->Drop(size_t(at), true);
        }
    g_object_unref(m_self);
}

TzuAccessNode* TzuAccessNode::Find(const TzuObject* control) {
    auto it = Nodes().find(control);
    return it == Nodes().end() ? nullptr : it->second;
}

TzuAccessNode* TzuAccessNode::RootOf(const TzuCustomScene* scene) {
    if (!scene) return nullptr;
    for (TzuAccessNode* root : Roots())
        if (root->Scene() == scene) return root;
    return nullptr;
}

bool TzuAccessNode::Active() { return !Roots().empty(); }

TzuAccessNode* TzuAccessNode::Ensure(TzuControl* control) {
    if (!control || !Active()) return nullptr;
    if (TzuAccessNode* node = Find(control)) return node;
    TzuControl* above = nullptr;
    for (TzuObject* o = control->Parent(); o && !above; o = o->Parent()) above = As<TzuControl>(o);
    TzuAccessNode* parent = nullptr;
    if (above) {
        parent = Ensure(above);
    } else if (control->Scene()) {
        parent = RootOf(As<TzuCustomScene>(control->Scene()->SceneControl()));
    }
    if (!parent) return nullptr;
    parent->Sync();
    return Find(control);
}

}  // namespace zu
