#pragma once
// Shared graphics values — a brush, bitmap or path many objects draw with — are held by
// scene objects of the object tree, a layer above this one. A value links to its holder
// weakly, by the holder's resource name. The tree installs these hooks when it starts, so
// this layer can find a holder, read what it shares and hear when it goes without knowing
// the tree's classes. Before they are installed no holder exists, and every lookup fails.

#include <string>

namespace zu {

struct TzuClass;
class TzuComponent;
class TzuPersistent;

struct TzuSharedResourceHooks {
    // The newest live, stored scene object serving under name, or null.
    TzuComponent* (*find)(const std::string& name) = nullptr;
    // The value holder shares when it is of valueClass, else null.
    TzuPersistent* (*shared)(TzuComponent* holder, const TzuClass& valueClass) = nullptr;
    // The name holder serves under.
    std::string (*name)(TzuComponent* holder) = nullptr;
    // Adds watcher to (or removes it from) those told through FreeNotify when holder goes;
    // false when holder is no scene object and cannot be watched.
    bool (*watch)(TzuComponent* holder, TzuPersistent* watcher, bool add) = nullptr;
};

void SetSharedResourceHooks(const TzuSharedResourceHooks& hooks);
const TzuSharedResourceHooks& SharedResourceHooks();

// Typed conveniences over the hooks; each is safe before the hooks exist.
TzuComponent* FindSharedHolder(const std::string& name);
template <class T>
T* SharedValue(TzuComponent* holder) {
    const auto& h = SharedResourceHooks();
    return holder && h.shared ? static_cast<T*>(h.shared(holder, T::StaticClass())) : nullptr;
}
std::string SharedHolderName(TzuComponent* holder);
bool WatchSharedHolder(TzuComponent* holder, TzuPersistent* watcher, bool add);

}  // namespace zu
