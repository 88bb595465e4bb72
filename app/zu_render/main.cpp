// zu-render: loads a scene stream file into an off-screen scene and writes one frame as PNG.

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
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
#include "scene/zu_ani/register_animations.h"
#include "scene/zu_effects/register_effects.h"
#include "scene/zu_objects/register_objects.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace {

constexpr int kMaxSide = 16384;
// A frame is four bytes a pixel: 32 Mpixel is 128 MiB, 8192 x 4096 for example.
constexpr int64_t kMaxPixels = int64_t(1) << 25;

const char kUsage[] =
    "Usage: zu-render SCENE OUT.png [--size WxH] [--at MS]\n"
    "       zu-render --help | --version\n"
    "Loads SCENE (a component stream in binary or text form whose root is a scene or a\n"
    "scene object) into an off-screen scene and writes one frame to OUT.png.\n"
    "Without --size the frame has the scene's own size (a scene object's, rounded up).\n"
    "--at MS shows the frame as it stands MS milliseconds (0 to 3600000) after loading,\n"
    "with every animation advanced on its clock.\n"
    "A frame has sides from 1 to 16384 pixels and at most 33554432 (2^25) pixels in all.\n"
    "Properties the stream cannot apply are reported and skipped.\n"
    "Exit status: 0 written; 1 SCENE cannot be read or does not load, the frame is too\n"
    "large, or the image cannot be written; 2 usage error.\n";

// One line and the usage on standard error: the caller exits 2.
bool UsageError(const std::string& line) {
    std::cerr << "zu-render: " << line << "\n" << kUsage;
    return false;
}

struct Options {
    std::string input;
    std::string output;
    int width = 0;
    int height = 0;
    int64_t at = 0;
};

// The longest time --at runs the clock to: an hour of 33 ms ticks.
constexpr int64_t kMaxAt = 3600000;

bool ParseSize(const std::string& text, int& w, int& h) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    const char* begin = text.data();
    const char* mid = begin + x;
    const char* end = begin + text.size();
    auto a = std::from_chars(begin, mid, w);
    auto b = std::from_chars(mid + 1, end, h);
    return a.ec == std::errc() && a.ptr == mid && b.ec == std::errc() && b.ptr == end && w > 0 && h > 0 &&
           w <= kMaxSide && h <= kMaxSide && int64_t(w) * h <= kMaxPixels;
}

bool ParseArgs(int argc, char** argv, Options& o) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--size") {
            if (i + 1 >= argc || !ParseSize(argv[++i], o.width, o.height)) {
                return UsageError("--size wants WxH with sides from 1 to " + std::to_string(kMaxSide) +
                                  " and at most " + std::to_string(kMaxPixels) + " pixels");
            }
        } else if (arg == "--at") {
            const char* text = i + 1 < argc ? argv[++i] : "";
            const char* end = text + std::strlen(text);
            auto r = std::from_chars(text, end, o.at);
            if (r.ec != std::errc() || r.ptr != end || *text == '\0' || o.at < 0 || o.at > kMaxAt)
                return UsageError("--at wants milliseconds from 0 to " + std::to_string(kMaxAt));
        } else if (arg.rfind("--", 0) == 0 && arg.size() > 2) {
            return UsageError("unknown option " + arg);
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2)
        return UsageError(positional.size() < 2 ? "too few arguments" : "too many arguments");
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
            auto side = [](float f) {
                return std::isfinite(f) ? int(std::clamp(std::ceil(f), 1.0f, float(kMaxSide))) : 1;
            };
            size = {side(v->Width()), side(v->Height())};
        }
        scene->AddObject(object);
        scene->Loaded();
        return scene;
    }
    throw zu::EzuError(header.className + " is neither a scene nor a scene object");
}

// Moves the manual clock to at milliseconds after loading in the animation clock's 33 ms
// ticks; a last, shorter tick lands on at exactly, so the frame shows that very moment.
void RunClockTo(zu::TzuHeadlessApplication& app, int64_t at) {
    while (app.Now() + zu::TzuAniThread::kInterval <= at) app.Advance(zu::TzuAniThread::kInterval);
    if (app.Now() >= at) return;
    app.Advance(at - app.Now());
    if (zu::TzuAniThread* clock = zu::TzuAniThread::Instance()) clock->Tick();
    app.ProcessMessages();
}

int Render(const Options& o) {
    std::vector<uint8_t> data;
    if (!ReadFile(o.input, data)) return 1;

    zu::TzuHeadlessApplication app;
    app.SetTitle("zu-render");
    auto owner = std::make_unique<zu::TzuForm>(nullptr);
    zu::TzuForm& form = *owner;
    form.SetBorderStyle(zu::bsNone);
    zu::TzuCustomScene* scene = nullptr;
    zu::TzuWinPoint size;
    try {
        const std::vector<uint8_t> binary =
            zu::HasStreamSignature(data) ? data
                                         : zu::ObjectTextToBinary(std::string(data.begin(), data.end()));
        scene = LoadScene(form, binary, size);
    } catch (const std::exception& e) {
        std::cerr << "zu-render: " << o.input << ": " << e.what() << "\n";
        return 1;
    }

    const int width = o.width > 0 ? o.width : std::clamp(size.X, 1, kMaxSide);
    const int height = o.height > 0 ? o.height : std::clamp(size.Y, 1, kMaxSide);
    if (int64_t(width) * height > kMaxPixels) {
        std::cerr << "zu-render: " << o.input << ": the frame of " << width << " x " << height
                  << " pixels is above " << kMaxPixels << " pixels; choose a smaller one with --size\n";
        return 1;
    }
    scene->SetAlign(zu::alClient);
    form.SetBounds(0, 0, width, height);
    form.Show();
    // The first full paint comes one tick after loading.
    app.ProcessMessages();
    if (o.at > 0)
        RunClockTo(app, o.at);
    else
        app.Advance(1);
    if (!app.Errors().empty()) return 1;

    auto* window = dynamic_cast<zu::TzuHeadlessWindow*>(scene->Window());
    if (!window) {
        std::cerr << "zu-render: the scene has no window\n";
        return 1;
    }
    // The frame leaves the window rather than being copied, and the form with its windows
    // and the scene's buffer goes before encoding, so one frame-sized block is left.
    zu::TzuBitmap frame;
    zu::TzuPixelBuffer pixels = window->TakeImage();
    const bool opaque = !scene->Transparency();
    owner.reset();
    frame.TakeFrom(pixels);
    // An opaque window shows colours whatever their alpha; only a transparent scene keeps it.
    if (opaque) {
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
    try {
        Options options;
        if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
            std::cout << kUsage;
            return 0;
        }
        if (argc == 2 && std::string(argv[1]) == "--version") {
            std::cout << "zu-render " << ZU_VERSION << "\n";
            return 0;
        }
        if (!ParseArgs(argc, argv, options)) return 2;
        zu::RegisterSceneClasses();
        zu::RegisterObjectClasses();
        zu::RegisterEffectClasses();
        zu::RegisterAnimationClasses();
        zu::RegisterCairoBackend();
        return Render(options);
    } catch (const std::bad_alloc&) {
        std::cerr << "zu-render: out of memory\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "zu-render: " << e.what() << "\n";
        return 1;
    } catch (...) {
        std::cerr << "zu-render: unexpected failure\n";
        return 1;
    }
}
