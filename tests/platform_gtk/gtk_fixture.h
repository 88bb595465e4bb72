#pragma once
// The shared set-up of the GTK tests: one GTK application on the X display the run gives
// (the test is skipped without one), the loop run until a condition holds, pixels read
// back from the X server and, for the input tests, the pointer moved by xdotool.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "platform/core/form.h"
#include "platform/gtk/gtk_application.h"
#include "platform/gtk/gtk_window.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/background.h"

namespace zu::test {

class GtkFixture : public ::testing::Test {
protected:
    // needsXdotool: the test drives the pointer or keyboard and is skipped without xdotool.
    explicit GtkFixture(bool needsXdotool = false) : m_needsXdotool(needsXdotool) {}

    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
        if (m_needsXdotool && std::system("command -v xdotool > /dev/null") != 0)
            GTEST_SKIP() << "no xdotool";
        RegisterSceneClasses();
        RegisterCairoBackend();
        // The accessibility bridge talks to a session bus the test display does not have.
        setenv("NO_AT_BRIDGE", "1", 1);
        int argc = 1;
        static char name[] = "zu_platform_gtk_tests";
        static char* args[] = {name, nullptr};
        char** argv = args;
        app = std::make_unique<TzuGtkApplication>(argc, argv);
    }

    // Runs the loop until pred holds or about three seconds have passed.
    template <class P>
    bool WaitFor(P pred) {
        for (int i = 0; i < 300; ++i) {
            app->ProcessMessages();
            if (pred()) return true;
            g_usleep(10000);
        }
        return false;
    }

    // Runs the loop for about n times 10 ms.
    void Pump(int n) {
        WaitFor([&n] { return --n <= 0; });
    }

    // The pixel the X server shows at (x, y) of the form's window, as 0xRRGGBB.
    static uint32_t ScreenPixel(TzuForm& form, int x, int y) {
        auto* w = dynamic_cast<TzuGtkWindow*>(form.Window());
        GdkWindow* gdk = w ? gtk_widget_get_window(w->Widget()) : nullptr;
        if (!gdk) return 0xDEADBEEF;
        GdkPixbuf* pb = gdk_pixbuf_get_from_window(gdk, x, y, 1, 1);
        if (!pb) return 0xDEADBEEF;
        const guchar* p = gdk_pixbuf_read_pixels(pb);
        const uint32_t rgb = (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
        g_object_unref(pb);
        return rgb;
    }

    // Runs xdotool with the pointer given in the form's client pixels.
    static void Xdo(const std::string& args) {
        ASSERT_EQ(std::system(("xdotool " + args).c_str()), 0) << args;
    }
    static void MoveTo(TzuForm& form, int x, int y) {
        const TzuWinPoint p = form.Window()->ClientToScreen({x, y});
        Xdo("mousemove " + std::to_string(p.X) + " " + std::to_string(p.Y));
    }

    // An 80 x 80 solid box at (x, y) of the scene's root.
    static TzuBackground* Box(TzuScene* scene, TzuComponent* owner, float x, float y, uint32_t colour) {
        auto* b = new TzuBackground(owner);
        b->SetBounds(x, y, 80, 80);
        b->Fill()->SetStyle(zuBrushSolid);
        b->Fill()->SetColor(colour);
        static_cast<TzuVisualObject*>(scene->Root())->AddObject(b);
        return b;
    }

    std::unique_ptr<TzuGtkApplication> app;

private:
    bool m_needsXdotool;
};

}  // namespace zu::test
