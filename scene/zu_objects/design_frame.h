#pragma once
// TzuDesignFrame is an inert placeholder of the design tools: it paints nothing, handles
// the mouse as any visual object does and only publishes OnChange and OnTrack for its users.

#include "platform/core/event.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

class TzuDesignFrame : public TzuVisualObject {
    ZU_CLASS(TzuDesignFrame)
public:
    using TzuVisualObject::TzuVisualObject;
    TzuNotifyEvent& OnChange() { return m_onChange; }
    TzuNotifyEvent& OnTrack() { return m_onTrack; }

private:
    TzuNotifyEvent m_onChange;
    TzuNotifyEvent m_onTrack;
};

}  // namespace zu
