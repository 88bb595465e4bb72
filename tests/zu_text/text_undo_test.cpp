#include "scene/zu_text/text_undo.h"

#include <gtest/gtest.h>

namespace zu {
namespace {

// A minimal flat-text editor that records its edits the way the text controls do.
struct Editor {
    std::u16string text;
    int caret = 0;
    TzuTextUndo undo;

    void Replace(int pos, int count, std::u16string_view with, TzuTextEditKind kind) {
        TzuTextEdit e;
        e.position = pos;
        e.removed = text.substr(pos, count);
        e.inserted = with;
        e.before = {caret, caret, 0};
        text.replace(pos, count, with);
        caret = pos + int(with.size());
        e.after = {caret, caret, 0};
        undo.Record(std::move(e), kind);
    }
    void Type(std::u16string_view s) {
        for (char16_t c : s) Replace(caret, 0, std::u16string(1, c), zuEditTyping);
    }
    void Backspace() { Replace(caret - 1, 1, u"", zuEditBackspace); }
    void Delete() { Replace(caret, 1, u"", zuEditDelete); }
    bool Undo() {
        const TzuTextEdit* e = undo.Undo();
        if (!e) return false;
        text.replace(e->position, e->inserted.size(), e->removed);
        caret = e->before.caret;
        return true;
    }
    bool Redo() {
        const TzuTextEdit* e = undo.Redo();
        if (!e) return false;
        text.replace(e->position, e->removed.size(), e->inserted);
        caret = e->after.caret;
        return true;
    }
};

TEST(TzuTextUndo, TypingMergesPerWordAndUndoRedoRestoreTextAndCaret) {
    Editor ed;
    ed.Type(u"hello world");
    EXPECT_EQ(ed.undo.StepCount(), 2u);
    ASSERT_TRUE(ed.Undo());
    EXPECT_EQ(ed.text, u"hello ");
    EXPECT_EQ(ed.caret, 6);
    ASSERT_TRUE(ed.Undo());
    EXPECT_EQ(ed.text, u"");
    EXPECT_FALSE(ed.Undo());
    ASSERT_TRUE(ed.Redo());
    ASSERT_TRUE(ed.Redo());
    EXPECT_EQ(ed.text, u"hello world");
    EXPECT_EQ(ed.caret, 11);
    EXPECT_FALSE(ed.Redo());

    // A caret move breaks the word; typing after an undo drops the redo steps.
    ed.undo.Break();
    ed.Type(u"!");
    EXPECT_EQ(ed.undo.StepCount(), 3u);
    ed.Undo();
    ed.Type(u"?");
    EXPECT_FALSE(ed.undo.CanRedo());
    EXPECT_EQ(ed.text, u"hello world?");
    // Typing somewhere else than at the last step's caret starts a new step.
    ed.caret = 0;
    ed.Type(u"x");
    ed.Undo();
    EXPECT_EQ(ed.text, u"hello world?");
}

TEST(TzuTextUndo, DeletionRunsMergeAndKeepTheirKind) {
    Editor ed;
    ed.Type(u"abcdef");
    ed.Backspace();
    ed.Backspace();
    EXPECT_EQ(ed.text, u"abcd");
    // Typing after the run is a step of its own, and the Backspace run is one step.
    ed.Type(u"X");
    ed.Undo();
    EXPECT_EQ(ed.text, u"abcd");
    ed.Undo();
    EXPECT_EQ(ed.text, u"abcdef");
    EXPECT_EQ(ed.caret, 6);

    Editor del;
    del.Type(u"abcdef");
    del.caret = 1;
    del.undo.Break();
    del.Delete();
    del.Delete();
    del.Delete();
    EXPECT_EQ(del.text, u"aef");
    // Backspace after a Delete run is a step of its own.
    del.Backspace();
    EXPECT_EQ(del.text, u"ef");
    del.Undo();
    EXPECT_EQ(del.text, u"aef");
    del.Undo();
    EXPECT_EQ(del.text, u"abcdef");
    EXPECT_EQ(del.caret, 1);
}

TEST(TzuTextUndo, SelectionIsRestoredAndPasteNeverMerges) {
    TzuTextUndo undo;
    // Typing over a selection of "bcd" (anchor 1, length 3) keeps the selection in the step.
    undo.Record({1, u"bcd", u"x", {4, 1, 3}, {2, 2, 0}}, zuEditTyping);
    undo.Record({2, u"", u"y", {2, 2, 0}, {3, 3, 0}}, zuEditTyping);
    undo.Record({3, u"", u"PASTE", {3, 3, 0}, {8, 8, 0}}, zuEditOther);
    undo.Record({8, u"", u"z", {8, 8, 0}, {9, 9, 0}}, zuEditTyping);
    EXPECT_EQ(undo.StepCount(), 3u);
    undo.Undo();
    undo.Undo();
    const TzuTextEdit* e = undo.Undo();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->removed, u"bcd");
    EXPECT_EQ(e->inserted, u"xy");
    EXPECT_EQ(e->before, (TzuTextSelection{4, 1, 3}));
    e = undo.Redo();
    EXPECT_EQ(e->after, (TzuTextSelection{3, 3, 0}));
    // Empty edits are not steps.
    undo.Record({0, u"", u"", {}, {}}, zuEditOther);
    EXPECT_TRUE(undo.CanRedo());
}

TEST(TzuTextUndo, HistoryStaysWithinItsLimits) {
    TzuTextUndo undo;
    undo.SetLimits(3, 1000);
    for (int i = 0; i < 10; ++i) undo.Record({i, u"", u"ab", {i, i, 0}, {i + 2, i + 2, 0}}, zuEditOther);
    EXPECT_EQ(undo.StepCount(), 3u);
    EXPECT_EQ(undo.StoredUnits(), 6u);
    // The oldest steps were dropped: the remaining undos are the newest three.
    EXPECT_EQ(undo.Undo()->position, 9);
    EXPECT_EQ(undo.Undo()->position, 8);
    EXPECT_EQ(undo.Undo()->position, 7);
    EXPECT_EQ(undo.Undo(), nullptr);

    // A unit budget: a step larger than the whole budget still stays as the newest one.
    undo.Clear();
    undo.SetLimits(100, 10);
    undo.Record({0, u"", u"12345678", {}, {}}, zuEditOther);
    undo.Record({0, u"", u"abcdefghijklmnop", {}, {}}, zuEditOther);
    EXPECT_EQ(undo.StepCount(), 1u);
    EXPECT_EQ(undo.StoredUnits(), 16u);
    // Merged typing counts towards the budget as it grows.
    undo.Clear();
    for (int i = 0; i < 30; ++i) undo.Record({i, u"", u"a", {i, i, 0}, {i + 1, i + 1, 0}}, zuEditTyping);
    EXPECT_EQ(undo.StepCount(), 1u);
    EXPECT_EQ(undo.StoredUnits(), 30u);
}

}  // namespace
}  // namespace zu
