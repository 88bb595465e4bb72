// zu-tree-echo: a window with a tree view of three levels, all collapsed. It prints
// "select TEXT" whenever the selection changes, so a test driving the window from outside
// reads what the tree holds (and, by where a click lands, which rows show).
// Usage: zu-tree-echo TITLE.

#include <iostream>
#include <memory>
#include <string>

#include "access/access_bridge.h"
#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "platform/core/form.h"
#include "platform/core/utf.h"
#include "platform/gtk/gtk_application.h"
#include "scene/zu_library/library.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/background.h"
#include "scene/zu_trees/tree_view.h"
#include "scene/zu_trees/tree_view_item.h"

namespace {

zu::TzuTreeViewItem* Node(zu::TzuObject* parent, const char16_t* text) {
    auto* item = new zu::TzuTreeViewItem(nullptr);
    item->SetText(text);
    parent->AddObject(item);
    return item;
}

int Run(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: zu-tree-echo TITLE\n";
        return 2;
    }
    zu::RegisterLibraryClasses();
    zu::RegisterCairoBackend();
    int gtkArgc = 1;
    char** gtkArgv = argv;
    zu::TzuGtkApplication app(gtkArgc, gtkArgv);
    zu::InstallAccessibility();
    auto form = std::make_unique<zu::TzuForm>(nullptr);
    form->SetCaption(zu::Utf8ToUtf16(argv[1]));
    form->SetBounds(0, 0, 300, 240);
    auto* scene = new zu::TzuScene(form.get());
    scene->SetParent(form.get());
    scene->SetAlign(zu::alClient);
    auto* root = new zu::TzuBackground(nullptr);
    root->Fill()->SetColor(0xFF2B2B2B);
    scene->AddObject(root);
    auto* tree = new zu::TzuTreeView(nullptr);
    tree->SetBounds(10, 10, 200, 220);
    tree->SetParent(root);
    zu::TzuTreeViewItem* fruit = Node(tree, u"Fruit");
    Node(fruit, u"Apple");
    zu::TzuTreeViewItem* cherry = Node(fruit, u"Cherry");
    Node(cherry, u"Red");
    Node(cherry, u"Black");
    zu::TzuTreeViewItem* roots = Node(tree, u"Roots");
    Node(roots, u"Carrot");
    Node(roots, u"Leek");
    Node(tree, u"Nuts");
    tree->OnChange().Set([tree](zu::TzuPersistent*) {
        zu::TzuTreeViewItem* item = tree->Selected();
        std::cout << "select " << (item ? zu::Utf16ToUtf8(item->Text()) : std::string("none")) << std::endl;
    });
    app.SetMainForm(form.get());
    form->ShowModal();
    app.SetMainForm(nullptr);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "zu-tree-echo: " << e.what() << "\n";
        return 1;
    }
}
