#pragma once
// Rounding and conversion rules shared by the value controls (tracks, scroll bars,
// progress bars): halves go to the even neighbour, and a float that becomes an integer
// saturates at the integer's range instead of overflowing (NaN gives 0).

#include <cmath>
#include <cstdint>
#include <limits>

namespace zu {

// The nearest whole number, halves to even, kept as a float (no integer range involved).
inline float RoundHalfEven(float v) { return std::nearbyint(v); }

// The nearest integer of v (halves to even), held within int's range.
inline int SaturatingRound(double v) {
    if (std::isnan(v)) return 0;
    const double r = std::nearbyint(v);
    if (r >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (r <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

// A double brought into float's finite range; NaN stays NaN for the caller to refuse.
inline float SaturatingFloat(double v) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (v > kMax) return std::numeric_limits<float>::max();
    if (v < -kMax) return -std::numeric_limits<float>::max();
    return static_cast<float>(v);
}

}  // namespace zu
