// zu-list-echo: a window with a multiple-selection string list and a string combo box. It
// prints a line on every change: "list I,J,..." (the selected indices), "combo I TEXT",
// and "open" / "closed" as the combo box's list opens and closes, so a test driving the
// window from outside reads what the controls hold. Usage: zu-list-echo TITLE.

#include <iostream>
#include <memory>
#include <string>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "platform/core/form.h"
#include "platform/core/utf.h"
#include "platform/gtk/gtk_application.h"
#include "scene/zu_library/library.h"
#include "scene/zu_lists/list_box_item.h"
#include "scene/zu_lists/string_lists.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/background.h"

namespace {

int Run(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: zu-list-echo TITLE\n";
        return 2;
    }
    zu::RegisterLibraryClasses();
    zu::RegisterCairoBackend();
    int gtkArgc = 1;
    char** gtkArgv = argv;
    zu::TzuGtkApplication app(gtkArgc, gtkArgv);
    auto form = std::make_unique<zu::TzuForm>(nullptr);
    form->SetCaption(zu::Utf8ToUtf16(argv[1]));
    form->SetBounds(0, 0, 340, 240);
    auto* scene = new zu::TzuScene(form.get());
    scene->SetParent(form.get());
    scene->SetAlign(zu::alClient);
    auto* root = new zu::TzuBackground(nullptr);
    root->Fill()->SetColor(0xFF2B2B2B);
    scene->AddObject(root);
    const char16_t* strings = u"Apple\nBanana\nCherry\nDamson\nElderberry\nFig\nGrape\nHoneydew";
    auto* list = new zu::TzuStringListBox(nullptr);
    list->SetBounds(10, 10, 150, 220);
    list->SetMultiSelect(true);
    list->Items()->SetText(strings);
    list->SetParent(root);
    list->OnChange().Set([list](zu::TzuPersistent*) {
        std::string line = "list ";
        for (zu::TzuListBoxItem* item : list->SelectedItems())
            line += (line.size() > 5 ? "," : "") + std::to_string(list->IndexOf(item));
        std::cout << line << std::endl;
    });
    auto* combo = new zu::TzuStringComboBox(nullptr);
    combo->SetBounds(180, 10, 150, 23);
    combo->Items()->SetText(strings);
    combo->SetItemIndex(0);
    combo->SetParent(root);
    combo->OnChange().Set([combo](zu::TzuPersistent*) {
        std::cout << "combo " << combo->ItemIndex() << " "
                  << zu::Utf16ToUtf8(combo->Items()->Get(combo->ItemIndex())) << std::endl;
    });
    combo->OnDropDown().Set([](zu::TzuPersistent*) { std::cout << "open" << std::endl; });
    combo->OnCloseUp().Set([](zu::TzuPersistent*) { std::cout << "closed" << std::endl; });
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
        std::cerr << "zu-list-echo: " << e.what() << "\n";
        return 1;
    }
}
