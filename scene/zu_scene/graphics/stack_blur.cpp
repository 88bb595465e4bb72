#include "scene/zu_scene/graphics/stack_blur.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <vector>

#include <immintrin.h>

#if !defined(__x86_64__)
#error "StackBlur is written for x86-64 (SSE2 always present, AVX2 and AVX-512 chosen at run time)"
#endif

// How the blur runs: each pass is a set of independent lines (rows, then columns), and one
// call of a line kernel blurs 4 (SSE2), 8 (AVX2) or 16 (AVX-512) lines at once. An entry of
// the kernel is one pixel of each of those lines, 16, 32 or 64 bytes, every byte a channel.
// Columns are blurred where they lie, 4, 8 or 16 neighbouring columns being one entry per row; rows are first
// turned into such entries in a small scratch buffer. Each pass writes bytes back in place,
// since a pass's result is a byte anyway; the kernel keeps the original values of the
// entries it still needs in a ring of 2r + 1 entries.
//
// Per channel the kernel keeps the weighted sum S = sum of (r + 1 - |i|) * p(x + i), the sum
// Out of p(x - r) ... p(x) and the sum In of p(x + 1) ... p(x + r); moving one step adds
// In + p(x + r + 1) - Out to S. In and Out fit 16 bits for r <= 255 and are held offset by
// 0x8000, which turns them into signed 16-bit values, so that one multiply-add by (1, -1)
// yields their 32-bit difference.

namespace zu {
namespace {

// What every line of one call shares: the radius, the divisor and the ring, which belongs
// to the caller's scratch buffer.
struct LineBlur {
    int radius;
    uint32_t multiplier;
    __m128i shift;     // StackBlurDivisor::shift
    __m128i shiftOdd;  // the same less 32, for products of odd lanes
    uint8_t* ring;     // 2 * radius + 1 entries
};

// ---- SSE2: entries of 16 bytes ------------------------------------------------------------

inline __m128i DivideSse2(__m128i sum, __m128i multiplier, __m128i shift) {
    __m128i even = _mm_srl_epi64(_mm_mul_epu32(sum, multiplier), shift);
    __m128i odd = _mm_srl_epi64(_mm_mul_epu32(_mm_srli_epi64(sum, 32), multiplier), shift);
    return _mm_or_si128(even, _mm_slli_epi64(odd, 32));
}

void BlurLinesSse2(uint8_t* base, ptrdiff_t stride, int n, const LineBlur& blur) {
    constexpr int kEntry = 16;
    const int r = blur.radius;
    const int ringSize = 2 * r + 1;
    const __m128i zero = _mm_setzero_si128();
    const __m128i bias = _mm_set1_epi16(INT16_MIN);
    const __m128i plusMinus = _mm_set1_epi32(int32_t(0xFFFF0001u));
    const __m128i multiplier = _mm_set1_epi32(int32_t(blur.multiplier));
    const __m128i shift = blur.shift;
    uint8_t* const ring = blur.ring;  // copied out, as the stores below could alias `blur`
    auto entry = [&](int i) { return reinterpret_cast<__m128i*>(base + ptrdiff_t(i) * stride); };
    auto slot = [&](int i) { return reinterpret_cast<__m128i*>(ring + ptrdiff_t(i) * kEntry); };

    // Positions before the line read entry 0, so Out starts as (r + 1) * p(0); S is built as the
    // sum over k = 0 ... r of the plain sums over |i| <= k, which needs no multiplication.
    const __m128i first = _mm_loadu_si128(entry(0));
    const __m128i firstLo = _mm_unpacklo_epi8(first, zero);
    const __m128i firstHi = _mm_unpackhi_epi8(first, zero);
    const __m128i weight = _mm_set1_epi16(int16_t(r + 1));
    __m128i outLo = _mm_add_epi16(_mm_mullo_epi16(firstLo, weight), bias);
    __m128i outHi = _mm_add_epi16(_mm_mullo_epi16(firstHi, weight), bias);
    __m128i inLo = bias;
    __m128i inHi = bias;
    __m128i band0 = _mm_unpacklo_epi16(firstLo, zero), band1 = _mm_unpackhi_epi16(firstLo, zero);
    __m128i band2 = _mm_unpacklo_epi16(firstHi, zero), band3 = _mm_unpackhi_epi16(firstHi, zero);
    __m128i sum0 = band0, sum1 = band1, sum2 = band2, sum3 = band3;
    for (int i = 0; i <= r; ++i) _mm_storeu_si128(slot(i), first);
    for (int k = 1; k <= r; ++k) {
        const __m128i v = _mm_loadu_si128(entry(std::min(k, n - 1)));
        _mm_storeu_si128(slot(r + k), v);
        const __m128i vLo = _mm_unpacklo_epi8(v, zero);
        const __m128i vHi = _mm_unpackhi_epi8(v, zero);
        inLo = _mm_add_epi16(inLo, vLo);
        inHi = _mm_add_epi16(inHi, vHi);
        const __m128i growLo = _mm_add_epi16(firstLo, vLo);
        const __m128i growHi = _mm_add_epi16(firstHi, vHi);
        band0 = _mm_add_epi32(band0, _mm_unpacklo_epi16(growLo, zero));
        band1 = _mm_add_epi32(band1, _mm_unpackhi_epi16(growLo, zero));
        band2 = _mm_add_epi32(band2, _mm_unpacklo_epi16(growHi, zero));
        band3 = _mm_add_epi32(band3, _mm_unpackhi_epi16(growHi, zero));
        sum0 = _mm_add_epi32(sum0, band0);
        sum1 = _mm_add_epi32(sum1, band1);
        sum2 = _mm_add_epi32(sum2, band2);
        sum3 = _mm_add_epi32(sum3, band3);
    }

    int oldest = 0;  // ring slot of p(x - r)
    int centre = r;  // ring slot of p(x)
    for (int x = 0; x < n; ++x) {
        // Read ahead before writing entry x: at the end of the line both are the last entry.
        const __m128i incoming = _mm_loadu_si128(entry(std::min(x + r + 1, n - 1)));
        const __m128i q01 =
            _mm_packs_epi32(DivideSse2(sum0, multiplier, shift), DivideSse2(sum1, multiplier, shift));
        const __m128i q23 =
            _mm_packs_epi32(DivideSse2(sum2, multiplier, shift), DivideSse2(sum3, multiplier, shift));
        _mm_storeu_si128(entry(x), _mm_packus_epi16(q01, q23));

        inLo = _mm_add_epi16(inLo, _mm_unpacklo_epi8(incoming, zero));
        inHi = _mm_add_epi16(inHi, _mm_unpackhi_epi8(incoming, zero));
        sum0 = _mm_add_epi32(sum0, _mm_madd_epi16(_mm_unpacklo_epi16(inLo, outLo), plusMinus));
        sum1 = _mm_add_epi32(sum1, _mm_madd_epi16(_mm_unpackhi_epi16(inLo, outLo), plusMinus));
        sum2 = _mm_add_epi32(sum2, _mm_madd_epi16(_mm_unpacklo_epi16(inHi, outHi), plusMinus));
        sum3 = _mm_add_epi32(sum3, _mm_madd_epi16(_mm_unpackhi_epi16(inHi, outHi), plusMinus));

        const __m128i leaving = _mm_loadu_si128(slot(oldest));
        _mm_storeu_si128(slot(oldest), incoming);
        outLo = _mm_sub_epi16(outLo, _mm_unpacklo_epi8(leaving, zero));
        outHi = _mm_sub_epi16(outHi, _mm_unpackhi_epi8(leaving, zero));
        oldest = oldest + 1 == ringSize ? 0 : oldest + 1;
        centre = centre + 1 == ringSize ? 0 : centre + 1;

        const __m128i crossing = _mm_loadu_si128(slot(centre));
        const __m128i crossingLo = _mm_unpacklo_epi8(crossing, zero);
        const __m128i crossingHi = _mm_unpackhi_epi8(crossing, zero);
        outLo = _mm_add_epi16(outLo, crossingLo);
        outHi = _mm_add_epi16(outHi, crossingHi);
        inLo = _mm_sub_epi16(inLo, crossingLo);
        inHi = _mm_sub_epi16(inHi, crossingHi);
    }
}

// ---- AVX2: entries of 32 bytes; the same steps, 256 bits wide ------------------------------
// Unpacking and packing both work within 128-bit halves, so the channel order they shuffle
// into is undone on the way back.

[[gnu::target("avx2")]] inline __m256i DivideAvx2(__m256i sum, __m256i multiplier, __m128i shift,
                                                  __m128i shiftOdd) {
    __m256i even = _mm256_srl_epi64(_mm256_mul_epu32(sum, multiplier), shift);
    __m256i odd = _mm256_srl_epi64(_mm256_mul_epu32(_mm256_srli_epi64(sum, 32), multiplier), shiftOdd);
    return _mm256_blend_epi32(even, odd, 0xAA);
}

[[gnu::target("avx2")]] void BlurLinesAvx2(uint8_t* base, ptrdiff_t stride, int n, const LineBlur& blur) {
    constexpr int kEntry = 32;
    const int r = blur.radius;
    const int ringSize = 2 * r + 1;
    const __m256i zero = _mm256_setzero_si256();
    const __m256i bias = _mm256_set1_epi16(INT16_MIN);
    const __m256i plusMinus = _mm256_set1_epi32(int32_t(0xFFFF0001u));
    const __m256i multiplier = _mm256_set1_epi32(int32_t(blur.multiplier));
    const __m128i shift = blur.shift;
    const __m128i shiftOdd = blur.shiftOdd;
    uint8_t* const ring = blur.ring;
    auto entry = [&](int i) { return reinterpret_cast<__m256i*>(base + ptrdiff_t(i) * stride); };
    auto slot = [&](int i) { return reinterpret_cast<__m256i*>(ring + ptrdiff_t(i) * kEntry); };

    const __m256i first = _mm256_loadu_si256(entry(0));
    const __m256i firstLo = _mm256_unpacklo_epi8(first, zero);
    const __m256i firstHi = _mm256_unpackhi_epi8(first, zero);
    const __m256i weight = _mm256_set1_epi16(int16_t(r + 1));
    __m256i outLo = _mm256_add_epi16(_mm256_mullo_epi16(firstLo, weight), bias);
    __m256i outHi = _mm256_add_epi16(_mm256_mullo_epi16(firstHi, weight), bias);
    __m256i inLo = bias;
    __m256i inHi = bias;
    __m256i band0 = _mm256_unpacklo_epi16(firstLo, zero), band1 = _mm256_unpackhi_epi16(firstLo, zero);
    __m256i band2 = _mm256_unpacklo_epi16(firstHi, zero), band3 = _mm256_unpackhi_epi16(firstHi, zero);
    __m256i sum0 = band0, sum1 = band1, sum2 = band2, sum3 = band3;
    for (int i = 0; i <= r; ++i) _mm256_storeu_si256(slot(i), first);
    for (int k = 1; k <= r; ++k) {
        const __m256i v = _mm256_loadu_si256(entry(std::min(k, n - 1)));
        _mm256_storeu_si256(slot(r + k), v);
        const __m256i vLo = _mm256_unpacklo_epi8(v, zero);
        const __m256i vHi = _mm256_unpackhi_epi8(v, zero);
        inLo = _mm256_add_epi16(inLo, vLo);
        inHi = _mm256_add_epi16(inHi, vHi);
        const __m256i growLo = _mm256_add_epi16(firstLo, vLo);
        const __m256i growHi = _mm256_add_epi16(firstHi, vHi);
        band0 = _mm256_add_epi32(band0, _mm256_unpacklo_epi16(growLo, zero));
        band1 = _mm256_add_epi32(band1, _mm256_unpackhi_epi16(growLo, zero));
        band2 = _mm256_add_epi32(band2, _mm256_unpacklo_epi16(growHi, zero));
        band3 = _mm256_add_epi32(band3, _mm256_unpackhi_epi16(growHi, zero));
        sum0 = _mm256_add_epi32(sum0, band0);
        sum1 = _mm256_add_epi32(sum1, band1);
        sum2 = _mm256_add_epi32(sum2, band2);
        sum3 = _mm256_add_epi32(sum3, band3);
    }

    int oldest = 0;
    int centre = r;
    for (int x = 0; x < n; ++x) {
        const __m256i incoming = _mm256_loadu_si256(entry(std::min(x + r + 1, n - 1)));
        const __m256i q01 = _mm256_packs_epi32(DivideAvx2(sum0, multiplier, shift, shiftOdd),
                                               DivideAvx2(sum1, multiplier, shift, shiftOdd));
        const __m256i q23 = _mm256_packs_epi32(DivideAvx2(sum2, multiplier, shift, shiftOdd),
                                               DivideAvx2(sum3, multiplier, shift, shiftOdd));
        _mm256_storeu_si256(entry(x), _mm256_packus_epi16(q01, q23));

        inLo = _mm256_add_epi16(inLo, _mm256_unpacklo_epi8(incoming, zero));
        inHi = _mm256_add_epi16(inHi, _mm256_unpackhi_epi8(incoming, zero));
        sum0 = _mm256_add_epi32(sum0, _mm256_madd_epi16(_mm256_unpacklo_epi16(inLo, outLo), plusMinus));
        sum1 = _mm256_add_epi32(sum1, _mm256_madd_epi16(_mm256_unpackhi_epi16(inLo, outLo), plusMinus));
        sum2 = _mm256_add_epi32(sum2, _mm256_madd_epi16(_mm256_unpacklo_epi16(inHi, outHi), plusMinus));
        sum3 = _mm256_add_epi32(sum3, _mm256_madd_epi16(_mm256_unpackhi_epi16(inHi, outHi), plusMinus));

        const __m256i leaving = _mm256_loadu_si256(slot(oldest));
        _mm256_storeu_si256(slot(oldest), incoming);
        outLo = _mm256_sub_epi16(outLo, _mm256_unpacklo_epi8(leaving, zero));
        outHi = _mm256_sub_epi16(outHi, _mm256_unpackhi_epi8(leaving, zero));
        oldest = oldest + 1 == ringSize ? 0 : oldest + 1;
        centre = centre + 1 == ringSize ? 0 : centre + 1;

        const __m256i crossing = _mm256_loadu_si256(slot(centre));
        const __m256i crossingLo = _mm256_unpacklo_epi8(crossing, zero);
        const __m256i crossingHi = _mm256_unpackhi_epi8(crossing, zero);
        outLo = _mm256_add_epi16(outLo, crossingLo);
        outHi = _mm256_add_epi16(outHi, crossingHi);
        inLo = _mm256_sub_epi16(inLo, crossingLo);
        inHi = _mm256_sub_epi16(inHi, crossingHi);
    }
}

// ---- AVX-512: entries of 64 bytes; the same steps, 512 bits wide --------------------------
// As with AVX2, unpacking and packing stay within 128-bit quarters and undo each other.
// GCC 12's own AVX-512 intrinsics pass a deliberately undefined vector it then reports as
// uninitialized; nothing here reads one.
#if !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

[[gnu::target("avx512f,avx512bw")]] inline __m512i DivideAvx512(__m512i sum, __m512i multiplier,
                                                                __m128i shift, __m128i shiftOdd) {
    __m512i even = _mm512_srl_epi64(_mm512_mul_epu32(sum, multiplier), shift);
    __m512i odd = _mm512_srl_epi64(_mm512_mul_epu32(_mm512_srli_epi64(sum, 32), multiplier), shiftOdd);
    return _mm512_mask_blend_epi32(0xAAAA, even, odd);
}

[[gnu::target("avx512f,avx512bw")]] void BlurLinesAvx512(uint8_t* base, ptrdiff_t stride, int n,
                                                         const LineBlur& blur) {
    constexpr int kEntry = 64;
    const int r = blur.radius;
    const int ringSize = 2 * r + 1;
    const __m512i zero = _mm512_setzero_si512();
    const __m512i bias = _mm512_set1_epi16(INT16_MIN);
    const __m512i plusMinus = _mm512_set1_epi32(int32_t(0xFFFF0001u));
    const __m512i multiplier = _mm512_set1_epi32(int32_t(blur.multiplier));
    const __m128i shift = blur.shift;
    const __m128i shiftOdd = blur.shiftOdd;
    uint8_t* const ring = blur.ring;
    auto entry = [&](int i) { return reinterpret_cast<__m512i*>(base + ptrdiff_t(i) * stride); };
    auto slot = [&](int i) { return reinterpret_cast<__m512i*>(ring + ptrdiff_t(i) * kEntry); };

    const __m512i first = _mm512_loadu_si512(entry(0));
    const __m512i firstLo = _mm512_unpacklo_epi8(first, zero);
    const __m512i firstHi = _mm512_unpackhi_epi8(first, zero);
    const __m512i weight = _mm512_set1_epi16(int16_t(r + 1));
    __m512i outLo = _mm512_add_epi16(_mm512_mullo_epi16(firstLo, weight), bias);
    __m512i outHi = _mm512_add_epi16(_mm512_mullo_epi16(firstHi, weight), bias);
    __m512i inLo = bias;
    __m512i inHi = bias;
    __m512i band0 = _mm512_unpacklo_epi16(firstLo, zero), band1 = _mm512_unpackhi_epi16(firstLo, zero);
    __m512i band2 = _mm512_unpacklo_epi16(firstHi, zero), band3 = _mm512_unpackhi_epi16(firstHi, zero);
    __m512i sum0 = band0, sum1 = band1, sum2 = band2, sum3 = band3;
    for (int i = 0; i <= r; ++i) _mm512_storeu_si512(slot(i), first);
    for (int k = 1; k <= r; ++k) {
        const __m512i v = _mm512_loadu_si512(entry(std::min(k, n - 1)));
        _mm512_storeu_si512(slot(r + k), v);
        const __m512i vLo = _mm512_unpacklo_epi8(v, zero);
        const __m512i vHi = _mm512_unpackhi_epi8(v, zero);
        inLo = _mm512_add_epi16(inLo, vLo);
        inHi = _mm512_add_epi16(inHi, vHi);
        const __m512i growLo = _mm512_add_epi16(firstLo, vLo);
        const __m512i growHi = _mm512_add_epi16(firstHi, vHi);
        band0 = _mm512_add_epi32(band0, _mm512_unpacklo_epi16(growLo, zero));
        band1 = _mm512_add_epi32(band1, _mm512_unpackhi_epi16(growLo, zero));
        band2 = _mm512_add_epi32(band2, _mm512_unpacklo_epi16(growHi, zero));
        band3 = _mm512_add_epi32(band3, _mm512_unpackhi_epi16(growHi, zero));
        sum0 = _mm512_add_epi32(sum0, band0);
        sum1 = _mm512_add_epi32(sum1, band1);
        sum2 = _mm512_add_epi32(sum2, band2);
        sum3 = _mm512_add_epi32(sum3, band3);
    }

    int oldest = 0;
    int centre = r;
    for (int x = 0; x < n; ++x) {
        const __m512i incoming = _mm512_loadu_si512(entry(std::min(x + r + 1, n - 1)));
        const __m512i q01 = _mm512_packs_epi32(DivideAvx512(sum0, multiplier, shift, shiftOdd),
                                               DivideAvx512(sum1, multiplier, shift, shiftOdd));
        const __m512i q23 = _mm512_packs_epi32(DivideAvx512(sum2, multiplier, shift, shiftOdd),
                                               DivideAvx512(sum3, multiplier, shift, shiftOdd));
        _mm512_storeu_si512(entry(x), _mm512_packus_epi16(q01, q23));

        inLo = _mm512_add_epi16(inLo, _mm512_unpacklo_epi8(incoming, zero));
        inHi = _mm512_add_epi16(inHi, _mm512_unpackhi_epi8(incoming, zero));
        sum0 = _mm512_add_epi32(sum0, _mm512_madd_epi16(_mm512_unpacklo_epi16(inLo, outLo), plusMinus));
        sum1 = _mm512_add_epi32(sum1, _mm512_madd_epi16(_mm512_unpackhi_epi16(inLo, outLo), plusMinus));
        sum2 = _mm512_add_epi32(sum2, _mm512_madd_epi16(_mm512_unpacklo_epi16(inHi, outHi), plusMinus));
        sum3 = _mm512_add_epi32(sum3, _mm512_madd_epi16(_mm512_unpackhi_epi16(inHi, outHi), plusMinus));

        const __m512i leaving = _mm512_loadu_si512(slot(oldest));
        _mm512_storeu_si512(slot(oldest), incoming);
        outLo = _mm512_sub_epi16(outLo, _mm512_unpacklo_epi8(leaving, zero));
        outHi = _mm512_sub_epi16(outHi, _mm512_unpackhi_epi8(leaving, zero));
        oldest = oldest + 1 == ringSize ? 0 : oldest + 1;
        centre = centre + 1 == ringSize ? 0 : centre + 1;

        const __m512i crossing = _mm512_loadu_si512(slot(centre));
        const __m512i crossingLo = _mm512_unpacklo_epi8(crossing, zero);
        const __m512i crossingHi = _mm512_unpackhi_epi8(crossing, zero);
        outLo = _mm512_add_epi16(outLo, crossingLo);
        outHi = _mm512_add_epi16(outHi, crossingHi);
        inLo = _mm512_sub_epi16(inLo, crossingLo);
        inHi = _mm512_sub_epi16(inHi, crossingHi);
    }
}
#if !defined(__clang__)
#pragma GCC diagnostic pop
#endif

// ---- Rows to entries and back ------------------------------------------------------------
// A strip of rows becomes one entry per x holding pixel x of each row. Blocks of lanes x lanes
// pixels are transposed in registers; a transposition is its own inverse, so the same moves
// serve both directions. Each row pointer is valid for `width` pixels.

inline void Transpose4(__m128i& r0, __m128i& r1, __m128i& r2, __m128i& r3) {
    const __m128i t0 = _mm_unpacklo_epi32(r0, r1), t1 = _mm_unpackhi_epi32(r0, r1);
    const __m128i t2 = _mm_unpacklo_epi32(r2, r3), t3 = _mm_unpackhi_epi32(r2, r3);
    r0 = _mm_unpacklo_epi64(t0, t2);
    r1 = _mm_unpackhi_epi64(t0, t2);
    r2 = _mm_unpacklo_epi64(t1, t3);
    r3 = _mm_unpackhi_epi64(t1, t3);
}

void RowsToEntriesSse2(uint32_t* const* rows, int width, uint32_t* entries) {
    int x = 0;
    for (; x + 4 <= width; x += 4) {
        __m128i r[4];
        for (int l = 0; l < 4; ++l) r[l] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[l] + x));
        Transpose4(r[0], r[1], r[2], r[3]);
        for (int l = 0; l < 4; ++l)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(entries + size_t(x + l) * 4), r[l]);
    }
    for (; x < width; ++x)
        for (int l = 0; l < 4; ++l) entries[size_t(x) * 4 + l] = rows[l][x];
}

void EntriesToRowsSse2(const uint32_t* entries, int width, uint32_t* const* rows) {
    int x = 0;
    for (; x + 4 <= width; x += 4) {
        __m128i r[4];
        for (int l = 0; l < 4; ++l)
            r[l] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(entries + size_t(x + l) * 4));
        Transpose4(r[0], r[1], r[2], r[3]);
        for (int l = 0; l < 4; ++l) _mm_storeu_si128(reinterpret_cast<__m128i*>(rows[l] + x), r[l]);
    }
    for (; x < width; ++x)
        for (int l = 0; l < 4; ++l) rows[l][x] = entries[size_t(x) * 4 + l];
}

[[gnu::target("avx2")]] inline void Transpose8(__m256i* r) {
    __m256i t[8], u[8];
    for (int i = 0; i < 8; i += 2) {
        t[i] = _mm256_unpacklo_epi32(r[i], r[i + 1]);
        t[i + 1] = _mm256_unpackhi_epi32(r[i], r[i + 1]);
    }
    for (int i = 0; i < 8; i += 4) {
        u[i] = _mm256_unpacklo_epi64(t[i], t[i + 2]);
        u[i + 1] = _mm256_unpackhi_epi64(t[i], t[i + 2]);
        u[i + 2] = _mm256_unpacklo_epi64(t[i + 1], t[i + 3]);
        u[i + 3] = _mm256_unpackhi_epi64(t[i + 1], t[i + 3]);
    }
    for (int i = 0; i < 4; ++i) {
        r[i] = _mm256_permute2x128_si256(u[i], u[i + 4], 0x20);
        r[i + 4] = _mm256_permute2x128_si256(u[i], u[i + 4], 0x31);
    }
}

[[gnu::target("avx2")]] void RowsToEntriesAvx2(uint32_t* const* rows, int width, uint32_t* entries) {
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        __m256i r[8];
        for (int l = 0; l < 8; ++l) r[l] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rows[l] + x));
        Transpose8(r);
        for (int l = 0; l < 8; ++l)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(entries + size_t(x + l) * 8), r[l]);
    }
    for (; x < width; ++x)
        for (int l = 0; l < 8; ++l) entries[size_t(x) * 8 + l] = rows[l][x];
}

[[gnu::target("avx2")]] void EntriesToRowsAvx2(const uint32_t* entries, int width, uint32_t* const* rows) {
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        __m256i r[8];
        for (int l = 0; l < 8; ++l)
            r[l] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(entries + size_t(x + l) * 8));
        Transpose8(r);
        for (int l = 0; l < 8; ++l) _mm256_storeu_si256(reinterpret_cast<__m256i*>(rows[l] + x), r[l]);
    }
    for (; x < width; ++x)
        for (int l = 0; l < 8; ++l) rows[l][x] = entries[size_t(x) * 8 + l];
}

// Sixteen rows make entries of which the first half holds rows 0-7, the second rows 8-15:
// each half is the AVX2 transposition with entries twice as far apart.
[[gnu::target("avx2")]] void RowsToEntries16(uint32_t* const* rows, int width, uint32_t* entries) {
    for (int half = 0; half < 2; ++half) {
        uint32_t* const* h = rows + half * 8;
        int x = 0;
        for (; x + 8 <= width; x += 8) {
            __m256i r[8];
            for (int l = 0; l < 8; ++l) r[l] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(h[l] + x));
            Transpose8(r);
            for (int l = 0; l < 8; ++l)
                _mm256_storeu_si256(reinterpret_cast<__m256i*>(entries + size_t(x + l) * 16 + half * 8),
                                    r[l]);
        }
        for (; x < width; ++x)
            for (int l = 0; l < 8; ++l) entries[size_t(x) * 16 + half * 8 + l] = h[l][x];
    }
}

[[gnu::target("avx2")]] void EntriesToRows16(const uint32_t* entries, int width, uint32_t* const* rows) {
    for (int half = 0; half < 2; ++half) {
        uint32_t* const* h = rows + half * 8;
        int x = 0;
        for (; x + 8 <= width; x += 8) {
            __m256i r[8];
            for (int l = 0; l < 8; ++l)
                r[l] = _mm256_loadu_si256(
                    reinterpret_cast<const __m256i*>(entries + size_t(x + l) * 16 + half * 8));
            Transpose8(r);
            for (int l = 0; l < 8; ++l) _mm256_storeu_si256(reinterpret_cast<__m256i*>(h[l] + x), r[l]);
        }
        for (; x < width; ++x)
            for (int l = 0; l < 8; ++l) h[l][x] = entries[size_t(x) * 16 + half * 8 + l];
    }
}

// ---- Driving the passes -----------------------------------------------------------------

using LineKernel = void (*)(uint8_t* base, ptrdiff_t stride, int n, const LineBlur& blur);

// The routines of one instruction set and how many lines they take at once.
struct Path {
    LineKernel kernel;
    void (*rowsToEntries)(uint32_t* const* rows, int width, uint32_t* entries);
    void (*entriesToRows)(const uint32_t* entries, int width, uint32_t* const* rows);
    int lanes;  // pixels per entry
};

constexpr int kMaxLanes = 16;

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

bool HasAvx512() {
    static const bool has = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
    return has;
}

Path Choose(StackBlurPath path) {
    if ((path == StackBlurPath::Best || path == StackBlurPath::Avx512) && HasAvx512())
        return {BlurLinesAvx512, RowsToEntries16, EntriesToRows16, 16};
    if (path != StackBlurPath::Sse2 && HasAvx2())
        return {BlurLinesAvx2, RowsToEntriesAvx2, EntriesToRowsAvx2, 8};
    return {BlurLinesSse2, RowsToEntriesSse2, EntriesToRowsSse2, 4};
}

// Reused between calls so that a blur allocates nothing once the buffers have grown.
struct Scratch {
    std::vector<uint32_t> lines;
    std::vector<uint32_t> ring;
    std::vector<uint32_t> discard;  // where the results of lanes past the last row go
};

thread_local Scratch t_scratch;

// Rows y0 ... y0 + count - 1 become entries in `lines`, are blurred there and put back.
// Lanes past the last row read it again and write to `discard`.
void BlurRows(uint32_t* pixels, int width, int y0, int count, const Path& path, const LineBlur& blur,
              uint32_t* lines, uint32_t* discard) {
    uint32_t* sources[kMaxLanes];
    uint32_t* targets[kMaxLanes];
    for (int l = 0; l < path.lanes; ++l) {
        uint32_t* row = pixels + size_t(y0 + std::min(l, count - 1)) * size_t(width);
        sources[l] = row;
        targets[l] = l < count ? row : discard;
    }
    path.rowsToEntries(sources, width, lines);
    path.kernel(reinterpret_cast<uint8_t*>(lines), ptrdiff_t(path.lanes) * 4, width, blur);
    path.entriesToRows(lines, width, targets);
}

// The last columns, fewer than an entry holds, are copied out to full entries (the missing
// lanes repeat the last column), blurred there and copied back.
void BlurLastColumns(uint32_t* pixels, int width, int height, int x0, const Path& path, const LineBlur& blur,
                     uint32_t* lines) {
    const int lanes = path.lanes;
    const int count = width - x0;
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = pixels + size_t(y) * size_t(width);
        for (int l = 0; l < lanes; ++l) lines[size_t(y) * lanes + l] = row[x0 + std::min(l, count - 1)];
    }
    path.kernel(reinterpret_cast<uint8_t*>(lines), ptrdiff_t(lanes) * 4, height, blur);
    for (int y = 0; y < height; ++y) {
        uint32_t* row = pixels + size_t(y) * size_t(width);
        for (int l = 0; l < count; ++l) row[x0 + l] = lines[size_t(y) * lanes + l];
    }
}

}  // namespace

StackBlurDivisor StackBlurDivisorFor(int radius) {
    // With d = (r + 1)^2 and 2^(k-1) < d <= 2^k, shift 31 + k gives a multiplier
    // ceil(2^shift / d) below 2^32 whose excess e = multiplier * d - 2^shift is below d;
    // the error sum * e / (d * 2^shift) stays under 1/d for every sum up to 255 * d
    // since 255 * d < 2^31, so the quotient never crosses an integer.
    const int r = std::clamp(radius, 1, kStackBlurMaxRadius);
    const uint64_t d = uint64_t(r + 1) * uint64_t(r + 1);
    int k = 0;
    while ((uint64_t(1) << k) < d) ++k;
    const int shift = 31 + k;
    const uint64_t multiplier = ((uint64_t(1) << shift) + d - 1) / d;
    return {uint32_t(multiplier), shift};
}

bool StackBlurPathSupported(StackBlurPath path) {
    if (path == StackBlurPath::Avx512) return HasAvx512();
    return path != StackBlurPath::Avx2 || HasAvx2();
}

void StackBlur(uint32_t* pixels, int width, int height, int radius) {
    StackBlur(pixels, width, height, radius, StackBlurPath::Best);
}

void StackBlur(uint32_t* pixels, int width, int height, int radius, StackBlurPath which) {
    if (radius < 1 || width < 1 || height < 1) return;
    if (pixels == nullptr) throw std::invalid_argument("StackBlur: no pixels for a picture of positive size");
    const int r = std::min(radius, kStackBlurMaxRadius);
    const Path path = Choose(which);
    const StackBlurDivisor divisor = StackBlurDivisorFor(r);

    Scratch& scratch = t_scratch;
    scratch.ring.resize(size_t(2 * r + 1) * size_t(path.lanes));
    scratch.lines.resize(size_t(std::max(width, height)) * size_t(path.lanes));
    scratch.discard.resize(size_t(width));
    const LineBlur blur{r, divisor.multiplier, _mm_cvtsi32_si128(divisor.shift),
                        _mm_cvtsi32_si128(divisor.shift - 32),
                        reinterpret_cast<uint8_t*>(scratch.ring.data())};

    // A line of one pixel blurs to itself: all its weights fall on that pixel.
    if (width > 1) {
        for (int y = 0; y < height; y += path.lanes)
            BlurRows(pixels, width, y, std::min(path.lanes, height - y), path, blur, scratch.lines.data(),
                     scratch.discard.data());
    }
    if (height > 1) {
        const ptrdiff_t stride = ptrdiff_t(width) * 4;
        int x = 0;
        for (; x + path.lanes <= width; x += path.lanes)
            path.kernel(reinterpret_cast<uint8_t*>(pixels + x), stride, height, blur);
        if (x < width) BlurLastColumns(pixels, width, height, x, path, blur, scratch.lines.data());
    }
}

}  // namespace zu
