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

#include "app/scene_file/scene_file.h"
#include "app/zu_render/input_script.h"
#include "platform/core/class_registry.h"
#include "platform/core/form.h"
#include "platform/core/stream_format.h"
#include "platform/core/stream_reader.h"
#include "platform/core/stream_text.h"
#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"
#include "scene/zu_all/register_all.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace {

const char kUsage[] =
    "Usage: zu-render SCENE OUT.png [--size WxH] [--scale N] [--at MS] [INPUT...]\n"
    "       zu-render --help | --version\n"
    "Loads SCENE (a component stream in binary or text form whose root is a scene or a\n"
    "scene object) into an off-screen scene and writes one frame to OUT.png.\n"
    "Without --size the frame has the scene's own size (a scene object's, rounded up).\n"
    "--scale N (1 to 4) paints the frame as a screen of that density shows it: N x N\n"
    "device pixels for each scene pixel, lines, text and effects drawn at that\n"
    "resolution; OUT.png then has N times the width and height.\n"
    "--at MS shows the frame as it stands MS milliseconds (0 to 3600000) after loading,\n"
    "with every animation advanced on its clock.\n"
    "A frame has sides from 1 to 16384 device pixels and at most 33554432 (2^25) in all.\n"
    "Properties the stream cannot apply are reported and skipped.\n"
    "INPUT events are replayed in order, each when the clock reaches its optional @MS\n"
    "(0 to 3600000, default 0); the frame is taken at --at MS or after the last event:\n"
    "  --mouse X,Y[@MS]    the pointer moves to X,Y (scene pixels, whatever the\n"
    "                      scale): hover, enter, leave\n"
    "  --press X,Y[@MS]    the left button goes down there (held unless released)\n"
    "  --release X,Y[@MS]  the left button comes up there\n"
    "  --click X,Y[@MS]    press and release there\n"
    "  --key NAME[@MS]     a key stroke to the focused object: a character, Tab, Return,\n"
    "                      space, Escape, BackSpace, Delete, arrows, Home, End, PageUp,\n"
    "                      PageDown, F1..F12, Menu; ctrl+, shift+, alt+ in front\n"
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
    int scale = 1;
    int64_t at = 0;
    zu::TzuInputScript events;
};

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
        } else if (arg == "--at") {
            const char* text = i + 1 < argc ? argv[++i] : "";
            const char* end = text + std::strlen(text);
            auto r = std::from_chars(text, end, o.at);
            if (r.ec != std::errc() || r.ptr != end || *text == '\0' || o.at < 0 ||
                o.at > zu::kMaxClockMoment)
                return UsageError("--at wants milliseconds from 0 to " + std::to_string(zu::kMaxClockMoment));
        } else if (zu::TzuInputScript::IsInputOption(arg)) {
            std::string error = arg + " wants a value";
            if (i + 1 >= argc || !o.events.Add(arg, argv[++i], error)) return UsageError(error);
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
    std::string error;
    if (!zu::ReadSceneFile(o.input, data, error)) {
        std::cerr << "zu-render: " << error << "\n";
        return 1;
    }

    zu::TzuHeadlessApplication app;
    app.SetTitle("zu-render");
    app.SetScaleFactor(o.scale);
    auto owner = std::make_unique<zu::TzuForm>(nullptr);
    zu::TzuForm& form = *owner;
    form.SetBorderStyle(zu::bsNone);
    zu::TzuCustomScene* scene = nullptr;
    zu::TzuWinPoint size;
    try {
        scene = zu::LoadSceneFile(form, data, size, [](const std::string& message) {
            std::cerr << "zu-render: skipped: " << message << "\n";
        });
    } catch (const std::exception& e) {
        std::cerr << "zu-render: " << o.input << ": " << e.what() << "\n";
        return 1;
    }

    const int width = o.width > 0 ? o.width : std::clamp(size.X, 1, zu::kMaxFrameSide);
    const int height = o.height > 0 ? o.height : std::clamp(size.Y, 1, zu::kMaxFrameSide);
    if (!zu::FrameSizeAllowed(width * o.scale, height * o.scale)) {
        std::cerr << "zu-render: " << o.input << ": the frame of " << width * o.scale << " x "
                  << height * o.scale
                  << " device pixels is above the limits; choose a smaller one with --size"
                  << (o.scale > 1 ? " or --scale" : "") << "\n";
        return 1;
    }
    scene->SetAlign(zu::alClient);
    form.SetBounds(0, 0, width, height);
    form.Show();
    app.ProcessMessages();
    auto* window = dynamic_cast<zu::TzuHeadlessWindow*>(scene->Window());
    if (!window) {
        std::cerr << "zu-render: the scene has no window\n";
        return 1;
    }
    // Input events and the frame share the clock: each event happens when the clock
    // reaches its moment, and the frame is taken at --at or after the last event.
    o.events.Play(app, *window, [&](int64_t moment) { RunClockTo(app, moment); });
    // The first full paint comes one tick after loading.
    if (o.at > 0)
        RunClockTo(app, o.at);
    else if (app.Now() < 1)
        app.Advance(1);
    app.ProcessMessages();
    if (!app.Errors().empty()) {
        for (const std::string& e : app.Errors()) std::cerr << "zu-render: " << o.input << ": " << e << "\n";
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
        zu::RegisterAll();
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
