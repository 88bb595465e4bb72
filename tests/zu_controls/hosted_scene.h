#pragma once
// A form hosting one scene in a headless window, for control tests that go through the
// scene's real input routing, focus and animation clock.

#include <gtest/gtest.h>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "platform/core/form.h"
#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"
#include "scene/zu_library/library.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "scene/zu_scene/tree/background.h"

namespace zu::test {

class HostedScene : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterLibraryClasses();
        RegisterCairoBackend();
        form = new TzuForm(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 300, 200);
        scene = new TzuScene(form);
        scene->SetParent(form);
        scene->SetAlign(alClient);
        root = new TzuBackground(nullptr);
        scene->AddObject(root);
        form->Show();
        app.ProcessMessages();
    }
    void TearDown() override {
        delete form;
        TzuAniThread::FreeInstance();
    }
    // Puts a control on the root and lets the first paint style it.
    template <class T>
    T* Add(float x, float y) {
        auto* c = new T(nullptr);
        c->SetParent(root);
        c->Position()->SetPoint(TzuPoint{x, y});
        app.ProcessMessages();
        return c;
    }
    void Advance(int ms) { app.Advance(ms); }
    // Runs n ticks of the animation clock.
    void Tick(int n) {
        for (int i = 0; i < n; ++i) app.Advance(TzuAniThread::kInterval);
    }
    // Lets pending paints style what was added and runs one clock tick.
    void Settle() {
        app.ProcessMessages();
        Tick(1);
    }
    TzuHeadlessWindow* window() const { return static_cast<TzuHeadlessWindow*>(scene->Window()); }
    void Press(int x, int y) { window()->InjectMouseDown(mbLeft, x, y, ssLeft); }
    void Drag(int x, int y) { window()->InjectMouseMove(x, y, ssLeft); }
    void Release(int x, int y) { window()->InjectMouseUp(mbLeft, x, y); }
    void ClickAt(int x, int y) {
        window()->InjectMouseMove(x, y);
        Press(x, y);
        Release(x, y);
    }

    TzuHeadlessApplication app;
    TzuForm* form = nullptr;
    TzuScene* scene = nullptr;
    TzuBackground* root = nullptr;
};

}  // namespace zu::test
