// StackBlur against the plain table-and-planes procedure it replaces and against AGG's
// stack_blur_rgba32, on the display panel's effect picture and frame sizes. All three blur
// the same buffer over and over in place; none of them branches on pixel values, so the
// repeated blurring does not favour any of them.

#include "scene/zu_scene/graphics/stack_blur.h"

// GCC 12 misreads AGG's buffer reallocation as a use after free.
// agg_blur.h needs agg_renderer_base.h included first: keep this order.
// clang-format off
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuse-after-free"
#include <agg_renderer_base.h>  // agg_blur.h uses it without including it
#include <agg_blur.h>
#include <agg_pixfmt_rgba.h>
#include <agg_rendering_buffer.h>
#pragma GCC diagnostic pop
// clang-format on
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

// The procedure as first written: four integer planes, a division table, a stack.
void ReferenceStackBlur(uint32_t* pix, int w, int h, int r) {
    if (r < 1) return;
    auto channel = [](uint32_t p, int c) { return int((p >> (8 * c)) & 0xFF); };
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
                sum[c] += channel(p, c) * (r + 1 - std::abs(i));
                (i > 0 ? in : out)[c] += channel(p, c);
            }
        }
        int sp = r;
        for (int x = 0; x < w; ++x) {
            for (int c = 0; c < 4; ++c) planes[c][yi] = dv[sum[c]];
            for (int c = 0; c < 4; ++c) sum[c] -= out[c];
            const int k = (sp - r + div) % div;
            for (int c = 0; c < 4; ++c) out[c] -= channel(stack[k], c);
            if (y == 0) vmin[x] = std::min(x + r + 1, w - 1);
            stack[k] = pix[yw + vmin[x]];
            for (int c = 0; c < 4; ++c) {
                in[c] += channel(stack[k], c);
                sum[c] += in[c];
            }
            sp = (sp + 1) % div;
            for (int c = 0; c < 4; ++c) {
                out[c] += channel(stack[sp], c);
                in[c] -= channel(stack[sp], c);
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
            for (int c = 0; c < 4; ++c) out[c] -= channel(stack[k], c);
            if (x == 0) vmin[y] = std::min(y + r + 1, h - 1) * w;
            stack[k] = planePixel(x + vmin[y]);
            for (int c = 0; c < 4; ++c) {
                in[c] += channel(stack[k], c);
                sum[c] += in[c];
            }
            sp = (sp + 1) % div;
            for (int c = 0; c < 4; ++c) {
                out[c] += channel(stack[sp], c);
                in[c] -= channel(stack[sp], c);
            }
            yi += w;
        }
    }
}

// A premultiplied picture like the panel's: translucent fill, opaque text-like strokes.
std::vector<uint32_t> Picture(int w, int h) {
    std::mt19937 rng(5);
    std::vector<uint32_t> pixels(size_t(w) * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint32_t p = 0x80202040u;
            if ((x / 9 + y / 13) % 4 == 0 && rng() % 3) p = 0xFFF0F0F0u;
            if (x < 6 || y < 6 || x >= w - 6 || y >= h - 6) p = 0;
            pixels[size_t(y) * w + x] = p;
        }
    }
    return pixels;
}

enum class Blur { Ours, OursSse2, Reference, Agg };

void Run(benchmark::State& state, Blur blur, int w, int h, int r) {
    std::vector<uint32_t> pixels = Picture(w, h);
    agg::rendering_buffer buffer(reinterpret_cast<agg::int8u*>(pixels.data()), unsigned(w), unsigned(h),
                                 w * 4);
    agg::pixfmt_bgra32_pre format(buffer);
    for (auto _ : state) {
        switch (blur) {
            case Blur::Ours: zu::StackBlur(pixels.data(), w, h, r); break;
            case Blur::OursSse2: zu::StackBlur(pixels.data(), w, h, r, zu::StackBlurPath::Sse2); break;
            case Blur::Reference: ReferenceStackBlur(pixels.data(), w, h, r); break;
            case Blur::Agg: agg::stack_blur_rgba32(format, unsigned(r), unsigned(r)); break;
        }
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(w) * h);
}

struct Case {
    const char* name;
    int w, h, r;
};

const Case kCases[] = {
    {"1772x170_r4", 1772, 170, 4},
    {"1760x158_r4", 1760, 158, 4},
    {"1760x158_r20", 1760, 158, 20},
    {"1760x158_r135", 1760, 158, 135},
};

const std::pair<Blur, const char*> kBlurs[] = {
    {Blur::Ours, "stackblur"},
    {Blur::OursSse2, "stackblur_sse2"},
    {Blur::Reference, "reference"},
    {Blur::Agg, "agg"},
};

// Prints the usual table and keeps each benchmark's CPU time per iteration for the ratios
// (CPU time, so that other work on a shared machine does not tilt them).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                m_seconds[run.benchmark_name()] = run.cpu_accumulated_time / double(run.iterations);
        }
    }

    // Time of `slow` over time of `fast`, or 0 when either did not run (filtered out).
    double Ratio(const std::string& slow, const std::string& fast) const {
        auto s = m_seconds.find(slow), f = m_seconds.find(fast);
        if (s == m_seconds.end() || f == m_seconds.end() || f->second <= 0) return 0;
        return s->second / f->second;
    }

private:
    std::map<std::string, double> m_seconds;
};

}  // namespace

int main(int argc, char** argv) {
    for (const Case& c : kCases) {
        for (const auto& [blur, name] : kBlurs) {
            benchmark::RegisterBenchmark(
                (std::string(name) + "/" + c.name).c_str(),
                [blur = blur, c](benchmark::State& state) { Run(state, blur, c.w, c.h, c.r); })
                ->Unit(benchmark::kMicrosecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::fflush(stderr);
    std::cout.flush();

    // Ratios of cases filtered out on the command line are left out, except the headline one.
    auto print = [](const std::string& name, double ratio) {
        if (ratio > 0) std::printf("ratio %s %.2f\n", name.c_str(), ratio);
    };
    for (const Case& c : kCases) {
        const std::string name = c.name;
        print("stackblur_vs_reference_" + name, reporter.Ratio("reference/" + name, "stackblur/" + name));
        print("stackblur_sse2_vs_agg_" + name, reporter.Ratio("agg/" + name, "stackblur_sse2/" + name));
        print("stackblur_vs_agg_" + name, reporter.Ratio("agg/" + name, "stackblur/" + name));
    }
    std::printf("ratio stackblur_vs_agg %.2f\n", reporter.Ratio("agg/1772x170_r4", "stackblur/1772x170_r4"));
    return 0;
}
