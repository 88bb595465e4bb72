#pragma once
// Timing for the ratios the benchmark programs print: the median wall time of a few
// rounds, so one slow round on a shared machine does not move the result.

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace zu::bench {

// Median microseconds of `rounds` rounds, each calling run() `repeat` times.
template <class F>
double MedianMicros(F&& run, int rounds, int repeat = 1) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        for (int k = 0; k < repeat; ++k) run();
        times.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + rounds / 2, times.end());
    return times[size_t(rounds / 2)];
}

// a's time over b's: five blocks of `rounds` rounds each (20 unless a side is slow), a and
// b interleaved so both sides see the same machine load.
inline double InterleavedRatio(const std::function<void()>& a, const std::function<void()>& b, int repeat,
                               int rounds = 20) {
    double ta = 0, tb = 0;
    for (int block = 0; block < 5; ++block) {
        ta += MedianMicros(a, rounds, repeat);
        tb += MedianMicros(b, rounds, repeat);
    }
    return ta / tb;
}

}  // namespace zu::bench
