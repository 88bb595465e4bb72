// hello_scene: a rounded panel with a line of text, painted once without a display and
// written as a PNG file.
//
//   hello_scene [OUT.png]      (default hello_scene.png)
#include <cstdio>
#include <exception>
#include <string>

#include <quillorn/platform/core/form.h>
#include <quillorn/platform/headless/headless_application.h>
#include <quillorn/platform/headless/headless_window.h>
#include <quillorn/scene/zu_all/register_all.h>
#include <quillorn/scene/zu_objects/rectangle.h>
#include <quillorn/scene/zu_objects/text.h>
#include <quillorn/scene/zu_scene/graphics/bitmap.h>
#include <quillorn/scene/zu_scene/host/scene.h>

int main(int argc, char** argv) {
    const std::string out = argc > 1 ? argv[1] : "hello_scene.png";
    try {
        zu::RegisterAll();  // every class and the Cairo backend
        zu::TzuHeadlessApplication app;

        // A borderless form holds the scene control; the form owns every object below.
        zu::TzuForm form(nullptr);
        form.SetBorderStyle(zu::bsNone);
        auto* scene = new zu::TzuScene(&form);
        scene->SetParent(&form);
        scene->SetAlign(zu::alClient);

        auto* panel = new zu::TzuRectangle(&form);
        panel->SetAlign(zu::vaClient);
        panel->SetXRadius(24);
        panel->SetYRadius(24);
        panel->Fill()->SetColorText("#FF2050A0");
        panel->Stroke()->SetColorText("#FFFFFFFF");
        panel->SetStrokeThickness(4);
        scene->AddObject(panel);

        auto* text = new zu::TzuText(&form);
        text->SetAlign(zu::vaClient);
        text->SetText(u"Hello, Quillorn");
        text->Font()->SetSize(36);
        text->Fill()->SetColorText("#FFFFFFFF");
        panel->AddObject(text);

        form.SetBounds(0, 0, 400, 120);
        form.Show();
        // The scene paints its first full frame one timer tick after it was loaded.
        app.ProcessMessages();
        app.Advance(1);

        // The window's pixels become a bitmap, which writes image files.
        const auto* window = dynamic_cast<const zu::TzuHeadlessWindow*>(scene->Window());
        zu::TzuBitmap frame;
        if (window) frame.CopyFrom(window->Image());
        if (!window || !frame.SaveToFile(out)) {
            std::fprintf(stderr, "hello_scene: cannot write %s\n", out.c_str());
            return 1;
        }
        std::printf("hello_scene: wrote %s\n", out.c_str());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "hello_scene: %s\n", e.what());
        return 1;
    }
}
