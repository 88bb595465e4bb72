#include "scene/zu_text/memo.h"

#include <gtest/gtest.h>

#include "scene/zu_controls/button.h"
#include "scene/zu_controls/scroll_bar.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "tests/zu_controls/hosted_scene.h"

namespace zu {
namespace {

class HostedMemo : public test::HostedScene {
protected:
    void SetUp() override {
        HostedScene::SetUp();
        form->SetBounds(0, 0, 400, 300);
        app.ProcessMessages();
        memo = Add<TzuMemo>(10, 10);
        memo->SetBounds(10, 10, 200, 120);
        memo->SetFocus();
        Settle();
    }
    void Type(std::u16string_view s) {
        for (char16_t c : s) {
            if (c == u'\n')
                window()->InjectKey(keys::Enter, 0, u'\r');
            else
                window()->InjectKeyChar(c);
        }
    }
    void Key(TzuKeyCode k, TzuShiftState shift = 0) { window()->InjectKey(k, shift); }
    // Control chords as the platform sends them: the key, then the chord's character.
    void Chord(TzuKeyCode k, TzuShiftState shift, char16_t ch) {
        window()->InjectKeyDown(k, shift);
        if (ch) window()->InjectKeyChar(ch);
        window()->InjectKeyUp(k, shift);
    }
    // A point of the text in window pixels.
    TzuPoint At(TzuMemoPos p) {
        const TzuRect r = memo->CharRect(p);
        return memo->Content()->LocalToAbsolute(TzuPoint{r.Left, (r.Top + r.Bottom) / 2});
    }
    TzuMemo* memo = nullptr;
};

TEST_F(HostedMemo, LinesAndTextRoundTripAndStream) {
    memo->SetText(u"one\r\ntwo\rthree\n");
    EXPECT_EQ(memo->Text(), u"one\ntwo\nthree\n");
    ASSERT_EQ(memo->Lines()->Count(), 4);
    EXPECT_EQ(memo->Lines()->Get(2), u"three");
    EXPECT_EQ(memo->TextLength(), 14);
    memo->Lines()->Add(u"four");
    memo->Lines()->Delete(0);
    EXPECT_EQ(memo->Text(), u"two\nthree\n\nfour");
    EXPECT_EQ(memo->OffsetOf({2, 0}), 10);
    EXPECT_EQ(memo->PosOf(11), (TzuMemoPos{3, 0}));
    memo->Lines()->Clear();
    EXPECT_EQ(memo->Lines()->Count(), 0);
    EXPECT_EQ(memo->Text(), u"");

    memo->SetText(u"alpha\nbeta");
    memo->SetWordWrap(true);
    memo->SetMaxLength(40);
    std::string written;
    SaveObjectToText(memo, written);
    auto* loaded = As<TzuMemo>(LoadObjectFromText(nullptr, written));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Text(), u"alpha\nbeta");
    EXPECT_TRUE(loaded->WordWrap());
    EXPECT_EQ(loaded->MaxLength(), 40);
    delete loaded;
}

TEST_F(HostedMemo, TypingEnterAndCaretMovesAcrossLines) {
    Type(u"ab\ncd");
    EXPECT_EQ(memo->Text(), u"ab\ncd");
    EXPECT_EQ(memo->CaretPos(), (TzuMemoPos{1, 2}));
    Key(keys::Up);
    EXPECT_EQ(memo->CaretPos(), (TzuMemoPos{0, 2}));
    Key(keys::Right);
    EXPECT_EQ(memo->CaretPos(), (TzuMemoPos{1, 0}));
    Key(keys::Left);
    EXPECT_EQ(memo->CaretPos(), (TzuMemoPos{0, 2}));
    Key(keys::Home);
    EXPECT_EQ(memo->CaretPos(), (TzuMemoPos{0, 0}));
    Key(keys::End, ssCtrl);
    EXPECT_EQ(memo->CaretPos(), (TzuMemoPos{1, 2}));
    Key(keys::Home);
    Key(keys::Backspace);  // joins the lines
    EXPECT_EQ(memo->Text(), u"abcd");
    EXPECT_EQ(memo->CaretPos(), (TzuMemoPos{0, 2}));
    Key(keys::Delete);
    EXPECT_EQ(memo->Text(), u"abd");
    Key(keys::Home, ssCtrl);
    Key(keys::Backspace);
    EXPECT_EQ(memo->Text(), u"abd");
}

TEST_F(HostedMemo, SelectionAcrossLinesAndTheClipboard) {
    memo->SetText(u"first line\nsecond line\nthird");
    Key(keys::Right);
    Key(keys::Down, ssShift);
    Key(keys::Right, ssShift);
    EXPECT_EQ(memo->SelectedText(), u"irst line\nse");
    Chord('C', ssCtrl, 3);
    EXPECT_EQ(app.ClipboardText().value_or(u""), u"irst line\nse");
    // Typing replaces the selection; Left collapses a selection to its start.
    Type(u"X");
    EXPECT_EQ(memo->Text(), u"fXcond line\nthird");
    Key(keys::End, ssCtrl | ssShift);
    Chord('X', ssCtrl, 24);
    EXPECT_EQ(memo->Text(), u"fX");
    EXPECT_EQ(app.ClipboardText().value_or(u""), u"cond line\nthird");
    app.SetClipboardText(u"1\r\n2");
    Chord('V', ssCtrl, 22);
    EXPECT_EQ(memo->Text(), u"fX1\n2");
    EXPECT_EQ(memo->CaretPos(), (TzuMemoPos{1, 1}));
    Chord('A', ssCtrl, 1);
    EXPECT_EQ(memo->SelectedText(), u"fX1\n2");
    Key(keys::Left);
    EXPECT_EQ(memo->CaretPos(), (TzuMemoPos{0, 0}));
    EXPECT_FALSE(memo->HasSelection());
}

TEST_F(HostedMemo, EnterAndTabAgainstDialogKeysAndFocus) {
    auto* ok = Add<TzuButton>(250, 10);
    ok->SetDefault(true);
    int clicks = 0;
    ok->OnClick().Set([&](TzuPersistent*) { ++clicks; });
    auto* next = Add<TzuButton>(250, 60);
    next->SetCanFocus(true);
    memo->SetFocus();
    Type(u"a\nb");
    EXPECT_EQ(memo->Text(), u"a\nb");
    EXPECT_EQ(clicks, 0);
    // Tab stays a focus key until the memo wants tabs.
    Key(keys::Tab);
    EXPECT_FALSE(memo->IsFocused());
    memo->SetFocus();
    memo->SetWantTabs(true);
    Key(keys::Tab);
    EXPECT_TRUE(memo->IsFocused());
    EXPECT_EQ(memo->Text(), u"a\nb\t");
}

TEST_F(HostedMemo, ReadOnlyAndMaxLength) {
    memo->SetText(u"keep");
    memo->SetReadOnly(true);
    Key(keys::End);
    Type(u"x\n");
    Key(keys::Backspace);
    app.SetClipboardText(u"paste");
    Chord('V', ssCtrl, 22);
    EXPECT_EQ(memo->Text(), u"keep");
    // Moving and copying still work.
    Key(keys::Home, ssShift);
    Chord('C', ssCtrl, 3);
    EXPECT_EQ(app.ClipboardText().value_or(u""), u"keep");

    memo->SetReadOnly(false);
    memo->SetMaxLength(6);
    Key(keys::End);
    Type(u"\nab");  // the line break counts as one unit
    EXPECT_EQ(memo->Text(), u"keep\na");
    app.SetClipboardText(u"xy");
    Chord('V', ssCtrl, 22);  // too long: dropped whole
    EXPECT_EQ(memo->Text(), u"keep\na");
    Key(keys::Left, ssShift);
    Chord('V', ssCtrl, 22);  // replaces one unit by two: still too long
    EXPECT_EQ(memo->Text(), u"keep\na");
}

TEST_F(HostedMemo, UndoAndRedoMergeTypingPerWord) {
    Type(u"hello world");
    Key(keys::Left);
    Type(u"!");
    EXPECT_EQ(memo->Text(), u"hello worl!d");
    Chord('Z', ssCtrl, 26);
    EXPECT_EQ(memo->Text(), u"hello world");
    EXPECT_EQ(memo->CaretPos(), (TzuMemoPos{0, 10}));
    Chord('Z', ssCtrl, 26);
    EXPECT_EQ(memo->Text(), u"hello ");
    // Ctrl+Shift+Z redoes once, although its character comes without the Shift.
    Chord('Z', ssCtrl | ssShift, 26);
    EXPECT_EQ(memo->Text(), u"hello world");
    Chord('Y', ssCtrl, 0);
    EXPECT_EQ(memo->Text(), u"hello worl!d");
    // A Backspace run is one step and restores a multi-line selection it replaced.
    memo->SetText(u"ab\ncd");
    Key(keys::Right);
    Key(keys::Down, ssShift);
    Key(keys::Backspace);
    EXPECT_EQ(memo->Text(), u"ad");
    Chord('Z', ssCtrl, 26);
    EXPECT_EQ(memo->Text(), u"ab\ncd");
    EXPECT_EQ(memo->SelectedText(), u"b\nc");
}

TEST_F(HostedMemo, StepsNeverSplitSurrogatesOrCombiningMarks) {
    memo->SetText(u"a\U0001F600e\u0301b");
    std::vector<int> cols;
    for (int i = 0; i < 5; ++i) {
        Key(keys::Right);
        cols.push_back(memo->CaretPos().col);
    }
    EXPECT_EQ(cols, (std::vector<int>{1, 3, 5, 6, 6}));
    Key(keys::Backspace);
    Key(keys::Backspace);
    EXPECT_EQ(memo->Text(), u"a\U0001F600");
    Key(keys::Backspace);
    EXPECT_EQ(memo->Text(), u"a");
}

TEST_F(HostedMemo, WordWrapAndScrollingKeepTheCaretVisible) {
    std::u16string longLine;
    for (int i = 0; i < 30; ++i) longLine += u"word ";
    memo->SetText(longLine);
    Settle();
    ASSERT_NE(memo->HScrollBar(), nullptr);
    EXPECT_TRUE(memo->HScrollBar()->Visible());
    Key(keys::End);
    Settle();
    EXPECT_GT(memo->HScrollBar()->Value(), 0);
    memo->SetWordWrap(true);
    Settle();
    EXPECT_FALSE(memo->HScrollBar()->Visible());
    // Wrapped rows: End goes to the end of the visual row, Down to the next row.
    Key(keys::Home, ssCtrl);
    Key(keys::Down);
    EXPECT_EQ(memo->CaretPos().line, 0);
    EXPECT_GT(memo->CaretPos().col, 0);
    EXPECT_EQ(memo->CaretPos().col % 5, 0);

    std::u16string many;
    for (int i = 0; i < 100; ++i) many += u"line\n";
    memo->SetText(many);
    Settle();
    ASSERT_TRUE(memo->VScrollBar()->Visible());
    const auto caretShown = [&] {
        const TzuRect c = memo->CharRect(memo->CaretPos());
        const float top = memo->VScrollBar()->Value();
        return c.Top >= top && c.Bottom <= top + memo->Viewport()->Height();
    };
    Key(keys::End, ssCtrl);
    EXPECT_EQ(memo->CaretPos().line, 100);
    EXPECT_TRUE(caretShown());
    Key(keys::PageUp);
    EXPECT_LT(memo->CaretPos().line, 95);
    EXPECT_TRUE(caretShown());
    Key(keys::Home, ssCtrl);
    EXPECT_EQ(memo->VScrollBar()->Value(), 0);
    // A larger font lays every row out again.
    const float before = memo->LineHeight();
    memo->Font()->SetSize(memo->Font()->Size() * 2);
    EXPECT_GT(memo->LineHeight(), before * 1.5f);
    EXPECT_EQ(memo->CharRect({3, 0}).Top, 3 * memo->LineHeight());
}

TEST_F(HostedMemo, MouseSelectsAcrossLinesAndDoubleClickSelectsAWord) {
    memo->SetText(u"left right\nsecond row");
    Settle();
    const TzuPoint a = At({0, 2}), b = At({1, 3});
    window()->InjectMouseMove(int(a.X), int(a.Y));
    Press(int(a.X), int(a.Y));
    Drag(int(b.X), int(b.Y));
    Release(int(b.X), int(b.Y));
    EXPECT_EQ(memo->SelectedText(), u"ft right\nsec");
    const TzuPoint w = At({0, 7});
    ClickAt(int(w.X), int(w.Y));
    window()->InjectMouseDown(mbLeft, int(w.X), int(w.Y), ssLeft | ssDouble, true);
    window()->InjectMouseUp(mbLeft, int(w.X), int(w.Y), 0, true);
    EXPECT_EQ(memo->SelectedText(), u"right");
}

TEST_F(HostedMemo, ContextMenuPrimarySelectionAndMiddleClick) {
    memo->SetText(u"one two\nthree");
    Settle();
    for (int i = 0; i < 3; ++i) Key(keys::Right, ssShift);
    EXPECT_EQ(app.PrimaryText().value_or(u""), u"one");
    const auto rightClick = [&](TzuMemoPos at) {
        const TzuPoint p = At(at);
        window()->InjectMouseDown(mbRight, int(p.X), int(p.Y), ssRight);
        window()->InjectMouseUp(mbRight, int(p.X), int(p.Y));
    };
    rightClick({0, 1});
    ASSERT_TRUE(app.PopupOpen());
    std::vector<bool> enabled;
    for (const TzuMenuEntry& e : app.PopupRequests().back().items) enabled.push_back(e.Enabled);
    // Cut, Copy, Paste (the clipboard is empty), Delete, Select All.
    EXPECT_EQ(enabled, (std::vector<bool>{true, true, false, true, true}));
    app.ChoosePopupItem(0);
    app.ProcessMessages();
    EXPECT_EQ(memo->Text(), u" two\nthree");
    EXPECT_EQ(app.ClipboardText().value_or(u""), u"one");

    // A middle click pastes the primary selection where it points.
    const TzuPoint q = At({1, 5});
    window()->InjectMouseDown(mbMiddle, int(q.X), int(q.Y), ssMiddle);
    window()->InjectMouseUp(mbMiddle, int(q.X), int(q.Y));
    EXPECT_EQ(memo->Text(), u" two\nthreeone");

    // Read-only: no middle-click paste, and only Copy and Select All can be chosen.
    memo->SetReadOnly(true);
    window()->InjectMouseDown(mbMiddle, int(q.X), int(q.Y), ssMiddle);
    window()->InjectMouseUp(mbMiddle, int(q.X), int(q.Y));
    EXPECT_EQ(memo->Text(), u" two\nthreeone");
    Key(keys::Left, ssShift);
    rightClick({0, 1});
    ASSERT_TRUE(app.PopupOpen());
    enabled.clear();
    for (const TzuMenuEntry& e : app.PopupRequests().back().items) enabled.push_back(e.Enabled);
    EXPECT_EQ(enabled, (std::vector<bool>{false, true, false, false, true}));
    app.ChoosePopupItem(-1);
}

TEST_F(HostedMemo, CompositionShowsAtTheCaretUntilItCommits) {
    memo->SetText(u"ab\ncd");
    Key(keys::Down);
    Settle();
    const float before = memo->Caret()->Position()->X();
    memo->SetPreedit(u"xyz", 3);
    EXPECT_EQ(memo->Text(), u"ab\ncd");
    EXPECT_GT(memo->Caret()->Position()->X(), before + 5);
    window()->InjectImeCommit(u"xyz");
    EXPECT_EQ(memo->Text(), u"ab\nxyzcd");
    EXPECT_EQ(memo->CaretPos(), (TzuMemoPos{1, 3}));
    Chord('Z', ssCtrl, 26);
    EXPECT_EQ(memo->Text(), u"ab\ncd");
}

}  // namespace
}  // namespace zu
