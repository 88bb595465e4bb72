// A real GTK window under X11 (Xvfb in the test run) showing a scene, the error dialog
// and the main loop's timers and posted messages.

#include <gtest/gtest.h>

#include <cstdlib>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "platform/core/form.h"
#include "platform/core/timer.h"
#include "platform/gtk/gtk_application.h"
#include "platform/gtk/gtk_window.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/background.h"
#include "tests/platform_gtk/gtk_fixture.h"

namespace zu::test {
namespace {

class GtkTest : public GtkFixture {
protected:
};

TEST_F(GtkTest, SceneShowsItsObjectsAndRepaintsChanges) {
    TzuForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetColor(0x0000FF);
    form.SetBounds(20, 30, 120, 60);
    auto* scene = new TzuScene(&form);
    scene->SetParent(&form);
    scene->SetBounds(0, 0, 80, 60);
    auto* root = new TzuBackground(&form);
    root->Fill()->SetColor(0xFF00FF00);
    root->Fill()->SetStyle(zuBrushSolid);
    scene->AddObject(root);
    form.Show();
    // The scene is green; the form's own colour shows beside it.
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(form, 10, 10) == 0x00FF00; }))
        << std::hex << ScreenPixel(form, 10, 10);
    EXPECT_EQ(ScreenPixel(form, 100, 10), 0x0000FFu);
    root->Fill()->SetColor(0xFFFF0000);
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(form, 40, 50) == 0xFF0000; }))
        << std::hex << ScreenPixel(form, 40, 50);
    // A fill with no alpha still shows its colour on an opaque window.
    scene->Fill()->SetColor(0x00E0E0E0);
    scene->Fill()->SetStyle(zuBrushSolid);
    root->SetVisible(false);
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(form, 40, 50) == 0xE0E0E0; }))
        << std::hex << ScreenPixel(form, 40, 50);
}

// Answers the error dialog from the loop, as a user pressing OK would, noting its title
// and kind (kind + 100 when modal).
class ErrorBoxAnswerer {
public:
    explicit ErrorBoxAnswerer(TzuGtkApplication& app) : m_app(app) {
        m_timer = app.StartTimer(50, [this] {
            auto* dialog = static_cast<GtkWidget*>(m_app.CurrentErrorBox());
            if (!dialog) return;
            title = gtk_window_get_title(GTK_WINDOW(dialog));
            GtkMessageType t;
            g_object_get(dialog, "message-type", &t, nullptr);
            type = int(t) + (gtk_window_get_modal(GTK_WINDOW(dialog)) ? 100 : 0);
            ++answered;
            gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
        });
    }
    ~ErrorBoxAnswerer() { m_app.StopTimer(m_timer); }

    std::string title;
    int type = -1;
    int answered = 0;

private:
    TzuGtkApplication& m_app;
    uint64_t m_timer;
};

TEST_F(GtkTest, ErrorBoxIsAModalErrorDialogTitledWithTheApplication) {
    app->SetTitle("quillorn");
    ErrorBoxAnswerer answer(*app);
    app->ShowException("'x' is not a valid integer value");
    EXPECT_EQ(answer.answered, 1);
    EXPECT_EQ(answer.title, "quillorn");
    EXPECT_EQ(answer.type, 100 + int(GTK_MESSAGE_ERROR));
}

// A control whose painting fails: the failure must reach the error box, not GTK's C code.
class FailingControl : public TzuWinControl {
public:
    using TzuWinControl::TzuWinControl;
    void WindowPaint(std::span<const TzuWinRect>) override {
        if (++paints == 1) throw EzuError("Can't allocate the DIB handle");
    }
    int paints = 0;
};

TEST_F(GtkTest, FailuresInsideCallbacksAreShownWithTheErrorBox) {
    ErrorBoxAnswerer answer(*app);
    TzuForm form(nullptr);
    form.SetBounds(0, 0, 50, 50);
    auto* bad = new FailingControl(&form);
    bad->SetParent(&form);
    bad->SetAlign(alClient);
    form.Show();
    EXPECT_TRUE(WaitFor([&] { return answer.answered > 0; }));
    EXPECT_GE(bad->paints, 1);
    EXPECT_EQ(answer.type, 100 + int(GTK_MESSAGE_ERROR));
}

TEST_F(GtkTest, TransparentSceneOnAFormIsPresentedWithItsAlpha) {
    TzuForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(200, 30, 60, 40);
    auto* scene = new TzuScene(&form);
    scene->SetParent(&form);
    scene->SetAlign(alClient);
    scene->SetTransparency(true);
    auto* root = new TzuBackground(&form);
    root->Fill()->SetColor(0xFF00FFFF);
    root->Fill()->SetStyle(zuBrushSolid);
    scene->AddObject(root);
    form.Show();
    ASSERT_TRUE(form.Window()->Layered());
    if (!form.Window()->SupportsAlpha()) GTEST_SKIP() << "the display has no visual with alpha";
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(form, 30, 20) == 0x00FFFF; }))
        << std::hex << ScreenPixel(form, 30, 20);
    GdkWindow* gdk = gtk_widget_get_window(dynamic_cast<TzuGtkWindow*>(form.Window())->Widget());
    EXPECT_EQ(gdk_visual_get_depth(gdk_window_get_visual(gdk)), 32);
}

TEST_F(GtkTest, TimersAndPostedMessagesRunOnTheMainLoop) {
    std::string log;
    app->PostMessage([&] { log += "p"; });
    const uint64_t cancelled = app->PostMessage([&] { log += "x"; });
    app->CancelMessage(cancelled);
    TzuTimer timer(nullptr);
    timer.SetInterval(20);
    int ticks = 0;
    timer.OnTimer().Set([&](TzuPersistent*) {
        log += "t";
        if (++ticks == 3) app->Terminate();
    });
    app->Run();
    EXPECT_EQ(log, "pttt");
    EXPECT_TRUE(app->Terminated());
}

TEST_F(GtkTest, ClosingTheMainFormEndsTheLoop) {
    TzuForm form(nullptr);
    form.SetBounds(0, 0, 40, 40);
    app->SetMainForm(&form);
    form.Show();
    app->PostMessage([&] { form.Close(); });
    app->Run();
    EXPECT_TRUE(app->Terminated());
    EXPECT_FALSE(form.Window()->Visible());
}

}  // namespace
}  // namespace zu::test
