// zu-view: opens a scene stream file in a window and keeps it live: the pointer hovers,
// presses and clicks objects, keys reach the focused one, animations run. With --design the
// scene is edited instead and saved back to its file.

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include <gtk/gtk.h>

#include "access/access_bridge.h"
#include "app/scene_file/scene_file.h"
#include "app/zu_view/designer.h"
#include "platform/core/form.h"
#include "platform/core/utf.h"
#include "platform/gtk/gtk_application.h"
#include "platform/gtk/gtk_window.h"
#include "scene/zu_all/register_all.h"
#include "scene/zu_scene/host/scene.h"

#ifndef ZU_VERSION
#define ZU_VERSION "unknown"
#endif

namespace {

const char kUsage[] =
    "Usage: zu-view SCENE [--size WxH] [--title TITLE] [--scale N]\n"
    "       zu-view --design SCENE [--size WxH] [--scale N]\n"
    "       zu-view --help | --version\n"
    "Opens SCENE (a component stream in binary or text form whose root is a scene or a\n"
    "scene object) in a window, live: the pointer hovers and clicks objects, keys go to\n"
    "the focused object (Tab moves the focus), animations run. Escape that no object\n"
    "takes, or closing the window, ends the program.\n"
    "Without --size the window has the scene's own size (a scene object's, rounded up);\n"
    "a window has sides from 1 to 16384 pixels and at most 33554432 (2^25) pixels in all.\n"
    "--scale N (1 to 4) shows the window as on a screen of that density (N x N device\n"
    "pixels for each scene pixel, drawn sharp); without it the desktop's scale holds.\n"
    "The title defaults to the file name. Properties the stream cannot apply are reported\n"
    "and skipped.\n"
    "--design edits SCENE in place: click an object to select it, drag it or its grips to\n"
    "move, resize or rotate it (Alt drops it into the object under it), right-click for\n"
    "the menu (add, delete, load, style, order, copy and paste, snapping). The title shows\n"
    "the selection's class, name and bounds. Ctrl+S saves the tree back to SCENE in the\n"
    "form it was read in (text or binary), through a temporary file renamed over it;\n"
    "Ctrl+Z and Ctrl+Shift+Z undo and redo design steps.\n"
    "Exit status: 0 closed; 1 SCENE cannot be read or does not load, the window is too\n"
    "large, or there is no display; 2 usage error.\n";

struct Options {
    std::string input;
    std::string title;
    bool hasTitle = false;
    bool design = false;
    int width = 0;
    int height = 0;
    int scale = 0;  // 0: the desktop's
};

// One line and the usage on standard error: the caller exits 2.
bool UsageError(const std::string& line) {
    std::cerr << "zu-view: " << line << "\n" << kUsage;
    return false;
}

bool ParseArgs(int argc, char** argv, Options& o) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--size") {
            if (i + 1 >= argc || !zu::ParseFrameSize(argv[++i], o.width, o.height)) {
                return UsageError("--size wants WxH with sides from 1 to " +
                                  std::to_string(zu::kMaxFrameSide) + " and at most " +
                                  std::to_string(zu::kMaxFramePixels) + " pixels");
            }
        } else if (arg == "--scale") {
            if (i + 1 >= argc || !zu::ParseScale(argv[++i], o.scale)) return UsageError(zu::ScaleError());
        } else if (arg == "--title") {
            if (i + 1 >= argc) return UsageError("--title wants a text");
            o.title = argv[++i];
            o.hasTitle = true;
        } else if (arg == "--design") {
            o.design = true;
        } else if (arg.rfind("--", 0) == 0 && arg.size() > 2) {
            return UsageError("unknown option " + arg);
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 1)
        return UsageError(positional.empty() ? "no scene file" : "too many arguments");
    o.input = positional[0];
    return true;
}

// Ctrl+S saves, Ctrl+Z undoes and Ctrl+Shift+Z redoes; other keys go on to the scene.
gboolean DesignKey(GtkWidget*, GdkEventKey* event, gpointer data) {
    auto* designer = static_cast<ViewDesigner*>(data);
    if (!(event->state & GDK_CONTROL_MASK)) return FALSE;
    const guint key = gdk_keyval_to_lower(event->keyval);
    if (key == GDK_KEY_s) {
        std::string error;
        if (designer->Save(error)) {
            std::cout << "zu-view: saved " << designer->Path() << std::endl;
        } else {
            std::cerr << "zu-view: not saved: " << error << "\n";
        }
        return TRUE;
    }
    if (key == GDK_KEY_z) {
        if (event->state & GDK_SHIFT_MASK) {
            designer->Redo();
        } else {
            designer->Undo();
        }
        return TRUE;
    }
    return FALSE;
}

int View(const Options& o, char* program) {
    std::vector<uint8_t> data;
    std::string error;
    if (!zu::ReadSceneFile(o.input, data, error)) {
        std::cerr << "zu-view: " << error << "\n";
        return 1;
    }
    // GTK sees no argument of ours.
    int gtkArgc = 1;
    char* gtkArgs[] = {program, nullptr};
    char** gtkArgv = gtkArgs;
    // GDK reads the scale of its windows from the environment when it opens the display.
    if (o.scale > 0) setenv("GDK_SCALE", std::to_string(o.scale).c_str(), 1);
    std::unique_ptr<zu::TzuGtkApplication> app;
    try {
        app = std::make_unique<zu::TzuGtkApplication>(gtkArgc, gtkArgv);
    } catch (const std::exception& e) {
        std::cerr << "zu-view: " << e.what() << "\n";
        return 1;
    }
    app->SetTitle("zu-view");
    zu::InstallAccessibility();
    auto form = std::make_unique<zu::TzuForm>(nullptr);
    // A scene made under a designing form is designed.
    if (o.design) form->SetDesigning(true);
    zu::TzuCustomScene* scene = nullptr;
    zu::TzuWinPoint size;
    try {
        scene = zu::LoadSceneFile(
            *form, data, size,
            [](const std::string& message) { std::cerr << "zu-view: skipped: " << message << "\n"; },
            o.design);
    } catch (const std::exception& e) {
        std::cerr << "zu-view: " << o.input << " does not load: " << e.what() << "\n";
        return 1;
    }
    const int width = o.width > 0 ? o.width : size.X;
    const int height = o.height > 0 ? o.height : size.Y;
    if (!zu::FrameSizeAllowed(width, height)) {
        std::cerr << "zu-view: " << o.input << ": a window of " << width << " x " << height
                  << " pixels is too large; choose a smaller one with --size\n";
        return 1;
    }
    const std::string title = o.hasTitle ? o.title : std::filesystem::path(o.input).filename().string();
    form->SetCaption(zu::Utf8ToUtf16(title));
    scene->SetAlign(zu::alClient);
    form->SetBounds(0, 0, width, height);
    app->SetMainForm(form.get());
    std::unique_ptr<ViewDesigner> designer;
    if (o.design) {
        try {
            designer = std::make_unique<ViewDesigner>(*form, scene, o.input, data);
        } catch (const std::exception& e) {
            std::cerr << "zu-view: " << o.input << " cannot be designed: " << e.what() << "\n";
            return 1;
        }
        // The keys are taken at the window, before the scene routes them to its objects.
        app->PostMessage([&form, &designer] {
            auto* window = dynamic_cast<zu::TzuGtkWindow*>(form->Window());
            if (!window) return;
            g_signal_connect(gtk_widget_get_toplevel(window->Widget()), "key-press-event",
                             G_CALLBACK(&DesignKey), designer.get());
        });
    }
    // The form runs as a modal one: Escape that no object takes ends it, as closing does.
    form->ShowModal();
    app->SetMainForm(nullptr);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
            std::cout << kUsage;
            return 0;
        }
        if (argc == 2 && std::string(argv[1]) == "--version") {
            std::cout << "zu-view " << ZU_VERSION << "\n";
            return 0;
        }
        Options options;
        if (!ParseArgs(argc, argv, options)) return 2;
        zu::RegisterAll();
        return View(options, argv[0]);
    } catch (const std::bad_alloc&) {
        std::cerr << "zu-view: out of memory\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "zu-view: " << e.what() << "\n";
        return 1;
    } catch (...) {
        std::cerr << "zu-view: unexpected failure\n";
        return 1;
    }
}
