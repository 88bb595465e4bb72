#pragma once
// TzuInputScript is zu-render's list of input events: pointer moves, presses, releases,
// clicks and key strokes, each at a moment of the headless clock, replayed into the
// scene's window before the frame is taken, as the real events would arrive.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/window.h"

namespace zu {

class TzuHeadlessApplication;
class TzuHeadlessWindow;

// The latest moment of the clock zu-render runs to, for --at and input events alike: an
// hour of 33 ms ticks.
inline constexpr int64_t kMaxClockMoment = 3600000;

class TzuInputScript {
public:
    // The options it takes, without their value.
    static bool IsInputOption(const std::string& option);
    // Adds one event from an option ("--click") and its value ("10,20@300", "Tab",
    // "ctrl+c@50"); false with the reason when the value is not one.
    bool Add(const std::string& option, const std::string& value, std::string& error);
    bool Empty() const { return m_events.empty(); }
    // Replays the events in time order (in the given order at equal times); advanceTo
    // moves the clock forward to each event's moment first, and is not called for a
    // moment the clock has passed.
    void Play(TzuHeadlessApplication& app, TzuHeadlessWindow& window,
              const std::function<void(int64_t)>& advanceTo) const;

private:
    enum class Kind { Move, Press, Release, Click, Key };
    struct Event {
        Kind kind;
        int x = 0;
        int y = 0;
        TzuKeyCode key = 0;
        TzuShiftState shift = 0;
        char16_t ch = 0;
        int64_t at = 0;
    };
    std::vector<Event> m_events;
};

}  // namespace zu
