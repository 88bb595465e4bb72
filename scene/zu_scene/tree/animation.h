#pragma once
// TzuAnimation is the base of the property animations: a non-visual child that changes a
// published property of its parent over time. Trees dispatch starts, stops and state
// triggers to their animation children through this interface; the clock and the
// animation kinds build on it.

#include <string>

#include "scene/zu_scene/tree/object.h"

namespace zu {

class TzuAnimation : public TzuObject {
    ZU_CLASS(TzuAnimation)
public:
    using TzuObject::TzuObject;

    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual bool Running() const = 0;
    // Starts or stops the animation when trigger names a state property that its
    // Trigger condition mentions.
    virtual void ApplyTrigger(TzuObject* instance, std::string_view trigger) = 0;
    const std::string& Trigger() const { return m_trigger; }
    void SetTrigger(const std::string& trigger) { m_trigger = trigger; }

private:
    std::string m_trigger;
};

}  // namespace zu
