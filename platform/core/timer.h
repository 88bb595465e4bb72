#pragma once
// TzuTimer is a component that calls OnTimer every Interval milliseconds while Enabled,
// on the message loop of the application object. Its owner frees it. A one-shot timer
// disables (or frees) itself in its handler; freeing a timer inside its own OnTimer is safe.
//
// Usage:
//   auto* t = new zu::TzuTimer(owner);
//   t->SetInterval(1);
//   t->OnTimer().Set([t](zu::TzuPersistent*) { t->SetEnabled(false); ...; delete t; });
// The timer starts when it is enabled with an interval above 0 and an application object
// exists; creating it with Enabled true (the default) starts it at once.

#include <cstdint>

#include "platform/core/component.h"
#include "platform/core/event.h"

namespace zu {

class TzuTimer : public TzuComponent {
    ZU_CLASS(TzuTimer)
public:
    explicit TzuTimer(TzuComponent* owner);
    ~TzuTimer() override;

    unsigned Interval() const { return m_interval; }
    void SetInterval(unsigned value);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    TzuNotifyEvent& OnTimer() { return m_onTimer; }

private:
    void UpdateTimer();
    void Tick();

    unsigned m_interval = 1000;
    bool m_enabled = true;
    uint64_t m_id = 0;
    TzuNotifyEvent m_onTimer;
};

}  // namespace zu
