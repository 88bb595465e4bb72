#pragma once
// The process-wide registry of streamable classes by name, so a stream reader can create
// an object from the class name it finds. Classes register once at start-up.

#include <string_view>
#include <vector>

#include "platform/core/persistent.h"

namespace zu {

void RegisterClass(const TzuClass& cls);
// The registered class of that name (ASCII case-insensitive), or null.
const TzuClass* FindClass(std::string_view name);
// Whether cls is the class registered under its own name; cheap while nothing registers.
bool IsRegisteredClass(const TzuClass& cls);
// Creates an instance of a registered, concrete class; null when unknown or abstract.
TzuPersistent* CreateObject(std::string_view className, TzuComponent* owner);
std::vector<const TzuClass*> RegisteredClasses();

}  // namespace zu
