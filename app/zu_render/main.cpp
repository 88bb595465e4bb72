// zu-render: loads a scene stream file into an off-screen scene and writes one frame as PNG.

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "platform/core/class_registry.h"
#include "platform/core/form.h"
#include "platform/core/stream_format.h"
#include "platform/core/stream_reader.h"
#include "platform/core/stream_text.h"
#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"
#include "scene/zu_effects/register_effects.h"
#include "scene/zu_objects/register_objects.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace {

const char kUsage[] =
    "Usage: zu-render SCENE OUT.png [--size WxH]\n"
    "Loads SCENE (a component stream in binary or text form whose root is a scene or a\n"
    "scene object) into an off-screen scene and writes one frame to OUT.png.\n"
    "Without --size the frame has the scene's own size (a scene object's, rounded up).\n"
    "Properties the stream cannot apply are reported and skipped.\n"
    "Exit status: 0 written, 1 the scene does not load or the image cannot be written,\n"
    "2 usage or file error.\n";

constexpr int kMaxSide = 16384;

struct Options {
    std::string input;
    std::string output;
    int width = 0;
    int height = 0;
};

bool ParseSize(const std::string& text, int& w, int& h) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    const char* begin = text.data();
    const char* mid = begin + x;
    const char* end = begin + text.size();
    auto a = std::from_chars(begin, mid, w);
    auto b = std::from_chars(mid + 1, end, h);
    return a.ec == std::errc() && a.ptr == mid && b.ec == std::errc() && b.ptr == end && w > 0 && h > 0 &&
           w <= kMaxSide && h <= kMaxSide;
}

bool ParseArgs(int argc, char** argv, Options& o) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--size") {
            if (i + 1 >= argc || !ParseSize(argv[++i], o.width, o.height)) {
                std::cerr << "zu-render: --size wants WxH with sides from 1 to " << kMaxSide << "\n";
                return false;
            }
        } else if (arg.rfind("--", 0) == 0 && arg.size() > 2) {
            std::cerr << "zu-render: unknown option " << arg << "\n";
            return false;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) {
        std::cerr << kUsage;
        return false;
    }
    o.input = positional[0];
    o.output = positional[1];
    return true;
}

bool ReadFile(const std::string& path, std::vector<uint8_t>& out) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        std::cerr << "zu-render: " << path << ": is a directory\n";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "zu-render: " << path << ": " << std::strerror(errno) << "\n";
        return false;
    }
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

zu::TzuCustomScene* FindScene(zu::TzuWinControl* control) {
    if (auto* scene = zu::As<zu::TzuCustomScene>(control)) return scene;
    for (int i = 0; i < control->ControlCount(); ++i) {
        if (auto* scene = FindScene(control->Controls(i))) return scene;
    }
    return nullptr;
}

// Loads the stream's root under form and returns the scene that shows it; size is the
// frame size the file asks for.
zu::TzuCustomScene* LoadScene(zu::TzuForm& form, const std::vector<uint8_t>& binary, zu::TzuWinPoint& size) {
    const zu::TzuStreamHeader header = zu::TzuStreamReader::ReadHeader(binary);
    const zu::TzuClass* cls = zu::FindClass(header.className);
    if (!cls) throw zu::EzuError("unknown class " + header.className);
    zu::TzuReadOptions options;
    options.onError = [](const std::string& message) {
        std::cerr << "zu-render: skipped: " << message << "\n";
        return true;
    };
    if (cls->InheritsFrom(zu::TzuCustomScene::StaticClass())) {
        auto* scene = static_cast<zu::TzuCustomScene*>(zu::CreateObject(header.className, &form));
        if (!scene) throw zu::EzuError("cannot create " + header.className);
        zu::TzuStreamReader(binary, options).ReadRootInto(scene);
        // Taken before the form aligns the scene to its own (still empty) client area.
        size = {scene->Width(), scene->Height()};
        scene->SetParent(&form);
        return scene;
    }
    if (cls->InheritsFrom(zu::TzuObject::StaticClass())) {
        zu::TzuObject* object = zu::LoadObjectFromStream(&form, binary, [](const std::string& message) {
            std::cerr << "zu-render: skipped: " << message << "\n";
        });
        if (!object) throw zu::EzuError("the stream does not load");
        auto* scene = new zu::TzuScene(&form);
        size = {scene->Width(), scene->Height()};
        scene->SetParent(&form);
        if (auto* v = zu::As<zu::TzuVisualObject>(object)) {
            // Sizes from the file are clamped before they become integers.
            auto side = [](float f) { return std::isfinite(f) ? int(std::clamp(std::ceil(f), 1.0f, float(kMaxSide))) : 1; };
            size = {side(v->Width()), side(v->Height())};
        }
        scene->AddObject(object);
        scene->Loaded();
        return scene;
    }
    throw zu::EzuError(header.className + " is neither a scene nor a scene object");
}

int Render(const Options& o) {
    std::vector<uint8_t> data;
    if (!ReadFile(o.input, data)) return 2;

    zu::TzuHeadlessApplication app;
    app.SetTitle("zu-render");
    zu::TzuForm form(nullptr);
    form.SetBorderStyle(zu::bsNone);
    zu::TzuCustomScene* scene = nullptr;
    zu::TzuWinPoint size;
    try {
        const std::vector<uint8_t> binary = zu::HasStreamSignature(data)
                                                ? data
                                                : zu::ObjectTextToBinary(std::string(data.begin(), data.end()));
        scene = LoadScene(form, binary, size);
    } catch (const std::exception& e) {
        std::cerr << "zu-render: " << o.input << ": " << e.what() << "\n";
        return 1;
    }

    const int width = o.width > 0 ? o.width : std::clamp(size.X, 1, kMaxSide);
    const int height = o.height > 0 ? o.height : std::clamp(size.Y, 1, kMaxSide);
    scene->SetAlign(zu::alClient);
    form.SetBounds(0, 0, width, height);
    form.Show();
    // The first full paint comes one tick after loading.
    app.ProcessMessages();
    app.Advance(1);
    if (!app.Errors().empty()) return 1;

    auto* window = dynamic_cast<zu::TzuHeadlessWindow*>(scene->Window());
    if (!window) {
        std::cerr << "zu-render: the scene has no window\n";
        return 1;
    }
    zu::TzuBitmap frame;
    frame.CopyFrom(window->Image());
    // An opaque window shows colours whatever their alpha; only a transparent scene keeps it.
    if (!scene->Transparency()) {
        for (int64_t i = 0; i < frame.PixelCount(); ++i) frame.Bits()[i] |= 0xFF000000u;
    }
    if (!frame.SaveToFile(o.output)) {
        std::cerr << "zu-render: cannot write " << o.output << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (argc == 2 && std::string(argv[1]) == "--help") {
        std::cout << kUsage;
        return 0;
    }
    if (!ParseArgs(argc, argv, options)) return 2;
    zu::RegisterSceneClasses();
    zu::RegisterObjectClasses();
    zu::RegisterEffectClasses();
    zu::RegisterCairoBackend();
    try {
        return Render(options);
    } catch (const std::exception& e) {
        std::cerr << "zu-render: " << e.what() << "\n";
        return 1;
    }
}
