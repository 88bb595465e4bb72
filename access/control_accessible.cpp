#include "access/control_accessible.h"

#include <cmath>

#include <gtk/gtk-a11y.h>

#include "access/access_node.h"
#include "access/access_role.h"
#include "platform/core/utf.h"
#include "platform/gtk/gtk_window.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

namespace {

// ---- Instance and class structures (C layout, as GObject wants) ----

struct ZuControlAccessible {
    AtkObject parent_instance;
    TzuAccessNode* node;
};
struct ZuControlAccessibleClass {
    AtkObjectClass parent_class;
};
struct ZuRangeAccessible {
    ZuControlAccessible parent_instance;
};
struct ZuRangeAccessibleClass {
    ZuControlAccessibleClass parent_class;
};
struct ZuTextAccessible {
    ZuControlAccessible parent_instance;
};
struct ZuTextAccessibleClass {
    ZuControlAccessibleClass parent_class;
};
struct ZuSceneAccessible {
    GtkWidgetAccessible parent_instance;
    TzuAccessNode* node;
};
struct ZuSceneAccessibleClass {
    GtkWidgetAccessibleClass parent_class;
};

GType ControlType();
GType RangeType();
GType TextType();
GType SceneType();

gpointer g_controlParent = nullptr;
gpointer g_sceneParent = nullptr;

TzuControl* ControlOf(gpointer accessible) {
    TzuAccessNode* node = NodeOf(ATK_OBJECT(accessible));
    return node ? node->Control() : nullptr;
}

// The widget the scene of a control paints in, or null.
GtkWidget* WidgetOf(TzuControl& control) {
    if (!control.Scene()) return nullptr;
    auto* scene = As<TzuCustomScene>(control.Scene()->SceneControl());
    auto* window = scene ? dynamic_cast<TzuGtkWindow*>(scene->Window()) : nullptr;
    return window ? window->Widget() : nullptr;
}

// Actions run from the main loop, not inside the reader's request: a click may open a
// modal window, whose loop would hold the reply back.
struct PendingAction {
    uint32_t serial;
    TzuAccessAction action;
};

gboolean RunPendingAction(gpointer data) {
    auto* pending = static_cast<PendingAction*>(data);
    if (auto* control = As<TzuControl>(TzuObject::FindBySerial(pending->serial)))
        RunAccessAction(*control, pending->action);
    delete pending;
    return G_SOURCE_REMOVE;
}

// ---- AtkObject ----

void ControlFinalize(GObject* object) {
    auto* self = reinterpret_cast<ZuControlAccessible*>(object);
    delete self->node;
    self->node = nullptr;
    G_OBJECT_CLASS(g_controlParent)->finalize(object);
}

const gchar* ControlGetName(AtkObject* accessible) {
    // A name given by the reader's side (atk_object_set_name) wins over the control's text.
    if (accessible->name) return accessible->name;
    TzuAccessNode* node = NodeOf(accessible);
    return node ? node->Name() : nullptr;
}

const gchar* ControlGetDescription(AtkObject* accessible) {
    if (accessible->description) return accessible->description;
    return nullptr;
}

AtkObject* ControlGetParent(AtkObject* accessible) {
    TzuAccessNode* node = NodeOf(accessible);
    return node ? node->Parent() : nullptr;
}

gint ControlGetNChildren(AtkObject* accessible) {
    TzuAccessNode* node = NodeOf(accessible);
    return node && !node->Defunct() ? node->ChildCount() : 0;
}

AtkObject* ControlRefChild(AtkObject* accessible, gint i) {
    TzuAccessNode* node = NodeOf(accessible);
    return node && !node->Defunct() ? node->RefChild(i) : nullptr;
}

gint ControlGetIndexInParent(AtkObject* accessible) {
    TzuAccessNode* node = NodeOf(accessible);
    if (!node || !node->Parent()) return -1;
    TzuAccessNode* parent = NodeOf(node->Parent());
    return parent ? parent->IndexOf(accessible) : -1;
}

AtkStateSet* ControlRefStateSet(AtkObject* accessible) {
    AtkStateSet* set = atk_state_set_new();
    if (TzuControl* control = ControlOf(accessible))
        AccessStatesOf(*control, set);
    else
        atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
    return set;
}

void ControlClassInit(gpointer klass, gpointer) {
    g_controlParent = g_type_class_peek_parent(klass);
    G_OBJECT_CLASS(klass)->finalize = &ControlFinalize;
    auto* atk = ATK_OBJECT_CLASS(klass);
    atk->get_name = &ControlGetName;
    atk->get_description = &ControlGetDescription;
    atk->get_parent = &ControlGetParent;
    atk->get_n_children = &ControlGetNChildren;
    atk->ref_child = &ControlRefChild;
    atk->get_index_in_parent = &ControlGetIndexInParent;
    atk->ref_state_set = &ControlRefStateSet;
}

// ---- AtkComponent ----

void ComponentGetExtents(AtkComponent* component, gint* x, gint* y, gint* width, gint* height,
                         AtkCoordType coordType) {
    *x = *y = *width = *height = -1;
    TzuControl* control = ControlOf(component);
    GtkWidget* widget = control ? WidgetOf(*control) : nullptr;
    if (!widget || !gtk_widget_get_window(widget)) return;
    const TzuRect r = control->AbsoluteRect();
    int ox = 0, oy = 0;
    if (coordType == ATK_XY_SCREEN) {
        gdk_window_get_origin(gtk_widget_get_window(widget), &ox, &oy);
    } else if (coordType == ATK_XY_WINDOW) {
        gtk_widget_translate_coordinates(widget, gtk_widget_get_toplevel(widget), 0, 0, &ox, &oy);
    }
    *x = ox + int(std::lround(r.Left));
    *y = oy + int(std::lround(r.Top));
    *width = int(std::lround(r.Right - r.Left));
    *height = int(std::lround(r.Bottom - r.Top));
}

gboolean ComponentGrabFocus(AtkComponent* component) {
    TzuControl* control = ControlOf(component);
    if (!control || !control->CanFocus() || !control->AbsoluteEnabled()) return FALSE;
    if (GtkWidget* widget = WidgetOf(*control)) gtk_widget_grab_focus(widget);
    control->SetFocus();
    return control->IsFocused();
}

void ComponentInit(gpointer iface, gpointer) {
    auto* c = static_cast<AtkComponentIface*>(iface);
    c->get_extents = &ComponentGetExtents;
    c->grab_focus = &ComponentGrabFocus;
}

// ---- AtkAction ----

gint ActionGetN(AtkAction* action) {
    TzuControl* control = ControlOf(action);
    return control ? gint(AccessActionsOf(*control).size()) : 0;
}

const gchar* ActionGetName(AtkAction* action, gint i) {
    TzuControl* control = ControlOf(action);
    if (!control) return nullptr;
    const auto actions = AccessActionsOf(*control);
    return i >= 0 && size_t(i) < actions.size() ? AccessActionName(actions[size_t(i)]) : nullptr;
}

gboolean ActionDo(AtkAction* action, gint i) {
    TzuControl* control = ControlOf(action);
    if (!control || !control->AbsoluteEnabled()) return FALSE;
    const auto actions = AccessActionsOf(*control);
    if (i < 0 || size_t(i) >= actions.size()) return FALSE;
    g_idle_add(&RunPendingAction, new PendingAction{control->Serial(), actions[size_t(i)]});
    return TRUE;
}

void ActionInit(gpointer iface, gpointer) {
    auto* a = static_cast<AtkActionIface*>(iface);
    a->get_n_actions = &ActionGetN;
    a->get_name = &ActionGetName;
    a->do_action = &ActionDo;
}

// ---- AtkValue ----

void ValueGetValueAndText(AtkValue* value, gdouble* current, gchar** text) {
    TzuControl* control = ControlOf(value);
    const auto range = control ? AccessRangeOf(*control) : std::nullopt;
    if (current) *current = range ? range->value : 0;
    if (text) *text = nullptr;
}

AtkRange* ValueGetRange(AtkValue* value) {
    TzuControl* control = ControlOf(value);
    const auto range = control ? AccessRangeOf(*control) : std::nullopt;
    return range ? atk_range_new(range->min, range->max, nullptr) : nullptr;
}

gdouble ValueGetIncrement(AtkValue* value) {
    TzuControl* control = ControlOf(value);
    const auto range = control ? AccessRangeOf(*control) : std::nullopt;
    return range ? range->step : 0;
}

void ValueSetValue(AtkValue* value, gdouble newValue) {
    if (TzuControl* control = ControlOf(value)) SetAccessValue(*control, newValue);
}

// The older calls some readers still make.
void ValueGetCurrent(AtkValue* value, GValue* out) {
    gdouble v = 0;
    ValueGetValueAndText(value, &v, nullptr);
    g_value_init(out, G_TYPE_DOUBLE);
    g_value_set_double(out, v);
}

void ValueGetBound(AtkValue* value, GValue* out, bool max) {
    TzuControl* control = ControlOf(value);
    const auto range = control ? AccessRangeOf(*control) : std::nullopt;
    g_value_init(out, G_TYPE_DOUBLE);
    g_value_set_double(out, range ? (max ? range->max : range->min) : 0);
}

void ValueInit(gpointer iface, gpointer) {
    auto* v = static_cast<AtkValueIface*>(iface);
    v->get_value_and_text = &ValueGetValueAndText;
    v->get_range = &ValueGetRange;
    v->get_increment = &ValueGetIncrement;
    v->set_value = &ValueSetValue;
    v->get_current_value = &ValueGetCurrent;
    v->get_minimum_value = [](AtkValue* value, GValue* out) { ValueGetBound(value, out, false); };
    v->get_maximum_value = [](AtkValue* value, GValue* out) { ValueGetBound(value, out, true); };
    v->set_current_value = [](AtkValue* value, const GValue* in) -> gboolean {
        TzuControl* control = ControlOf(value);
        return control && G_VALUE_HOLDS_DOUBLE(in) && SetAccessValue(*control, g_value_get_double(in));
    };
}

// ---- AtkText (offsets in characters, as ATK counts) ----

// The control's text in UTF-8 and the character offsets of its caret and selection.
struct TextState {
    std::string utf8;
    glong length = 0;
    int caret = 0, selStart = 0, selEnd = 0;
};

int CharsBefore(const std::u16string& text, int units) {
    int n = 0;
    for (int i = 0; i < units && i < int(text.size()); ++i)
        if ((text[size_t(i)] & 0xFC00) != 0xDC00) ++n;
    return n;
}

TextState TextOf(gpointer accessible) {
    TextState s;
    TzuControl* control = ControlOf(accessible);
    if (!control) return s;
    const TzuAccessText t = AccessTextOf(*control);
    s.utf8 = Utf16ToUtf8(t.text);
    s.length = g_utf8_strlen(s.utf8.c_str(), -1);
    s.caret = CharsBefore(t.text, t.caret);
    s.selStart = CharsBefore(t.text, t.selStart);
    s.selEnd = CharsBefore(t.text, t.selEnd);
    return s;
}

gchar* TextGetText(AtkText* text, gint start, gint end) {
    const TextState s = TextOf(text);
    if (end < 0 || end > s.length) end = gint(s.length);
    start = std::clamp(start, 0, end);
    return g_utf8_substring(s.utf8.c_str(), start, end);
}

gint TextGetCharacterCount(AtkText* text) { return gint(TextOf(text).length); }

gint TextGetCaretOffset(AtkText* text) { return TextOf(text).caret; }

gunichar TextGetCharacterAtOffset(AtkText* text, gint offset) {
    const TextState s = TextOf(text);
    if (offset < 0 || offset >= s.length) return 0;
    return g_utf8_get_char(g_utf8_offset_to_pointer(s.utf8.c_str(), offset));
}

gint TextGetNSelections(AtkText* text) {
    const TextState s = TextOf(text);
    return s.selEnd > s.selStart ? 1 : 0;
}

gchar* TextGetSelection(AtkText* text, gint i, gint* start, gint* end) {
    const TextState s = TextOf(text);
    if (i != 0 || s.selEnd <= s.selStart) {
        *start = *end = 0;
        return nullptr;
    }
    *start = s.selStart;
    *end = s.selEnd;
    return g_utf8_substring(s.utf8.c_str(), s.selStart, s.selEnd);
}

void TextInit(gpointer iface, gpointer) {
    auto* t = static_cast<AtkTextIface*>(iface);
    t->get_text = &TextGetText;
    t->get_character_count = &TextGetCharacterCount;
    t->get_caret_offset = &TextGetCaretOffset;
    t->get_character_at_offset = &TextGetCharacterAtOffset;
    t->get_n_selections = &TextGetNSelections;
    t->get_selection = &TextGetSelection;
}

// ---- The scene's widget ----

void SceneFinalize(GObject* object) {
    auto* self = reinterpret_cast<ZuSceneAccessible*>(object);
    delete self->node;
    self->node = nullptr;
    G_OBJECT_CLASS(g_sceneParent)->finalize(object);
}

gint SceneGetNChildren(AtkObject* accessible) {
    TzuAccessNode* node = NodeOf(accessible);
    return node ? node->ChildCount() : 0;
}

AtkObject* SceneRefChild(AtkObject* accessible, gint i) {
    TzuAccessNode* node = NodeOf(accessible);
    return node ? node->RefChild(i) : nullptr;
}

void SceneClassInit(gpointer klass, gpointer) {
    g_sceneParent = g_type_class_peek_parent(klass);
    G_OBJECT_CLASS(klass)->finalize = &SceneFinalize;
    auto* atk = ATK_OBJECT_CLASS(klass);
    atk->get_n_children = &SceneGetNChildren;
    atk->ref_child = &SceneRefChild;
}

// ---- Types ----

GType RegisterType(GType parent, const char* name, size_t classSize, GClassInitFunc classInit,
                   size_t instanceSize) {
    GTypeInfo info{};
    info.class_size = guint16(classSize);
    info.class_init = classInit;
    info.instance_size = guint16(instanceSize);
    return g_type_register_static(parent, name, &info, GTypeFlags(0));
}

void AddInterface(GType type, GType iface, GInterfaceInitFunc init) {
    GInterfaceInfo info{};
    info.interface_init = init;
    g_type_add_interface_static(type, iface, &info);
}

GType ControlType() {
    static const GType type = [] {
        GType t = RegisterType(ATK_TYPE_OBJECT, "ZuControlAccessible", sizeof(ZuControlAccessibleClass),
                               &ControlClassInit, sizeof(ZuControlAccessible));
        AddInterface(t, ATK_TYPE_COMPONENT, &ComponentInit);
        AddInterface(t, ATK_TYPE_ACTION, &ActionInit);
        return t;
    }();
    return type;
}

GType RangeType() {
    static const GType type = [] {
        GType t = RegisterType(ControlType(), "ZuRangeAccessible", sizeof(ZuRangeAccessibleClass), nullptr,
                               sizeof(ZuRangeAccessible));
        AddInterface(t, ATK_TYPE_VALUE, &ValueInit);
        return t;
    }();
    return type;
}

GType TextType() {
    static const GType type = [] {
        GType t = RegisterType(ControlType(), "ZuTextAccessible", sizeof(ZuTextAccessibleClass), nullptr,
                               sizeof(ZuTextAccessible));
        AddInterface(t, ATK_TYPE_TEXT, &TextInit);
        return t;
    }();
    return type;
}

GType SceneType() {
    static const GType type =
        RegisterType(GTK_TYPE_WIDGET_ACCESSIBLE, "ZuSceneAccessible", sizeof(ZuSceneAccessibleClass),
                     &SceneClassInit, sizeof(ZuSceneAccessible));
    return type;
}

}  // namespace

AtkObject* NewControlAccessible(TzuControl* control) {
    GType type = ControlType();
    if (AccessRangeOf(*control))
        type = RangeType();
    else if (AccessHasText(*control))
        type = TextType();
    auto* accessible = static_cast<ZuControlAccessible*>(g_object_new(type, nullptr));
    accessible->node = new TzuAccessNode(ATK_OBJECT(accessible), control);
    accessible->parent_instance.role = AccessRoleOf(*control);
    if (AccessHasText(*control)) accessible->node->TextLength() = int(TextOf(accessible).length);
    return ATK_OBJECT(accessible);
}

AtkObject* NewSceneAccessible(GtkWidget* widget) {
    AtkObject* accessible = ATK_OBJECT(g_object_new(SceneType(), "widget", widget, nullptr));
    atk_object_initialize(accessible, widget);
    atk_object_set_role(accessible, ATK_ROLE_PANEL);
    reinterpret_cast<ZuSceneAccessible*>(accessible)->node = new TzuAccessNode(accessible, nullptr, widget);
    return accessible;
}

TzuAccessNode* NodeOf(AtkObject* accessible) {
    if (!accessible) return nullptr;
    if (G_TYPE_CHECK_INSTANCE_TYPE(accessible, ControlType()))
        return reinterpret_cast<ZuControlAccessible*>(accessible)->node;
    if (G_TYPE_CHECK_INSTANCE_TYPE(accessible, SceneType()))
        return reinterpret_cast<ZuSceneAccessible*>(accessible)->node;
    return nullptr;
}

}  // namespace zu
