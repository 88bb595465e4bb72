#include "scene/zu_scene/graphics/stack_blur.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace zu {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

using Pixels = std::vector<uint32_t>;

uint32_t Channel(uint32_t p, int c) { return (p >> (8 * c)) & 0xFF; }

// The blur as first written: four integer planes, a division table, a stack of 2r + 1 pixels.
// Kept plain and slow on purpose; it is what the fast routine must equal.
void ReferenceStackBlur(uint32_t* pix, int w, int h, int r) {
    if (r < 1) return;
    const int div = 2 * r + 1;
    const int divsum = ((div + 1) >> 1) * ((div + 1) >> 1);
    std::vector<int> dv(size_t(256) * divsum);
    for (size_t i = 0; i < dv.size(); ++i) dv[i] = int(i) / divsum;
    std::vector<int> planes[4];
    for (auto& plane : planes) plane.assign(size_t(w) * h, 0);
    std::vector<int> vmin(std::max(w, h));
    std::vector<uint32_t> stack(div);

    int yw = 0;
    for (int y = 0; y < h; ++y) {
        int sum[4] = {}, in[4] = {}, out[4] = {};
        int yi = yw;
        for (int i = -r; i <= r; ++i) {
            const uint32_t p = pix[yw + std::min(w - 1, std::max(i, 0))];
            stack[i + r] = p;
            for (int c = 0; c < 4; ++c) {
                sum[c] += int(Channel(p, c)) * (r + 1 - std::abs(i));
                (i > 0 ? in : out)[c] += int(Channel(p, c));
            }
        }
        int sp = r;
        for (int x = 0; x < w; ++x) {
            for (int c = 0; c < 4; ++c) planes[c][yi] = dv[sum[c]];
            for (int c = 0; c < 4; ++c) sum[c] -= out[c];
            const int k = (sp - r + div) % div;
            for (int c = 0; c < 4; ++c) out[c] -= int(Channel(stack[k], c));
            if (y == 0) vmin[x] = std::min(x + r + 1, w - 1);
            stack[k] = pix[yw + vmin[x]];
            for (int c = 0; c < 4; ++c) {
                in[c] += int(Channel(stack[k], c));
                sum[c] += in[c];
            }
            sp = (sp + 1) % div;
            for (int c = 0; c < 4; ++c) {
                out[c] += int(Channel(stack[sp], c));
                in[c] -= int(Channel(stack[sp], c));
            }
            ++yi;
        }
        yw += w;
    }

    auto planePixel = [&](int q) {
        return uint32_t(planes[0][q]) | uint32_t(planes[1][q]) << 8 | uint32_t(planes[2][q]) << 16 |
               uint32_t(planes[3][q]) << 24;
    };
    for (int x = 0; x < w; ++x) {
        int sum[4] = {}, in[4] = {}, out[4] = {};
        int yp = -r * w;
        for (int i = -r; i <= r; ++i) {
            const int q = std::max(0, yp) + x;
            stack[i + r] = planePixel(q);
            for (int c = 0; c < 4; ++c) {
                sum[c] += planes[c][q] * (r + 1 - std::abs(i));
                (i > 0 ? in : out)[c] += planes[c][q];
            }
            if (i < h - 1) yp += w;
        }
        int sp = r;
        int yi = x;
        for (int y = 0; y < h; ++y) {
            pix[yi] = uint32_t(dv[sum[3]]) << 24 | uint32_t(dv[sum[2]]) << 16 | uint32_t(dv[sum[1]]) << 8 |
                      uint32_t(dv[sum[0]]);
            for (int c = 0; c < 4; ++c) sum[c] -= out[c];
            const int k = (sp - r + div) % div;
            for (int c = 0; c < 4; ++c) out[c] -= int(Channel(stack[k], c));
            if (x == 0) vmin[y] = std::min(y + r + 1, h - 1) * w;
            stack[k] = planePixel(x + vmin[y]);
            for (int c = 0; c < 4; ++c) {
                in[c] += int(Channel(stack[k], c));
                sum[c] += in[c];
            }
            sp = (sp + 1) % div;
            for (int c = 0; c < 4; ++c) {
                out[c] += int(Channel(stack[sp], c));
                in[c] -= int(Channel(stack[sp], c));
            }
            yi += w;
        }
    }
}

// Noise, flat patches, saturated runs and a premultiplied gradient, so that sums reach
// both ends of their range and edges see both flat and busy neighbours.
Pixels RandomPicture(std::mt19937& rng, int w, int h) {
    Pixels pixels(size_t(w) * h);
    const int style = int(rng() % 4);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint32_t& p = pixels[size_t(y) * w + x];
            switch (style) {
                case 0: p = rng(); break;
                case 1: p = ((x / 7 + y / 5) % 3 == 0) ? 0xFFFFFFFFu : (((x / 11) % 2) ? rng() : 0u); break;
                case 2: {
                    const uint32_t a = uint32_t((x * 255) / std::max(1, w - 1));
                    const uint32_t c = a * uint32_t((y * 255) / std::max(1, h - 1)) / 255;
                    p = a << 24 | c << 16 | (a - c) << 8 | (c / 2);
                    break;
                }
                default: p = (rng() % 8 == 0) ? rng() : 0xFF000000u; break;
            }
        }
    }
    return pixels;
}

const StackBlurPath kPaths[] = {StackBlurPath::Sse2, StackBlurPath::Avx2, StackBlurPath::Avx512,
                                StackBlurPath::Best};

const char* PathName(StackBlurPath path) {
    switch (path) {
        case StackBlurPath::Sse2: return "sse2";
        case StackBlurPath::Avx2: return "avx2";
        case StackBlurPath::Avx512: return "avx512";
        default: return "best";
    }
}

// Blurs `picture` with the reference and with every available path; reports the first
// differing pixel of a path.
void ExpectMatchesReference(const Pixels& picture, int w, int h, int r) {
    Pixels expected = picture;
    ReferenceStackBlur(expected.data(), w, h, r);
    for (StackBlurPath path : kPaths) {
        if (!StackBlurPathSupported(path)) continue;
        Pixels actual = picture;
        StackBlur(actual.data(), w, h, r, path);
        const auto diff = std::mismatch(expected.begin(), expected.end(), actual.begin());
        if (diff.first != expected.end()) {
            const size_t at = size_t(diff.first - expected.begin());
            ADD_FAILURE() << PathName(path) << " " << w << "x" << h << " r=" << r << " differs at (" << at % w
                          << ", " << at / w << "): expected " << std::hex << *diff.first << ", got "
                          << *diff.second;
        }
    }
}

TEST(StackBlurDivisor, IsExactForEverySumOfEveryRadius) {
    for (int r = 1; r <= kStackBlurMaxRadius; ++r) {
        const StackBlurDivisor divisor = StackBlurDivisorFor(r);
        const uint64_t d = uint64_t(r + 1) * uint64_t(r + 1);
        uint64_t wrong = 0;
        uint64_t sum = 0;
        for (uint64_t quotient = 0; quotient <= 255; ++quotient) {
            const uint64_t end = quotient == 255 ? sum + 1 : sum + d;  // 255 * d is the largest sum
            for (; sum < end; ++sum) wrong += ((sum * divisor.multiplier) >> divisor.shift) != quotient;
        }
        ASSERT_EQ(wrong, 0u) << "radius " << r;
    }
}

TEST(StackBlur, MatchesReferenceOnNamedRadiiAndEdgeSizes) {
    std::mt19937 rng(7);
    const int radii[] = {1, 2, 3, 4, 5, 20, 134, 135};
    // Sizes around the 4- and 8-pixel entries, single rows and columns, and pictures smaller
    // than the kernel.
    const std::pair<int, int> sizes[] = {{1, 1},  {2, 1},  {1, 2},   {1, 37},  {37, 1},
                                         {3, 3},  {4, 4},  {7, 9},   {8, 8},   {9, 17},
                                         {12, 5}, {16, 2}, {17, 16}, {31, 33}, {70, 45}};
    for (const auto& [w, h] : sizes) {
        for (int r : radii) {
            const Pixels picture = RandomPicture(rng, w, h);
            ExpectMatchesReference(picture, w, h, r);
        }
    }
    // Radii past those the effects use, up to the largest, where In and Out fill 16 bits.
    for (int r : {200, kStackBlurMaxRadius}) {
        for (const auto& [w, h] : {std::pair{300, 9}, std::pair{13, 280}, std::pair{5, 5}}) {
            const Pixels picture = RandomPicture(rng, w, h);
            ExpectMatchesReference(picture, w, h, r);
        }
    }
}

TEST(StackBlur, MatchesReferenceOnRandomPictures) {
    std::mt19937 rng(2024);
    const int cases = kSanitized ? 40 : 160;
    for (int i = 0; i < cases; ++i) {
        const int w = 1 + int(rng() % (rng() % 2 ? 40 : 400));
        const int h = 1 + int(rng() % (rng() % 2 ? 40 : 200));
        int r;
        switch (i % 3) {
            case 0: r = 1 + int(rng() % 8); break;
            case 1:  // wider than the picture
                r = std::min(135, std::max(w, h) + 1 + int(rng() % 60));
                break;
            default: r = 1 + int(rng() % 135); break;
        }
        const Pixels picture = RandomPicture(rng, w, h);
        ExpectMatchesReference(picture, w, h, r);
    }
}

TEST(StackBlur, MatchesReferenceOnLargePictures) {
    std::mt19937 rng(99);
    struct Case {
        int w, h, r;
    };
    const Case full[] = {{2000, 300, 4}, {2000, 300, 135}, {1772, 170, 4}, {1760, 158, 20}, {300, 2000, 57}};
    const Case light[] = {{2000, 300, 4}, {1760, 158, 135}};
    const Case* begin = kSanitized ? std::begin(light) : std::begin(full);
    const Case* end = kSanitized ? std::end(light) : std::end(full);
    for (const Case* c = begin; c != end; ++c) {
        const Pixels picture = RandomPicture(rng, c->w, c->h);
        ExpectMatchesReference(picture, c->w, c->h, c->r);
    }
}

TEST(StackBlur, KeepsUniformPicturesAndSpreadsAPointOverTheKernelSquare) {
    for (StackBlurPath path : kPaths) {
        if (!StackBlurPathSupported(path)) continue;
        SCOPED_TRACE(PathName(path));
        Pixels flat(23 * 11, 0x80402010u);
        StackBlur(flat.data(), 23, 11, 6, path);
        EXPECT_EQ(flat, Pixels(23 * 11, 0x80402010u));

        // One opaque white pixel in the middle of a transparent 21 x 21 picture, radius 4: the
        // result is the outer product of the weights (5 - |i|), rounded down per pass, so it
        // covers exactly the 9 x 9 square and is symmetric.
        const int n = 21, r = 4;
        Pixels point(n * n, 0);
        point[10 * n + 10] = 0xFFFFFFFFu;
        StackBlur(point.data(), n, n, r, path);
        for (int y = 0; y < n; ++y) {
            for (int x = 0; x < n; ++x) {
                const int dx = std::abs(x - 10), dy = std::abs(y - 10);
                const int afterRows = 255 * std::max(0, r + 1 - dx) / 25;
                const uint32_t v = uint32_t(afterRows * std::max(0, r + 1 - dy) / 25);
                EXPECT_EQ(point[y * n + x], v * 0x01010101u) << x << "," << y;
            }
        }
    }
}

TEST(StackBlur, RadiusBelowOneOrEmptySizeChangesNothing) {
    std::mt19937 rng(3);
    const Pixels picture = RandomPicture(rng, 9, 6);
    for (int r : {0, -1, INT_MIN}) {
        Pixels pixels = picture;
        StackBlur(pixels.data(), 9, 6, r);
        EXPECT_EQ(pixels, picture) << r;
    }
    Pixels pixels = picture;
    StackBlur(pixels.data(), 0, 6, 3);
    StackBlur(pixels.data(), 9, -2, 3);
    StackBlur(nullptr, 0, 0, 3);
    EXPECT_EQ(pixels, picture);
}

TEST(StackBlur, RadiusAboveTheMaximumBlursAsTheMaximum) {
    std::mt19937 rng(11);
    const Pixels picture = RandomPicture(rng, 40, 30);
    Pixels expected = picture;
    ReferenceStackBlur(expected.data(), 40, 30, kStackBlurMaxRadius);
    for (int r : {kStackBlurMaxRadius + 1, 100000, INT_MAX}) {
        Pixels pixels = picture;
        StackBlur(pixels.data(), 40, 30, r);
        EXPECT_EQ(pixels, expected) << r;
    }
}

TEST(StackBlur, NullPixelsOfAPositiveSizeAreRefused) {
    EXPECT_THROW(StackBlur(nullptr, 4, 4, 2), std::invalid_argument);
}

}  // namespace
}  // namespace zu
