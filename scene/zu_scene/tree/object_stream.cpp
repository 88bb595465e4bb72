#include "scene/zu_scene/tree/object_stream.h"

#include <memory>

#include "platform/core/class_registry.h"
#include "platform/core/stream_reader.h"
#include "platform/core/stream_text.h"
#include "platform/core/stream_writer.h"

namespace zu {

namespace {
// Holds a new object until the read has succeeded; freeing it also frees whatever the
// read attached to it.
std::unique_ptr<TzuObject> NewObject(const TzuClass* cls, TzuComponent* owner) {
    if (!cls || !cls->create || !cls->InheritsFrom(TzuObject::StaticClass())) return nullptr;
    return std::unique_ptr<TzuObject>(static_cast<TzuObject*>(cls->create(owner)));
}
}  // namespace

void SaveObjectToStream(TzuObject* object, std::vector<uint8_t>& stream) {
    const std::string name = object->Name();
    object->SetName(std::string());
    // Written in place; a failed write takes its partial bytes back out.
    const size_t start = stream.size();
    if (stream.empty()) stream.reserve(2048);
    try {
        TzuStreamWriter(stream).WriteRoot(object);
    } catch (...) {
        stream.resize(start);
        object->SetName(name);
        throw;
    }
    object->SetName(name);
}

void SaveObjectToText(TzuObject* object, std::string& text) {
    std::vector<uint8_t> binary;
    SaveObjectToStream(object, binary);
    text += ObjectBinaryToText(binary);
}

void ReadObjectInto(TzuObject* object, std::span<const uint8_t> stream, const TzuSkipHook& onSkip,
                    TzuUnknownClasses unknown) {
    TzuReadOptions options;
    options.onSetName = [](std::string& name) { name.clear(); };
    options.onError = [&](const std::string& message) {
        if (onSkip) onSkip(message);
        return true;
    };
    if (unknown == TzuUnknownClasses::Skip) {
        options.onUnknownClass = [&](const std::string& className) {
            if (onSkip) onSkip("Class " + className + " not found; skipped");
            return true;
        };
    }
    const bool wasDesigning = object->IsDesigning();
    if (!wasDesigning) object->SetDesigning(true);
    try {
        TzuStreamReader(stream, options).ReadRootInto(object);
    } catch (...) {
        if (!wasDesigning) object->SetDesigning(false);
        throw;
    }
    if (!wasDesigning) object->SetDesigning(false);
}

TzuObject* LoadObjectFromStream(TzuComponent* owner, std::span<const uint8_t> stream,
                                const TzuSkipHook& onSkip, TzuUnknownClasses unknown) {
    try {
        const TzuStreamHeader header = TzuStreamReader::ReadHeader(stream);
        std::unique_ptr<TzuObject> object = NewObject(FindClass(header.className), owner);
        if (!object) return nullptr;
        ReadObjectInto(object.get(), stream, onSkip, unknown);
        return object.release();
    } catch (...) {
        return nullptr;
    }
}

TzuObject* LoadObjectFromText(TzuComponent* owner, std::string_view text, const TzuSkipHook& onSkip,
                              TzuUnknownClasses unknown) {
    try {
        const std::vector<uint8_t> binary = ObjectTextToBinary(text);
        return LoadObjectFromStream(owner, binary, onSkip, unknown);
    } catch (...) {
        return nullptr;
    }
}

TzuObject* CloneObject(TzuObject* source, TzuComponent* owner) {
    try {
        std::vector<uint8_t> stream;
        SaveObjectToStream(source, stream);
        std::unique_ptr<TzuObject> copy = NewObject(&source->ClassType(), owner);
        if (!copy) return nullptr;
        ReadObjectInto(copy.get(), stream);
        return copy.release();
    } catch (...) {
        return nullptr;
    }
}

}  // namespace zu
