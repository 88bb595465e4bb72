#include "platform/core/timer.h"

#include "platform/core/application.h"
#include "platform/core/property.h"

namespace zu {

const TzuClass& TzuTimer::StaticClass() {
    using P = ZuProps<TzuTimer>;
    static const TzuPropInfo props[] = {
        P::Bool<&TzuTimer::Enabled, &TzuTimer::SetEnabled>("Enabled").Default(1),
        P::Int<&TzuTimer::Interval, &TzuTimer::SetInterval>("Interval").Default(1000),
        P::Event<&TzuTimer::OnTimer>("OnTimer"),
    };
    static const TzuClass cls = ZuClass<TzuTimer, TzuComponent>("TzuTimer", props);
    return cls;
}

TzuTimer::TzuTimer(TzuComponent* owner) : TzuComponent(owner) { UpdateTimer(); }

TzuTimer::~TzuTimer() {
    m_enabled = false;
    UpdateTimer();
}

void TzuTimer::SetInterval(unsigned value) {
    if (value == m_interval) return;
    m_interval = value;
    UpdateTimer();
}

void TzuTimer::SetEnabled(bool value) {
    if (value == m_enabled) return;
    m_enabled = value;
    UpdateTimer();
}

void TzuTimer::UpdateTimer() {
    TzuApplication* app = Application();
    if (m_id != 0 && app) app->StopTimer(m_id);
    m_id = 0;
    if (m_enabled && m_interval > 0 && app) m_id = app->StartTimer(m_interval, [this] { Tick(); });
}

void TzuTimer::Tick() {
    if (m_onTimer) m_onTimer(this);
}

}  // namespace zu
