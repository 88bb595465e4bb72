#pragma once
// A headless form holding one scene, shown and painted once, for scene host tests.

#include <gtest/gtest.h>

#include "platform/core/form.h"
#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/host/scene.h"

namespace zu::test {

class HostTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterSceneClasses();
        form = new TzuForm(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(10, 20, kWidth, kHeight);
        scene = new TzuScene(form);
        scene->SetParent(form);
        scene->SetAlign(alClient);
        form->Show();
        app.ProcessMessages();
        window()->ClearPaintLog();
    }
    void TearDown() override { delete form; }

    TzuHeadlessWindow* window() const { return static_cast<TzuHeadlessWindow*>(scene->Window()); }
    uint32_t pixel(int x, int y) const { return window()->Pixel(x, y); }
    // Puts one marker pixel straight into the window, as if something else had drawn there.
    void mark(int x, int y, uint32_t color = 0xFFFF0000) { window()->PutPixels(x, y, &color, 1, 1, 1); }

    static constexpr int kWidth = 100;
    static constexpr int kHeight = 40;
    TzuHeadlessApplication app;
    TzuForm* form = nullptr;
    TzuScene* scene = nullptr;
};

}  // namespace zu::test
