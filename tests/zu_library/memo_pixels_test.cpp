// Memos as the default style paints them, plain and hud: a wrapped one with its vertical
// bar, focused with a selection across lines and the caret at its end, and one without
// wrap that needs both bars (the hud one with the small bars).

#include <gtest/gtest.h>

#include "platform/headless/headless_application.h"
#include "scene/zu_layouts/layout.h"
#include "scene/zu_library/library.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "scene/zu_text/memo.h"
#include "tests/zu_canvas_cairo/golden.h"
#include "tests/zu_scene_pixels/pixel_scene.h"

namespace zu::test {
namespace {

template <class M>
void PaintMemos(const char* golden) {
    RegisterLibraryClasses();
    TzuHeadlessApplication app;
    PixelScene scene{300, 130};
    auto* root = new TzuLayout(nullptr);
    root->SetBounds(0, 0, 300, 130);
    scene.AddObject(root);
    auto* wrapped = new M(nullptr);
    wrapped->SetBounds(10, 10, 135, 110);
    wrapped->SetWordWrap(true);
    wrapped->SetText(
        u"A memo wraps its long lines at the blanks between words.\n\nShort line\nThe caret stays in "
        u"view as the text grows past the bottom edge.");
    wrapped->SetParent(root);
    auto* plain = new M(nullptr);
    plain->SetBounds(155, 10, 135, 110);
    plain->SetUseSmallScrollBars(true);
    std::u16string lines;
    for (int i = 1; i <= 9; ++i)
        lines += u"Line " + std::u16string(1, char16_t(u'0' + i)) + u" runs on past the edge\n";
    plain->SetText(lines);
    plain->SetParent(root);
    scene.Frame(0xFF2B2B2B);  // styles both memos
    wrapped->EnterFocus();
    wrapped->SetCaretPosition({0, 30});
    wrapped->SetCaretPosition({2, 5}, true);
    for (int i = 0; i < 10; ++i) app.Advance(TzuAniThread::kInterval);
    scene.rects.clear();
    scene.Frame(0xFF2B2B2B);
    EXPECT_TRUE(MatchesGolden(scene.Picture(), golden));
    delete root;
    TzuAniThread::FreeInstance();
}

TEST(MemoPixels, PlainStyleWithWrapSelectionAndBars) { PaintMemos<TzuMemo>("text_memo_plain"); }

TEST(MemoPixels, HudStyleWithWrapSelectionAndSmallBars) { PaintMemos<TzuHudMemo>("text_memo_hud"); }

}  // namespace
}  // namespace zu::test
