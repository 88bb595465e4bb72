// zu-control-echo: a window holding one kind of control, printing a line on every change so
// a test driving the window from outside reads what the controls hold.
// Usage: zu-control-echo TITLE [KIND], where KIND is
//   lists  (the default) a multiple-selection string list and a string combo box: "list I,J,..." (the
//          selected indices), "combo I TEXT", and "open" / "closed" as the combo box's
//          list opens and closes;
//   tabs   a tab control of three tabs, each with a page: "tab I TEXT page NAME", NAME
//          being the page that shows ("-" for none);
//   colors a colour square linked to a swatch and a gradient editor of three stops (black,
//          red at the middle, white): "box #AARRGGBB" (the swatch) whenever the square
//          changes, "select I" when a stop is selected and "stops O,O,..." (offsets in
//          hundredths) whenever the stops change.

#include <cmath>
#include <iostream>
#include <memory>
#include <string>

#include "access/access_bridge.h"
#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "platform/core/form.h"
#include "platform/core/utf.h"
#include "platform/gtk/gtk_application.h"
#include "scene/zu_colors/color_box.h"
#include "scene/zu_colors/color_quad.h"
#include "scene/zu_colors/gradient_edit.h"
#include "scene/zu_controls/label.h"
#include "scene/zu_layouts/layout.h"
#include "scene/zu_library/library.h"
#include "scene/zu_lists/list_box_item.h"
#include "scene/zu_lists/string_lists.h"
#include "scene/zu_scene/graphics/gradient.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/background.h"
#include "scene/zu_tabs/tab_control.h"
#include "scene/zu_tabs/tab_item.h"

namespace {

void AddLists(zu::TzuBackground* root) {
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
}

void AddTabs(zu::TzuBackground* root) {
    auto* tabs = new zu::TzuTabControl(nullptr);
    tabs->SetBounds(10, 10, 320, 220);
    const char* captions[] = {"One", "Two", "Three"};
    for (int i = 0; i < 3; ++i) {
        auto* page = new zu::TzuLayout(nullptr);
        page->SetName("Page" + std::to_string(i));
        page->SetParent(tabs);
        auto* label = new zu::TzuLabel(nullptr);
        label->SetText(u"Page " + zu::Utf8ToUtf16(captions[i]));
        label->SetBounds(20, 20, 200, 20);
        label->SetParent(page);
        auto* tab = new zu::TzuTabItem(nullptr);
        tab->SetText(zu::Utf8ToUtf16(captions[i]));
        tab->SetLayout(page);
        tab->SetParent(tabs);
    }
    tabs->SetItemIndex(0);
    tabs->SetParent(root);
    // The page named is the one the control shows, found by what is visible.
    tabs->OnChange().Set([tabs](zu::TzuPersistent*) {
        std::string shown = "-";
        for (int i = 0; i < tabs->ChildrenCount(); ++i) {
            auto* page = zu::As<zu::TzuLayout>(tabs->Children(i));
            if (page && page->Visible()) shown = page->Name();
        }
        zu::TzuTabItem* tab = tabs->CurrentTab();
        std::cout << "tab " << tabs->ItemIndex() << " " << (tab ? zu::Utf16ToUtf8(tab->Text()) : "-")
                  << " page " << shown << std::endl;
    });
}

void AddColors(zu::TzuBackground* root) {
    auto* quad = new zu::TzuColorQuad(nullptr);
    quad->SetBounds(10, 10, 100, 100);
    quad->SetParent(root);
    auto* box = new zu::TzuColorBox(nullptr);
    box->SetBounds(130, 10, 40, 40);
    box->SetParent(root);
    quad->SetColorBox(box);
    quad->OnChange().Set(
        [box](zu::TzuPersistent*) { std::cout << "box " << zu::ColorToText(box->Color()) << std::endl; });
    auto* edit = new zu::TzuGradientEdit(nullptr);
    edit->SetBounds(10, 130, 300, 30);
    edit->SetParent(root);
    zu::TzuGradientPoints* points = edit->Gradient()->Points();
    points->InsertPoint(1, 0xFFFF0000, 0.5f);
    edit->OnSelectPoint().Set(
        [edit](zu::TzuPersistent*) { std::cout << "select " << edit->Selected() << std::endl; });
    edit->OnChange().Set([points](zu::TzuPersistent*) {
        std::string line = "stops ";
        for (int i = 0; i < points->Count(); ++i)
            line += (i ? "," : "") + std::to_string(std::lround(points->Points(i)->Offset() * 100));
        std::cout << line << std::endl;
    });
}

int Run(int argc, char** argv) {
    const std::string kind = argc == 3 ? argv[2] : "lists";
    if (argc < 2 || argc > 3 || (kind != "lists" && kind != "tabs" && kind != "colors")) {
        std::cerr << "Usage: zu-control-echo TITLE [lists|tabs|colors]\n";
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
    form->SetBounds(0, 0, 340, 240);
    auto* scene = new zu::TzuScene(form.get());
    scene->SetParent(form.get());
    scene->SetAlign(zu::alClient);
    auto* root = new zu::TzuBackground(nullptr);
    root->Fill()->SetColor(0xFF2B2B2B);
    scene->AddObject(root);
    if (kind == "lists")
        AddLists(root);
    else if (kind == "tabs")
        AddTabs(root);
    else
        AddColors(root);
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
        std::cerr << "zu-control-echo: " << e.what() << "\n";
        return 1;
    }
}
