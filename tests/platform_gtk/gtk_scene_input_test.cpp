// Real X input reaching scene objects through GTK under X11 (Xvfb in the test run):
// xdotool moves the pointer, clicks, double-clicks, turns the wheel and types, and the
// objects' handlers change what the window shows.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "platform/core/form.h"
#include "platform/gtk/gtk_application.h"
#include "platform/gtk/gtk_window.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/host/popup.h"
#include "scene/zu_scene/host/popup_form.h"
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

    // A wheel nobody in the scene takes goes on to the widgets around the scene's own.
    int passedOn = 0;
    const gulong outer = g_signal_connect(formWindow->Widget(), "scroll-event",
                                          G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer count) -> gboolean {
                                              ++*static_cast<int*>(count);
                                              return TRUE;
                                          }),
                                          &passedOn);
    MoveTo(form, 50, 50);
    Xdo("click 4");
    EXPECT_TRUE(WaitFor([&] { return wheel == 240; })) << wheel;
    MoveTo(form, 150, 95);  // the root, which takes no wheel
    Xdo("click 4");
    EXPECT_TRUE(WaitFor([&] { return passedOn > 0; }));
    EXPECT_EQ(wheel, 240);
    g_signal_handler_disconnect(formWindow->Widget(), outer);
}

// A popup holds the keyboard while it is up: keys typed with its owner focused reach the
// popup's focused object, Escape ends a modal popup, and closed it gives them back.
TEST_F(GtkSceneInputTest, AnOpenPopupTakesTheKeysAndEscapeEndsAModalOne) {
    TzuForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(30, 40, 200, 100);
    auto* scene = new TzuScene(&form);
    scene->SetParent(&form);
    scene->SetAlign(alClient);
    auto* root = new TzuBackground(&form);
    scene->AddObject(root);
    auto* edit = Box(scene, &form, 10, 10, 0xFF0000FF);
    auto* popup = new TzuPopup(&form);
    popup->SetBounds(0, 0, 60, 40);
    popup->SetParent(root);
    auto* field = new TzuBackground(&form);
    field->SetBounds(0, 0, 60, 40);
    field->SetParent(popup);
    std::string typed;
    for (auto [o, name] : {std::pair<TzuVisualObject*, const char*>{edit, "owner:"}, {field, "popup:"}}) {
        o->SetCanFocus(true);
        o->OnKeyDown().Set([&typed, name](uint16_t&, char16_t& ch, TzuShiftState) {
            if (ch >= u'a' && ch <= u'z') typed += std::string(name) + char(ch) + " ";
        });
    }
    edit->SetFocus();
    form.Show();
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(form, 50, 50) == 0x0000FF; }));
    auto* formWindow = dynamic_cast<TzuGtkWindow*>(form.Window());
    const auto xid = gdk_x11_window_get_xid(gtk_widget_get_window(formWindow->Widget()));
    Xdo("windowfocus --sync " + std::to_string(xid));
    Xdo("key a");
    ASSERT_TRUE(WaitFor([&] { return typed == "owner:a "; })) << typed;

    popup->Open();
    ASSERT_TRUE(WaitFor([&] {
        auto* w = popup->PopupForm() ? dynamic_cast<TzuGtkWindow*>(popup->PopupForm()->Window()) : nullptr;
        return w && gtk_widget_get_mapped(w->Widget());
    }));
    Pump(10);
    Xdo("key b");
    EXPECT_TRUE(WaitFor([&] { return typed == "owner:a popup:b "; })) << typed;
    popup->Close();
    Pump(10);
    Xdo("windowfocus --sync " + std::to_string(xid));
    Xdo("key c");
    EXPECT_TRUE(WaitFor([&] { return typed == "owner:a popup:b owner:c "; })) << typed;

    // Modal: typing and Escape from xdotool while the loop runs; a timer ends a loop that
    // never hears them.
    typed.clear();
    const guint rescue = g_timeout_add_seconds(
        5,
        +[](gpointer p) -> gboolean {
            auto* open = static_cast<TzuPopup*>(p);
            if (open->PopupForm()) open->PopupForm()->SetModalResult(mrAbort);
            return TRUE;
        },
        popup);
    app->PostMessage([&] { Xdo("key --delay 100 d Escape"); });
    EXPECT_EQ(popup->PopupModal(), mrCancel);
    g_source_remove(rescue);
    EXPECT_EQ(typed, "popup:d ");
    EXPECT_EQ(form.ModalResult(), mrNone);
}

}  // namespace
}  // namespace zu::test
