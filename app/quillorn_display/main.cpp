// quillorn-display: shows two lines of large text on a blurred, rounded panel, styled by
// twelve positional parameters; other processes replace the lines with copy-data messages.
//
//   quillorn-display LEFT TOP WIDTH HEIGHT FONTSIZE BOLD TEXTCOLOUR BACKGROUND PANEL STROKE
//                    SOFTNESS STRETCH
//   quillorn-display --snapshot OUT.png [the same parameters]
//
// The second form renders the first frame off-screen into OUT.png and exits.
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "app/quillorn_display/copy_data_receiver.h"
#include "app/quillorn_display/quillorn_form.h"
#include "app/quillorn_display/snapshot.h"
#include "platform/gtk/gtk_application.h"

namespace {

int RunWindow(int argc, char** argv, std::vector<std::string> params) {
    zu::TzuGtkApplication app(argc, argv);
    zu::RegisterDisplayClasses();
    zu::TForm2* form = nullptr;
    try {
        form = zu::TForm2::Create(nullptr, zu::TzuParameters(std::move(params)));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillorn-display: cannot make the window: %s\n", e.what());
        return 1;
    }
    app.SetMainForm(form);
    zu::TzuCopyDataReceiver receiver(
        [form](uint32_t tag, std::span<const uint8_t> bytes) { return form->CopyData(tag, bytes); });
    form->Show();
    app.Run();
    delete form;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "--snapshot") {
        if (args.size() < 2) {
            std::fputs("usage: quillorn-display --snapshot OUT.png [12 parameters]\n", stderr);
            return 2;
        }
        const std::string out = args[1];
        return zu::RunSnapshot(out, std::vector<std::string>(args.begin() + 2, args.end()));
    }
    return RunWindow(argc, argv, std::move(args));
}
