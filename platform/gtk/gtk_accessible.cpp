#include "platform/gtk/gtk_accessible.h"

namespace zu {

namespace {

TzuAccessibleFactory g_factory = nullptr;

const char kEventsKey[] = "zu-window-events";
const char kAccessibleKey[] = "zu-accessible";

struct ZuAccessibleArea {
    GtkDrawingArea parent_instance;
};

struct ZuAccessibleAreaClass {
    GtkDrawingAreaClass parent_class;
};

GType ZuAccessibleAreaType();
GtkWidgetClass* g_parentClass = nullptr;

AtkObject* GetAccessible(GtkWidget* widget) {
    if (auto* made = static_cast<AtkObject*>(g_object_get_data(G_OBJECT(widget), kAccessibleKey)))
        return made;
    if (g_factory) {
        if (AtkObject* made = g_factory(widget)) {
            // Kept as long as the widget; the accessible itself holds no reference back.
            g_object_set_data_full(G_OBJECT(widget), kAccessibleKey, made, g_object_unref);
            return made;
        }
    }
    return g_parentClass->get_accessible(widget);
}

void ClassInit(gpointer klass, gpointer) {
    g_parentClass = GTK_WIDGET_CLASS(g_type_class_peek_parent(klass));
    GTK_WIDGET_CLASS(klass)->get_accessible = &GetAccessible;
}

GType ZuAccessibleAreaType() {
    static GType type = 0;
    if (!type) {
        GTypeInfo info{};
        info.class_size = sizeof(ZuAccessibleAreaClass);
        info.class_init = &ClassInit;
        info.instance_size = sizeof(ZuAccessibleArea);
        type = g_type_register_static(GTK_TYPE_DRAWING_AREA, "ZuAccessibleArea", &info, GTypeFlags(0));
    }
    return type;
}

}  // namespace

void SetAccessibleFactory(TzuAccessibleFactory factory) { g_factory = factory; }

GtkWidget* NewAccessibleArea() { return GTK_WIDGET(g_object_new(ZuAccessibleAreaType(), nullptr)); }

IzuWindowEvents* WindowEventsOf(GtkWidget* widget) {
    return widget ? static_cast<IzuWindowEvents*>(g_object_get_data(G_OBJECT(widget), kEventsKey)) : nullptr;
}

void SetWindowEventsOf(GtkWidget* widget, IzuWindowEvents* events) {
    g_object_set_data(G_OBJECT(widget), kEventsKey, events);
}

}  // namespace zu
