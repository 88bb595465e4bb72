// zu-memo-echo: a window with a memo, which prints its whole text after every change on a
// line of its own ("text TEXT", line breaks written as "\n"), so a test typing into the
// window from outside can read what the memo holds. Usage: zu-memo-echo TITLE. Closing
// the window ends it.

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
#include "scene/zu_text/memo.h"

namespace {

std::string Escaped(const std::u16string& text) {
    std::string out;
    for (char c : zu::Utf16ToUtf8(text)) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out;
}

int Run(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: zu-memo-echo TITLE\n";
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
    form->SetBounds(0, 0, 240, 160);
    auto* scene = new zu::TzuScene(form.get());
    scene->SetParent(form.get());
    scene->SetAlign(zu::alClient);
    auto* root = new zu::TzuBackground(nullptr);
    root->Fill()->SetColor(0xFF2B2B2B);
    scene->AddObject(root);
    auto* memo = new zu::TzuMemo(nullptr);
    memo->SetBounds(10, 10, 220, 140);
    memo->SetParent(root);
    memo->OnChangeTracking().Set(
        [memo](zu::TzuPersistent*) { std::cout << "text " << Escaped(memo->Text()) << std::endl; });
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
        std::cerr << "zu-memo-echo: " << e.what() << "\n";
        return 1;
    }
}
