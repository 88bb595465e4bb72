// quillorn-display: shows two lines of large text on a blurred, rounded panel, styled by
// twelve positional parameters; other processes replace the lines with copy-data messages.
//
//   quillorn-display LEFT TOP WIDTH HEIGHT FONTSIZE BOLD TEXTCOLOUR BACKGROUND PANEL STROKE
//                    SOFTNESS STRETCH
//   quillorn-display --snapshot OUT.png [--text LINE1 LINE2] [the same parameters]
//
// The second form renders the first frame off-screen into OUT.png and exits.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <span>
#include <string>
#include <vector>

#include "access/access_bridge.h"
#include "app/quillorn_display/copy_data_receiver.h"
#include "app/quillorn_display/quillorn_form.h"
#include "app/quillorn_display/snapshot.h"
#include "platform/gtk/gtk_application.h"

namespace {

const char kUsage[] =
    "usage: quillorn-display [LEFT TOP WIDTH HEIGHT FONTSIZE BOLD TEXTCOLOUR BACKGROUND PANEL\n"
    "                        STROKE SOFTNESS STRETCH]\n"
    "       quillorn-display --snapshot OUT.png [--text LINE1 LINE2] [the same twelve\n"
    "                        parameters]\n"
    "       quillorn-display --help | --version\n"
    "Shows two lines of text on a rounded panel in a borderless window titled\n"
    "\"QuillornDisplay\"; quillorn-send replaces the lines, and each pair is appended to\n"
    "tst.txt in the current directory. A missing or malformed parameter is shown in an\n"
    "error box and the rest keep the built-in look. --snapshot renders the first frame\n"
    "off-screen into OUT.png (at most 33554432 pixels) instead of opening a window;\n"
    "--text shows LINE1 and LINE2 in it as a message from quillorn-send would.\n"
    "Exit status: 0 after the window was closed or the snapshot written; 1 when the\n"
    "display cannot be opened, the window cannot be shown or the snapshot not written;\n"
    "2 usage error.\n";

int RunWindow(int argc, char** argv, std::vector<std::string> params) {
    std::unique_ptr<zu::TzuGtkApplication> app;
    try {
        app = std::make_unique<zu::TzuGtkApplication>(argc, argv);
        zu::InstallAccessibility();
    } catch (const std::exception&) {
        const char* display = std::getenv("DISPLAY");
        std::fprintf(
            stderr, "quillorn-display: cannot open the display %s; set DISPLAY or use --snapshot\n",
            display && *display ? ("\"" + std::string(display) + "\"").c_str() : "(DISPLAY is not set)");
        return 1;
    }
    zu::RegisterDisplayClasses();
    std::unique_ptr<zu::TForm2> form;
    try {
        form.reset(zu::TForm2::Create(nullptr, zu::TzuParameters(std::move(params))));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillorn-display: cannot make the window: %s\n", e.what());
        return 1;
    }
    app->SetMainForm(form.get());
    zu::TForm2* target = form.get();
    zu::TzuCopyDataReceiver receiver(
        [target](uint32_t tag, std::span<const uint8_t> bytes) { return target->CopyData(tag, bytes); });
    try {
        form->Show();
    } catch (...) {
        // Nothing caught it on the way: the window cannot be shown (a size no buffer can
        // hold, for one). The user sees why in the error box, then the program ends.
        app->HandleException();
        return 1;
    }
    // Failures while the loop runs (painting included) are shown in the error box by the
    // platform layer and the window carries on.
    app->Run();
    return 0;
}

int Run(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::printf("quillorn-display %s\n", ZU_VERSION);
        return 0;
    }
    if (!args.empty() && args[0] == "--snapshot") {
        if (args.size() < 2 || args[1].empty()) {
            std::fprintf(stderr, "quillorn-display: --snapshot needs a file name\n%s", kUsage);
            return 2;
        }
        const std::string out = args[1];
        auto first = args.begin() + 2;
        std::vector<std::string> lines;
        if (first != args.end() && *first == "--text") {
            if (args.end() - first < 3) {
                std::fprintf(stderr, "quillorn-display: --text needs two lines\n%s", kUsage);
                return 2;
            }
            lines.assign(first + 1, first + 3);
            first += 3;
        }
        return zu::RunSnapshot(out, std::vector<std::string>(first, args.end()), lines);
    }
    return RunWindow(argc, argv, std::move(args));
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("quillorn-display: out of memory\n", stderr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillorn-display: %s\n", e.what());
    } catch (...) {
        std::fputs("quillorn-display: unexpected failure\n", stderr);
    }
    return 1;
}
