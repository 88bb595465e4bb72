// One tick of the animation clock with 1,000 running colour animations on "Fill.Color" of
// 1,000 rectangles, against the same colour changes made directly with
// Fill()->SetColor(InterpolateColor(...)) in the same run. Both paths reach the brush and
// the shape's repaint alike (a scene double that drops update rectangles), so the ratio is
// what the engine adds: the walk, easing, the resolved property write and colour text.
// Heap use is counted by replacing the global allocation functions, as the object-size
// benchmark does: a running tick must not allocate.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

#include "bench/counting_allocator.h"
#include "platform/core/clock.h"
#include "scene/zu_ani/color_animation.h"
#include "scene/zu_ani/register_animations.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_objects/register_objects.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/tree/ani_thread.h"

using zu::bench::g_allocations;
using zu::bench::g_liveBytes;

using namespace zu;

namespace {

constexpr int kObjects = 1000;
constexpr int kTicks = 200;
constexpr int kRounds = 21;
constexpr TzuColor kFrom = 0xFF000000;
constexpr TzuColor kTo = 0xFFFFFFFF;
// 255 ticks for one pass: every channel moves by about one step a tick.
constexpr float kDuration = 255 * 0.033f;

int64_t g_now = 0;
int64_t ManualClock() { return g_now; }

class BenchScene : public IzuScene {
public:
    void AddObject(TzuObject* o) override { o->SetScene(this); }
    void RemoveObject(TzuObject*) override {}
    void BeginUpdate() override {}
    void EndUpdate() override {}
    void EndUpdateSilently() override {}
    void AddUpdateRect(const TzuRect&) override { ++rects; }
    bool IsUpdating() const override { return false; }
    void SetUpdating(bool) override {}
    TzuCanvas* Canvas() const override { return nullptr; }
    TzuObject* Root() const override { return nullptr; }
    TzuComponent* SceneControl() override { return nullptr; }
    void Notification(TzuComponent*, TzuOperation) override {}
    int UpdateRectCount() const override { return 0; }
    TzuRect UpdateRect(int) const override { return {}; }
    long rects = 0;
};

double Seconds(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main() {
    RegisterSceneClasses();
    RegisterObjectClasses();
    RegisterAnimationClasses();
    SetClockSource(&ManualClock);

    // Bytes of one colour animation: its own block and whatever it allocates.
    std::vector<TzuColorAnimation*> loose;
    const std::size_t before = g_liveBytes;
    for (int i = 0; i < kObjects; ++i) loose.push_back(new TzuColorAnimation(nullptr));
    const double bytesPerAnimation = double(g_liveBytes - before) / kObjects;
    for (auto* a : loose) delete a;

    BenchScene scene;
    auto* root = new TzuRectangle(nullptr);
    scene.AddObject(root);
    std::vector<TzuRectangle*> rects;
    for (int i = 0; i < kObjects; ++i) {
        auto* r = new TzuRectangle(nullptr);
        r->SetBounds(float(i % 40) * 10, float(i / 40) * 10, 8, 8);
        r->SetParent(root);
        auto* a = new TzuColorAnimation(nullptr);
        a->SetStartColor(kFrom);
        a->SetStopColor(kTo);
        a->SetDuration(kDuration);
        a->SetLoop(true);
        a->SetPropertyName("Fill.Color");
        a->SetParent(r);
        a->Start();
        rects.push_back(r);
    }
    TzuAniThread* clock = TzuAniThread::Instance();
    if (!clock || clock->Count() != kObjects) {
        std::fprintf(stderr, "bench_animation: the animations did not start\n");
        return 1;
    }
    // Warm up: the first ticks may grow buffers once.
    for (int i = 0; i < 10; ++i) {
        g_now += 33;
        clock->Tick();
    }

    double tickBest = 1e9, directBest = 1e9;
    std::size_t tickAllocations = 0;
    int step = 0;
    for (int round = 0; round < kRounds; ++round) {
        const std::size_t allocations = g_allocations;
        auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < kTicks; ++i) {
            g_now += 33;
            clock->Tick();
        }
        tickBest = std::min(tickBest, Seconds(t0) / kTicks);
        tickAllocations += g_allocations - allocations;

        t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < kTicks; ++i) {
            // Half steps: every call changes the colour, as every tick does.
            const float t = (float(++step % 255) + 0.5f) / 255.0f;
            for (TzuRectangle* r : rects) r->Fill()->SetColor(InterpolateColor(kFrom, kTo, t));
        }
        directBest = std::min(directBest, Seconds(t0) / kTicks);
    }

    std::printf("one tick, %d colour animations: %.1f us; %d direct colour changes: %.1f us\n", kObjects,
                tickBest * 1e6, kObjects, directBest * 1e6);
    std::printf("bytes_per_color_animation %.0f (goal <= 512)\n", bytesPerAnimation);
    std::printf("allocations_per_tick %.3g (goal 0)\n", double(tickAllocations) / (kTicks * kRounds));
    std::printf("ratio animation_tick_vs_direct %.3f (goal <= 2.0)\n", tickBest / directBest);
    delete root;
    TzuAniThread::FreeInstance();
    SetClockSource(nullptr);
    return 0;
}
