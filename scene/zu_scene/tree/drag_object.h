#pragma once
// TzuDragObject is what a drag hands to the objects it passes over: where it comes from
// (the dragged scene object or the platform's drag source), the dropped file names and
// its data (the first file name, or dropped text).

#include <string>
#include <vector>

#include "platform/core/persistent.h"
#include "platform/core/variant.h"

namespace zu {

struct TzuDragObject {
    TzuPersistent* Source = nullptr;
    std::vector<std::u16string> Files;
    TzuVariant Data;
};

}  // namespace zu
