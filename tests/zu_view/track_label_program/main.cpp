// zu-track-label: a window with a track and a value label under it, the label wired to the
// track's change event. Each time the label's text changes, the program prints it on a
// line of its own ("label TEXT"), so a test driving the window from outside can read what
// the label shows. Usage: zu-track-label TITLE. Escape or closing the window ends it.

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "access/access_bridge.h"
#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "platform/core/form.h"
#include "platform/core/utf.h"
#include "platform/gtk/gtk_application.h"
#include "scene/zu_controls/label.h"
#include "scene/zu_controls/track.h"
#include "scene/zu_controls/value_math.h"
#include "scene/zu_library/library.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/background.h"

namespace {

int Run(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: zu-track-label TITLE\n";
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
    form->SetBounds(0, 0, 240, 80);
    auto* scene = new zu::TzuScene(form.get());
    scene->SetParent(form.get());
    scene->SetAlign(zu::alClient);
    auto* root = new zu::TzuBackground(nullptr);
    root->Fill()->SetColor(0xFF2B2B2B);
    scene->AddObject(root);
    auto* track = new zu::TzuTrack(nullptr);
    track->SetBounds(20, 20, 200, 15);
    track->SetParent(root);
    auto* label = new zu::TzuValueLabel(nullptr);
    label->SetBounds(20, 45, 200, 20);
    label->SetParent(root);
    label->SetText(u"0");
    track->OnChange().Set([track, label](zu::TzuPersistent*) {
        const std::string text = std::to_string(zu::SaturatingRound(track->Value()));
        label->SetText(zu::Utf8ToUtf16(text));
        std::cout << "label " << zu::Utf16ToUtf8(label->Text()) << std::endl;
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
        std::cerr << "zu-track-label: " << e.what() << "\n";
        return 1;
    }
}
