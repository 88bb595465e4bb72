// Injected input on headless windows, the stored pointer shape and the in-process
// clipboard of the headless application object.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"

namespace zu::test {
namespace {

// Writes every input call it receives as one line of text.
class TRecorder : public IzuWindowEvents {
public:
    std::vector<std::string> Log;
    bool ThrowOnDown = false;

    void WindowPaint(std::span<const TzuWinRect>) override {}
    void MouseDown(TzuMouseButton b, TzuShiftState s, int x, int y, bool dbl) override {
        if (ThrowOnDown) throw std::runtime_error("refused");
        Log.push_back("down " + Button(b) + Shift(s) + At(x, y) + (dbl ? " double" : ""));
    }
    void MouseUp(TzuMouseButton b, TzuShiftState s, int x, int y, bool dbl) override {
        Log.push_back("up " + Button(b) + Shift(s) + At(x, y) + (dbl ? " double" : ""));
    }
    void MouseMove(TzuShiftState s, int x, int y) override { Log.push_back("move" + Shift(s) + At(x, y)); }
    bool MouseWheel(TzuShiftState s, int delta, int x, int y) override {
        Log.push_back("wheel " + std::to_string(delta) + Shift(s) + At(x, y));
        return delta > 0;
    }
    void MouseLeave() override { Log.push_back("leave"); }
    void KeyDown(TzuKeyCode k, TzuShiftState s) override {
        Log.push_back("keydown " + std::to_string(k) + Shift(s));
    }
    void KeyUp(TzuKeyCode k, TzuShiftState s) override {
        Log.push_back("keyup " + std::to_string(k) + Shift(s));
    }
    void KeyChar(char16_t c) override { Log.push_back("char " + std::to_string(unsigned(c))); }

private:
    static std::string Button(TzuMouseButton b) { return b == mbLeft ? "L" : b == mbRight ? "R" : "M"; }
    static std::string Shift(TzuShiftState s) {
        std::string r;
        if (s & ssShift) r += " shift";
        if (s & ssCtrl) r += " ctrl";
        if (s & ssAlt) r += " alt";
        if (s & ssLeft) r += " lbutton";
        if (s & ssRight) r += " rbutton";
        if (s & ssMiddle) r += " mbutton";
        if (s & ssDouble) r += " dblbit";
        return r;
    }
    static std::string At(int x, int y) { return " @" + std::to_string(x) + "," + std::to_string(y); }
};

TEST(InjectedInput, MouseEventsArriveWithTheirButtonsFlagsAndCoordinates) {
    TzuHeadlessApplication app;
    TRecorder rec;
    auto w = app.CreateFormWindow(rec);
    auto* hw = dynamic_cast<TzuHeadlessWindow*>(w.get());
    ASSERT_NE(hw, nullptr);
    hw->SetBounds(100, 50, 320, 200);
    hw->InjectMouseMove(12, 34);
    hw->InjectMouseDown(mbLeft, 13, 35, ssShift | ssLeft);
    hw->InjectMouseMove(20, 40, ssLeft);
    hw->InjectMouseUp(mbLeft, 21, 41, ssCtrl);
    hw->InjectMouseDown(mbRight, 5, 6, {}, true);
    hw->InjectMouseUp(mbMiddle, 7, 8, ssAlt | ssMiddle);
    EXPECT_FALSE(hw->InjectMouseWheel(-2, 300, 190, ssCtrl));  // the window's answer comes back
    hw->InjectMouseLeave();
    const std::vector<std::string> expected = {
        "move @12,34",        "down L shift lbutton @13,35", "move lbutton @20,40",    "up L ctrl @21,41",
        "down R @5,6 double", "up M alt mbutton @7,8",       "wheel -2 ctrl @300,190", "leave",
    };
    EXPECT_EQ(rec.Log, expected);
    EXPECT_TRUE(hw->InjectMouseWheel(120, 1, 2));
    EXPECT_TRUE(app.Errors().empty());
}

TEST(InjectedInput, KeyStrokesGiveDownCharAndUpInOrder) {
    TzuHeadlessApplication app;
    TRecorder rec;
    auto w = app.CreateFormWindow(rec);
    auto* hw = dynamic_cast<TzuHeadlessWindow*>(w.get());
    ASSERT_NE(hw, nullptr);
    hw->InjectKey('A', ssShift, u'A');
    hw->InjectKey(keys::Left);  // no character for an arrow key
    hw->InjectKeyChar(u'\u00E9');
    hw->InjectKeyDown(keys::Delete, ssCtrl);
    hw->InjectKeyUp(keys::F1 + 4);
    const std::vector<std::string> expected = {
        "keydown 65 shift", "char 65",  "keyup 65 shift",  "keydown 37",
        "keyup 37",         "char 233", "keydown 46 ctrl", "keyup 116",
    };
    EXPECT_EQ(rec.Log, expected);
}

TEST(InjectedInput, EachWindowGetsOnlyItsOwnEvents) {
    TzuHeadlessApplication app;
    TRecorder formRec, childRec;
    auto form = app.CreateFormWindow(formRec);
    auto child = app.CreateChildWindow(*form, childRec);
    dynamic_cast<TzuHeadlessWindow&>(*child).InjectMouseMove(3, 4);
    EXPECT_TRUE(formRec.Log.empty());
    EXPECT_EQ(childRec.Log, std::vector<std::string>{"move @3,4"});
}

TEST(InjectedInput, WhatAHandlerThrowsGoesToTheErrorBox) {
    TzuHeadlessApplication app;
    TRecorder rec;
    rec.ThrowOnDown = true;
    auto w = app.CreateFormWindow(rec);
    dynamic_cast<TzuHeadlessWindow&>(*w).InjectMouseDown(mbLeft, 1, 1);
    ASSERT_EQ(app.Errors().size(), 1u);
    EXPECT_EQ(app.Errors()[0], "refused.");
}

TEST(Cursor, WindowsStartWithTheDefaultShapeAndKeepWhatIsSet) {
    TzuHeadlessApplication app;
    TRecorder rec;
    auto form = app.CreateFormWindow(rec);
    auto child = app.CreateChildWindow(*form, rec);
    EXPECT_EQ(form->Cursor(), TzuCursorShape::Default);
    child->SetCursor(TzuCursorShape::IBeam);
    EXPECT_EQ(child->Cursor(), TzuCursorShape::IBeam);
    EXPECT_EQ(form->Cursor(), TzuCursorShape::Default);
    child->SetCursor(TzuCursorShape::SizeNWSE);
    EXPECT_EQ(child->Cursor(), TzuCursorShape::SizeNWSE);
}

TEST(Clipboard, HoldsNoTextUntilSetThenRoundTripsUnicode) {
    TzuHeadlessApplication app;
    EXPECT_FALSE(app.ClipboardText().has_value());
    const std::u16string text = u"Gr\u00FC\u00DFe \u65E5\u672C \U0001F600\nline two";
    app.SetClipboardText(text);
    ASSERT_TRUE(app.ClipboardText().has_value());
    EXPECT_EQ(*app.ClipboardText(), text);
    app.SetClipboardText(u"");
    ASSERT_TRUE(app.ClipboardText().has_value());
    EXPECT_EQ(*app.ClipboardText(), u"");
}

}  // namespace
}  // namespace zu::test
