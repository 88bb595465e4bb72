// Feeds arbitrary bytes to a style resource, as a style file named by FileName would be:
// the text form and, separately, the binary form it stores. Unknown classes are skipped
// there, so this also drives the reader past records it cannot create. Whatever the
// input, the resource ends with a whole style root or none, and a control styled from it
// must survive.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/core/load_limits.h"
#include "scene/zu_library/library.h"
#include "scene/zu_scene/tree/control.h"
#include "scene/zu_scene/tree/resources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool registered = [] {
        zu::RegisterLibraryClasses();
        return true;
    }();
    (void)registered;
    // A style asking for more than a load allows (pixels of its images, say) is refused.
    zu::TzuResources text(nullptr);
    try {
        text.SetResourceText(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const zu::EzuLimitError&) {
    }
    zu::TzuResources binary(nullptr);
    try {
        binary.ReadResourcesBin(zu::TzuBytes(data, data + size));
    } catch (const zu::EzuLimitError&) {
    }
    for (zu::TzuResources* res : {&text, &binary}) {
        zu::TzuObject* root = res->StyleRoot();
        if (!root || root->ChildrenCount() == 0 || root->Children(0)->ResourceName().empty()) continue;
        zu::TzuControl control(nullptr);
        // The control clones the style by that name from wherever it lives.
        try {
            control.SetResource(root->Children(0)->ResourceName());
        } catch (const zu::EzuLimitError&) {
            // a style using styles beyond the object limit
        }
    }
    return 0;
}
