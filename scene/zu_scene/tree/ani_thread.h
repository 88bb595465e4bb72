#pragma once
// TzuAniThread is the process's animation clock: a 33 ms timer on the user-interface
// thread that advances every running animation of every scene. The first animation
// started in a scene creates it; the host frees it with the last scene. It keeps time
// from the process clock (TickCount, 64-bit milliseconds) relative to its own start, so
// its resolution does not decay with uptime. It holds the running animations without
// owning them; handlers run inside its walk may start, stop or free any animation, the
// one being advanced included. Its timer runs only while it lists an animation, so an
// idle window is never woken by it.

#include <cstdint>
#include <vector>

#include "platform/core/timer.h"

namespace zu {

class TzuAnimation;

class TzuAniThread : public TzuTimer {
    ZU_CLASS(TzuAniThread)
public:
    static constexpr unsigned kInterval = 33;

    // The clock, or null when none runs.
    static TzuAniThread* Instance();
    // The clock, created on first use.
    static TzuAniThread* Ensure();
    // Frees the clock (after its walk when called from inside one).
    static void FreeInstance();

    // Seconds since the clock started, at the last accepted tick.
    double CurrentTime() const { return m_currentTime; }
    double DeltaTime() const { return m_deltaTime; }
    // Animations listed (running or finishing in this walk).
    int Count() const { return static_cast<int>(m_list.size()) - m_holes; }
    bool Contains(const TzuAnimation* animation) const;

    // One tick: advances every listed animation by the time since the last accepted tick.
    // The timer calls it; a renderer may call it to land on an exact moment.
    void Tick();

    void Add(TzuAnimation* animation);
    void Remove(TzuAnimation* animation);

private:
    TzuAniThread();
    ~TzuAniThread() override;
    void Compact();
    // Stops the timer once nothing is listed (outside a walk).
    void SleepWhenIdle();

    std::vector<TzuAnimation*> m_list;  // null entries are holes left by removals
    int64_t m_startMs = 0;
    double m_currentTime = 0;
    double m_deltaTime = 0;
    int m_holes = 0;
    int m_walking = 0;
    bool m_freePending = false;
};

}  // namespace zu
