// Feeds arbitrary text to a scene as a scene object stream, then shows the scene once, so
// every control in it applies its style (from the default style or from objects of the
// stream itself, which may use one another) and paints. Whatever the input, the read
// either fails, or is refused for asking too much, or gives a scene that paints; styles
// that would create too many objects are refused with an error, never built.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "platform/core/form.h"
#include "platform/core/load_limits.h"
#include "platform/headless/headless_application.h"
#include "scene/zu_ani/register_animations.h"
#include "scene/zu_effects/register_effects.h"
#include "scene/zu_library/library.h"
#include "scene/zu_objects/register_objects.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/object_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static zu::TzuHeadlessApplication* app = [] {
        zu::RegisterSceneClasses();
        zu::RegisterObjectClasses();
        zu::RegisterEffectClasses();
        zu::RegisterAnimationClasses();
        zu::RegisterLibraryClasses();
        zu::RegisterCairoBackend();
        return new zu::TzuHeadlessApplication();
    }();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto form = std::make_unique<zu::TzuForm>(nullptr);
    form->SetBorderStyle(zu::bsNone);
    zu::TzuObject* object = nullptr;
    try {
        object = zu::LoadObjectFromText(form.get(), text, {}, zu::TzuUnknownClasses::Skip);
    } catch (const zu::EzuLimitError&) {
        return 0;
    }
    if (!object) return 0;
    auto* scene = new zu::TzuScene(form.get());
    scene->SetParent(form.get());
    scene->SetAlign(zu::alClient);
    scene->AddObject(object);
    scene->Loaded();
    form->SetBounds(0, 0, 64, 48);
    form->Show();
    // Errors of the paint (a refused style among them) go to the error box.
    app->ProcessMessages();
    app->ClearErrors();
    form.reset();
    app->ProcessMessages();
    app->ClearErrors();
    return 0;
}
