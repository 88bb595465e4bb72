#include "app/scene_file/scene_file.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "platform/core/class_registry.h"
#include "platform/core/stream_format.h"
#include "platform/core/stream_reader.h"
#include "platform/core/stream_text.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

bool FrameSizeAllowed(int width, int height) {
    return width > 0 && height > 0 && width <= kMaxFrameSide && height <= kMaxFrameSide &&
           int64_t(width) * height <= kMaxFramePixels;
}

bool ParseFrameSize(const std::string& text, int& width, int& height) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    const char* begin = text.data();
    const char* mid = begin + x;
    const char* end = begin + text.size();
    int w = 0, h = 0;
    auto a = std::from_chars(begin, mid, w);
    auto b = std::from_chars(mid + 1, end, h);
    if (a.ec != std::errc() || a.ptr != mid || b.ec != std::errc() || b.ptr != end ||
        !FrameSizeAllowed(w, h)) {
        return false;
    }
    width = w;
    height = h;
    return true;
}

bool ParseScale(const std::string& text, int& scale) {
    int s = 0;
    const char* end = text.data() + text.size();
    auto r = std::from_chars(text.data(), end, s);
    if (text.empty() || r.ec != std::errc() || r.ptr != end || s < 1 || s > kMaxScale) return false;
    scale = s;
    return true;
}

std::string ScaleError() { return "--scale wants a whole number from 1 to " + std::to_string(kMaxScale); }

bool ReadSceneFile(const std::string& path, std::vector<uint8_t>& data, std::string& error) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = path + ": is a directory";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = path + ": cannot be read";
        return false;
    }
    return true;
}

TzuCustomScene* LoadSceneFile(TzuForm& form, const std::vector<uint8_t>& data, TzuWinPoint& size,
                              const std::function<void(const std::string&)>& onSkip, bool keepNames) {
    const std::vector<uint8_t> binary =
        HasStreamSignature(data) ? data : ObjectTextToBinary(std::string(data.begin(), data.end()));
    const TzuStreamHeader header = TzuStreamReader::ReadHeader(binary);
    const TzuClass* cls = FindClass(header.className);
    if (!cls) throw EzuError("Class " + header.className + " not found");
    if (cls->InheritsFrom(TzuCustomScene::StaticClass())) {
        auto* scene = static_cast<TzuCustomScene*>(CreateObject(header.className, &form));
        if (!scene) throw EzuError("cannot create " + header.className);
        TzuReadOptions options;
        options.onError = [&](const std::string& message) {
            if (onSkip) onSkip(message);
            return true;
        };
        TzuStreamReader(binary, options).ReadRootInto(scene);
        // Taken before the form aligns the scene to its own (still empty) client area.
        size = {scene->Width(), scene->Height()};
        scene->SetParent(&form);
        return scene;
    }
    if (cls->InheritsFrom(TzuObject::StaticClass())) {
        // Read as LoadObjectFromStream would, but a stream that does not load says why.
        if (!cls->create) throw EzuError("cannot create " + header.className);
        std::unique_ptr<TzuObject> holder(static_cast<TzuObject*>(cls->create(&form)));
        if (keepNames) {
            TzuReadOptions options;
            options.onError = [&](const std::string& message) {
                if (onSkip) onSkip(message);
                return true;
            };
            holder->SetDesigning(true);
            TzuStreamReader(binary, options).ReadRootInto(holder.get());
            holder->SetName(header.name);
        } else {
            ReadObjectInto(holder.get(), binary, onSkip);
        }
        TzuObject* object = holder.release();
        auto* scene = new TzuScene(&form);
        size = {scene->Width(), scene->Height()};
        scene->SetParent(&form);
        if (auto* v = As<TzuVisualObject>(object)) {
            // Sizes from the file are clamped before they become integers.
            auto side = [](float f) {
                return std::isfinite(f) ? int(std::clamp(std::ceil(f), 1.0f, float(kMaxFrameSide))) : 1;
            };
            size = {side(v->Width()), side(v->Height())};
        }
        scene->AddObject(object);
        scene->Loaded();
        return scene;
    }
    throw EzuError(header.className + " is neither a scene nor a scene object");
}

}  // namespace zu
