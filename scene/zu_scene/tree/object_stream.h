#pragma once
// Saving, loading and cloning scene objects through the component stream. Loaded objects
// never carry names (so copies never clash), and a property the stream cannot apply is
// skipped while the rest of the object is read. Every load either returns a whole object
// owned by the given owner or nothing; it never leaves a partly read object behind.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/component.h"
#include "scene/zu_scene/tree/object.h"

namespace zu {

// Told about each property a load skipped, with the reason.
using TzuSkipHook = std::function<void(const std::string& message)>;

// How a load treats a nested object of a class no unit has registered: fail the whole
// load, or leave that object (and what it holds) out and read the rest. Styles are read
// leniently, so a program without some unit still gets every style it can show.
enum class TzuUnknownClasses { Fail, Skip };

// Appends object and its stored children as a binary root record (signature included);
// the root is written without its name, which it keeps. Raises EzuError on failure, and
// then appends nothing.
void SaveObjectToStream(TzuObject* object, std::vector<uint8_t>& stream);
// The same in the text form, appended to text.
void SaveObjectToText(TzuObject* object, std::string& text);

// Creates an object of the stream's root class owned by owner and reads the stream into
// it. Null on any error: bad signature, unknown or non-scene class, malformed data. Input
// past a limit of the load as a whole raises EzuLimitError (load_limits.h) instead, so
// the caller can tell why it was refused.
TzuObject* LoadObjectFromStream(TzuComponent* owner, std::span<const uint8_t> stream,
                                const TzuSkipHook& onSkip = {},
                                TzuUnknownClasses unknown = TzuUnknownClasses::Fail);
// The same from the text form; a syntax error also gives null.
TzuObject* LoadObjectFromText(TzuComponent* owner, std::string_view text, const TzuSkipHook& onSkip = {},
                              TzuUnknownClasses unknown = TzuUnknownClasses::Fail);

// Reads a root record into an existing object, which is held in design state meanwhile.
// Names read are emptied and property errors skipped; anything else raises EzuError,
// after the children this read created have been freed again.
void ReadObjectInto(TzuObject* object, std::span<const uint8_t> stream, const TzuSkipHook& onSkip = {},
                    TzuUnknownClasses unknown = TzuUnknownClasses::Fail);

// A new object of source's exact class, owned by owner, with source's stored state and
// stored children; null when that cannot be made.
TzuObject* CloneObject(TzuObject* source, TzuComponent* owner);

}  // namespace zu
