// A program that builds its scene in code: one button whose OnClick handler is wired here.
// It prints each click, and the button's modal result ends the window, so a driver can
// click it with a real pointer and read what ran. Usage: zu-button-click TITLE
// Exit status: 0 after exactly one click closed the window, 3 otherwise, 1 without X.

#include <iostream>
#include <memory>

#include "access/access_bridge.h"
#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "platform/core/form.h"
#include "platform/core/utf.h"
#include "platform/gtk/gtk_application.h"
#include "scene/zu_controls/button.h"
#include "scene/zu_library/library.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/background.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: zu-button-click TITLE\n";
        return 2;
    }
    try {
        int gtkArgc = 1;
        char** gtkArgv = argv;
        zu::TzuGtkApplication app(gtkArgc, gtkArgv);
        zu::InstallAccessibility();
        zu::RegisterLibraryClasses();
        zu::RegisterCairoBackend();
        auto form = std::make_unique<zu::TzuForm>(nullptr);
        form->SetCaption(zu::Utf8ToUtf16(argv[1]));
        form->SetBounds(0, 0, 200, 80);
        auto* scene = new zu::TzuScene(form.get());
        scene->SetParent(form.get());
        scene->SetAlign(zu::alClient);
        auto* root = new zu::TzuBackground(nullptr);
        scene->AddObject(root);
        auto* button = new zu::TzuButton(nullptr);
        button->SetBounds(20, 20, 120, 36);
        button->SetText(u"Click me");
        button->SetModalResult(zu::mrOk);
        button->SetParent(root);
        int clicks = 0;
        button->OnClick().Set([&clicks](zu::TzuPersistent*) {
            ++clicks;
            std::cout << "clicked " << clicks << std::endl;
        });
        app.SetMainForm(form.get());
        const int result = form->ShowModal();
        app.SetMainForm(nullptr);
        std::cout << "modal result " << result << std::endl;
        return clicks == 1 && result == zu::mrOk ? 0 : 3;
    } catch (const std::exception& e) {
        std::cerr << "zu-button-click: " << e.what() << "\n";
        return 1;
    }
}
