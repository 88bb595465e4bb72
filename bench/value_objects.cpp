// Throughput of the value objects' bulk work: parsing a large path text, and filling and
// masking the pixels of a display-sized bitmap.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/graphics/path_data.h"

using namespace zu;

namespace {

// About 1 MB of path text: moves, lines, curves and closes with fractional numbers.
std::string LargePathText() {
    std::string text;
    for (int i = 0; text.size() < 1000000; ++i) {
        float x = static_cast<float>(i % 997) * 0.5f, y = static_cast<float>(i % 389) * 0.25f;
        text += "M " + std::to_string(x) + "," + std::to_string(y) + " L " + std::to_string(x + 10) + "," +
                std::to_string(y + 3.5f) + " C " + std::to_string(x + 1) + "," + std::to_string(y + 2) + " " +
                std::to_string(x + 3) + "," + std::to_string(y + 4) + " " + std::to_string(x + 5) + "," +
                std::to_string(y + 6) + " Z ";
    }
    return text;
}

const std::string& PathText() {
    static const std::string text = LargePathText();
    return text;
}

void BM_PathParse(benchmark::State& state) {
    const std::string& text = PathText();
    for (auto _ : state) {
        TzuPathData path;
        benchmark::DoNotOptimize(path.ParseData(text));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_PathParse)->Unit(benchmark::kMillisecond);

constexpr int kW = 1772, kH = 170;

void BM_FillColor(benchmark::State& state) {
    TzuBitmap bmp(kW, kH);
    uint32_t c = 0x80FF8040;
    for (auto _ : state) {
        bmp.FillColor(c ^= 0x00010000);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_FillColor)->Unit(benchmark::kMicrosecond);

void BM_ApplyAlphaMask(benchmark::State& state) {
    TzuBitmap bmp(kW, kH);
    bmp.FillColor(0xFF336699);
    std::vector<uint8_t> mask(static_cast<size_t>(kW) * kH);
    for (size_t i = 0; i < mask.size(); ++i) mask[i] = static_cast<uint8_t>(i * 31);
    for (auto _ : state) {
        bmp.ApplyAlphaMask(mask, 0, 0);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_ApplyAlphaMask)->Unit(benchmark::kMicrosecond);

// Prints MB/s and ns/pixel from the benchmark results.
class Summary : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            double perIter =
                r.GetAdjustedCPUTime() / 1e9 * (r.time_unit == benchmark::kMillisecond ? 1e6 : 1e3);
            if (r.benchmark_name() == "BM_PathParse")
                m_lines.push_back(Line("path_parse_mb_per_s", PathText().size() / 1e6 / perIter));
            else
                m_lines.push_back(Line(r.benchmark_name() + "_ns_per_pixel", perIter * 1e9 / (kW * kH)));
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (auto& l : m_lines) std::puts(l.c_str());
    }

private:
    static std::string Line(const std::string& name, double v) {
        char buf[128];
        std::snprintf(buf, sizeof buf, "%s %.3f", name.c_str(), v);
        return buf;
    }
    std::vector<std::string> m_lines;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Summary reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    return 0;
}
