// The text box in a hosted scene, driven through the scene's real key and mouse routing:
// the key table with and without a selection, scrolling, the mouse, limits and filters,
// the clipboard and primary selection, password painting and text that is more than one
// unit per character.

#include "scene/zu_text/text_box.h"

#include <gtest/gtest.h>

#include <cmath>

#include "../zu_controls/hosted_scene.h"
#include "scene/zu_scene/graphics/text_cursor.h"

namespace zu::test {
namespace {

class TextBoxTest : public HostedScene {
protected:
    TzuTextBox* AddBox(const std::u16string& text, float width = 100) {
        auto* box = Add<TzuTextBox>(10, 10);
        box->SetWidth(width);
        box->SetText(text);
        box->SetFocus();
        app.ProcessMessages();
        return box;
    }
    void Key(TzuKeyCode key, TzuShiftState shift = 0) { window()->InjectKey(key, shift); }
    void Type(const std::u16string& text) {
        for (char16_t c : text) window()->InjectKeyChar(c);
    }
    // A control chord as the platform delivers it (Ctrl+A types character 1).
    void Chord(char16_t letter) { window()->InjectKeyChar(char16_t(letter - u'a' + 1)); }
};

TEST_F(TextBoxTest, KeysMoveSelectAndEditWithTheSignedSelection) {
    auto* box = AddBox(u"hello world");
    int typing = 0, changes = 0;
    box->OnTyping().Set([&](TzuPersistent*) { ++typing; });
    box->OnChange().Set([&](TzuPersistent*) { ++changes; });
    // Focus entry selected all; the caret is at the end.
    EXPECT_EQ(box->SelStart(), 0);
    EXPECT_EQ(box->SelExtent(), 11);
    EXPECT_EQ(box->CaretPosition(), 11);
    EXPECT_FALSE(box->Changed());
    Key(keys::Home);
    EXPECT_EQ(box->SelLength(), 0);
    Key(keys::Backspace);  // nothing before the caret
    EXPECT_EQ(box->Text(), u"hello world");
    EXPECT_EQ(box->CaretPosition(), 0);
    Key(keys::Right);
    Key(keys::Right);
    for (int i = 0; i < 3; ++i) Key(keys::Right, ssShift);
    EXPECT_EQ(box->SelStart(), 2);
    EXPECT_EQ(box->SelLength(), -3);
    EXPECT_EQ(box->SelText(), u"llo");
    Key(keys::Left, ssShift);
    EXPECT_EQ(box->SelText(), u"ll");
    Type(u"X");  // replaces the selection
    EXPECT_EQ(box->Text(), u"heXo world");
    EXPECT_EQ(box->CaretPosition(), 3);
    EXPECT_EQ(typing, 2);  // the Backspace that deleted nothing counted too
    Key(keys::Delete);
    Key(keys::Backspace);
    EXPECT_EQ(box->Text(), u"he world");
    EXPECT_EQ(typing, 4);
    Key(keys::Right, ssCtrl);  // to the next word
    EXPECT_EQ(box->CaretPosition(), 3);
    Key(keys::End, ssShift);
    EXPECT_EQ(box->SelText(), u"world");
    Key(keys::Delete, ssShift);  // Shift+Delete with a selection cuts
    EXPECT_EQ(box->Text(), u"he ");
    EXPECT_EQ(app.ClipboardText().value_or(u""), u"world");
    Key(keys::Left, ssCtrl);
    EXPECT_EQ(box->CaretPosition(), 0);
    Key(keys::Insert, ssShift);  // paste
    EXPECT_EQ(box->Text(), u"worldhe ");
    Chord(u'a');
    Chord(u'c');
    EXPECT_EQ(app.ClipboardText().value_or(u""), u"worldhe ");
    Chord(u'x');
    EXPECT_EQ(box->Text(), u"");
    Chord(u'v');
    Chord(u'v');
    EXPECT_EQ(box->Text(), u"worldhe worldhe ");
    Chord(u'z');  // undo is not typed as a letter
    EXPECT_EQ(box->Text().find(u'z'), std::u16string::npos);
    EXPECT_EQ(changes, 0);
    Key(keys::Enter);
    EXPECT_EQ(changes, 1);
    // Focus entry clears the changed flag; Enter without a change fires nothing.
    scene->SetFocused(nullptr);
    EXPECT_EQ(changes, 2);
    box->SetFocus();
    Key(keys::Enter);
    EXPECT_EQ(changes, 2);
}

TEST_F(TextBoxTest, LimitsFiltersAndReadOnly) {
    auto* box = AddBox(u"abc");
    box->SetMaxLength(5);
    Key(keys::End);
    Type(u"de");
    EXPECT_EQ(box->Text(), u"abcde");
    Type(u"f");
    EXPECT_EQ(box->Text(), u"abcde");
    app.SetClipboardText(u"XYZ");
    Key(keys::Home);
    Key(keys::Right, ssShift);
    Chord(u'v');  // 5 - 1 + 3 > 5: dropped whole, the selection goes
    EXPECT_EQ(box->Text(), u"abcde");
    EXPECT_EQ(box->SelLength(), 0);
    box->SetMaxLength(0);
    box->SetFilterChars(u"0123456789");
    Type(u"a1b2");
    EXPECT_EQ(box->Text(), u"a12bcde");
    box->SetReadOnly(true);
    Chord(u'a');
    Type(u"3");
    Key(keys::Delete);
    Chord(u'x');
    Chord(u'v');
    EXPECT_EQ(box->Text(), u"a12bcde");
    Chord(u'c');  // copying still works
    EXPECT_EQ(app.ClipboardText().value_or(u""), u"a12bcde");
}

TEST_F(TextBoxTest, LongTextsScrollSoTheCaretStaysInView) {
    std::u16string text;
    for (int i = 0; i < 3000; ++i) text += char16_t(u'a' + i % 26);
    auto* box = AddBox(text);
    const TzuRect area = box->TextArea();
    auto caretInView = [&] {
        const float x = box->PosToX(box->CaretPosition());
        return x >= area.Left - 0.5f && x <= area.Right + 0.5f;
    };
    Key(keys::End);
    EXPECT_GT(box->FirstVisible(), 2900);
    EXPECT_TRUE(caretInView());
    Type(u"xyz");
    EXPECT_TRUE(caretInView());
    for (int i = 0; i < 40; ++i) Key(keys::Left);
    EXPECT_TRUE(caretInView());
    Key(keys::Home);
    EXPECT_EQ(box->FirstVisible(), 1);
    // The caret shape sits at the caret: 2 wide, 1.25 font sizes high.
    ASSERT_NE(box->Caret(), nullptr);
    EXPECT_TRUE(box->Caret()->Visible());
    EXPECT_FLOAT_EQ(box->Caret()->Width(), 2);
    EXPECT_FLOAT_EQ(box->Caret()->Height(), box->Font()->Size() * 1.25f);
}

TEST_F(TextBoxTest, MouseSelectsAndTheSelectionBecomesThePrimarySelection) {
    auto* box = AddBox(u"one two three");
    scene->SetFocused(nullptr);
    const TzuPoint origin = box->LocalToAbsolute({0, 0});
    const int y = int(origin.Y) + 10;
    auto sx = [&](int pos) { return int(std::lround(origin.X + box->PosToX(pos))); };
    window()->InjectMouseMove(sx(4), y);
    Press(sx(4), y);
    EXPECT_TRUE(box->IsFocused());
    EXPECT_EQ(box->CaretPosition(), 4);
    EXPECT_EQ(box->SelLength(), 0);
    Drag(sx(7), y);
    Release(sx(7), y);
    EXPECT_EQ(box->SelText(), u"two");
    EXPECT_EQ(app.PrimaryText().value_or(u""), u"two");
    // A middle click pastes the primary selection at the pointer.
    window()->InjectMouseDown(mbMiddle, sx(0), y);
    window()->InjectMouseUp(mbMiddle, sx(0), y);
    EXPECT_EQ(box->Text(), u"twoone two three");
    // A double click selects all; the right button opens the menu with its rules.
    Advance(1000);
    ClickAt(sx(2), y);
    window()->InjectMouseDown(mbLeft, sx(2), y, ssLeft | ssDouble);
    Release(sx(2), y);
    EXPECT_EQ(box->SelExtent(), 16);
    window()->InjectMouseDown(mbRight, sx(2), y);
    window()->InjectMouseUp(mbRight, sx(2), y);
    ASSERT_TRUE(app.PopupOpen());
    const auto& items = app.PopupRequests().back().items;
    ASSERT_EQ(items.size(), 5u);
    EXPECT_TRUE(items[0].Enabled);   // Cut
    EXPECT_FALSE(items[4].Enabled);  // Select All: all is selected
    app.ChoosePopupItem(3);          // Delete
    app.ProcessMessages();
    EXPECT_EQ(box->Text(), u"");
}

TEST_F(TextBoxTest, PasswordsDrawCirclesAndNeverLeaveTheBox) {
    auto* box = AddBox(u"abcd");
    box->Font()->SetSize(12);
    box->SetPassword(true);
    Chord(u'a');
    app.SetClipboardText(u"before");
    app.SetPrimaryText(u"primary");
    Chord(u'c');
    Chord(u'x');
    EXPECT_EQ(app.ClipboardText().value_or(u""), u"before");
    EXPECT_EQ(app.PrimaryText().value_or(u""), u"primary");
    EXPECT_EQ(box->Text(), u"abcd");
    window()->InjectMouseDown(mbMiddle, 20, 20);  // no primary paste either
    EXPECT_EQ(box->Text(), u"abcd");
    scene->SetFocused(nullptr);  // no selection drawn over the circles
    app.ProcessMessages();
    // Along the middle of the text area: four light runs, 6 pixels apart, 5 or less wide.
    const TzuRect area = box->TextArea();
    const TzuPoint mid = box->LocalToAbsolute({0, (area.Top + area.Bottom) / 2});
    std::vector<std::pair<int, int>> runs;  // start, width
    bool in = false;
    for (int x = int(box->LocalToAbsolute({area.Left, 0}).X) - 2;
         x < int(box->LocalToAbsolute({0, 0}).X + box->Width()); ++x) {
        const bool light = ((window()->Pixel(x, int(mid.Y)) >> 8) & 0xFF) > 0x80;
        if (light && !in) runs.push_back({x, 0});
        if (light) ++runs.back().second;
        in = light;
    }
    ASSERT_EQ(runs.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_GE(runs[i].second, 3);
        EXPECT_LE(runs[i].second, 5);
        if (i > 0) {
            EXPECT_EQ(runs[i].first - runs[i - 1].first, 6);
        }
    }
}

TEST_F(TextBoxTest, StepsAndDeletionsKeepPairsAndMarksWhole) {
    // a, e + combining acute, a surrogate pair, b.
    auto* box = AddBox(u"ae\u0301\U0001F600b");
    Key(keys::Home);
    Key(keys::Right);
    Key(keys::Right);
    EXPECT_EQ(box->CaretPosition(), 3);
    Key(keys::Right);
    EXPECT_EQ(box->CaretPosition(), 5);
    Key(keys::Left, ssShift);
    EXPECT_EQ(box->SelText(), u"\U0001F600");
    Key(keys::Right);
    Key(keys::Backspace);
    EXPECT_EQ(box->Text(), u"ae\u0301b");
    Key(keys::Home);
    Key(keys::Right);
    Key(keys::Delete);
    EXPECT_EQ(box->Text(), u"ab");
    // A character beyond the basic plane typed as its two units arrives whole, and input
    // method text is inserted at once.
    Type(u"\U0001F601");
    EXPECT_EQ(box->Text(), u"a\U0001F601b");
    window()->InjectImeCommit(u"\u65E5\u672C");
    EXPECT_EQ(box->Text(), u"a\U0001F601\u65E5\u672Cb");
    // Positions set from outside never land inside a character.
    box->SetCaretPosition(2);
    EXPECT_EQ(box->CaretPosition(), 1);
}

TEST_F(TextBoxTest, UndoTakesBackWordsAndDeletionRunsAndRedoBringsThemAgain) {
    auto* box = AddBox(u"");
    Type(u"one two");
    Chord(u'z');
    const std::u16string firstWord = box->Text();
    EXPECT_TRUE(firstWord == u"one" || firstWord == u"one ")
        << std::string(firstWord.begin(), firstWord.end());
    Chord(u'z');
    EXPECT_EQ(box->Text(), u"");
    Key(TzuKeyCode('Y'), ssCtrl);
    EXPECT_EQ(box->Text(), firstWord);
    // Ctrl+Shift+Z redoes; its character, delivered without the Shift, does not undo.
    Key(TzuKeyCode('Z'), ssCtrl | ssShift);
    Chord(u'z');
    EXPECT_EQ(box->Text(), u"one two");
    for (int i = 0; i < 3; ++i) Key(keys::Backspace);
    EXPECT_EQ(box->Text(), u"one ");
    Chord(u'z');
    EXPECT_EQ(box->Text(), u"one two");
    EXPECT_EQ(box->CaretPosition(), 7);
    // A caret move ends a step; a text set from outside empties the history.
    Key(keys::Home);
    Type(u"X");
    Chord(u'z');
    EXPECT_EQ(box->Text(), u"one two");
    box->SetText(u"fresh");
    EXPECT_FALSE(box->CanUndo());
    Chord(u'z');
    EXPECT_EQ(box->Text(), u"fresh");
}

}  // namespace
}  // namespace zu::test
