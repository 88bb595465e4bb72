#include "scene/zu_scene/tree/object_stream.h"

#include <memory>

#include "platform/core/class_registry.h"
#include "platform/core/load_limits.h"
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

namespace {
// Runs read(reader) on a reader over stream with object held in design state meanwhile,
// names emptied and property errors skipped.
template <class F>
auto ReadInDesign(TzuObject* object, std::span<const uint8_t> stream, const TzuSkipHook& onSkip,
                  TzuUnknownClasses unknown, F&& read) {
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
        TzuStreamReader reader(stream, options);
        auto result = read(reader);
        if (!wasDesigning) object->SetDesigning(false);
        return result;
    } catch (...) {
        if (!wasDesigning) object->SetDesigning(false);
        throw;
    }
}

// The copy a write of source and a read of it would make, without the bytes; false when
// source needs the stream's own rules. The name is set aside as a write sets it aside.
bool CopyDirectly(TzuObject* source, TzuObject* copy) {
    const std::string name = source->Name();
    source->SetName(std::string());
    try {
        const bool done = ReadInDesign(copy, {}, {}, TzuUnknownClasses::Fail, [&](TzuStreamReader& reader) {
            return reader.CopyRootInto(copy, source);
        });
        source->SetName(name);
        return done;
    } catch (...) {
        source->SetName(name);
        throw;
    }
}
}  // namespace

void ReadObjectInto(TzuObject* object, std::span<const uint8_t> stream, const TzuSkipHook& onSkip,
                    TzuUnknownClasses unknown) {
    ReadInDesign(object, stream, onSkip, unknown, [&](TzuStreamReader& reader) {
        reader.ReadRootInto(object);
        return true;
    });
}

TzuObject* LoadObjectFromStream(TzuComponent* owner, std::span<const uint8_t> stream,
                                const TzuSkipHook& onSkip, TzuUnknownClasses unknown) {
    try {
        const TzuStreamHeader header = TzuStreamReader::ReadHeader(stream);
        std::unique_ptr<TzuObject> object = NewObject(FindClass(header.className), owner);
        if (!object) return nullptr;
        ReadObjectInto(object.get(), stream, onSkip, unknown);
        return object.release();
    } catch (const EzuLimitError&) {
        throw;
    } catch (...) {
        return nullptr;
    }
}

TzuObject* LoadObjectFromText(TzuComponent* owner, std::string_view text, const TzuSkipHook& onSkip,
                              TzuUnknownClasses unknown) {
    try {
        const std::vector<uint8_t> binary = ObjectTextToBinary(text);
        return LoadObjectFromStream(owner, binary, onSkip, unknown);
    } catch (const EzuLimitError&) {
        throw;
    } catch (...) {
        return nullptr;
    }
}

TzuObject* CloneObject(TzuObject* source, TzuComponent* owner) {
    try {
        std::unique_ptr<TzuObject> copy = NewObject(&source->ClassType(), owner);
        if (!copy) return nullptr;
        if (CopyDirectly(source, copy.get())) return copy.release();
        std::vector<uint8_t> stream;
        SaveObjectToStream(source, stream);
        copy = NewObject(&source->ClassType(), owner);
        ReadObjectInto(copy.get(), stream);
        return copy.release();
    } catch (...) {
        return nullptr;
    }
}

}  // namespace zu
