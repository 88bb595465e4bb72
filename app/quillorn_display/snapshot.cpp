#include "app/quillorn_display/snapshot.h"

#include <cstdio>
#include <memory>

#include "app/quillorn_display/quillorn_form.h"
#include "platform/core/utf.h"
#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"
#include "scene/zu_objects/text.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/host/scene.h"

namespace zu {

int RunSnapshot(const std::string& fileName, std::vector<std::string> params,
                const std::vector<std::string>& lines) {
    TzuHeadlessApplication app;
    RegisterDisplayClasses();
    std::unique_ptr<TForm2> form;
    try {
        form.reset(TForm2::Create(nullptr, TzuParameters(std::move(params))));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillorn-display: cannot make the window: %s\n", e.what());
        return 1;
    }
    if (!lines.empty()) {
        std::u16string text;
        for (const std::string& line : lines) text += (text.empty() ? u"" : u"\r\n") + Utf8ToUtf16(line);
        form->Text1->SetText(text);
    }
    const int64_t pixels = int64_t(form->Width()) * form->Height();
    if (pixels > kMaxSnapshotPixels) {
        std::fprintf(stderr, "quillorn-display: the snapshot of %d x %d pixels is above %lld pixels\n",
                     form->Width(), form->Height(), static_cast<long long>(kMaxSnapshotPixels));
        return 1;
    }
    try {
        form->Show();
        // The scene paints in full one timer tick after it was loaded.
        app.ProcessMessages();
        app.Advance(1);
        app.ProcessMessages();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillorn-display: cannot render the snapshot: %s\n", e.what());
        return 1;
    }
    auto* window = dynamic_cast<TzuHeadlessWindow*>(form->zuScene1->Window());
    TzuBitmap frame;
    if (window) {
        // The frame leaves the window uncopied, and the form goes before encoding.
        TzuPixelBuffer pixels = window->TakeImage();
        form.reset();
        frame.TakeFrom(pixels);
    }
    if (!window || !frame.SaveToFile(fileName)) {
        std::fprintf(stderr, "quillorn-display: cannot write %s\n", fileName.c_str());
        return 1;
    }
    return 0;
}

}  // namespace zu
