// Platform services under X11 (Xvfb in the test run), driven by xdotool: a popup menu
// opened by a right click and answered with the keyboard, and text and files dragged from
// another GTK window dropped onto a scene object.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "platform/core/form.h"
#include "platform/core/popup_menu.h"
#include "platform/core/utf.h"
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

class GtkServicesTest : public GtkFixture {
protected:
    GtkServicesTest() : GtkFixture(true) {}
};

// A form with one scene whose root is grey and one red box at (10, 10).
struct SceneForm {
    TzuForm form{nullptr};
    TzuScene* scene = nullptr;
    TzuBackground* box = nullptr;
    explicit SceneForm(int left) {
        form.SetBorderStyle(bsNone);
        form.SetBounds(left, 40, 200, 100);
        scene = new TzuScene(&form);
        scene->SetParent(&form);
        scene->SetAlign(alClient);
        auto* root = new TzuBackground(&form);
        root->SetHitTest(false);
        root->Fill()->SetStyle(zuBrushSolid);
        root->Fill()->SetColor(0xFF808080);
        scene->AddObject(root);
        box = new TzuBackground(&form);
        box->SetBounds(10, 10, 80, 80);
        box->Fill()->SetStyle(zuBrushSolid);
        box->Fill()->SetColor(0xFFFF0000);
        root->AddObject(box);
    }
    void Focus() {
        auto* w = dynamic_cast<TzuGtkWindow*>(form.Window());
        const auto xid = gdk_x11_window_get_xid(gtk_widget_get_window(w->Widget()));
        ASSERT_EQ(std::system(("xdotool windowfocus --sync " + std::to_string(xid)).c_str()), 0);
    }
};

TEST_F(GtkServicesTest, RightClickOpensThePopupMenuAndTheKeyboardChoosesAnItem) {
    SceneForm f(30);
    TzuPopupMenu menu(&f.form);
    std::vector<std::string> chosen;
    for (const char16_t* caption : {u"First", u"Second", u"Third"}) {
        menu.Items()->AddItem(caption)->OnClick().Set([&](TzuPersistent* item) {
            chosen.push_back(Utf16ToUtf8(static_cast<TzuMenuItem*>(item)->Caption()));
        });
    }
    f.box->SetPopupMenu(&menu);
    f.form.Show();
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(f.form, 50, 50) == 0xFF0000; }));
    f.Focus();
    MoveTo(f.form, 40, 40);
    MoveTo(f.form, 50, 50);
    Xdo("click 3");
    ASSERT_TRUE(WaitFor([&] { return menu.IsShowing() && menu.PopupComponent() == f.box; }));
    // Let the menu map and take the keyboard, then pick the second entry.
    Pump(30);
    Xdo("key Down Down Return");
    EXPECT_TRUE(WaitFor([&] { return !chosen.empty(); }));
    EXPECT_EQ(chosen, (std::vector<std::string>{"Second"}));
    EXPECT_FALSE(menu.IsShowing());
}

void SourceDataGet(GtkWidget*, GdkDragContext*, GtkSelectionData* data, guint info, guint, gpointer) {
    if (info == 1) {
        gchar* uris[] = {const_cast<gchar*>("file:///tmp/zu%20dropped.txt"), nullptr};
        gtk_selection_data_set_uris(data, uris);
    } else {
        gtk_selection_data_set_text(data, "dragged \xc3\xa9", -1);
    }
}

// A drag from another program's window: text alone arrives as text; files offered along
// with text arrive as files.
TEST_F(GtkServicesTest, TextAndFilesDraggedFromAnotherWindowLandOnTheObjectThatAccepts) {
    SceneForm f(260);
    std::vector<std::string> log;
    f.box->OnDragOver().Set([](TzuPersistent*, const TzuDragObject& d, const TzuPoint&, bool& accept) {
        accept = !d.Files.empty() || !VariantToWide(d.Data).empty();
    });
    f.box->OnDragDrop().Set([&](TzuPersistent*, const TzuDragObject& d, const TzuPoint&) {
        for (const auto& file : d.Files) log.push_back("file " + Utf16ToUtf8(file));
        if (d.Files.empty()) log.push_back(Utf16ToUtf8(VariantToWide(d.Data)));
    });
    f.form.Show();

    for (const bool files : {false, true}) {
        log.clear();
        // The other window: a plain GTK button that drags text, and files first when asked.
        GtkWidget* source = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        gtk_window_set_decorated(GTK_WINDOW(source), FALSE);
        gtk_window_move(GTK_WINDOW(source), 30, 40);
        gtk_window_set_default_size(GTK_WINDOW(source), 150, 100);
        GtkWidget* button = gtk_button_new_with_label("drag me");
        gtk_container_add(GTK_CONTAINER(source), button);
        static const GtkTargetEntry kFiles[] = {{const_cast<gchar*>("text/uri-list"), 0, 1}};
        gtk_drag_source_set(button, GDK_BUTTON1_MASK, kFiles, files ? 1 : 0, GDK_ACTION_COPY);
        gtk_drag_source_add_text_targets(button);
        g_signal_connect(button, "drag-data-get", G_CALLBACK(&SourceDataGet), nullptr);
        gtk_widget_show_all(source);
        ASSERT_TRUE(WaitFor(
            [&] { return ScreenPixel(f.form, 50, 50) == 0xFF0000 && gtk_widget_get_mapped(button); }));
        Pump(30);

        Xdo("mousemove 100 90");
        Xdo("mousedown 1");
        for (int x = 110; x <= 330; x += 20) {
            Xdo("mousemove " + std::to_string(x) + " 100");
            Pump(8);
        }
        EXPECT_TRUE(WaitFor([&] { return f.box->IsDragOver(); }));
        Xdo("mouseup 1");
        EXPECT_TRUE(WaitFor([&] { return !log.empty(); }));
        EXPECT_EQ(log, (std::vector<std::string>{files ? "file /tmp/zu dropped.txt" : "dragged \xc3\xa9"}));
        EXPECT_FALSE(f.box->IsDragOver());
        gtk_widget_destroy(source);
        Pump(10);
    }
}

}  // namespace
}  // namespace zu::test
