// Pointer shapes and the system clipboard on real GTK windows under X11
// (Xvfb in the test run).

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/gtk/gtk_application.h"
#include "platform/gtk/gtk_window.h"
#include "tests/platform_gtk/gtk_fixture.h"

namespace zu::test {
namespace {

class TRecorder : public IzuWindowEvents {
public:
    void WindowPaint(std::span<const TzuWinRect>) override {}
};

class GtkInputTest : public GtkFixture {
protected:
    static GdkWindow* GdkOf(IzuWindow& w) {
        return gtk_widget_get_window(dynamic_cast<TzuGtkWindow&>(w).Widget());
    }
};

TEST_F(GtkInputTest, CursorSetBeforeAndAfterRealizationReachesTheGdkWindow) {
    TRecorder formEvents, childEvents;
    auto form = app->CreateFormWindow(formEvents);
    auto child = app->CreateChildWindow(*form, childEvents);
    form->SetBounds(40, 40, 300, 200);
    child->SetBounds(10, 10, 100, 80);
    child->SetCursor(TzuCursorShape::Hand);  // not realized yet: applied on realization
    form->SetVisible(true);
    child->SetVisible(true);
    ASSERT_TRUE(WaitFor([&] { return GdkOf(*child) && gdk_window_is_viewable(GdkOf(*child)); }));
    GdkCursor* c = gdk_window_get_cursor(GdkOf(*child));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(child->Cursor(), TzuCursorShape::Hand);

    child->SetCursor(TzuCursorShape::IBeam);
    EXPECT_EQ(child->Cursor(), TzuCursorShape::IBeam);
    GdkCursor* ibeam = gdk_window_get_cursor(GdkOf(*child));
    ASSERT_NE(ibeam, nullptr);
    EXPECT_NE(ibeam, c);

    form->SetCursor(TzuCursorShape::SizeNWSE);
    EXPECT_EQ(form->Cursor(), TzuCursorShape::SizeNWSE);
    EXPECT_NE(gdk_window_get_cursor(GdkOf(*form)), nullptr);

    // Back to the default shape: the window inherits its parent's pointer again.
    child->SetCursor(TzuCursorShape::Default);
    EXPECT_EQ(gdk_window_get_cursor(GdkOf(*child)), nullptr);
}

TEST_F(GtkInputTest, ClipboardRoundTripsNonAsciiText) {
    const std::u16string text = u"Gr\u00FC\u00DFe \u65E5\u672C\u8A9E \U0001F600 \u20AC";
    app->SetClipboardText(text);
    const auto back = app->ClipboardText();
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, text);
    app->SetClipboardText(u"second \u00E9");
    EXPECT_EQ(app->ClipboardText().value_or(u"<none>"), u"second \u00E9");
    EXPECT_TRUE(app->ClipboardHasText());
}

TEST_F(GtkInputTest, PrimarySelectionIsSeparateFromTheClipboard) {
    app->SetClipboardText(u"clip");
    app->SetPrimaryText(u"prim \u00E9\U0001F600");
    EXPECT_EQ(app->PrimaryText().value_or(u"<none>"), u"prim \u00E9\U0001F600");
    EXPECT_EQ(app->ClipboardText().value_or(u"<none>"), u"clip");
}

}  // namespace
}  // namespace zu::test
