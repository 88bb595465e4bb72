#include "scene/zu_scene/tree/ani_thread.h"

#include "platform/core/clock.h"
#include "platform/core/property.h"
#include "scene/zu_scene/tree/animation.h"

namespace zu {

namespace {
TzuAniThread* g_clock = nullptr;
}

const TzuClass& TzuAniThread::StaticClass() {
    static const TzuClass cls = ZuClass<TzuAniThread, TzuTimer>("TzuAniThread");
    return cls;
}

TzuAniThread* TzuAniThread::Instance() { return g_clock; }

TzuAniThread* TzuAniThread::Ensure() {
    if (!g_clock) g_clock = new TzuAniThread();
    return g_clock;
}

void TzuAniThread::FreeInstance() {
    if (!g_clock) return;
    if (g_clock->m_walking > 0) {
        g_clock->m_freePending = true;
        return;
    }
    delete g_clock;
}

TzuAniThread::TzuAniThread() : TzuTimer(nullptr), m_startMs(TickCount()) {
    // Room for a style's worth of running animations before the list grows.
    m_list.reserve(64);
    SetInterval(kInterval);
    OnTimer().Set([this](TzuPersistent*) { Tick(); });
}

TzuAniThread::~TzuAniThread() {
    for (TzuAnimation* a : m_list) {
        if (a) a->m_clockIndex = -1;
    }
    if (g_clock == this) g_clock = nullptr;
}

bool TzuAniThread::Contains(const TzuAnimation* animation) const {
    return animation && animation->m_clockIndex >= 0 &&
           static_cast<size_t>(animation->m_clockIndex) < m_list.size() &&
           m_list[animation->m_clockIndex] == animation;
}

void TzuAniThread::Add(TzuAnimation* animation) {
    if (!animation || Contains(animation)) return;
    animation->m_clockIndex = static_cast<int32_t>(m_list.size());
    m_list.push_back(animation);
    if (!Enabled()) {
        // Waking from idle: the time asleep belongs to no animation, so the next tick
        // measures from now.
        const double now = static_cast<double>(TickCount() - m_startMs) / 1000.0;
        if (now > m_currentTime) m_currentTime = now;
        SetEnabled(true);
    }
}

void TzuAniThread::SleepWhenIdle() {
    if (m_walking == 0 && Count() == 0 && Enabled()) SetEnabled(false);
}

void TzuAniThread::Remove(TzuAnimation* animation) {
    if (!Contains(animation)) return;
    // A hole keeps the positions of the others stable while a walk is under way.
    m_list[animation->m_clockIndex] = nullptr;
    animation->m_clockIndex = -1;
    ++m_holes;
    if (m_walking == 0 && m_holes * 2 > static_cast<int>(m_list.size())) Compact();
    SleepWhenIdle();
}

void TzuAniThread::Compact() {
    size_t out = 0;
    for (TzuAnimation* a : m_list) {
        if (!a) continue;
        a->m_clockIndex = static_cast<int32_t>(out);
        m_list[out++] = a;
    }
    m_list.resize(out);
    m_holes = 0;
}

void TzuAniThread::Tick() {
    const double now = static_cast<double>(TickCount() - m_startMs) / 1000.0;
    if (!(now > m_currentTime)) return;
    m_deltaTime = now - m_currentTime;
    m_currentTime = now;
    const auto delta = static_cast<float>(m_deltaTime);
    ++m_walking;
    // Last to first; animations added during the walk sit beyond the start and wait for
    // the next tick, removed ones leave holes, so none is skipped or advanced twice.
    for (size_t i = m_list.size(); i-- > 0;) {
        TzuAnimation* a = m_list[i];
        if (!a || !a->m_running) continue;
        const std::string& binding = a->BindingName();
        if (binding.size() == 5 && SameText(binding, "caret")) {
            // Carets blink at a third of the rate.
            a->SetTag(a->Tag() + 1);
            if (a->Tag() % 3 != 0) continue;
        }
        a->Advance(delta);
    }
    --m_walking;
    if (m_walking == 0) {
        if (m_holes > 0) Compact();
        if (m_freePending) {
            delete this;
            return;
        }
        SleepWhenIdle();
    }
}

}  // namespace zu
