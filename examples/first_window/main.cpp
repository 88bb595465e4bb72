// first_window: a window with a panel, a line of text and a button that counts its
// clicks, built in code. docs/getting-started.md walks through it.
//
//   first_window                 opens the window (GTK); closing it ends the program
//   first_window --headless OUT  runs without a display: clicks the button twice and
//                                writes the frame to OUT (PNG)
#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include <quillorn/platform/core/form.h>
#include <quillorn/platform/core/new_child.h>
#include <quillorn/platform/gtk/gtk_application.h>
#include <quillorn/platform/headless/headless_application.h>
#include <quillorn/platform/headless/headless_window.h>
#include <quillorn/scene/zu_all/register_all.h>
#include <quillorn/scene/zu_controls/button.h>
#include <quillorn/scene/zu_objects/rectangle.h>
#include <quillorn/scene/zu_objects/text.h>
#include <quillorn/scene/zu_scene/graphics/bitmap.h>
#include <quillorn/scene/zu_scene/host/scene.h>

namespace {

// Everything the window shows. The form owns every object made below it; the pointers
// are only for wiring and are never freed by hand.
struct Window {
    zu::TzuForm form{nullptr};
    zu::TzuScene* scene = nullptr;
    zu::TzuText* caption = nullptr;
    zu::TzuButton* button = nullptr;
    int clicks = 0;
    int frames = 0;

    Window() {
        form.SetCaption(u"First window");
        form.SetBounds(100, 100, 360, 200);
        // Controls on a form align with alClient; scene objects inside a scene with vaClient.
        scene = zu::NewChild<zu::TzuScene>(&form);
        scene->SetAlign(zu::alClient);
        scene->OnFramePresented().Set([this](zu::TzuPersistent*, int64_t) { ++frames; });

        auto* panel = zu::NewChild<zu::TzuRectangle>(scene);
        panel->SetAlign(zu::vaClient);
        panel->SetXRadius(16);
        panel->SetYRadius(16);
        panel->Fill()->SetColorText("#FF203040");

        caption = zu::NewChild<zu::TzuText>(panel);
        caption->SetBounds(20, 20, 320, 60);
        caption->Font()->SetSize(24);
        caption->Fill()->SetColorText("#FFFFFFFF");
        caption->SetText("Hello, world");

        button = zu::NewChild<zu::TzuButton>(panel);
        button->SetBounds(120, 110, 120, 32);
        button->SetText(u"Click me");
        button->OnClick().Set([this](zu::TzuPersistent*) {
            ++clicks;
            caption->SetText("Clicked " + std::to_string(clicks) + (clicks == 1 ? " time" : " times"));
        });
    }
};

int RunHeadless(const std::string& out) {
    zu::TzuHeadlessApplication app;
    Window window;
    window.form.Show();
    app.ProcessMessages();
    app.Advance(1);
    window.button->Click();
    window.button->Click();
    // Let the press look fade and the frame settle before it is taken.
    app.Advance(500);
    app.ProcessMessages();
    const auto* surface = dynamic_cast<const zu::TzuHeadlessWindow*>(window.scene->Window());
    zu::TzuBitmap frame;
    if (surface) frame.CopyFrom(surface->Image());
    if (!surface || !frame.SaveToFile(out)) {
        std::fprintf(stderr, "first_window: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("first_window: %d clicks, %d frames, wrote %s\n", window.clicks, window.frames, out.c_str());
    return window.clicks == 2 && window.frames > 0 ? 0 : 1;
}

int RunWindow(int argc, char** argv) {
    zu::TzuGtkApplication app(argc, argv);
    Window window;
    app.SetMainForm(&window.form);
    window.form.Show();
    app.Run();  // until the window is closed
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        zu::RegisterAll();  // every class and the Cairo backend, once, before anything else
        if (argc == 3 && std::string(argv[1]) == "--headless") return RunHeadless(argv[2]);
        if (argc != 1) {
            std::fputs("usage: first_window [--headless OUT.png]\n", stderr);
            return 2;
        }
        return RunWindow(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "first_window: %s\n", e.what());
        return 1;
    }
}
