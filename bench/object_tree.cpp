// Cost of the object model: building and freeing large trees, and writing a published
// property by name, through a resolved path, and through the direct setter.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/class_registry.h"
#include "platform/core/property.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/tree/object.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "scene/zu_scene/tree/visual_object.h"
#include "scene/zu_scene/types/position.h"

using namespace zu;

namespace {

// A scene that only collects update rectangles, so setters do their real repaint work.
class BenchScene : public IzuScene, public TzuComponent {
public:
    BenchScene() : TzuComponent(nullptr) {}
    void AddObject(TzuObject* o) override { o->SetScene(this); }
    void RemoveObject(TzuObject* o) override { o->SetScene(nullptr); }
    void BeginUpdate() override {}
    void EndUpdate() override {}
    void EndUpdateSilently() override {}
    void AddUpdateRect(const TzuRect& r) override {
        last = r;
        ++count;
    }
    bool IsUpdating() const override { return false; }
    void SetUpdating(bool) override {}
    TzuCanvas* Canvas() const override { return nullptr; }
    TzuObject* Root() const override { return nullptr; }
    TzuComponent* SceneControl() override { return this; }
    void Notification(TzuComponent*, TzuOperation) override {}
    int UpdateRectCount() const override { return 0; }
    TzuRect UpdateRect(int) const override { return last; }
    TzuRect last{};
    long count = 0;
};

// 100,000 objects: a root with 100 branches of 999 leaves each.
void BuildAndFreeTree() {
    auto* root = new TzuObject(nullptr);
    for (int b = 0; b < 100; ++b) {
        auto* branch = new TzuObject(nullptr);
        branch->SetParent(root);
        for (int i = 0; i < 999; ++i) (new TzuObject(nullptr))->SetParent(branch);
    }
    delete root;
}

void BM_TreeCreateFree100k(benchmark::State& state) {
    for (auto _ : state) BuildAndFreeTree();
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_TreeCreateFree100k)->Unit(benchmark::kMillisecond);

void BM_SetDirect(benchmark::State& state) {
    TzuPosition p;
    float v = 0;
    for (auto _ : state) {
        p.SetX(v += 1);
        benchmark::DoNotOptimize(p);
    }
}
BENCHMARK(BM_SetDirect);

void BM_SetResolved(benchmark::State& state) {
    TzuPosition p;
    TzuPropRef ref = ResolveProperty(&p, "X");
    float v = 0;
    for (auto _ : state) {
        ref.prop->setFloat(ref.object, v += 1);
        benchmark::DoNotOptimize(p);
    }
}
BENCHMARK(BM_SetResolved);

void BM_SetByName(benchmark::State& state) {
    TzuPosition p;
    double v = 0;
    for (auto _ : state) {
        SetPropValue(ResolveProperty(&p, "X"), v += 1);
        benchmark::DoNotOptimize(p);
    }
}
BENCHMARK(BM_SetByName);

// A binary stream of one className root holding n children of that class, no properties.
std::vector<uint8_t> WideTreeStream(const std::string& className, int n) {
    std::vector<uint8_t> record{static_cast<uint8_t>(className.size())};
    record.insert(record.end(), className.begin(), className.end());
    record.insert(record.end(), {0, 0});  // no name, no properties
    std::vector<uint8_t> out{'T', 'P', 'F', '0'};
    out.insert(out.end(), record.begin(), record.end());
    for (int i = 0; i < n; ++i) {
        out.insert(out.end(), record.begin(), record.end());
        out.push_back(0);  // no children
    }
    out.push_back(0);
    return out;
}

// Nanoseconds per child to load a wide tree from its stream and free it again, with the
// owner freeing the root (children last first) or the root freed on its own (first first).
double WideTreeNanosPerChild(const std::string& className, int n, bool ownerFrees) {
    const std::vector<uint8_t> stream = WideTreeStream(className, n);
    auto t0 = std::chrono::steady_clock::now();
    auto* owner = new TzuComponent(nullptr);
    TzuObject* root = LoadObjectFromStream(owner, stream);
    if (!root || root->ChildrenCount() != n) {
        std::fprintf(stderr, "wide tree of %s did not load\n", className.c_str());
        std::exit(1);
    }
    if (!ownerFrees) delete root;
    delete owner;
    return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - t0).count() / n;
}

// Nanoseconds per child to hang n visual objects one by one under a visual parent outside
// loading, the way code builds a tree, and free them.
double AddedOneByOneNanosPerChild(int n) {
    auto t0 = std::chrono::steady_clock::now();
    auto parent = std::make_unique<TzuVisualObject>(nullptr);
    for (int i = 0; i < n; ++i) (new TzuVisualObject(parent.get()))->SetParent(parent.get());
    parent.reset();
    return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - t0).count() / n;
}

template <class F>
double NanosPerCall(F&& f, int n) {
    auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < n; ++i) f(i);
    auto t1 = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::nano>(t1 - t0).count() / n;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    // Ratios from one run, same process.
    TzuPosition p;
    TzuPropRef ref = ResolveProperty(&p, "X");
    const int n = 20000000;
    double direct = NanosPerCall(
        [&](int i) {
            p.SetX(static_cast<float>(i));
            benchmark::DoNotOptimize(p);
        },
        n);
    double resolved = NanosPerCall(
        [&](int i) {
            ref.prop->setFloat(ref.object, i);
            benchmark::DoNotOptimize(p);
        },
        n);
    double byName = NanosPerCall(
        [&](int i) {
            SetPropValue(ResolveProperty(&p, "X"), double(i));
            benchmark::DoNotOptimize(p);
        },
        n / 10);
    auto t0 = std::chrono::steady_clock::now();
    BuildAndFreeTree();
    double treeMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    std::printf("tree_100k_create_free_ms %.1f\n", treeMs);
    // Loading and freeing a wide tree costs the same per child at any width (1,000,000
    // children: about a second, where freeing once searched the owner's list per child).
    RegisterSceneClasses();
    for (const char* cls : {"TzuObject", "TzuControl"}) {
        for (bool ownerFrees : {false, true}) {
            const double small = WideTreeNanosPerChild(cls, 10000, ownerFrees);
            const double middle = WideTreeNanosPerChild(cls, 100000, ownerFrees);
            const double wide = WideTreeNanosPerChild(cls, 1000000, ownerFrees);
            std::printf("wide_tree_%s_%s: %.0f ns per child at 10k, %.0f at 100k, %.0f at 1M\n", cls,
                        ownerFrees ? "owner_frees" : "root_freed", small, middle, wide);
            // Against 100k: below that the whole tree fits the caches, which flatters it.
            std::printf("ratio wide_tree_per_child_1m_vs_100k_%s_%s %.2f\n", cls,
                        ownerFrees ? "owner_frees" : "root_freed", wide / middle);
        }
    }
    // The same on a visual object's Opacity, the kind of property animations write.
    BenchScene scene;
    TzuVisualObject v(nullptr);
    scene.AddObject(&v);
    TzuPropRef vref = ResolveProperty(&v, "Opacity");
    auto val = [](int i) { return (i & 1) ? 0.25f : 0.75f; };
    double vDirect = NanosPerCall([&](int i) { v.SetOpacity(val(i)); }, n / 10);
    double vResolved = NanosPerCall([&](int i) { vref.prop->setFloat(vref.object, val(i)); }, n / 10);
    double vByName =
        NanosPerCall([&](int i) { SetPropValue(ResolveProperty(&v, "Opacity"), double(val(i))); }, n / 10);
    const double addedSmall = AddedOneByOneNanosPerChild(10000);
    const double addedLarge = AddedOneByOneNanosPerChild(100000);
    std::printf("children_added_one_by_one: %.0f ns per child at 10k, %.0f at 100k\n", addedSmall,
                addedLarge);
    std::printf("ratio added_one_by_one_per_child_100k_vs_10k %.2f\n", addedLarge / addedSmall);
    std::printf("ratio set_by_name_vs_direct_position_x %.2f\n", byName / direct);
    std::printf("ratio set_resolved_vs_direct_position_x %.2f\n", resolved / direct);
    scene.RemoveObject(&v);
    std::printf("ratio set_resolved_vs_direct_opacity %.2f\n", vResolved / vDirect);
    std::printf("ratio set_by_name_vs_direct_opacity %.2f\n", vByName / vDirect);
    return 0;
}
