// scene_file: the window of examples/first_window, described in a scene file
// (first_window.txt) instead of code; the program loads it and wires the button by name.
// docs/getting-started.md walks through it.
//
//   scene_file SCENE.txt                 opens the window (GTK)
//   scene_file SCENE.txt --headless OUT  clicks the button twice and writes the frame (PNG)
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <quillorn/platform/core/form.h>
#include <quillorn/platform/core/stream_format.h>
#include <quillorn/platform/core/stream_reader.h>
#include <quillorn/platform/core/stream_text.h>
#include <quillorn/platform/gtk/gtk_application.h>
#include <quillorn/platform/headless/headless_application.h>
#include <quillorn/platform/headless/headless_window.h>
#include <quillorn/scene/zu_all/register_all.h>
#include <quillorn/scene/zu_controls/button.h>
#include <quillorn/scene/zu_objects/text.h>
#include <quillorn/scene/zu_scene/graphics/bitmap.h>
#include <quillorn/scene/zu_scene/host/scene.h>

namespace {

// The scene named in the file, and the two objects the program talks to, found by name.
// The form owns the scene; the scene owns every object read into it.
struct Window {
    zu::TzuForm form{nullptr};
    zu::TzuScene* scene = nullptr;
    zu::TzuText* caption = nullptr;
    zu::TzuButton* button = nullptr;
    int clicks = 0;

    explicit Window(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        if (!in) throw zu::EzuError("cannot read " + path);
        std::vector<uint8_t> data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        // A scene file comes in the text form or the binary one; the reader takes binary.
        if (!zu::HasStreamSignature(data))
            data = zu::ObjectTextToBinary(std::string(data.begin(), data.end()));
        scene = new zu::TzuScene(&form);
        zu::TzuStreamReader(data).ReadRootInto(scene);  // raises EzuError saying why it failed
        form.SetCaption(u"First window");
        form.SetBounds(100, 100, scene->Width(), scene->Height());
        scene->SetParent(&form);
        scene->SetAlign(zu::alClient);

        caption = zu::As<zu::TzuText>(scene->FindComponent("Caption"));
        button = zu::As<zu::TzuButton>(scene->FindComponent("ClickButton"));
        if (!caption || !button) throw zu::EzuError(path + " has no Caption text or ClickButton button");
        button->OnClick().Set([this](zu::TzuPersistent*) {
            ++clicks;
            caption->SetText("Clicked " + std::to_string(clicks) + (clicks == 1 ? " time" : " times"));
        });
    }
};

int RunHeadless(const std::string& path, const std::string& out) {
    zu::TzuHeadlessApplication app;
    Window window(path);
    window.form.Show();
    app.ProcessMessages();
    app.Advance(1);
    window.button->Click();
    window.button->Click();
    app.Advance(500);
    app.ProcessMessages();
    const auto* surface = dynamic_cast<const zu::TzuHeadlessWindow*>(window.scene->Window());
    zu::TzuBitmap frame;
    if (surface) frame.CopyFrom(surface->Image());
    if (!surface || !frame.SaveToFile(out)) {
        std::fprintf(stderr, "scene_file: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("scene_file: %d clicks, wrote %s\n", window.clicks, out.c_str());
    return window.clicks == 2 ? 0 : 1;
}

int RunWindow(int argc, char** argv, const std::string& path) {
    zu::TzuGtkApplication app(argc, argv);
    Window window(path);
    app.SetMainForm(&window.form);
    window.form.Show();
    app.Run();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        zu::RegisterAll();
        if (argc == 4 && std::string(argv[2]) == "--headless") return RunHeadless(argv[1], argv[3]);
        if (argc != 2) {
            std::fputs("usage: scene_file SCENE.txt [--headless OUT.png]\n", stderr);
            return 2;
        }
        int gtkArgc = 1;
        return RunWindow(gtkArgc, argv, argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "scene_file: %s\n", e.what());
        return 1;
    }
}
