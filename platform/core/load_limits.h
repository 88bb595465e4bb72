#pragma once
// Limits that hold for one load of outside input as a whole, beyond what a single reader
// counts: a load is a stream read together with everything it pulls in while it is read
// (style files, images). TzuLoadScope marks a load on the current thread; scopes opened
// inside it join the outermost one, which owns the counts and drops them when it ends.

#include <cstdint>
#include <string>

#include "platform/core/persistent.h"

namespace zu {

// Raised when input asks for more than a limit allows. Readers never skip it as one bad
// property or treat it as one unreadable part: the whole load ends with this message.
class EzuLimitError : public EzuError {
public:
    using EzuError::EzuError;
};

class TzuLoadScope {
public:
    TzuLoadScope();
    ~TzuLoadScope();
    TzuLoadScope(const TzuLoadScope&) = delete;
    TzuLoadScope& operator=(const TzuLoadScope&) = delete;
};

// True while a load runs on this thread.
bool InLoad();

// Counts the pixels of one image about to be decoded against the load's budget; raises
// EzuLimitError when the images of this load would exceed it. Outside a load, nothing.
void ChargeLoadPixels(int64_t pixels, int64_t budget);

}  // namespace zu
