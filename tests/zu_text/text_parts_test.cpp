// The pieces every text control shares: cursor positions from the text shaper, the
// context menu's enabled rules and commands, and the content part drawing what its
// painter paints.

#include <gtest/gtest.h>

#include "../zu_controls/hosted_scene.h"
#include "platform/core/popup_menu.h"
#include "scene/zu_scene/graphics/text_cursor.h"
#include "scene/zu_scene/tree/content.h"
#include "scene/zu_text/text_menu.h"

namespace zu::test {
namespace {

// e + combining acute, a surrogate pair (U+1F600), a family emoji joined by ZWJ, then x.
const std::u16string kMixed = u"e\u0301\U0001F600\U0001F468\u200D\U0001F469x";

std::vector<int> StepsForward(const std::u16string& text) {
    std::vector<int> positions;
    for (int p = 0; p < int(text.size());) positions.push_back(p = NextCursorPos(text, p));
    return positions;
}

std::vector<int> StepsBackward(const std::u16string& text) {
    std::vector<int> positions;
    for (int p = int(text.size()); p > 0;) positions.push_back(p = PrevCursorPos(text, p));
    return positions;
}

TEST(CursorStops, StepsNeverSplitPairsOrMarksWithTheShaperAndWithoutIt) {
    ASSERT_NE(CursorStopsHook(), nullptr);  // the backend installed its shaper
    // Units: e(0) mark(1) pair(2,3) man(4,5) zwj(6) woman(7,8) x(9), size 10.
    EXPECT_EQ(StepsForward(kMixed), (std::vector<int>{2, 4, 9, 10}));
    EXPECT_EQ(StepsBackward(kMixed), (std::vector<int>{9, 4, 2, 0}));
    EXPECT_EQ(CursorPosAtOrBefore(kMixed, 3), 2);
    EXPECT_EQ(CursorPosAtOrBefore(kMixed, 4), 4);
    const auto stops = CursorStops(kMixed);
    ASSERT_EQ(stops.size(), kMixed.size() + 1);
    EXPECT_EQ(stops[1], 0);
    EXPECT_EQ(stops[3], 0);
    // Out-of-range positions clamp; a lone surrogate is a character of its own.
    EXPECT_EQ(NextCursorPos(kMixed, 99), 10);
    EXPECT_EQ(PrevCursorPos(kMixed, -4), 0);
    const std::u16string lone =
        u"a\xD800"
        u"b";
    EXPECT_EQ(StepsForward(lone), (std::vector<int>{1, 2, 3}));

    // Without the shaper the built-in rule still keeps pairs and marks together (the joined
    // emoji then counts as two characters).
    const TzuCursorStopsHook hook = CursorStopsHook();
    SetCursorStopsHook(nullptr);
    EXPECT_EQ(StepsForward(kMixed), (std::vector<int>{2, 4, 7, 9, 10}));
    EXPECT_EQ(StepsForward(u"\U0001F600\U0001F600"), (std::vector<int>{2, 4}));
    SetCursorStopsHook(hook);
}

TEST(CursorStops, AStepInALongTextLooksOnlyNearThePosition) {
    // A hook that records how much text it was given.
    static size_t longest = 0;
    const TzuCursorStopsHook hook = CursorStopsHook();
    SetCursorStopsHook([](std::u16string_view text, std::vector<uint8_t>& stops) {
        longest = std::max(longest, text.size());
        stops.assign(text.size() + 1, 1);
    });
    const std::u16string text(200000, u'a');
    EXPECT_EQ(NextCursorPos(text, 100000), 100001);
    EXPECT_EQ(PrevCursorPos(text, 100000), 99999);
    EXPECT_LT(longest, 200u);
    SetCursorStopsHook(hook);
}

TEST(TextMenu, EnabledRulesAndChosenCommandsReachTheControl) {
    // hasSelection, readOnly, password, whole text selected, clipboard text.
    auto s = TextMenuState(true, false, false, false, true);
    EXPECT_TRUE(s.cut && s.copy && s.paste && s.del && s.selectAll);
    s = TextMenuState(false, false, false, false, false);
    EXPECT_FALSE(s.cut || s.copy || s.paste || s.del);
    EXPECT_TRUE(s.selectAll);
    s = TextMenuState(true, true, false, true, true);  // read-only, all selected
    EXPECT_TRUE(s.copy);
    EXPECT_FALSE(s.cut || s.paste || s.del || s.selectAll);
    s = TextMenuState(true, false, true, false, true);  // password: nothing leaves the box
    EXPECT_FALSE(s.cut || s.copy);
    EXPECT_TRUE(s.paste && s.del);

    TzuHeadlessApplication app;
    EXPECT_FALSE(TextMenuState(false, false, false, false).paste);  // the clipboard is empty
    app.SetClipboardText(u"x");
    EXPECT_TRUE(TextMenuState(false, false, false, false).paste);
    EXPECT_FALSE(TextMenuState(false, true, false, false).paste);

    std::vector<TzuTextCommand> ran;
    TzuTextMenu menu([&](TzuTextCommand c) { ran.push_back(c); });
    menu.Popup(nullptr, {10.4f, 20.6f}, TextMenuState(true, false, true, false, true));
    ASSERT_EQ(app.PopupRequests().size(), 1u);
    const auto& shown = app.PopupRequests()[0];
    EXPECT_EQ(shown.screen.X, 10);
    EXPECT_EQ(shown.screen.Y, 21);
    ASSERT_EQ(shown.items.size(), 5u);
    const char16_t* captions[] = {u"Cut", u"Copy", u"Paste", u"Delete", u"Select All"};
    const bool enabled[] = {false, false, true, true, true};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(shown.items[i].Caption, captions[i]);
        EXPECT_EQ(shown.items[i].Enabled, enabled[i]) << i;
    }
    app.ChoosePopupItem(1);  // disabled: dismisses
    app.ProcessMessages();
    menu.Popup(nullptr, {0, 0}, TextMenuState(true, false, false, false, true));
    app.ChoosePopupItem(4);
    app.ProcessMessages();
    EXPECT_EQ(ran, (std::vector<TzuTextCommand>{TzuTextCommand::SelectAll}));
}

struct RecordingPainter : IzuContentPainter {
    void PaintContent(TzuContent& content) override {
        ++calls;
        width = content.Width();
        canvas = content.Canvas();
    }
    int calls = 0;
    float width = 0;
    TzuCanvas* canvas = nullptr;
};

using ContentPainter = HostedScene;

TEST_F(ContentPainter, ContentDrawsWhatItsPainterPaintsUntilUnhooked) {
    auto* content = new TzuContent(nullptr);
    content->SetParent(root);
    content->SetBounds(10, 10, 80, 20);
    RecordingPainter painter;
    content->SetPainter(&painter);
    app.ProcessMessages();
    EXPECT_GE(painter.calls, 1);
    EXPECT_EQ(painter.width, 80);
    EXPECT_EQ(painter.canvas, scene->Canvas());
    const int calls = painter.calls;
    content->SetPainter(nullptr);
    content->Repaint();
    app.ProcessMessages();
    EXPECT_EQ(painter.calls, calls);
}

}  // namespace
}  // namespace zu::test
