#include "platform/core/clock.h"

#include <chrono>

namespace zu {

namespace {
int64_t (*g_source)() = nullptr;
}

int64_t TickCount() {
    if (g_source) return g_source();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SetClockSource(int64_t (*source)()) { g_source = source; }

}  // namespace zu
