// The cost of styles: applying "buttonstyle" to a control against cloning the same style
// object, cloning against building the same objects in code, the heap bytes one styled
// control costs, and finding a style by name among few or many live objects. Heap use is
// counted by replacing the global allocation functions of this program. The ratios at
// the end are measured in this run, interleaved so both sides see the same load.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <vector>

#include "bench/counting_allocator.h"
#include "bench/median_time.h"
#include "platform/core/class_registry.h"
#include "platform/core/property.h"
#include "scene/zu_ani/color_animation.h"
#include "scene/zu_controls/text_control.h"
#include "scene/zu_effects/glow_effect.h"
#include "scene/zu_layouts/layout.h"
#include "scene/zu_library/library.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_objects/text.h"
#include "scene/zu_scene/graphics/gradient.h"
#include "scene/zu_scene/tree/control.h"
#include "scene/zu_scene/tree/object_stream.h"

using zu::bench::g_allocations;
using zu::bench::g_liveBytes;

namespace zu {
namespace {

// A button as the style expects it: a text control that publishes IsPressed.
class TzuBenchButton : public TzuTextControl {
    ZU_CLASS(TzuBenchButton)
public:
    explicit TzuBenchButton(TzuComponent* owner) : TzuTextControl(owner) { SetBounds(0, 0, 80, 22); }
    bool IsPressed() const { return false; }
};

const TzuClass& TzuBenchButton::StaticClass() {
    using P = ZuProps<TzuBenchButton>;
    static const TzuPropInfo props[] = {P::Bool<&TzuBenchButton::IsPressed>("IsPressed").NotStored()};
    static const TzuClass cls = ZuClass<TzuBenchButton, TzuTextControl>("TzuBenchButton", props);
    return cls;
}

TzuObject* ButtonStyle() {
    TzuObject* def = LoadDefaultStyle();
    return def ? def->FindResource("buttonstyle") : nullptr;
}

void ApplyStyle() {
    TzuBenchButton button(nullptr);
    button.SetResource("buttonstyle");
    benchmark::DoNotOptimize(button.StyleObject());
}

void CloneStyle() {
    std::unique_ptr<TzuObject> copy(CloneObject(ButtonStyle(), nullptr));
    benchmark::DoNotOptimize(copy.get());
}

// "buttonstyle" made directly, value by value: every value its stored form holds.
void BuildStyle() {
    auto root = std::make_unique<TzuLayout>(nullptr);
    root->Position()->SetPoint({184, 114});
    root->SetWidth(73);
    root->SetHeight(26);
    root->SetResourceName("buttonstyle");
    auto* bg = new TzuRectangle(nullptr);
    bg->SetResourceName("background");
    bg->SetAlign(vaContents);
    bg->SetWidth(73);
    bg->SetHeight(26);
    bg->SetLocked(true);
    bg->SetHitTest(false);
    bg->Fill()->SetStyle(zuBrushGradient);
    bg->Fill()->Gradient()->Points()->Clear();
    bg->Fill()->Gradient()->Points()->AddPoint(0xFF505050, 0);
    bg->Fill()->Gradient()->Points()->AddPoint(0xFF303030, 1);
    bg->Fill()->Gradient()->SetStyle(zuLinearGradient);
    bg->Stroke()->SetColor(0xFF222222);
    bg->SetXRadius(3);
    bg->SetYRadius(3);
    bg->SetParent(root.get());
    const char* triggers[] = {"IsMouseOver=true;IsPressed=false", "IsMouseOver=false;IsPressed=false",
                              "IsMouseOver=false;IsPressed=true", "IsMouseOver=true;IsPressed=true"};
    const TzuColor starts[] = {0xFF505050, 0xFF505050, 0xFF404040, 0xFF707070};
    const TzuColor stops[] = {0xFF707070, 0xFF707070, 0xFF707070, 0xFF404040};
    for (int i = 0; i < 4; ++i) {
        auto* a = new TzuColorAnimation(nullptr);
        a->SetDuration(0.2f);
        a->SetHideOnFinish(false);
        a->SetTrigger(triggers[i]);
        a->SetInverse(i == 1 || i == 2);
        a->SetStartColor(starts[i]);
        a->SetStopColor(stops[i]);
        a->SetPropertyName("Fill.Color");
        a->SetParent(bg);
    }
    auto* text = new TzuText(nullptr);
    text->SetResourceName("text");
    text->SetAlign(vaClient);
    text->SetLocked(true);
    text->Padding()->SetRect({5, 2, 5, 2});
    text->SetWidth(63);
    text->SetHeight(22);
    text->SetHitTest(false);
    text->Fill()->SetColor(0xFFE0E0E0);
    text->SetText(u"button");
    text->SetWordWrap(false);
    text->SetParent(root.get());
    auto* glow = new TzuGlowEffect(nullptr);
    glow->SetTrigger("IsFocused=true");
    glow->SetEnabled(false);
    glow->SetSoftness(0.2f);
    glow->SetOpacity(0.9f);
    glow->SetGlowColorText("#FFF69E2D");
    glow->SetParent(root.get());
    benchmark::DoNotOptimize(root.get());
}

// Finds a stored style by name the way a control's Resource does, with `others` other
// live objects around it.
struct LookupWorld {
    explicit LookupWorld(int others) {
        for (int i = 0; i < others; ++i) {
            objects.emplace_back(std::make_unique<TzuVisualObject>(nullptr));
            if (i % 10 == 0) objects.back()->SetResourceName("item" + std::to_string(i));
        }
        style.reset(CloneObject(ButtonStyle(), nullptr));
        style->SetResourceName("lookedupstyle");
        for (int i = 0; i < others; i += 2) objects.emplace_back(std::make_unique<TzuVisualObject>(nullptr));
    }
    void Find() const { benchmark::DoNotOptimize(TzuObject::FindResourceObject("LookedUpStyle")); }

    std::vector<std::unique_ptr<TzuObject>> objects;
    std::unique_ptr<TzuObject> style;
};

void BM_ApplyButtonStyle(benchmark::State& state) {
    for (auto _ : state) ApplyStyle();
}
BENCHMARK(BM_ApplyButtonStyle)->Unit(benchmark::kMicrosecond);

void BM_CloneButtonStyle(benchmark::State& state) {
    for (auto _ : state) CloneStyle();
}
BENCHMARK(BM_CloneButtonStyle)->Unit(benchmark::kMicrosecond);

void BM_BuildButtonStyle(benchmark::State& state) {
    for (auto _ : state) BuildStyle();
}
BENCHMARK(BM_BuildButtonStyle)->Unit(benchmark::kMicrosecond);

void BM_FindStyleByName(benchmark::State& state) {
    LookupWorld world(static_cast<int>(state.range(0)));
    for (auto _ : state) world.Find();
}
BENCHMARK(BM_FindStyleByName)->Arg(100)->Arg(10000);

// The parts of applying a style that are not the clone, one by one.
void BM_FindButtonStyle(benchmark::State& state) {
    TzuObject* def = LoadDefaultStyle();
    for (auto _ : state) benchmark::DoNotOptimize(def->FindResource("buttonstyle"));
}
BENCHMARK(BM_FindButtonStyle);

void BM_UnstyledButton(benchmark::State& state) {
    for (auto _ : state) {
        TzuBenchButton button(nullptr);
        benchmark::DoNotOptimize(&button);
    }
}
BENCHMARK(BM_UnstyledButton);

// What applying costs besides the clone: the lookup, binding the parts, the layout, the
// control itself. Time per control and heap blocks per control, both sides in this run.
void ReportApplyOverhead() {
    double applyUs = 0, cloneUs = 0;
    for (int block = 0; block < 5; ++block) {
        applyUs += bench::MedianMicros(ApplyStyle, 20, 20);
        cloneUs += bench::MedianMicros(CloneStyle, 20, 20);
    }
    auto allocations = [](void (*run)()) {
        const size_t before = g_allocations;
        run();
        return g_allocations - before;
    };
    std::printf("apply minus clone %.2f us, %zu heap blocks\n", (applyUs - cloneUs) / (5 * 20),
                allocations(ApplyStyle) - allocations(CloneStyle));
}

size_t StyledControlBytes() {
    const size_t before = g_liveBytes;
    auto button = std::make_unique<TzuBenchButton>(nullptr);
    button->SetResource("buttonstyle");
    return g_liveBytes - before;
}

}  // namespace
}  // namespace zu

int main(int argc, char** argv) {
    zu::RegisterLibraryClasses();
    zu::RegisterClass(zu::TzuBenchButton::StaticClass());
    if (!zu::ButtonStyle()) {
        std::fprintf(stderr, "bench_styles: the default style has no buttonstyle\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    const zu::LookupWorld few(100);
    const zu::LookupWorld many(10000);
    std::printf("bytes per styled control (buttonstyle) %zu\n", zu::StyledControlBytes());
    zu::ReportApplyOverhead();
    std::printf("ratio apply_style_vs_clone %.3f (goal <= 1.2)\n",
                zu::bench::InterleavedRatio(zu::ApplyStyle, zu::CloneStyle, 20));
    std::printf("ratio clone_vs_build %.3f (goal <= 3)\n",
                zu::bench::InterleavedRatio(zu::CloneStyle, zu::BuildStyle, 20));
    std::printf("ratio lookup_10k_vs_100 %.3f (goal <= 2)\n",
                zu::bench::InterleavedRatio([&] { many.Find(); }, [&] { few.Find(); }, 2000));
    return 0;
}
