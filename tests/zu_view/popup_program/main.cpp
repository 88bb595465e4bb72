// A program with a popup under a button: a click on the button opens the popup in its own
// window, placed below the button; the popup window's title is the program's title with
// " popup" added, so a driver can find it. The program prints "opened" when the popup
// opens and "closed" when it closes, and ends on Escape.
// Usage: zu-popup-window TITLE
// Exit status: 0 after the popup opened and closed once, 3 otherwise, 1 without X.

#include <iostream>
#include <memory>

#include "access/access_bridge.h"
#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "platform/core/form.h"
#include "platform/core/utf.h"
#include "platform/gtk/gtk_application.h"
#include "scene/zu_controls/button.h"
#include "scene/zu_controls/panel.h"
#include "scene/zu_library/library.h"
#include "scene/zu_scene/host/popup.h"
#include "scene/zu_scene/host/popup_form.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/background.h"

namespace {

// Reports the popup's open state as it changes: the "IsOpen" announcement reaches here.
class TzuReportingPopup : public zu::TzuPopup {
public:
    using zu::TzuPopup::TzuPopup;
    std::string title;
    int opened = 0;
    int closed = 0;
    void StartTriggerAnimation(zu::TzuObject* instance, std::string_view trigger) override {
        zu::TzuPopup::StartTriggerAnimation(instance, trigger);
        if (instance != this || trigger != "IsOpen") return;
        if (IsOpen()) {
            ++opened;
            if (PopupForm()) PopupForm()->SetCaption(zu::Utf8ToUtf16(title));
            std::cout << "opened" << std::endl;
        } else {
            ++closed;
            std::cout << "closed" << std::endl;
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: zu-popup-window TITLE\n";
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
        form->SetBorderStyle(zu::bsNone);
        form->SetBounds(100, 80, 300, 200);
        auto* scene = new zu::TzuScene(form.get());
        scene->SetParent(form.get());
        scene->SetAlign(zu::alClient);
        auto* root = new zu::TzuBackground(nullptr);
        scene->AddObject(root);
        auto* button = new zu::TzuButton(nullptr);
        button->SetBounds(40, 30, 100, 30);
        button->SetText(u"Open");
        button->SetParent(root);
        auto* popup = new TzuReportingPopup(nullptr);
        popup->title = std::string(argv[1]) + " popup";
        popup->SetBounds(0, 0, 120, 60);
        popup->SetPlacementTarget(button);
        popup->SetParent(root);
        auto* panel = new zu::TzuPanel(nullptr);
        panel->SetAlign(zu::vaClient);
        panel->SetParent(popup);
        button->OnClick().Set([popup](zu::TzuPersistent*) { popup->Open(); });
        app.SetMainForm(form.get());
        form->ShowModal();
        app.SetMainForm(nullptr);
        const bool once = popup->opened == 1 && popup->closed == 1;
        return once ? 0 : 3;
    } catch (const std::exception& e) {
        std::cerr << "zu-popup-window: " << e.what() << "\n";
        return 1;
    }
}
