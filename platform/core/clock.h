#pragma once
// The process clock in milliseconds: the animation time base and the timers' clock.
// It reads the steady clock unless a platform installs another source (the headless
// platform's manual clock, which tests advance by hand).
//
// Usage:  int64_t t0 = zu::TickCount();  ...  int64_t elapsed = zu::TickCount() - t0;

#include <cstdint>

namespace zu {

int64_t TickCount();
// Installs source as the clock; null restores the steady clock.
void SetClockSource(int64_t (*source)());

}  // namespace zu
