#pragma once

#include <cstdint>

namespace zu {

// Larger radii blur as this one. It keeps the running half-sums of a line within 16 bits
// and (radius + 1)^2 within the range of the exact divisor; a 511-pixel kernel is
// already far wider than any picture it is applied to is meant to be blurred.
inline constexpr int kStackBlurMaxRadius = 255;

// Blurs width x height 32-bit pixels (4 bytes each, every byte a channel blurred on its own,
// rows top-down, no gap between rows) in place with a triangular kernel of weights
// radius + 1 - |i|, rows first, then columns; positions outside the picture read the nearest
// edge pixel, and each pass rounds down. A radius below 1, or a size below 1 x 1, changes
// nothing; a radius above kStackBlurMaxRadius blurs as kStackBlurMaxRadius. A null buffer
// with a positive size throws std::invalid_argument.
void StackBlur(uint32_t* pixels, int width, int height, int radius);

// Which vector instructions the blur runs on. Best takes the widest the processor has;
// the others exist so that tests and benchmarks can compare the paths.
enum class StackBlurPath { Best, Sse2, Avx2, Avx512 };

bool StackBlurPathSupported(StackBlurPath path);

// As above on a chosen path; a path the processor lacks falls back to Best.
void StackBlur(uint32_t* pixels, int width, int height, int radius, StackBlurPath path);

// floor(sum / (radius + 1)^2) == (uint64_t(sum) * multiplier) >> shift for every sum a
// blur of 8-bit values can reach (0 ... 255 * (radius + 1)^2), radius 1 ... kStackBlurMaxRadius.
struct StackBlurDivisor {
    uint32_t multiplier;
    int shift;
};

StackBlurDivisor StackBlurDivisorFor(int radius);

}  // namespace zu
