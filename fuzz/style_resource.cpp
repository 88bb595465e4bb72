// Feeds arbitrary bytes to a style resource, as a style file named by FileName would be:
// the text form and, separately, the binary form it stores. Unknown classes are skipped
// there, so this also drives the reader past records it cannot create. Whatever the
// input, the resource ends with a whole style root or none, and a control styled from it
// must survive.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "scene/zu_library/library.h"
#include "scene/zu_scene/tree/control.h"
#include "scene/zu_scene/tree/resources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool registered = [] {
        zu::RegisterLibraryClasses();
        return true;
    }();
    (void)registered;
    zu::TzuResources text(nullptr);
    text.SetResourceText(std::string_view(reinterpret_cast<const char*>(data), size));
    zu::TzuResources binary(nullptr);
    binary.ReadResourcesBin(zu::TzuBytes(data, data + size));
    for (zu::TzuResources* res : {&text, &binary}) {
        zu::TzuObject* root = res->StyleRoot();
        if (!root || root->ChildrenCount() == 0 || root->Children(0)->ResourceName().empty()) continue;
        zu::TzuControl control(nullptr);
        // The control clones the style by that name from wherever it lives.
        control.SetResource(root->Children(0)->ResourceName());
    }
    return 0;
}
