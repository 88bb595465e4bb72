#include "scene/zu_trees/register_trees.h"

#include "scene/zu_scene/tree/object.h"
#include "scene/zu_trees/tree_view.h"
#include "scene/zu_trees/tree_view_item.h"

namespace zu {

void RegisterTreeClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterObjects("Trees", {&TzuTreeView::StaticClass()});
    RegisterObjects("Items", {&TzuTreeViewItem::StaticClass()});
}

}  // namespace zu
