// Real X input reaching scene objects through GTK under X11 (Xvfb in the test run):
// xdotool moves the pointer, clicks, double-clicks, turns the wheel and types, and the
// objects' handlers change what the window shows.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "platform/core/form.h"
#include "platform/gtk/gtk_application.h"
#include "platform/gtk/gtk_window.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/background.h"
#include "tests/platform_gtk/gtk_fixture.h"

// Xlib names clash with the test framework's; it comes last.
#include <gdk/gdkx.h>  // NOLINT

namespace zu::test {
namespace {

class GtkSceneInputTest : public GtkFixture {
protected:
    GtkSceneInputTest() : GtkFixture(true) {}
};

TEST_F(GtkSceneInputTest, PointerAndKeysFromTheXServerReachTheirObjects) {
    TzuForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(30, 40, 200, 100);
    auto* scene = new TzuScene(&form);
    scene->SetParent(&form);
    scene->SetAlign(alClient);
    auto* root = new TzuBackground(&form);
    root->SetHitTest(false);
    root->Fill()->SetStyle(zuBrushSolid);
    root->Fill()->SetColor(0xFF808080);
    scene->AddObject(root);
    auto* hover = Box(scene, &form, 10, 10, 0xFFFF0000);
    auto* keys = Box(scene, &form, 110, 10, 0xFF0000FF);
    keys->SetCanFocus(true);
    std::vector<std::string> log;
    hover->OnMouseEnter().Set([&](TzuPersistent*) { hover->Fill()->SetColor(0xFF00FF00); });
    hover->OnMouseDown().Set([&](TzuPersistent*, TzuMouseButton, TzuShiftState s, float, float) {
        log.push_back(s & ssDouble ? "down2" : "down");
    });
    hover->OnClick().Set([&](TzuPersistent*) { log.push_back("click"); });
    hover->OnDblClick().Set([&](TzuPersistent*) { log.push_back("dblclick"); });
    int wheel = 0;
    hover->OnMouseWheel().Set([&](TzuPersistent*, TzuShiftState, int delta, TzuPoint&, bool& handled) {
        wheel += delta;
        handled = true;
    });
    keys->OnKeyDown().Set([&](uint16_t& key, char16_t& ch, TzuShiftState) {
        if (key == 'K') keys->Fill()->SetColor(0xFFFFFF00);
        if (ch == u'c' && key == 0) log.push_back("ctrl+c");
    });
    form.Show();
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(form, 50, 50) == 0xFF0000; }))
        << std::hex << ScreenPixel(form, 50, 50);

    // Hover turns the box green on the screen.
    MoveTo(form, 40, 40);
    MoveTo(form, 50, 50);
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(form, 50, 50) == 0x00FF00; }))
        << std::hex << ScreenPixel(form, 50, 50);

    // A double click: one press each, the second flagged; one click only.
    Xdo("click --repeat 2 --delay 60 1");
    EXPECT_TRUE(WaitFor([&] { return log.size() >= 4; }));
    app->ProcessMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"down", "click", "down2", "dblclick"}));

    // Two notches up and one down: 120 each.
    Xdo("click 4");
    Xdo("click 4");
    Xdo("click 5");
    EXPECT_TRUE(WaitFor([&] { return wheel == 120; })) << wheel;

    // A press focuses the second box; a key then reaches it and it turns yellow.
    MoveTo(form, 150, 50);
    Xdo("click 1");
    ASSERT_TRUE(WaitFor([&] { return scene->Focused() == keys; }));
    log.clear();
    // Without a window manager the X focus has to be given to the form first.
    auto* formWindow = dynamic_cast<TzuGtkWindow*>(form.Window());
    const auto xid = gdk_x11_window_get_xid(gtk_widget_get_window(formWindow->Widget()));
    Xdo("windowfocus --sync " + std::to_string(xid));
    Xdo("key k");
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(form, 150, 50) == 0xFFFF00; }))
        << std::hex << ScreenPixel(form, 150, 50);
    Xdo("key ctrl+c");
    EXPECT_TRUE(WaitFor([&] { return !log.empty(); }));
    EXPECT_EQ(log, (std::vector<std::string>{"ctrl+c"}));
}

}  // namespace
}  // namespace zu::test
