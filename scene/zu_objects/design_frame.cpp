#include "scene/zu_objects/design_frame.h"

#include "platform/core/property.h"

namespace zu {

const TzuClass& TzuDesignFrame::StaticClass() {
    using P = ZuProps<TzuDesignFrame>;
    static const TzuPropInfo props[] = {
        P::Event<&TzuDesignFrame::OnChange>("OnChange"),
        P::Event<&TzuDesignFrame::OnTrack>("OnTrack"),
    };
    static const TzuClass cls = ZuClass<TzuDesignFrame, TzuVisualObject>("TzuDesignFrame", props);
    return cls;
}

}  // namespace zu
