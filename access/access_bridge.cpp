#include "access/access_bridge.h"

#include <vector>

#include "access/access_node.h"
#include "access/access_role.h"
#include "access/control_accessible.h"
#include "platform/gtk/gtk_accessible.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/access_notify.h"

namespace zu {

namespace {

AtkObject* MakeAccessible(GtkWidget* widget) {
    // Only scenes have objects to show; other controls keep GTK's accessible.
    return dynamic_cast<TzuCustomScene*>(WindowEventsOf(widget)) ? NewSceneAccessible(widget) : nullptr;
}

// Nodes whose children changed, brought up to date once the loop is idle: a list that
// gains a thousand items is walked once, not a thousand times.
std::vector<AtkObject*> g_pendingSync;
guint g_syncSource = 0;

gboolean SyncPending(gpointer) {
    g_syncSource = 0;
    std::vector<AtkObject*> pending = std::move(g_pendingSync);
    g_pendingSync.clear();
    for (AtkObject* accessible : pending) {
        if (TzuAccessNode* node = NodeOf(accessible); node && node->Built() && !node->Defunct()) node->Sync();
        g_object_unref(accessible);
    }
    return G_SOURCE_REMOVE;
}

void QueueSync(TzuAccessNode* node) {
    if (!node || !node->Built()) return;
    for (AtkObject* a : g_pendingSync)
        if (a == node->Self()) return;
    g_pendingSync.push_back(ATK_OBJECT(g_object_ref(node->Self())));
    if (!g_syncSource) g_syncSource = g_idle_add(&SyncPending, nullptr);
}

// The node whose children an object's children count among: the nearest control at or
// above it, else the root of its scene.
TzuAccessNode* HolderOf(TzuObject* object) {
    for (TzuObject* o = object; o; o = o->Parent())
        if (As<TzuControl>(o)) return TzuAccessNode::Find(o);
    IzuScene* scene = object->Scene();
    return scene ? TzuAccessNode::RootOf(As<TzuCustomScene>(scene->SceneControl())) : nullptr;
}

void OnChange(TzuObject* object, TzuAccessChange change, std::string_view state) {
    if (!TzuAccessNode::Active()) return;
    auto* control = As<TzuControl>(object);
    switch (change) {
        case TzuAccessChange::Children: QueueSync(HolderOf(object)); return;
        case TzuAccessChange::Focus: {
            if (!control) return;
            // A reader follows the focus into parts of the tree it has not walked yet.
            TzuAccessNode* node =
                control->IsFocused() ? TzuAccessNode::Ensure(control) : TzuAccessNode::Find(control);
            if (node) atk_object_notify_state_change(node->Self(), ATK_STATE_FOCUSED, control->IsFocused());
            return;
        }
        default: break;
    }
    TzuAccessNode* node = control ? TzuAccessNode::Find(control) : nullptr;
    if (!node) return;
    switch (change) {
        case TzuAccessChange::State: {
            const AtkStateType type = AccessStateOfAnnouncement(state);
            if (type == ATK_STATE_INVALID) return;
            AtkStateSet* set = atk_state_set_new();
            AccessStatesOf(*control, set);
            atk_object_notify_state_change(node->Self(), type, atk_state_set_contains_state(set, type));
            g_object_unref(set);
            return;
        }
        case TzuAccessChange::Value: g_object_notify(G_OBJECT(node->Self()), "accessible-value"); return;
        case TzuAccessChange::Text: {
            // A caption is the control's name; text boxes and memos carry their text.
            if (!AccessHasText(*control)) {
                g_object_notify(G_OBJECT(node->Self()), "accessible-name");
                return;
            }
            // The whole text is told as replaced: the controls report a change, not where.
            const int before = node->TextLength();
            gchar* now = atk_text_get_text(ATK_TEXT(node->Self()), 0, -1);
            const int after = int(g_utf8_strlen(now, -1));
            g_free(now);
            node->TextLength() = after;
            if (before > 0) g_signal_emit_by_name(node->Self(), "text-changed::delete", 0, before);
            if (after > 0) g_signal_emit_by_name(node->Self(), "text-changed::insert", 0, after);
            return;
        }
        default: return;
    }
}

}  // namespace

void InstallAccessibility() {
    SetAccessibleFactory(&MakeAccessible);
    SetAccessNotify(&OnChange);
}

}  // namespace zu
