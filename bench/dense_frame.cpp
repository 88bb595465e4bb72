// A full frame of the scene host on a window of scale 2 against the same scene on a
// window of scale 1 and twice the size (its root scaled by 2): both paint the same device
// pixels, lines, text and shadows, so the ratio is what the device scale itself costs.
// The frames run interleaved in one process; the last line is the ratio.

#include <cstdio>
#include <memory>
#include <string>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "bench/median_time.h"
#include "platform/core/form.h"
#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"
#include "scene/zu_effects/shadow_effect.h"
#include "scene/zu_objects/line.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_objects/text.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/background.h"

using namespace zu;

namespace {

constexpr int kW = 480, kH = 320;

// A form whose scene shows a grid of labelled, outlined boxes, every fourth with a shadow,
// with rules between the rows: kW x kH scene units times unitScale on a window of scale.
class Frame {
public:
    Frame(TzuHeadlessApplication& app, int scale, int unitScale) : m_app(app) {
        app.SetScaleFactor(scale);
        m_form = std::make_unique<TzuForm>(nullptr);
        m_form->SetBorderStyle(bsNone);
        m_form->SetBounds(0, 0, kW * unitScale, kH * unitScale);
        m_scene = new TzuScene(m_form.get());
        m_scene->SetParent(m_form.get());
        m_scene->SetAlign(alClient);
        auto* root = new TzuBackground(nullptr);
        root->Fill()->SetStyle(zuBrushSolid);
        root->Fill()->SetColor(0xFFF4F4F4);
        root->Scale()->SetPoint({float(unitScale), float(unitScale)});
        m_scene->AddObject(root);
        for (int row = 0; row < 8; ++row) {
            for (int col = 0; col < 6; ++col) {
                auto* box = new TzuRectangle(nullptr);
                box->SetBounds(8.0f + col * 78, 8.0f + row * 39, 70, 30);
                box->Fill()->SetColor(0xFFD8E4F0);
                box->Stroke()->SetColor(0xFF304050);
                box->SetXRadius(4);
                box->SetYRadius(4);
                box->SetParent(root);
                if ((row * 6 + col) % 4 == 0) (new TzuShadowEffect(nullptr))->SetParent(box);
                auto* label = new TzuText(nullptr);
                label->SetBounds(4, 4, 62, 22);
                label->Font()->SetSize(12);
                label->Fill()->SetColor(0xFF101820);
                label->SetText("Item " + std::to_string(row * 6 + col));
                label->SetParent(box);
            }
            auto* rule = new TzuLine(nullptr);
            rule->SetBounds(4, 3.5f + row * 39, kW - 8, 1);
            rule->SetLineType(zuLineHorizontal);
            rule->Stroke()->SetColor(0xFF8090A0);
            rule->SetParent(root);
        }
        m_form->Show();
        app.ProcessMessages();
    }
    // One whole frame: painted into the canvas and put into the window.
    void Paint() {
        m_scene->AddUpdateRect({0, 0, float(m_scene->ClientWidth()), float(m_scene->ClientHeight())});
        m_app.ProcessMessages();
    }
    int DeviceWidth() const { return static_cast<TzuHeadlessWindow*>(m_scene->Window())->Image().Width(); }

private:
    TzuHeadlessApplication& m_app;
    std::unique_ptr<TzuForm> m_form;
    TzuScene* m_scene = nullptr;
};

}  // namespace

int main() {
    RegisterSceneClasses();
    RegisterCairoBackend();
    TzuHeadlessApplication app;
    Frame dense(app, 2, 1);
    Frame doubled(app, 1, 2);
    std::printf("device widths %d and %d\n", dense.DeviceWidth(), doubled.DeviceWidth());
    dense.Paint();
    doubled.Paint();
    const double ratio = bench::InterleavedRatio([&] { dense.Paint(); }, [&] { doubled.Paint(); }, 2, 30);
    std::printf("frame at scale 2 %.0f us\n", bench::MedianMicros([&] { dense.Paint(); }, 30));
    std::printf("ratio frame_scale2_vs_double_size %.3f\n", ratio);
    return 0;
}
